#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Times Cindral's two operations, through cindral-cli and through the core alone (cindral-bench),
# in place on large text files against cp, cp + sync, tr doing the same byte shift and openssl's
# AES-128-CTR, in interleaved rounds, with every run's peak resident memory; then runs every
# command of cindral-cli on a small and a large file, whose peaks must be the same within a piece,
# and encrypts and decrypts a file larger than the address space cindral-cli is allowed. Checks
# every result.
# Installs what it needs and builds build/release when missing. Options and output: README.md.
set -euo pipefail
export LC_ALL=C
ulimit -c 0 # runs starved of address space on purpose must not leave core files behind

root=$(cd "$(dirname "$0")/.." && pwd)
folder=/dev/shm
sizes=256,1024
rounds=7
pieces=""
limit_mib=1024
growth_files=16,1024
build=$root/build/release

usage() {
  echo "usage: bash bench/operations-bench.sh [--dir FOLDER] [--sizes MiB,...] [--rounds N]" \
    "[--pieces SIZE,...] [--growth-files MiB,MiB|0] [--limit-file MiB|0] [--build FOLDER]" >&2
  exit 2
}
fail() {
  echo "FAIL: $*" >&2
  exit 2
}
positive() { [[ $1 =~ ^[1-9][0-9]*$ ]]; }

while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || usage
  case $1 in
  --dir) folder=$2 ;;
  --sizes) sizes=$2 ;;
  --rounds) rounds=$2 ;;
  --pieces) pieces=$2 ;;
  --growth-files) growth_files=$2 ;;
  --limit-file) limit_mib=$2 ;;
  --build) build=$2 ;;
  *) usage ;;
  esac
  shift 2
