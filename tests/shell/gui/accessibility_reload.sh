#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs accessibility_reload.py on its own X server (a free display) inside a private D-Bus
# session, where the accessibility bus starts on demand.
# Usage: accessibility_reload.sh BIN_DIR
set -u
here=$(dirname "$0")
for tool in xvfb-run xdotool dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (make deps installs it)"; exit 1; }
done
exec xvfb-run -a -s "-screen 0 1366x768x24" \
    dbus-run-session -- /usr/bin/python3 "$here/accessibility_reload.py" "$@"
