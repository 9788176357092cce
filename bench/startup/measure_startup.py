#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up of radioprog against an empty Qt window, counted from exec.

Runs `radioprog --measure-startup` and `minimal_window` alternately (so both see the same
machine load), notes the monotonic clock before each start and reads the monotonic clock
readings the programs print. Prints the median of each figure and the aim's ratio:
channel table shown / (minimal window's first frame + the 100 ms start-up timer).

    bench/startup/measure_startup.py build/bin/radioprog build/bin/minimal_window [ROUNDS]
    QT_QPA_PLATFORM=offscreen bench/startup/measure_startup.py ...
    xvfb-run -s '-screen 0 1366x768x24' bench/startup/measure_startup.py ...
"""
import os
import re
import statistics
import subprocess
import sys
import time

LINE = re.compile(r"^(.*) after ([\d.]+) ms \(monotonic ([\d.]+) ms\)$")


def run(command, cwd):
    start = time.clock_gettime(time.CLOCK_MONOTONIC) * 1e3
    out = subprocess.run(command, cwd=cwd, capture_output=True, text=True, timeout=60).stdout
    figures = {}
    for line in out.splitlines():
        match = LINE.match(line.strip())
        if match:
            figures[match.group(1)] = float(match.group(3)) - start
    return figures


def main():
    program, minimal = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    samples = {}
    for _ in range(rounds):
        for name, figures in (("minimal window", run([minimal], os.path.dirname(minimal))),
                              ("radioprog", run([program, "--measure-startup"], os.path.dirname(program)))):
            for what, ms in figures.items():
                samples.setdefault(f"{name}: {what}", []).append(ms)
    platform = os.environ.get("QT_QPA_PLATFORM") or ("xcb " + os.environ.get("DISPLAY", ""))
    print(f"platform {platform}, {rounds} rounds, medians in ms after exec")
    medians = {key: statistics.median(values) for key, values in samples.items()}
    for key, value in medians.items():
        print(f"  {key:45} {value:7.1f}  (min {min(samples[key]):.1f})")
    minimal_frame = medians.get("minimal window: main window fully painted")
    table = medians.get("radioprog: channel table shown")
    if minimal_frame and table:
        print(f"  channel table / (minimal first frame + 100 ms) = {table / (minimal_frame + 100):.2f}")


if __name__ == "__main__":
    main()
