#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs keyboard_only.py on its own X server (a free display).
# Usage: keyboard_only.sh BIN_DIR
set -u
here=$(dirname "$0")
for tool in xvfb-run xdotool /usr/bin/python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (make deps installs it)"; exit 1; }
done
exec xvfb-run -a -s "-screen 0 1366x768x24" /usr/bin/python3 "$here/keyboard_only.py" "$@"
