#!/usr/bin/env bash
# Copies the screenshots the user's guide in README.md shows from a
# screenshot run (./pinvane.sh test leaves them in build/screens) into
# docs/guide, so the guide shows the program as it is now.
# Usage: scripts/update-guide-images.sh [screens dir]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
screens=${1:-$root/build/screens}
for name in notes-on-window tray-menu main-window match-tip match-condition preset-list collections-pending \
  collections-export collections-search properties defaults appearance-reminder reminder-balloon; do
  if [ -f "$screens/$name.png" ]; then
    cp "$screens/$name.png" "$root/docs/guide/$name.png"
  else
    echo "not in $screens: $name.png" >&2
  fi
done
