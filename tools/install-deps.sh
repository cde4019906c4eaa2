#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that are missing: what the build and its tests need (the
# Build-Depends of debian/control) and the tools around them, which make and check the package,
# take the screenshots (adwaita-qt6 for the dark theme) and run the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

tools=(
  build-essential dpkg-dev debhelper pkg-config git
  lintian autopkgtest reuse clang-format file imagemagick
  libx11-dev xvfb xauth xdotool time openssl adwaita-qt6
)

missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ] && dpkg-checkbuilddeps 2>/dev/null; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -qq --no-install-recommends)
echo "Installing: ${missing[*]} and the Build-Depends of debian/control"
$sudo apt-get update -qq
"${apt[@]}" install "${missing[@]}"
"${apt[@]}" build-dep ./
