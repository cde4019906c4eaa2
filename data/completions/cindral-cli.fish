# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Completion of cindral-cli for fish: the commands, the options, then file names.

set -l commands encrypt decrypt cat status rekey
complete -c cindral-cli -f
complete -c cindral-cli -n "not __fish_seen_subcommand_from $commands" -a encrypt -d 'Encrypt each FILE in place'
complete -c cindral-cli -n "not __fish_seen_subcommand_from $commands" -a decrypt -d 'Decrypt each FILE in place'
complete -c cindral-cli -n "not __fish_seen_subcommand_from $commands" -a cat -d 'Write the decrypted text to standard output'
complete -c cindral-cli -n "not __fish_seen_subcommand_from $commands" -a status -d 'Say whether each FILE is encrypted'
complete -c cindral-cli -n "not __fish_seen_subcommand_from $commands" -a rekey -d 'Encrypt each FILE under a new password'
complete -c cindral-cli -n "__fish_seen_subcommand_from $commands" -F
complete -c cindral-cli -l password-stdin -d 'Read the password (rekey: and the new one) from standard input'
complete -c cindral-cli -s r -l recursive -d 'A folder stands for every regular file below it'
complete -c cindral-cli -l verbose -d 'Show each stage on standard error'
complete -c cindral-cli -s h -l help -d 'Show the help and exit'
complete -c cindral-cli -s v -l version -d 'Show the version and exit'
