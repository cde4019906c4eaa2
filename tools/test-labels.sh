# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=sh disable=SC2034 # the variables are for the files that read this one
# Which tests run where, by their CTest labels (tests/CMakeLists.txt says what each label means),
# as patterns for ctest -L and -LE. Sourced by tools/test.sh and tools/mutation/run.sh, and read
# by debian/rules through the shell in the copy of the tree the package is built from: so only
# plain assignments here.

# The checks of the finished package: tools/test.sh runs all but these before it builds the
# package, then these alone in the package's build folder.
PACKAGE_LABELS='package'

# Left out of the package's own build (debian/rules): the package is not finished yet, and the
# source tests need the git checkout.
PACKAGE_BUILD_EXCLUDED_LABELS='package|source'

# Left out of the mutation run (tools/mutation/run.sh): no fault in the code can change what the
# package tests, which have no package there, and the source tests find.
MUTATION_EXCLUDED_LABELS='package|source'
