#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured and built tree into a temporary folder and checks
# what it would put on a user's machine.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
deb=$(find "$out" -maxdepth 1 -name '*.deb')
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
status=0

wanted=(./usr/bin/cindral ./usr/bin/cindral-cli ./usr/share/cindral/Cinhelp.hlp
  ./usr/share/applications/org.example.cindral.desktop
  ./usr/share/metainfo/org.example.cindral.metainfo.xml
  ./usr/share/bash-completion/completions/cindral-cli
  ./usr/share/zsh/vendor-completions/_cindral-cli
  ./usr/share/fish/vendor_completions.d/cindral-cli.fish)
for size in 32 48 64 128; do
  wanted+=("./usr/share/icons/hicolor/${size}x${size}/apps/cindral.png")
done
for path in "${wanted[@]}"; do
  grep -qx -- "$path" <<<"$files" || { echo "missing from the package: $path"; status=1; }
done
grep -qE '^\./usr/share/man/man1/cindral-cli\.1(\.gz)?$' <<<"$files" ||
  { echo "missing from the package: the man page cindral-cli.1"; status=1; }

leaked=$(grep -vE '^\./usr/(bin|share)/' <<<"$files" | grep -vE '^\./(usr/(share/)?)?$' || true)
[ -z "$leaked" ] || { echo "outside /usr/bin and /usr/share:"; echo "$leaked"; status=1; }
if grep -qF -- "$build" <<<"$files"; then echo "build paths in the package"; status=1; fi

# The software-centre entry as installed, with the desktop entry it launches; each icon drawn
# at the size of the folder it lies in.
dpkg-deb -x "$deb" "$out/root"
appstreamcli validate-tree --no-net "$out/root" >"$out/appstream.log" ||
  { cat "$out/appstream.log"; status=1; }
for icon in "$out"/root/usr/share/icons/hicolor/*/apps/cindral.png; do
  folder=$(basename "$(dirname "$(dirname "$icon")")")
  size=$(identify -format '%wx%h' "$icon")
  [ "$size" = "$folder" ] || { echo "a $size icon in the $folder folder"; status=1; }
done

# The programs' libraries, and the fonts the windows are laid out for.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation fonts-comic-neue; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || { echo "Depends lacks $package: $depends"; status=1; }
done

[ $status -eq 0 ] && echo "package ok: $(basename "$deb"), $(wc -l <<<"$files") entries"
exit $status
