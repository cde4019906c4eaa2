#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of the splash window, the main window and the About window on a virtual
# screen and writes them to doc/screenshots/. The program is driven as a user would drive it:
# xdotool types and presses its access keys, ImageMagick's import takes the pictures.
# Usage: tools/screenshots.sh [build folder]   (default: build/release, built if missing)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--on-screen" ]; then
    build=${1:-"$root/build/release"}
    bash "$root/tools/install-deps.sh"
    if [ ! -x "$build/src/app/cindral" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
        cmake --build "$build" -j2 --target cindral
    fi
    exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" --on-screen "$build"
fi

build=$2
out="$root/doc/screenshots"
mkdir -p "$out"

# Waits for a visible window whose title is exactly $1 and prints its id.
window_named() {
    xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

# The splash window has no title: it is the program's visible window of the splash's size.
splash_window() {
    local id
    for id in $(xdotool search --onlyvisible --class cindral); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$WIDTH" = 367 ] && [ "$HEIGHT" = 243 ]; then
            echo "$id"
            return
        fi
    done
}

cd "$build/src/app"
./cindral &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

main=$(window_named "Cindral 1.0v")
sleep 1
import -window "$(splash_window)" "$out/splash.png"
# The splash window stands in front for its five seconds.
sleep 6

xdotool windowfocus --sync "$main"
xdotool type --delay 50 "secret"
sleep 1
import -window "$main" "$out/main-window.png"

xdotool key --window "$main" alt+a
about=$(window_named "About Cindral 1.0v")
sleep 1
import -window "$about" "$out/about-window.png"
xdotool key --window "$about" Escape

xdotool key --window "$main" alt+x
for _ in $(seq 50); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
echo "Wrote the screenshots to $out"
