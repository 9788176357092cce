#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the simulated radio on a pseudo-terminal with a sample memory and the program wired
# to it, so reading and writing can be tried without hardware.
set -eu
bin=$(cd "${1:-build/bin}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/radioprog-demo.XXXXXX")
sim=""
cleanup() { [ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT INT TERM

"$bin/radioprog-cli" new "$work/radio.dat"
if [ -f "$here/demo-channels.csv" ]; then
  "$bin/radioprog-cli" import-csv "$work/radio.dat" "$here/demo-channels.csv" >/dev/null 2>&1 || true
fi
"$bin/radiosim" --load "$work/radio.dat" --save "$work/radio.dat" --link "$work/radio-tty" >"$work/sim.log" 2>&1 &
sim=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do [ -e "$work/radio-tty" ] && break; sleep 0.2; done
echo "Simulated radio on $(readlink "$work/radio-tty") (COM1). Its memory: $work/radio.dat"
cd "$bin"
RADIOPROG_PORTS="$work/radio-tty" ./radioprog
