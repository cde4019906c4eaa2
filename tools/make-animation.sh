#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the splash window's animation with ImageMagick: a padlock circled by a running light,
# ten frames of 68x50 pixels shown 150 ms each, looping without end, written as a GIF89a.
# Usage: tools/make-animation.sh [output.gif]   (default: src/ui/images/animation.gif)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/src/ui/images/animation.gif"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

readonly frames=10 width=68 height=50
readonly centre_x=34 centre_y=26 radius_x=29 radius_y=20 dot=2.5
# The light's head, its fading trail, and the unlit dots of the orbit.
readonly colours=("rgb(192,192,255)" "rgb(128,128,208)" "rgb(80,80,150)")
readonly unlit="rgb(36,36,72)"

# Prints the draw command of a dot at orbit position $1 (0 at the top, clockwise).
orbit_dot() {
    awk -v p="$1" -v n="$frames" -v cx="$centre_x" -v cy="$centre_y" \
        -v rx="$radius_x" -v ry="$radius_y" -v r="$dot" 'BEGIN {
        a = 2 * atan2(0, -1) * p / n
        x = cx + rx * sin(a); y = cy - ry * cos(a)
        printf "circle %.2f,%.2f %.2f,%.2f", x, y, x + r, y
    }'
}

padlock=(
    -fill none -stroke "rgb(192,192,192)" -strokewidth 3
    -draw "arc 27,12 41,26 180,360" -draw "line 27,19 27,25" -draw "line 41,19 41,25"
    -stroke none -fill "rgb(255,204,0)" -draw "roundrectangle 23,24 45,39 2,2"
    -fill black -draw "circle 34,29.5 34,31.5" -draw "rectangle 33,30 35,35"
)

for ((frame = 0; frame < frames; frame++)); do
    args=(-size "${width}x${height}" xc:black -stroke none -fill "$unlit")
    for ((p = 0; p < frames; p++)); do
        args+=(-draw "$(orbit_dot "$p")")
    done
    for ((age = ${#colours[@]} - 1; age >= 0; age--)); do
        p=$(((frame - age + frames) % frames))
        args+=(-fill "${colours[age]}" -draw "$(orbit_dot "$p")")
    done
    convert "${args[@]}" "${padlock[@]}" "$work/$(printf 'frame%02d' "$frame").png"
done

mkdir -p "$(dirname "$out")"
convert -delay 15 -loop 0 -dispose none "$work"/frame*.png +dither -strip "GIF:$out"
echo "Wrote $out"
