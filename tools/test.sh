#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Cindral twice (installing what is missing) and runs the whole suite on both builds:
# a Debug build under AddressSanitizer and UndefinedBehaviorSanitizer, where any sanitizer report
# fails the run; and the Debian package, built as it ships (-O2 and the rest of the flags
# dpkg-buildflags gives), whose build runs the suite on those flags, then the checks of the
# package itself, and its own tests (debian/tests) on it installed on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/test-labels.sh
bash tools/install-deps.sh

cmake -S . -B build/check -DCMAKE_BUILD_TYPE=Debug -DCINDRAL_SANITIZE=ON -DCINDRAL_WERROR=ON
cmake --build build/check -j2
(
  export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export QT_QPA_PLATFORM=offscreen
  ctest --test-dir build/check --output-on-failure -j2 --timeout 180 \
    --label-exclude "$PACKAGE_LABELS"
)

# -Werror as in the Debug build; _FORTIFY_SOURCE adds warnings of its own there.
DEB_CXXFLAGS_APPEND="-Werror" DEB_BUILD_OPTIONS=terse bash tools/package.sh
# The package has just been built: here its absence is a failure, not a skip.
export CINDRAL_PACKAGE_REQUIRED=1
ctest --test-dir "build/package/cindral/obj-$(dpkg-architecture -qDEB_HOST_GNU_TYPE)" \
  --output-on-failure -j2 --label-regex "$PACKAGE_LABELS"

# autopkgtest's null testbed is this machine: it installs the package here (as root, through sudo
# otherwise) and runs debian/tests against /usr/bin. A machine that had no Cindral installed
# before is left without one.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
installed_before=$(dpkg-query -W -f='${Status}' cindral 2>/dev/null || true)
changes=build/package/cindral_$(dpkg-parsechangelog -S Version)_$(dpkg --print-architecture).changes
status=0
$sudo autopkgtest "$changes" -- null || status=$?
if [ "$installed_before" != "install ok installed" ]; then
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -qq remove cindral
fi
exit $status
