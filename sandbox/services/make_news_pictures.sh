#!/bin/bash
# Regenerates the stand-in news pictures (our own, drawn by ImageMagick) into
# scenarios/operational/. Run by hand; the stand-in serves the committed files.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/scenarios/operational"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
picture() { # file size from to caption
  convert -size "$2" "gradient:$3-$4" -font "$font" -pointsize 44 -fill white -gravity center \
    -annotate +0+0 "$5" -strip "$out/$1"
}
picture news_vault_party.jpg 800x480 '#1d3b6a' '#e0a030' 'Вечеринка в Убежище 76'
picture news_season_scoreboard.jpg 640x384 '#2a5a2a' '#c8e070' 'Новый сезон'
picture news_atomic_shop.png 400x240 '#5a1a4a' '#f07050' 'Атомная лавка'
