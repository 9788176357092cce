#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs accessibility_tree.py on its own X server (a free display) inside a private D-Bus
# session, where the accessibility bus starts on demand. The system's python3 is used: the
# accessibility bindings are a Debian package, not a pip one.
# Usage: accessibility_tree.sh PROGRAM LANG_CSV
set -u
here=$(dirname "$0")
for tool in xvfb-run dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (make deps installs it)"; exit 1; }
done
exec xvfb-run -a -s "-screen 0 1366x768x24" \
    dbus-run-session -- /usr/bin/python3 "$here/accessibility_tree.py" "$@" --report
