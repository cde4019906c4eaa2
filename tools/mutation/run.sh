#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Injects each fault of mutants.txt (ID<TAB>path<TAB>perl substitution) into a checkout of a
# commit, one at a time, builds, runs the tests twice and records which tests fail both times: the
# fault's "killers" (a test that fails only once is not counted, so that a check that fails by
# chance never passes for a catch). A fault nothing catches is a gap in the tests; a test that
# alone catches none of the faults is one whose checks others already make.
#   bash tools/mutation/run.sh [COMMIT]        (default HEAD)
# Work goes to $MUT_WORK (default ${TMPDIR:-/tmp}/cindral-mutation-COMMIT): tree/, build/,
# results.txt ("ID<TAB>killers" or SURVIVED, STILLBORN, NOCHANGE), once.txt (the tests that
# failed in one run only) and logs/. A second run with the same commit resumes where the first
# stopped. Then: python3 tools/mutation/analyze.py "$MUT_WORK".
set -euo pipefail

HERE="$(cd "$(dirname "$0")" && pwd)"
REPO="$(git -C "$HERE" rev-parse --show-toplevel)"
COMMIT="$(git -C "$REPO" rev-parse --short "${1:-HEAD}")"
WORK="${MUT_WORK:-${TMPDIR:-/tmp}/cindral-mutation-$COMMIT}"
TREE="$WORK/tree"
BUILD="$WORK/build"
RESULTS="$WORK/results.txt"
ONCE="$WORK/once.txt"
LOGS="$WORK/logs"
APPLIED="$WORK/applied" # the file a fault is injected into, while it is
# Tests no fault in the code can change: by label (tools/test-labels.sh), those of the package,
# which is not built here, and of the source tree; by name, those of the data files.
. "$HERE/../test-labels.sh"
EXCLUDE='desktop_entry|metainfo'

export QT_QPA_PLATFORM=offscreen
mkdir -p "$LOGS"
touch "$RESULTS"
[[ -d "$TREE" ]] || git -C "$REPO" worktree add --detach "$TREE" "$COMMIT" >/dev/null

restore() {
    if [[ -s "$APPLIED" ]]; then
        git -C "$TREE" checkout -q -- "$(cat "$APPLIED")"
        rm -f "$APPLIED"
    fi
}
trap 'restore; exit 130' INT TERM
trap restore EXIT
restore # a run killed outright may have left a fault in

[[ -f "$BUILD/CMakeCache.txt" ]] ||
    cmake -S "$TREE" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$LOGS/configure.log"

build() { cmake --build "$BUILD" -j2 </dev/null >"$1" 2>&1; }

# The killers of one run of the tests, empty when all pass; stops everything when the results
# cannot be read, so that a broken run never passes for a fault nothing catches.
killers() {
    ctest --test-dir "$BUILD" -LE "$MUTATION_EXCLUDED_LABELS" -E "$EXCLUDE" -j2 --timeout 90 \
        --output-junit "$1.xml" </dev/null >"$1.log" 2>&1 || true
    python3 "$HERE/killers.py" "$1.xml"
}

words() { tr ' ' '\n' <<<"$1" | sort; }
# comm's columns of two space-separated lists, as one list: -12 the words in both, -3 the others.
compare() { comm "$1" <(words "$2") <(words "$3") | tr -d '\t' | paste -sd' '; }

# The killers of a fault: the tests that fail in both of two runs. The others go to once.txt.
twice() {
    local first second once
    first="$(killers "$1")" || return
    [[ -n "$first" ]] || return 0
    second="$(killers "$1.again")" || return
    once="$(compare -3 "$first" "$second")"
    [[ -z "$once" ]] || printf '%s\t%s\n' "$id" "$once" >>"$ONCE"
    compare -12 "$first" "$second"
}

recorded() { grep -q "^$1	" "$RESULTS"; }

if ! recorded BASELINE; then
    build "$LOGS/BASELINE.build.log"
    failing="$(killers "$LOGS/BASELINE")"
    [[ -z "$failing" ]] || { echo "the tests fail without a fault: $failing" >&2; exit 2; }
    printf 'BASELINE\tok\n' >>"$RESULTS"
fi

while IFS=$'\t' read -r -u 3 id path substitution; do
    recorded "$id" && continue
    printf '%s' "$path" >"$APPLIED"
    before="$(sha1sum <"$TREE/$path")"
    perl -0pi -e "$substitution" "$TREE/$path"
    if [[ "$before" == "$(sha1sum <"$TREE/$path")" ]]; then
        outcome=NOCHANGE # the code has moved on: rewrite the fault
    elif ! build "$LOGS/$id.build.log"; then
        outcome=STILLBORN
    else
        outcome="$(twice "$LOGS/$id")"
    fi
    restore
    printf '%s\t%s\n' "$id" "${outcome:-SURVIVED}" | tee -a "$RESULTS"
done 3<"$HERE/mutants.txt"

build "$LOGS/final.build.log" # the build matches the tree again
