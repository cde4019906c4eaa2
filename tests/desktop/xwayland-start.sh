#!/usr/bin/env bash
# Starts the program as on a Wayland desktop, under weston with XWayland and with Qt's Wayland
# plugin installed, and checks that its windows come up on the X server, where it can place them.
# Usage: xwayland-start.sh PROGRAM
set -euo pipefail
program=$1
run=$(mktemp -d)
pids=()
finish() {
    kill "${pids[@]}" 2>/dev/null || true
    wait
    rm -rf "$run"
}
trap finish EXIT

# XWayland makes its socket here; weston starts no X server without the folder.
if [ ! -d /tmp/.X11-unix ]; then
    mkdir -m 1777 /tmp/.X11-unix
fi

export XDG_RUNTIME_DIR=$run
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --no-config \
    --socket=wayland-cindral --xwayland --log="$run/weston.log" >"$run/weston.out" 2>&1 &
pids+=($!)

display=""
for _ in $(seq 100); do
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$run/weston.log" 2>/dev/null || true)
    [ -n "$display" ] && break
    sleep 0.1
done
if [ -z "$display" ]; then
    echo "weston started no X server:"
    cat "$run/weston.log"
    exit 1
fi

env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-cindral \
    DISPLAY="$display" "$program" >"$run/program.log" 2>&1 &
pids+=($!)

if ! DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --class cindral >/dev/null; then
    echo "no window of the program came up on the X server $display:"
    cat "$run/program.log"
    exit 1
fi
echo "the program's windows came up on XWayland ($display)"
