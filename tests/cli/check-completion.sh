#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Loads cindral-cli's bash completion (given) in this non-interactive bash and checks what a Tab
# offers after the words typed so far, called as bash calls it then.
set -euo pipefail
source "$1"
complete -p cindral-cli | grep -q -- '-F _cindral_cli'
cd "$(mktemp -d)"
touch notes.txt
status=0
# The offer expected, then the words, the last of them the one being completed.
offers() {
  local expected=$1
  shift
  COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
  _cindral_cli
  [ "${COMPREPLY[*]}" = "$expected" ] || { echo "'$*<TAB>': '${COMPREPLY[*]}'"; status=1; }
}
offers "encrypt decrypt cat status rekey" cindral-cli ""
offers "--password-stdin --recursive --verbose --help --version" cindral-cli --
offers "cat" cindral-cli --verbose c
offers "notes.txt" cindral-cli -r cat no
offers "" cindral-cli -- -
rm notes.txt
exit $status
