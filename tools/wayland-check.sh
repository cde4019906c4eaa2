#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows where the windows land on a Wayland desktop. Starts the program under weston (headless)
# and under GNOME's mutter (nested in Xvfb), once on Wayland itself and once as it starts by
# default (on XWayland), and takes a screenshot of each while the splash window is up.
# Installs weston, xwayland, qt6-wayland and mutter if missing.
# Usage: tools/wayland-check.sh [build folder]   (default: build/release, built if missing)
# Writes <build folder>/wayland-check/{weston,mutter}-{wayland,xwayland}.png
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build/release"}
out="$build/wayland-check"

bash "$root/tools/install-deps.sh"
extras=()
for p in weston xwayland qt6-wayland mutter dbus; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || extras+=("$p")
done
if [ ${#extras[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${extras[@]}"
fi
if [ ! -x "$build/src/app/cindral" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cmake --build "$build" -j2 --target cindral
fi
program="$build/src/app/cindral"

mkdir -p "$out"
run=$(mktemp -d)
export XDG_RUNTIME_DIR=$run
pids=()
finish() {
    kill "${pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$run"
}
trap finish EXIT
[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix

# Prints the first match of the sed expression $2 in the log $1, waiting up to 10 s for it.
await_log() {
    local found=""
    for _ in $(seq 100); do
        found=$(sed -n "s/$2/\1/p" "$1" 2>/dev/null | head -n 1)
        [ -n "$found" ] && break
        sleep 0.1
    done
    [ -n "$found" ] || { echo "not found in $1: $2" >&2; cat "$1" >&2; exit 1; }
    echo "$found"
}

# Runs the program in the environment given as arguments, takes a screenshot with the command
# in $shoot to $1 while the splash window is up, and ends the program.
shoot_program() {
    local picture=$1
    shift
    env "$@" "$program" >"$run/program.log" 2>&1 &
    local pid=$!
    sleep 2
    $shoot "$picture"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "Wrote $picture"
}

# weston, headless, with screenshots through its debugging protocol.
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --no-config --debug \
    --socket=wayland-weston --xwayland --log="$run/weston.log" >"$run/weston.out" 2>&1 &
pids+=($!)
display=$(await_log "$run/weston.log" '.*xserver listening on display \(:[0-9]*\).*')
weston_shot() {
    (cd "$run" && rm -f wayland-screenshot-*.png && WAYLAND_DISPLAY=wayland-weston weston-screenshooter)
    mv "$run"/wayland-screenshot-*.png "$1"
}
shoot=weston_shot
shoot_program "$out/weston-wayland.png" WAYLAND_DISPLAY=wayland-weston QT_QPA_PLATFORM=wayland
shoot_program "$out/weston-xwayland.png" -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-weston \
    DISPLAY="$display"
kill "${pids[@]}"
wait 2>/dev/null || true
pids=()

# mutter, the compositor of Debian's GNOME desktop, nested in a virtual X screen.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$run/xvfb.display" 2>/dev/null &
pids+=($!)
screen=:$(await_log "$run/xvfb.display" '\([0-9][0-9]*\)')
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
    sed -n '1s/^/DBUS_SESSION_BUS_ADDRESS=/p; 2s/^/bus_pid=/p')"
export DBUS_SESSION_BUS_ADDRESS
pids+=("$bus_pid")
MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 DISPLAY=$screen \
    mutter --nested --wayland --wayland-display=wayland-mutter >"$run/mutter.log" 2>&1 &
pids+=($!)
display=$(await_log "$run/mutter.log" '.*Using public X11 display \(:[0-9]*\).*')
authority=$(ls "$run"/.mutter-Xwaylandauth.*)
mutter_shot() { import -display "$screen" -window root -crop 1024x768+0+0 "$1"; }
shoot=mutter_shot
shoot_program "$out/mutter-wayland.png" WAYLAND_DISPLAY=wayland-mutter QT_QPA_PLATFORM=wayland
shoot_program "$out/mutter-xwayland.png" -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-mutter \
    DISPLAY="$display" XAUTHORITY="$authority"
