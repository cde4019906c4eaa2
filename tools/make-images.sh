#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program's icon (32x32, and 16 to 256 pixels square) and the About window's picture
# (107x115, and twice that) with ImageMagick:
# the padlock of the splash animation, gold with a silver shackle.
# Usage: tools/make-images.sh [output folder]   (default: src/ui/images)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/src/ui/images"}
mkdir -p "$out"

readonly gold="rgb(255,204,0)" gold_dark="rgb(176,128,0)" silver="rgb(200,200,210)"

# Prints the draw commands of the padlock's shackle: two legs from y=$4 up to the centre line
# y=$2, joined by a half circle of radius $3 about x=$1, as short round-capped strokes (this
# ImageMagick closes an open polyline).
shackle() {
    awk -v cx="$1" -v cy="$2" -v r="$3" -v foot="$4" 'BEGIN {
        pi = atan2(0, -1)
        printf "stroke-linecap round line %.2f,%.2f %.2f,%.2f", cx - r, foot, cx - r, cy
        px = cx - r; py = cy
        for (i = 1; i <= 24; i++) {
            a = pi + pi * i / 24
            x = cx + r * cos(a); y = cy + r * sin(a)
            printf " line %.2f,%.2f %.2f,%.2f", px, py, x, y
            px = x; py = y
        }
        printf " line %.2f,%.2f %.2f,%.2f", cx + r, cy, cx + r, foot
    }'
}

# Draws the program's icon, $1 pixels square, into $2: the padlock alone on a transparent ground,
# drawn on a 32-pixel grid and scaled, in at most 256 colours with one-bit transparency.
icon() {
    local size=$1 scale
    scale=$(awk -v n="$size" 'BEGIN { print n / 32 }')
    local grid="affine $scale,0,0,$scale,0,0"
    convert -size "${size}x${size}" xc:none \
        -fill none -stroke "$silver" -strokewidth 3 \
        -draw "$grid $(shackle 16 10 7 15)" \
        -stroke "$gold_dark" -strokewidth 1 -fill "$gold" \
        -draw "$grid roundrectangle 5,14 27,30 3,3" \
        -stroke none -fill black -draw "$grid circle 16,20 16,22.2" \
        -draw "$grid polygon 14.8,21 17.2,21 18,27 14,27" \
        -strip "PNG8:$2"
}

icon 32 "$out/cindral.png"

# Draws the About picture, $1 times 107x115 pixels, into $2: the padlock on a night-blue ground,
# and below it the marker byte in bits. Drawn afresh at twice the size, not enlarged, so that it
# stays sharp on a screen of twice the density.
about() {
    local scale=$1
    local grid="affine $scale,0,0,$scale,0,0"
    convert -size "$((107 * scale))x$((115 * scale))" gradient:"rgb(0,0,96)-rgb(0,0,16)" \
        -fill none -stroke "$silver" -strokewidth 7 \
        -draw "$grid $(shackle 54 34 24 50)" \
        -stroke "$gold_dark" -strokewidth 2 -fill "$gold" \
        -draw "$grid roundrectangle 18,48 90,98 7,7" \
        -stroke none -fill "rgb(255,230,120)" -draw "$grid roundrectangle 24,53 84,58 2,2" \
        -fill black -draw "$grid circle 54,68 54,74" \
        -draw "$grid polygon 50.5,71 57.5,71 60,88 48,88" \
        -fill "rgb(255,255,192)" -font DejaVu-Sans-Mono -pointsize $((9 * scale)) \
        -gravity south -annotate "+0+$((3 * scale))" "10101001" \
        -strip "PNG24:$2"
}

about 1 "$out/about.png"
about 2 "$out/about@2x.png"

# The window's padlock drawn again at each size title bars, task switchers, menus and launchers
# ask for, so that it stays sharp.
for size in 16 24 48 64 128 256; do
    scale=$(awk -v size="$size" 'BEGIN { print size / 32 }')
    convert -size "${size}x${size}" xc:none -draw "scale $scale,$scale
        fill none stroke '$silver' stroke-width 3 $(shackle 16 10 7 15)
        stroke '$gold_dark' stroke-width 1 fill '$gold' roundrectangle 5,14 27,30 3,3
        stroke none fill black circle 16,20 16,22.2 polygon 14.8,21 17.2,21 18,27 14,27" \
        -strip "PNG32:$out/cindral-$size.png"
done
echo "Wrote $out/cindral-{16,24,48,64,128,256}.png"

echo "Wrote $out/cindral.png, $out/about.png and $out/about@2x.png"
