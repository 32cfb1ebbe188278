#!/usr/bin/env bash
# Screens: runs Pinvane under Wine on the current X display and leaves
# screenshots in the output directory for a person to look at.
# Usage: screens.sh <windows build dir> <output dir>   (DISPLAY and WINEPREFIX set)
# With SCREENS_ONLY="name ...", only the named screenshots are taken.
set -euo pipefail
win=$1
out=$2
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# shot <name> <program> <args...>: the program sets the scene, touches the
# ready file given as its second-last argument, and waits for the done file.
shot() {
  local name=$1; shift
  if [ -n "${SCREENS_ONLY:-}" ] && [[ " $SCREENS_ONLY " != *" $name "* ]]; then return 0; fi
  rm -f "$tmp/ready" "$tmp/done"
  wine "$@" "$tmp/ready" "$tmp/done" >"$out/$name.log" 2>&1 &
  local pid=$! i
  for i in $(seq 1 300); do
    [ -e "$tmp/ready" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -e "$tmp/ready" ]; then
    echo "screen $name: the scene was not set" >&2
    wait "$pid" || true
    return 1
  fi
  import -window root "$out/$name.png"
  touch "$tmp/done"
  wait "$pid"
  echo "screen $name: $out/$name.png"
}

status=0
shot main-window "$win/tests/e2e/pvdrive.exe" hold-main "$win/Pinvane.exe" || status=1
shot tray-menu "$win/tests/e2e/pvdrive.exe" hold-tray-menu "$win/Pinvane.exe" || status=1
shot notes-on-window "$win/tests/e2e/pvdrive.exe" hold-notes "$win/Pinvane.exe" || status=1
shot match-tip "$win/tests/e2e/pvdrive.exe" hold-match-tip "$win/Pinvane.exe" || status=1
shot reminder-balloon "$win/tests/e2e/pvdrive.exe" hold-reminder "$win/Pinvane.exe" || status=1
shot hotkey-balloon "$win/tests/e2e/pvdrive.exe" hold-hotkey-notice "$win/Pinvane.exe" || status=1
shot notes-gallery "$win/tests/win/notewin/pvnotegallery.exe" || status=1
for scene in leader colour transparency frame reminder; do
  shot "appearance-$scene" "$win/tests/win/notewin/pvappearanceshot.exe" "$scene" || status=1
done
shot buttons "$win/tests/win/dialogs/pvbuttonshot.exe" || status=1
shot window-selection "$win/tests/win/winsel/pvwinselshot.exe" || status=1
shot window-selection-hung "$win/tests/win/winsel/pvwinselshot.exe" --hung || status=1
for panel in pending export import search; do
  shot "collections-$panel" "$win/tests/win/collections/pvcollectshot.exe" "$panel" || status=1
done
for scene in panel question; do
  shot "trash-$scene" "$win/tests/win/collections/pvtrashshot.exe" "$scene" || status=1
done
for scene in properties properties-refused defaults initial-size; do
  shot "$scene" "$win/tests/win/dialogs/pvsettingsshot.exe" "$scene" || status=1
done
for scene in child-select process-select match-condition preset-list; do
  shot "$scene" "$win/tests/win/winsel/pvconditionshot.exe" "$scene" || status=1
done
exit $status
