#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills cindral-cli with SIGKILL at random moments while it encrypts a hard-linked file (which it
# overwrites in place), runs the tool once more, and checks that the file is whole, its old text
# or its new one, and that the recovery folder is empty.
#   bash tools/kill-trials.sh [TRIALS] [MiB] [FOLDER]     (defaults: 20, 200, /dev/shm)
set -euo pipefail
cd "$(dirname "$0")/.."
trials=${1:-20} size=${2:-200} base=${3:-/dev/shm}
bash tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j2 --target cindral-cli >/dev/null
cli=$PWD/build/release/src/app/cindral-cli
work=$(mktemp -d "$base/cindral-kill.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_STATE_HOME=$work/state
recovery=$XDG_STATE_HOME/cindral/recovery

(set +o pipefail; yes 'A line of the text that is to be encrypted.' | sed 's/$/\r/' |
  head -c $((size << 20))) >"$work/plain"
cp "$work/plain" "$work/file" && ln "$work/file" "$work/link"
echo abcde >"$work/password"
start=$EPOCHREALTIME
echo abcde | "$cli" --password-stdin encrypt "$work/file" >/dev/null
cp "$work/file" "$work/image"
whole_ms=$(( (${EPOCHREALTIME/./} - ${start/./}) / 1000 ))
echo "an uninterrupted encryption of $size MiB takes $whole_ms ms"

declare -A outcome=()
for trial in $(seq "$trials"); do
  rm -f "$work/file" "$work/link"
  cp "$work/plain" "$work/file" && ln "$work/file" "$work/link"
  delay_ms=$(( RANDOM * RANDOM % (whole_ms + 1) ))
  "$cli" --password-stdin encrypt "$work/file" <"$work/password" >/dev/null 2>&1 &
  victim=$!
  sleep "$(printf '0.%03d' $((delay_ms % 1000)))"
  sleep $((delay_ms / 1000))
  kill -KILL "$victim" 2>/dev/null || true
  wait "$victim" 2>/dev/null || true
  said=$(echo | "$cli" --password-stdin decrypt "$work/none" 2>&1 | grep -c 'interrupted save' || true)
  if cmp -s "$work/file" "$work/plain"; then state=old; elif cmp -s "$work/file" "$work/image"; then state=new; else state=BROKEN; fi
  left=$(find "$recovery" -mindepth 1 2>/dev/null | wc -l)
  echo "trial $trial: killed after $delay_ms ms, finished saves told: $said, file: $state, left in the recovery folder: $left"
  outcome[$state]=$(( ${outcome[$state]:-0} + 1 ))
  [ "$state" != BROKEN ] && [ "$left" -eq 0 ] || { echo "FAIL"; exit 2; }
done
echo "old: ${outcome[old]:-0}, new: ${outcome[new]:-0}, broken: 0 of $trials"
