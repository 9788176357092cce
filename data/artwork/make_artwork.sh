#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program's icons and background picture from the drawings in this directory
# into data/. Needs ImageMagick 6 ("convert") and rsvg-convert. Run from anywhere:
#     sh data/artwork/make_artwork.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data=$(dirname "$here")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An MVG drawing on an N x N grid comes out at N * density / 96 pixels.
render() { # drawing, size in pixels, grid size, output, [extra options]
    drawing=$1 size=$2 grid=$3 out=$4
    shift 4
    convert -background none "$@" -density $((96 * size / grid)) "mvg:$here/$drawing" \
        -depth 8 -strip "PNG32:$out"
}

render app16.mvg 16 16 "$work/app16.png" +antialias
render app.mvg 32 48 "$work/app32.png"
render app.mvg 48 48 "$work/app48.png"
render app.mvg 128 48 "$data/radioprog.png"
convert "$work/app16.png" "$work/app32.png" "$work/app48.png" "$data/app.ico"

render view16.mvg 16 16 "$work/view16.png" +antialias
render view.mvg 32 32 "$work/view32.png"
convert "$work/view16.png" "$work/view32.png" "$data/view.ico"

# Toolbar icons: SVG drawings rendered at each toolbar size (needs rsvg-convert, Debian
# librsvg2-bin).
mkdir -p "$data/icons"
for icon in print new; do
    for size in 16 24 32 48; do
        rsvg-convert -w $size -h $size "$here/$icon.svg" -o "$data/icons/$icon-$size.png"
    done
done

sh "$here/background.sh" "$data/0.JPG"
