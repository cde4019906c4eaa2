#!/usr/bin/env bash
# Times cindral-cli encrypting and decrypting a large text file in place against cp, cp + sync
# (the tool syncs the file it writes) and tr doing the same byte shift, and reports peak memory.
# Builds nothing: give it an optimised cindral-cli, or let it take build/release's.
#
#   cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
#   cmake --build build/release -j2 --target cindral-cli
#   bash bench/cli-bench.sh [path/to/cindral-cli [folder [MiB [runs]]]]
#
# Each contender runs `runs` times (3 by default) and keeps its best time and its highest peak,
# since the machine may be busy with other work.
# Targets: encrypt and decrypt each within 1.3 times cp + sync and faster than tr; peak
# memory at most 1.2 times the file plus 32 MiB.
set -euo pipefail
export LC_ALL=C

root="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$root/build/release/src/app/cindral-cli}"
parent="${2:-${TMPDIR:-/tmp}}"
mib="${3:-256}"
runs="${4:-3}"
[ -x "$cli" ] || { echo "no cindral-cli at $cli: build it optimised first (see above)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing: apt-get install time" >&2; exit 2; }

work="$(mktemp -d "$parent/cindral-cli-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# Third character 'n' and ten characters: a shift of 120, so every code of the text (up to
# 126) stays below 256 and no enciphered byte is a digit. tr below applies the same shift.
password='Bench#2024'
shift_from='\000-\207'
shift_to='\170-\377'

# 62 printable characters and CR LF: 16384 lines a MiB.
make_text() {
  local line='The quick brown fox jumps over the lazy dog; 012345678 <&> ~!?'
  local block="$work/block"
  for ((i = 0; i < 16384; i++)); do printf '%s\r\n' "$line"; done >"$block"
  for ((i = 0; i < mib; i++)); do cat "$block"; done >"$work/plain.txt"
  rm "$block"
}

# measure NAME COMMAND...: the best wall seconds so far into seconds[NAME], the highest peak
# KiB into peak[NAME].
declare -A seconds peak
measure() {
  local name="$1"
  shift
  local start end took kib
  start=$(date +%s%N)
  /usr/bin/time -v -o "$work/$name.time" "$@"
  end=$(date +%s%N)
  took=$(awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e9 }')
  kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/$name.time")
  if [ -z "${seconds[$name]:-}" ] || awk "BEGIN { exit !($took < ${seconds[$name]}) }"; then
    seconds[$name]=$took
  fi
  if [ -z "${peak[$name]:-}" ] || [ "$kib" -gt "${peak[$name]}" ]; then peak[$name]=$kib; fi
}

# /usr/bin/time runs programs, not shell functions; it reports the largest process it waited for.
copy_and_sync=(sh -c 'cp "$1" "$2" && sync "$2"' copy_and_sync)
shift_with_tr=(sh -c 'exec tr "$1" "$2" <"$3" >"$4"' shift_with_tr "$shift_from" "$shift_to")

make_text
printf '%s\n' "$password" >"$work/password"
size=$(stat -c %s "$work/plain.txt")
cat "$work/plain.txt" >/dev/null # every contender starts from the page cache

cp "$work/plain.txt" "$work/work.txt"
sync "$work/work.txt"
for ((run = 0; run < runs; run++)); do
  measure cp cp "$work/plain.txt" "$work/copy.txt"
  rm "$work/copy.txt"
  measure cp_sync "${copy_and_sync[@]}" "$work/plain.txt" "$work/copy.txt"
  rm "$work/copy.txt"
  measure tr "${shift_with_tr[@]}" "$work/plain.txt" "$work/shifted.txt"

  measure encrypt "$cli" --password-stdin encrypt "$work/work.txt" <"$work/password" >/dev/null
  # The body between marker and trailer is exactly what tr made of the text.
  cmp -s -n 1 "$work/work.txt" <(printf '\251') || { echo "FAIL: no marker" >&2; exit 1; }
  cmp -s -i 1:0 -n "$size" "$work/work.txt" "$work/shifted.txt" ||
    { echo "FAIL: encrypted body differs from tr's shift" >&2; exit 1; }
  rm "$work/shifted.txt"

  measure decrypt "$cli" --password-stdin decrypt "$work/work.txt" <"$work/password" >/dev/null
  cmp -s "$work/work.txt" "$work/plain.txt" ||
    { echo "FAIL: decryption did not restore the text" >&2; exit 1; }
done

budget_kib=$((size * 12 / 10 / 1024 + 32 * 1024))
status=0
verdict() { # verdict OK-CONDITION TEXT
  if awk "BEGIN { exit !($1) }"; then echo "  ok    $2"; else echo "  MISS  $2"; status=1; fi
}

printf 'cindral-cli %s on %s MiB (%s bytes) in %s, best of %s\n' \
  "$("$cli" --version | cut -d' ' -f2)" "$mib" "$size" "$parent" "$runs"
printf '%-10s %9s %12s\n' run seconds 'peak MiB'
for name in cp cp_sync tr encrypt decrypt; do
  printf '%-10s %9s %12.1f\n' "$name" "${seconds[$name]}" "$(awk -v k="${peak[$name]}" 'BEGIN { print k / 1024 }')"
done
for op in encrypt decrypt; do
  t=${seconds[$op]}
  printf '%s: %.2fx cp, %.2fx cp + sync, %.2fx tr\n' "$op" \
    "$(awk -v a="$t" -v b="${seconds[cp]}" 'BEGIN { print a / b }')" \
    "$(awk -v a="$t" -v b="${seconds[cp_sync]}" 'BEGIN { print a / b }')" \
    "$(awk -v a="$t" -v b="${seconds[tr]}" 'BEGIN { print a / b }')"
done
echo "targets:"
for op in encrypt decrypt; do
  verdict "${seconds[$op]} <= 1.3 * ${seconds[cp_sync]}" "$op within 1.3x cp + sync"
  verdict "${seconds[$op]} < ${seconds[tr]}" "$op faster than tr"
  verdict "${peak[$op]} <= $budget_kib" "$op peak ${peak[$op]} KiB <= $budget_kib KiB (1.2x file + 32 MiB)"
done
exit $status
