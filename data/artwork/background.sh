#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the default background picture of the main window's work area (0.JPG): a calm
# blue-grey gradient, faint rings of radio waves spreading from the lower right corner,
# and the program's name faint in the lower left corner. Usage: sh background.sh OUTPUT.JPG
set -eu
out=$1
width=1600
height=1000
# wave centre, a little outside the picture's lower right corner
cx=1480
cy=930

rings=""
r=90
alpha=44
while [ $r -le 1500 ]; do
    # thinner and fainter with distance
    w=$(( r < 500 ? 3 : 2 ))
    rings="$rings stroke '#ffffff$(printf %02x $alpha)' stroke-width $w circle $cx,$cy $((cx + r)),$cy"
    r=$(( r + 95 + r / 8 ))
    alpha=$(( alpha > 14 ? alpha - 2 : 12 ))
done

convert -size ${width}x${height} xc: \
    -sparse-color Barycentric "0,0 #f2f6fa  $width,0 #dfe7f0  0,$height #d6e0eb  $width,$height #b9cadd" \
    -fill none -draw "$rings" \
    -blur 0x1.2 \
    -font DejaVu-Sans-Bold -pointsize 54 -gravity southwest \
    -fill '#ffffff66' -annotate +44+34 radioprog \
    -fill '#3c557322' -annotate +46+32 radioprog \
    -strip -interlace none -sampling-factor 4:2:0 -quality 86 "$out"
