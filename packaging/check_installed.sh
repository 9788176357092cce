#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package from BUILD_DIR (default build) with dpkg, checks that the
# installed radioprog-cli works from an empty directory and finds the installed language
# file, and removes the package again. Needs root (CI runs as root).
#     sh packaging/check_installed.sh [BUILD_DIR]
set -eu
build=${1:-build}
deb=$(ls -t "$build"/radioprog_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "check_installed: no radioprog_*.deb in $build (make package)" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' radioprog 2>/dev/null | grep -q '^install ok installed$'; }

echo "Installing $deb"
work=$(mktemp -d)
trap 'dpkg -r radioprog >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
if ! dpkg -i "$deb"; then
    # dpkg leaves the package unconfigured when a dependency is missing; apt brings it.
    apt-get update -qq
    apt-get install -f -y -qq --no-install-recommends
fi
installed || { echo "check_installed: radioprog is not installed" >&2; exit 1; }

cd "$work"
/usr/bin/radioprog-cli new radio.dat
size=$(stat -c %s radio.dat)
[ "$size" = 5592 ] || { echo "check_installed: new wrote $size bytes, not 5592" >&2; exit 1; }
/usr/bin/radioprog-cli channels radio.dat > channels.csv
lines=$(wc -l < channels.csv)
header=$(head -n 1 channels.csv)
echo "channels: $lines lines, header: $header"
[ "$lines" = 129 ] || { echo "check_installed: expected 129 lines" >&2; exit 1; }
# Without a language file the column headers are empty.
case $header in
    ,*) echo "check_installed: the installed language file was not found" >&2; exit 1 ;;
esac
for program in radioprog radioprog-cli radiosim; do
    [ -x /usr/bin/$program ] || { echo "check_installed: /usr/bin/$program missing" >&2; exit 1; }
done

[ -f /usr/lib/udev/rules.d/60-radioprog.rules ] || { echo "check_installed: the udev rule is missing" >&2; exit 1; }

dpkg -r radioprog
! installed || { echo "check_installed: radioprog still installed" >&2; exit 1; }
echo "The package installs, runs and removes cleanly."
