#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (installing what is missing) as dpkg-buildpackage does in a clean
# clone, with the package's own flags and the test suite run on them, from a copy of the tree's
# files (committed or not, as git sees them) in build/package/cindral. The source package and the
# binary packages land in build/package; that copy keeps the build folder, obj-*, for the package
# tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
out=build/package
rm -rf "$out"
mkdir -p "$out/cindral"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do
    if [ -e "$file" ] || [ -L "$file" ]; then printf '%s\0' "$file"; fi
  done |
  tar --null --files-from=- -cf - | tar -xf - -C "$out/cindral"
cd "$out/cindral"
dpkg-buildpackage -us -uc -j2
