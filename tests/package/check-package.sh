#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that dpkg-buildpackage made from a source tree.
# Usage: check-package.sh contents|lintian SOURCE_DIR PACKAGE_DIR
#   contents  what it would put on a user's machine (the list in contents.txt) and how
#   lintian   Debian's own checker finds no error and no warning in the source package and the
#             binary ones; its notes are shown
# Exits with 77 when there is no package to check.
set -euo pipefail
check=$1
source=$2
dir=$3
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
deb=$dir/cindral_${version}_$arch.deb
dbgsym=$dir/cindral-dbgsym_${version}_$arch.deb
changes=$dir/cindral_${version}_$arch.changes
dsc=$dir/cindral_$version.dsc
# No package at all is a build that made none: CTest shows the check as skipped (77, the
# SKIP_RETURN_CODE), unless CINDRAL_PACKAGE_REQUIRED says one was just built. Part of one fails.
if [ ! -e "$deb" ] && [ ! -e "$dbgsym" ] && [ ! -e "$changes" ]; then
  echo "no package in $dir: build it first (tools/package.sh)"
  [ -n "${CINDRAL_PACKAGE_REQUIRED:-}" ] && exit 1
  exit 77
fi
for file in "$deb" "$dbgsym" "$changes" "$dsc"; do
  [ -f "$file" ] || { echo "no $file beside the rest of the package"; exit 1; }
done

if [ "$check" = lintian ]; then
  exec lintian --fail-on error,warning --display-info --pedantic "$changes"
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
fail() {
  echo "$*"
  status=1
}

# Every listed file and nothing else.
dpkg-deb -x "$deb" "$out/root"
(cd "$out/root" && find . ! -type d | sed 's:^\./::' | LC_ALL=C sort) >"$out/shipped"
grep -v '^#' "$source/tests/package/contents.txt" | LC_ALL=C sort >"$out/listed"
while read -r path; do fail "missing from the package: $path"; done < <(comm -13 "$out/shipped" "$out/listed")
while read -r path; do fail "not in contents.txt: $path"; done < <(comm -23 "$out/shipped" "$out/listed")
if grep -rlF -- "$(realpath "$source")" "$out/root"; then fail "build paths in the files above"; fi

# Both programs run from the package, and their debug symbols are in the dbgsym package under
# their build IDs, where debuggers look.
dpkg-deb -x "$dbgsym" "$out/debug"
for program in cindral cindral-cli; do
  binary=$out/root/usr/bin/$program
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$binary" --version)" = "$program 1.0" ] ||
    fail "$program --version does not answer"
  id=$(readelf -n "$binary" | sed -n 's/^ *Build ID: //p')
  [ -n "$id" ] && [ -f "$out/debug/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" ] ||
    fail "no debug symbols for $program in $(basename "$dbgsym")"
done

# The menu entry and the software-centre entry as installed; each icon drawn at the size of the
# folder it lies in.
desktop-file-validate "$out"/root/usr/share/applications/*.desktop || fail "desktop entry invalid"
appstreamcli validate-tree --no-net "$out/root" >"$out/appstream.log" ||
  { cat "$out/appstream.log"; fail "AppStream metadata invalid"; }
for icon in "$out"/root/usr/share/icons/hicolor/*/apps/cindral.png; do
  folder=$(basename "$(dirname "$(dirname "$icon")")")
  size=$(identify -format '%wx%h' "$icon")
  [ "$size" = "$folder" ] || fail "a $size icon in the $folder folder"
done

grep -qx 'License: GPL-3.0-or-later' "$out/root/usr/share/doc/cindral/copyright" ||
  fail "the copyright file does not name GPL-3.0-or-later"

# The programs' libraries, and the fonts the windows are laid out for.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation fonts-comic-neue; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done

[ $status -eq 0 ] && echo "package ok: $(basename "$deb"), $(wc -l <"$out/shipped") files"
exit $status
