#!/usr/bin/env bash
# Draws the main window's background picture (data/background.jpg, 400 x 395): a pale
# evening sky over a vale between thorny hills, kept light at the top where the labels
# and check boxes of the window sit. Deterministic: the plasma has a fixed seed.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT="$ROOT/data/background.jpg"
convert -size 400x395 -seed 11 plasma:"#eef3f8-#c9d8e8" -blur 0x3 -modulate 104,18 \
    \( -size 400x395 gradient:"#f7f9fc-#9fb6cf" \) -compose multiply -composite \
    -fill "#7f98b3" -draw "path 'M 0,250 C 60,205 110,230 160,215 S 260,180 310,210 S 380,230 400,215 L 400,395 L 0,395 Z'" \
    -fill "#5d7894" -draw "path 'M 0,300 C 50,270 120,285 180,265 S 300,250 340,275 S 390,290 400,280 L 400,395 L 0,395 Z'" \
    -fill "#3e566f" -draw "path 'M 0,350 C 80,320 150,345 220,325 S 330,315 400,335 L 400,395 L 0,395 Z'" \
    -attenuate 0.3 +noise Gaussian \
    -sampling-factor 1x1 -quality 90 "$OUT"
ls -l "$OUT"
