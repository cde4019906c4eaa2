#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the program's start-up, from exec to its first window mapped on the X server, against a
# bare Qt main window on the same Xvfb screen (no window manager): runs alternate between the two,
# and the medians are compared. Exits with 1 when the program takes more than 1.3 x the bare
# window. It builds what it needs in an optimised build folder of its own.
# Usage: bash bench/startup-bench.sh [build folder [runs]]   (default: build/bench, 10 runs)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build/bench"}
runs=${2:-10}

if [ "${STARTUP_BENCH_ON_SCREEN:-}" != 1 ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j2 --target cindral cindral-bare-window cindral-map-timer >/dev/null
    STARTUP_BENCH_ON_SCREEN=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96 -noreset" \
        bash "$0" "$build" "$runs"
fi

timer="$build/bench/cindral-map-timer"
bare="$build/bench/cindral-bare-window"
program="$build/src/app/cindral"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# Warms the caches (fonts, libraries) so the first timed run is not an outlier.
"$timer" "$bare" >/dev/null
"$timer" "$program" >/dev/null

bare_times=()
program_times=()
for ((run = 1; run <= runs; run++)); do
    bare_times+=("$("$timer" "$bare")")
    program_times+=("$("$timer" "$program")")
done

median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

bare_median=$(median "${bare_times[@]}")
program_median=$(median "${program_times[@]}")
echo "bare QMainWindow (ms): ${bare_times[*]}"
echo "cindral (ms):          ${program_times[*]}"
awk -v b="$bare_median" -v p="$program_median" 'BEGIN {
    ratio = p / b
    printf "median: bare %.2f ms, cindral %.2f ms, ratio %.2f (target at most 1.30)\n", b, p, ratio
    exit ratio <= 1.3 ? 0 : 1
}'
