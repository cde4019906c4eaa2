#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Cindral with AddressSanitizer and UndefinedBehaviorSanitizer (installing what is
# missing) and runs every test under them; any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build/check -DCMAKE_BUILD_TYPE=Debug -DCINDRAL_SANITIZE=ON -DCINDRAL_WERROR=ON
cmake --build build/check -j2
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/check --output-on-failure -j2 --timeout 180
