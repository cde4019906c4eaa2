#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Times cindral-cli over a folder of many small notes, encrypt -r and then decrypt -r, against
# ccrypt -e -r and -d -r on the same tree (the yardstick: it overwrites in place and flushes
# nothing) and against cp -r of the tree with a sync of its file system, as medians of
# interleaved rounds, with cindral-cli's peak resident memory. Checks that every round gives the
# tree back byte for byte. Installs what it needs (ccrypt too) and builds build/release when
# missing. Options and output: README.md.
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
folder=/var/tmp
files=2000
folders=20
rounds=6
build=$root/build/release

usage() {
  echo "usage: bash bench/many-files-bench.sh [--dir FOLDER] [--files N] [--folders N]" \
    "[--rounds N] [--build FOLDER]" >&2
  exit 2
}
fail() {
  echo "FAIL: $*" >&2
  exit 2
}
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || usage
  case $1 in
  --dir) folder=$2 ;;
  --files) files=$2 ;;
  --folders) folders=$2 ;;
  --rounds) rounds=$2 ;;
  --build) build=$2 ;;
  *) usage ;;
  esac
  shift 2
done
for n in "$files" "$folders" "$rounds"; do [[ $n =~ ^[1-9][0-9]*$ ]] || usage; done
[ -d "$folder" ] || fail "no folder $folder"

bash "$root/tools/install-deps.sh"
sudo=$([ "$(id -u)" -eq 0 ] || echo sudo)
command -v ccrypt >/dev/null || $sudo apt-get install -y -qq ccrypt >/dev/null 2>&1 ||
  echo "ccrypt is missing and could not be installed from Debian: its row is left out" >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" -j2 --target cindral-cli >/dev/null
cli=$build/src/app/cindral-cli

work=$(mktemp -d "$folder/cindral-many.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Notes of about 3.7 KiB: printable lines of 0 to 120 characters, each ending in CR LF.
mkdir "$work/notes"
awk -v files="$files" -v folders="$folders" -v top="$work/notes" 'BEGIN {
  srand(1)
  for (f = 0; f < files; f++) {
    sub_ = sprintf("%s/%02d", top, f % folders)
    if (f < folders) system("mkdir " sub_)
    name = sprintf("%s/note%05d.txt", sub_, f); left = 3800
    while (left > 0) {
      n = int(rand() * 121); if (n > left - 2) n = left - 2
      line = ""
      for (i = 0; i < n; i++) line = line sprintf("%c", 32 + int(rand() * 95))
      printf "%s\r\n", line > name
      left -= n + 2
    }
    close(name)
  }
}'
printf 'Bench#2024\n' >"$work/password"
cp -r "$work/notes" "$work/tree"

declare -A seconds
peak=0
# run ROW COMMAND...: adds the command's wall seconds to the row.
run() {
  local row=$1 start
  shift
  sync -f "$work"
  start=$EPOCHREALTIME
  "$@" >/dev/null
  seconds[$row]+="$(awk -v us=$((${EPOCHREALTIME/./} - ${start/./})) 'BEGIN { print us / 1e6 }') "
}
cindral_round() {
  for command in encrypt decrypt; do
    /usr/bin/time -f %M -o "$work/rss" "$cli" --password-stdin "$command" -r "$work/tree" \
      <"$work/password" || fail "cindral-cli $command -r did not succeed"
    peak=$(awk -v p="$peak" '{ print ($1 > p ? $1 : p) }' "$work/rss")
  done
}
ccrypt_round() {
  ccrypt -e -r -q -k "$work/password" "$work/tree" && ccrypt -d -r -q -k "$work/password" "$work/tree"
}
copy_round() {
  rm -rf "$work/copy" && cp -r "$work/notes" "$work/copy" && sync -f "$work/copy"
}
for ((round = 0; round < rounds; round++)); do
  run cindral cindral_round
  diff -r "$work/notes" "$work/tree" >/dev/null || fail "cindral-cli did not give the notes back"
  if command -v ccrypt >/dev/null; then
    run ccrypt ccrypt_round
    diff -r "$work/notes" "$work/tree" >/dev/null || fail "ccrypt did not give the notes back"
  fi
  run "cp -r + sync" copy_round
done

median() { tr ' ' '\n' | sed '/^$/d' | sort -g | awk '{ v[NR] = $1 } END {
  print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "$files notes of about 3.7 KiB in $folders folders in $folder ($(df --output=fstype "$folder" |
  tail -n 1)), $rounds rounds; encrypt -r then decrypt -r, or the tool's like"
printf '%-14s %9s %10s\n' run 'median s' 'x ccrypt'
ccrypt_median=$(median <<<"${seconds[ccrypt]:-}")
for row in cindral ccrypt "cp -r + sync"; do
  [ -n "${seconds[$row]:-}" ] || continue
  m=$(median <<<"${seconds[$row]}")
  printf '%-14s %9.3f %10s\n' "$row" "$m" \
    "$([ -n "$ccrypt_median" ] && awk -v a="$m" -v b="$ccrypt_median" 'BEGIN { printf "%.2f", a / b }')"
done
printf 'cindral-cli peak resident memory: %.1f MiB (goal: under 16)\n' "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
