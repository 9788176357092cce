#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the radio-wave arcs of app.mvg as filled bands with round ends.

ImageMagick 6 closes an open curve when it strokes it thickly, so each wave is drawn as
the area between two concentric arcs plus a dot at each end.

    python3 wave_bands.py CX CY WIDTH RADIUS:HALF_ANGLE ...
    python3 wave_bands.py 18.5 10 1.4 5.5:50 9.5:50      (the values app.mvg uses)

Each RADIUS:HALF_ANGLE gives one arc to the right and its mirror image to the left.
"""
import math
import sys


def point(cx, cy, r, a):
    return cx + r * math.cos(a), cy + r * math.sin(a)


def arc(cx, cy, r, a0, a1):
    """Control points and end point of one cubic curve along the circle from a0 to a1."""
    k = 4 / 3 * math.tan((a1 - a0) / 4)
    p0, p3 = point(cx, cy, r, a0), point(cx, cy, r, a1)
    p1 = (p0[0] - k * r * math.sin(a0), p0[1] + k * r * math.cos(a0))
    p2 = (p3[0] + k * r * math.sin(a1), p3[1] - k * r * math.cos(a1))
    return p1, p2, p3


def fmt(p):
    return "%.2f,%.2f" % p


def band(cx, cy, r, width, d0, d1):
    a0, a1 = math.radians(d0), math.radians(d1)
    outer, inner = r + width / 2, r - width / 2
    o = arc(cx, cy, outer, a0, a1)
    i = arc(cx, cy, inner, a1, a0)
    lines = ["path 'M %s C %s %s %s L %s C %s %s %s Z'" % (
        fmt(point(cx, cy, outer, a0)), *map(fmt, o), fmt(point(cx, cy, inner, a1)), *map(fmt, i))]
    for a in (a0, a1):
        c = point(cx, cy, r, a)
        lines.append("circle %s %s" % (fmt(c), fmt((c[0] + width / 2, c[1]))))
    return lines


def main(args):
    cx, cy, width = map(float, args[:3])
    for ring in args[3:]:
        r, half = map(float, ring.split(":"))
        for d0, d1 in ((-half, half), (180 - half, 180 + half)):
            print("\n".join(band(cx, cy, r, width, d0, d1)))


if __name__ == "__main__":
    main(sys.argv[1:])