done
IFS=, read -r -a size_list <<<"$sizes"
IFS=, read -r -a piece_list <<<"$pieces"
[ ${#piece_list[@]} -gt 0 ] || piece_list=("") # the core's own default
for mib in "${size_list[@]}"; do positive "$mib" || usage; done
positive "$rounds" && [[ $limit_mib =~ ^[0-9]+$ ]] || usage
growth_list=()
if [ "$growth_files" != 0 ]; then
  IFS=, read -r -a growth_list <<<"$growth_files"
  [ ${#growth_list[@]} -eq 2 ] && positive "${growth_list[0]}" && positive "${growth_list[1]}" &&
    ((growth_list[0] < growth_list[1])) || usage
fi
[ -d "$folder" ] || fail "no folder $folder"

bash "$root/tools/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
fi
grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt" ||
  fail "$build is not a Release build: give --build another folder"
cmake --build "$build" -j2 --target cindral-cli cindral-bench >/dev/null
cli=$build/src/app/cindral-cli
core=$build/bench/cindral-bench

work=$(mktemp -d "$folder/cindral-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
plain=$work/plain.txt # the text, never changed
out=$work/out         # the byte-copying tools' output; tr's shift last, the reference
file=$work/file.txt   # what the operations work on in place

# Third character 'n' (110) and ten characters: a shift of 120 takes the highest printable code,
# 126, to 246, so every code stays below 256 and no enciphered byte is a digit. tr below applies
# the same shift; openssl gets its key and counter as they are, with no password to derive.
password='Bench#2024'
shift_from='\000-\207'
shift_to='\170-\377'
aes_key=000102030405060708090a0b0c0d0e0f
aes_iv=f0f1f2f3f4f5f6f7f8f9fafbfcfdfeff
printf '%s\n' "$password" >"$work/password"
# For rekey, the current password and then a new one, whose shift (107 + 10) keeps every code of
# the text below 256 too.
new_password='Rekeyed#99'
printf '%s\n%s\n' "$password" "$new_password" >"$work/rekey"
printf '%s\n' "$new_password" >"$work/new-password"

# make_text FILE MiB: printable lines of 0 to 120 characters, each ending in CR LF, in a block
# of exactly 1 MiB repeated.
make_text() {
  awk 'BEGIN {
    srand(1); left = 1048576
    while (left > 0) {
      n = int(rand() * 121)
      if (left - n - 2 < 2) n = left - 2
      line = ""
      for (i = 0; i < n; i++) line = line sprintf("%c", 32 + int(rand() * 95))
      printf "%s\r\n", line
      left -= n + 2
    }
  }' >"$work/block"
  for ((i = 0; i < $2; i++)); do cat "$work/block"; done >"$1"
  rm "$work/block"
}

# Wall seconds and peak MiB of every run, as space-separated lists per row name; processor
# seconds of cindral-bench's runs, and the share of a run the window spent on its progress.
declare -A seconds peak cpu progress
rows=()
record() { # record ROW SECONDS PEAK-MiB
  [ -n "${seconds[$1]+set}" ] || rows+=("$1")
  seconds[$1]+="$2 "
  peak[$1]+="$3 "
}

# measure ROW COMMAND...: wall time around /usr/bin/time, which reports the command's peak;
# returns the command's failure unrecorded. timed: the same, and a failure ends the benchmark.
measure() {
  local row=$1 start end
  shift
  sync -f "$work"
  start=$EPOCHREALTIME
  if ! /usr/bin/time -f %M -o "$work/rss" "$@"; then
    echo "$row: $(head -n 1 "$work/rss")" >&2
    return 1
  fi
  end=$EPOCHREALTIME
  record "$row" "$(awk -v us=$((${end/./} - ${start/./})) 'BEGIN { printf "%.6f", us / 1e6 }')" \
    "$(awk '{ printf "%.2f", $1 / 1024 }' "$work/rss")"
}
timed() { measure "$@" || fail "$1 did not succeed"; }

# core_run ROW PIECE encrypt|decrypt core|window|held-window: cindral-bench times the operation
# alone, from its start to the end of its child, behind a window that shows nothing or the
# program's own, whose event loop runs during the work or is held until its end.
core_run() {
  local row=$1 piece=$2 line field through=()
  local -A value
  [ "$4" = core ] || through=("--$4")
  sync -f "$work"
  line=$("$core" ${piece:+--piece-size "$piece"} "${through[@]}" "$3" "$file" <"$work/password") ||
    fail "$row did not succeed"
  for field in $line; do [[ $field != *=* ]] || value[${field%%=*}]=${field#*=}; done
  record "$row" "${value[seconds]}" "${value[peak_mib]}"
  cpu[$row]+="${value[cpu_seconds]} "
  progress[$row]+="$(ratio "${value[progress_seconds]}" "${value[seconds]}") "
}

# expect_encrypted FILE WHO: the marker, exactly tr's shift of the text, then 2 or 3 digits.
expect_encrypted() {
  local size trailer
  size=$(stat -c %s "$plain")
  cmp -s -n 1 "$1" <(printf '\251') || fail "$2: no marker"
  cmp -s -i 1:0 -n "$size" "$1" "$out" || fail "$2: the body differs from tr's shift"
  trailer=$(($(stat -c %s "$1") - size - 1))
  [[ $trailer == [23] && $(tail -c "$trailer" "$1") =~ ^[0-9]+$ ]] || fail "$2: bad trailer"
}
expect_plain() { cmp -s "$1" "$plain" || fail "$2: decryption did not restore the text"; }

one_round() { # one_round N: the core and the windows take turns at running first
  timed cp cp "$plain" "$out"
  # A new file beside the old, as the operations make one: its pages cannot be the ones the
  # truncation of an existing file has just freed.
  timed "cp to a new file" cp "$plain" "$work/new"
  rm "$work/new"
  timed "cp + sync" sh -c 'cp "$1" "$2" && sync "$2"' sh "$plain" "$out"
  timed "openssl aes-128-ctr" openssl enc -aes-128-ctr -nosalt -K $aes_key -iv $aes_iv \
    -in "$plain" -out "$out"
  timed tr sh -c 'exec tr "$1" "$2" <"$3" >"$4"' sh "$shift_from" "$shift_to" "$plain" "$out"
  timed "cli encrypt" "$cli" --password-stdin encrypt "$file" <"$work/password" >/dev/null
  expect_encrypted "$file" "cli encrypt"
  timed "cli decrypt" "$cli" --password-stdin decrypt "$file" <"$work/password" >/dev/null
  expect_plain "$file" "cli decrypt"
  local piece front turn fronts=(core window held-window)
  for piece in "${piece_list[@]}"; do
    for turn in 0 1 2; do
      front=${fronts[($1 + turn) % 3]}
      core_run "${front/-/ } encrypt${piece:+ $piece}" "$piece" encrypt "$front"
      expect_encrypted "$file" "$front encrypt"
      core_run "${front/-/ } decrypt${piece:+ $piece}" "$piece" decrypt "$front"
      expect_plain "$file" "$front decrypt"
    done
  done
}

# median LIST / highest LIST / ratio A B / within A B: numbers through awk.
median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{ v[NR] = $1 }
  END { printf "%.6f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
highest() { tr ' ' '\n' <<<"$1" | grep . | sort -g | tail -n 1; }
lowest() { tr ' ' '\n' <<<"$1" | grep . | sort -g | head -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f", a / b }'; }
within() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; }

missed=()
verdict() { # verdict MET TEXT
  if [ "$1" = yes ]; then
    echo "  ok    $2"
  else
    echo "  MISS  $2"
    missed+=("$2")
  fi
}
met() { if "$@"; then echo yes; else echo no; fi; }

readonly time_target=1.15 memory_target_mib=24 progress_target=0.02 growth_target_mib=1

report() { # report MiB
  local row cp_median t x m
  cp_median=$(median "${seconds[cp]}")
  printf '\n%-22s %9s %9s %7s %9s\n' run 'median s' 'best s' 'x cp' 'peak MiB'
  for row in "${rows[@]}"; do
    t=$(median "${seconds[$row]}")
    printf '%-22s %9.3f %9.3f %7.2f %9s\n' "$row" "$t" "$(lowest "${seconds[$row]}")" \
      "$(ratio "$t" "$cp_median")" "$(highest "${peak[$row]}")"
  done
  echo "targets at $1 MiB:"
  for row in "${rows[@]}"; do
    [[ $row == cli* || $row == core* ]] || continue
    x=$(ratio "$(median "${seconds[$row]}")" "$cp_median")
    verdict "$(met within "$x" $time_target)" \
      "$row at $1 MiB: $(printf %.2f "$x")x cp (at most ${time_target}x)"
  done
  local held p c
  for row in "${rows[@]}"; do
    [[ $row == window* ]] || continue
    held="held $row"
    p=$(median "${progress[$row]}")
    x=$(ratio "$(median "${seconds[$row]}")" "$(median "${seconds[$held]}")")
    c=$(ratio "$(median "${cpu[$row]}")" "$(median "${cpu[$held]}")")
    verdict "$(met within "$p" $progress_target)" "$row at $1 MiB: showing the work took\
 $(awk -v p="$p" 'BEGIN { printf "%.2f", 100 * p }')% of it (at most 2%); against the held\
 window: wall time $(printf %.3fx "$x"), processor time $(printf %.3fx "$c")"
  done
  for row in "cli encrypt" "cli decrypt"; do
    m=$(highest "${peak[$row]}")
    verdict "$(met within "$m" $memory_target_mib)" \
      "$row at $1 MiB: peak $m MiB (at most $memory_target_mib MiB)"
  done
}

bench_size() { # bench_size MiB
  local round
  seconds=() peak=() cpu=() progress=() rows=()
  make_text "$plain" "$1"
  cp "$plain" "$out"
  cp "$plain" "$file"
  printf '\n== %s MiB (%s bytes of CR LF lines) in place in %s, %s rounds\n' \
    "$1" "$(stat -c %s "$plain")" "$folder" "$rounds"
  for ((round = 1; round <= rounds; round++)); do
    [ ! -t 2 ] || printf 'round %s of %s\r' "$round" "$rounds" >&2
    one_round "$round"
  done
  [ ! -t 2 ] || printf '%20s\r' '' >&2
  report "$1"
  rm -f "$plain" "$out" "$file"
}

# growth_run SMALL LARGE: every command of cindral-cli on a file of each size, every result
# checked. An operation that works a piece at a time holds as much for the large file as for the
# small one; one that held the file, or a part that grows with it, would peak higher by more than
# the piece (1 MiB) the verdict allows.
growth_run() {
  local mib row small large
  local -A at
  printf '\n== memory growth: peak MiB of every cindral-cli command at %s and at %s MiB\n' "$1" "$2"
  for mib in "$1" "$2"; do
    seconds=() peak=() rows=()
    make_text "$plain" "$mib"
    tr "$shift_from" "$shift_to" <"$plain" >"$out"
    cp "$plain" "$file"
    timed "cli encrypt" "$cli" --password-stdin encrypt "$file" <"$work/password" >/dev/null
    expect_encrypted "$file" "cli encrypt at $mib MiB"
    timed "cli status" "$cli" status "$file" </dev/null >/dev/null
    timed "cli cat" "$cli" --password-stdin cat "$file" <"$work/password" >"$work/cat"
    expect_plain "$work/cat" "cli cat at $mib MiB"
    timed "cli rekey" "$cli" --password-stdin rekey "$file" <"$work/rekey" >/dev/null
    timed "cli decrypt" "$cli" --password-stdin decrypt "$file" <"$work/new-password" >/dev/null
    expect_plain "$file" "cli rekey, then decrypt at $mib MiB"
    for row in "${rows[@]}"; do at[$row $mib]=$(highest "${peak[$row]}"); done
    rm -f "$plain" "$out" "$file" "$work/cat"
  done
  printf '%-22s %9s %9s %9s\n' run "$1 MiB" "$2 MiB" growth
  for row in "${rows[@]}"; do
    small=${at[$row $1]} large=${at[$row $2]}
    at[$row growth]=$(awk -v a="$small" -v b="$large" 'BEGIN { printf "%.2f", b - a }')
    printf '%-22s %9s %9s %9s\n' "$row" "$small" "$large" "${at[$row growth]}"
  done
  for row in "${rows[@]}"; do
    verdict "$(met within "${at[$row growth]}" $growth_target_mib)" "$row: peak ${at[$row $1]} MiB\
 at $1 MiB, ${at[$row $2]} MiB at $2 MiB (at most $growth_target_mib MiB more)"
  done
}

# fits MiB: cindral-cli encrypts and decrypts a one-line file within that much address space.
fits() {
  printf 'tiny\r\n' >"$work/tiny.txt"
  prlimit --as=$(($1 << 20)) "$cli" --password-stdin encrypt "$work/tiny.txt" \
    <"$work/password" >/dev/null 2>&1 &&
    prlimit --as=$(($1 << 20)) "$cli" --password-stdin decrypt "$work/tiny.txt" \
      <"$work/password" >/dev/null 2>&1
}

# The tool's baseline address space, found by halving, plus room for its buffers; the file is
# larger than the whole limit, so only an operation that streams can pass.
limit_run() { # limit_run MiB
  local low=0 high=1024 middle limit ok=yes
  fits $high || fail "cindral-cli does not run on a tiny file within $high MiB of address space"
  while ((high - low > 4)); do
    middle=$(((low + high) / 2))
    if fits $middle; then high=$middle; else low=$middle; fi
  done
  limit=$((high + 64))
  ((limit < $1)) || fail "a limit of $limit MiB is not below the $1 MiB file: use a larger one"
  seconds=() peak=() rows=()
  make_text "$plain" "$1"
  tr "$shift_from" "$shift_to" <"$plain" >"$out"
  cp "$plain" "$file"
  printf '\n== memory limit: %s MiB file, cindral-cli under prlimit --as=%s MiB' "$1" "$limit"
  printf ' (a tiny file needs %s MiB)\n' "$high"
  if measure "cli encrypt" prlimit --as=$((limit << 20)) "$cli" --password-stdin encrypt "$file" \
    <"$work/password" >/dev/null; then
    expect_encrypted "$file" "cli encrypt under the limit"
    measure "cli decrypt" prlimit --as=$((limit << 20)) "$cli" --password-stdin decrypt "$file" \
      <"$work/password" >/dev/null || ok=no
    [ $ok = no ] || expect_plain "$file" "cli decrypt under the limit"
  else
    ok=no
  fi
  for row in "${rows[@]}"; do
    printf '%-22s %9.3f s %9s MiB peak\n' "$row" "$(lowest "${seconds[$row]}")" \
      "$(highest "${peak[$row]}")"
  done
  verdict $ok "$1 MiB encrypted and decrypted exactly within $limit MiB of address space"
  rm -f "$plain" "$out" "$file"
}

need=$((4 * $(printf '%s\n' "${size_list[@]}" "${growth_list[@]}" "$limit_mib" | sort -n |
  tail -n 1) << 10))
(($(df --output=avail -k "$work" | tail -n 1) > need)) ||
  fail "$folder needs about $((need >> 10)) MiB free"

echo "cindral $(git -C "$root" describe --always --dirty 2>/dev/null || echo '?')," \
  "$(uname -sr), $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
  "$(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)," \
  "$folder on $(df --output=fstype "$folder" | tail -n 1)"
echo "medians of interleaved rounds; best = fastest round; peak = highest resident memory of" \
  "any round; cli rows include the process start, core rows time the operation alone"
for mib in "${size_list[@]}"; do bench_size "$mib"; done
if [ ${#growth_list[@]} -gt 0 ]; then growth_run "${growth_list[@]}"; fi
if [ "$limit_mib" -gt 0 ]; then limit_run "$limit_mib"; fi

echo
if [ ${#missed[@]} -eq 0 ]; then
  echo "all targets met"
  exit 0
fi
echo "targets missed: ${#missed[@]}"
exit 1
