#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the software-centre entry: AppStream's own validation, then that it launches the
# committed desktop entry and shows the committed screenshots.
# Usage: check-metainfo.sh SOURCE_DIR
set -euo pipefail
root=$1
metainfo=$root/data/org.example.cindral.metainfo.xml
status=0

appstreamcli validate --no-net "$metainfo" || status=1

launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ -f "$root/data/$launchable" ] || { echo "launches a missing desktop entry: '$launchable'"; status=1; }

images=$(sed -n 's:.*<image>.*/doc/screenshots/\(.*\)</image>.*:\1:p' "$metainfo")
shown=$(grep -c '<image>' "$metainfo")
[ "$(wc -w <<<"$images")" -eq "$shown" ] || { echo "a screenshot outside doc/screenshots"; status=1; }
for image in $images; do
  [ -f "$root/doc/screenshots/$image" ] || { echo "no screenshot doc/screenshots/$image"; status=1; }
done
exit $status
