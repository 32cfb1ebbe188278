#!/usr/bin/env bash
# Draws the application icon (a pinned note with a red ear) and the desktop
# icon (a monitor) with ImageMagick, at 16, 32 and 48 pixels.
set -euo pipefail
out=${1:-src/res}
tmp=$(mktemp -d)
for s in 16 32 48; do
  f=$(echo "$s/48" | bc -l)
  p() { printf '%.0f' "$(echo "$1*$f" | bc -l)"; }
  convert -size ${s}x${s} xc:none \
    -fill '#fff3a0' -stroke '#8a7a20' -strokewidth 1 -draw "rectangle $(p 4),$(p 8) $(p 38),$(p 44)" \
    -fill '#e03030' -stroke none -draw "rectangle $(p 38),$(p 8) $(p 45),$(p 44)" \
    -stroke '#806000' -strokewidth 1 -draw "line $(p 9),$(p 20) $(p 33),$(p 20)" -draw "line $(p 9),$(p 28) $(p 33),$(p 28)" -draw "line $(p 9),$(p 36) $(p 27),$(p 36)" \
    -fill '#3060e0' -stroke '#102060' -draw "circle $(p 21),$(p 6) $(p 21),$(p 2)" \
    "$tmp/app$s.png"
  convert -size ${s}x${s} xc:none \
    -fill '#404040' -stroke none -draw "rectangle $(p 3),$(p 6) $(p 44),$(p 34)" \
    -fill '#3a8ee6' -draw "rectangle $(p 6),$(p 9) $(p 41),$(p 31)" \
    -fill '#fff3a0' -draw "rectangle $(p 26),$(p 12) $(p 37),$(p 20)" \
    -fill '#404040' -draw "rectangle $(p 20),$(p 34) $(p 27),$(p 40)" -draw "rectangle $(p 13),$(p 40) $(p 34),$(p 43)" \
    "$tmp/desk$s.png"
done
convert "$tmp/app16.png" "$tmp/app32.png" "$tmp/app48.png" "$out/Pinvane.ico"
convert "$tmp/desk16.png" "$tmp/desk32.png" "$tmp/desk48.png" "$out/Desktop.ico"
rm -rf "$tmp"
