#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of the splash window, the main window, the About window and the main window
# half-way through a large file on a virtual screen, and of the main and About windows once more
# in a dark theme (the Adwaita-Dark style), and writes them to doc/screenshots/. The program is
# driven as a user would drive it: xdotool types and presses its access keys, ImageMagick's
# import takes the pictures.
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

# Types a password into the main window $1 and shoots it, then its About window, as
# main-window$2.png and about-window$2.png.
shoot_main_and_about() {
    local main=$1 about
    xdotool windowfocus --sync "$main"
    xdotool type --delay 50 "secret"
    sleep 1
    import -window "$main" "$out/main-window$2.png"

    xdotool key --window "$main" alt+a
    about=$(window_named "About Cindral 1.0v")
    sleep 1
    import -window "$about" "$out/about-window$2.png"
    xdotool key --window "$about" Escape
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
shoot_main_and_about "$main" ""
kill "$program"
wait "$program" || true

# A second program in a dark theme, where the colours taken from it would vanish beside the
# windows' own.
QT_STYLE_OVERRIDE=Adwaita-Dark ./cindral &
program=$!
main=$(xdotool search --sync --onlyvisible --pid "$program" --name '^Cindral 1.0v$' | head -n 1)
sleep 6
shoot_main_and_about "$main" -dark
# A third one starts with the large file.
kill "$program"
wait "$program" || true

# A file of 2 GiB, started with and encrypted, shot after a second of the work: the clock runs
# and the status bar shows the share done. Made in memory where there is room for both copies;
# the program is ended mid-way, and its unfinished new file goes with it.
room=/tmp
if (($(df --output=avail -k /dev/shm | tail -n 1) > 5 << 20)); then room=/dev/shm; fi
large=$(mktemp -d "$room/cindral-shot.XXXXXX")
trap 'kill "$program" 2>/dev/null || true; rm -rf "$large"' EXIT
head -c 2G < <(yes $'Dear Ann, the figures for the year are attached.\r') >"$large/report.txt"
./cindral "$large/report.txt" &
program=$!
main=$(xdotool search --sync --onlyvisible --pid "$program" --name '^Cindral 1.0v$' | head -n 1)
sleep 6
xdotool windowfocus --sync "$main"
xdotool type --delay 50 "secret"
xdotool key alt+e
sleep 1
import -window "$main" "$out/large-file.png"
echo "Wrote the screenshots to $out"
