# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Completion of cindral-cli for bash: the commands, the options, then file names. Needs nothing
# from the bash-completion library.

_cindral_cli()
{
    local word=${COMP_WORDS[COMP_CWORD]} command="" optionsEnded="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ -z $optionsEnded && ${COMP_WORDS[i]} == -- ]]; then
            optionsEnded=1
        elif [[ -z $command && (-n $optionsEnded || ${COMP_WORDS[i]} != -*) ]]; then
            command=${COMP_WORDS[i]}
        fi
    done
    if [[ -z $optionsEnded && $word == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "--password-stdin --recursive --verbose --help
            --version" -- "$word")
    elif [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "encrypt decrypt cat status rekey" -- "$word")
    else
        # Folders too: the way to the files inside them, and with -r files themselves. Called
        # other than by a Tab (a test), compopt has nothing to set.
        compopt -o filenames 2>/dev/null || true
        mapfile -t COMPREPLY < <(compgen -f -- "$word")
    fi
}
complete -F _cindral_cli cindral-cli
