#!/usr/bin/env bash
# Draws resources/lumivox.png, the application icon (256 x 256): a four-pointed sparkle in
# the logo's pink-to-cyan gradient on the editor's dark violet, in a rounded square. Needs
# imagemagick.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=resources/lumivox.png
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

convert -size 256x256 xc:none -fill '#17101F' -draw "roundrectangle 8,8 247,247 44,44" "$work/base.png"
convert -size 256x256 xc:none -fill white \
    -draw "path 'M 128,28 L 146,110 L 228,128 L 146,146 L 128,228 L 110,146 L 28,128 L 110,110 Z'" "$work/mask.png"
convert -size 400x400 gradient:'#FF3DAF-#32DCFF' -rotate 45 -gravity center -crop 256x256+0+0 +repage "$work/gradient.png"
convert "$work/gradient.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite "$work/star.png"
convert "$work/star.png" -channel A -evaluate multiply 0.6 +channel -blur 0x10 "$work/glow.png"
convert "$work/base.png" "$work/glow.png" -composite "$work/star.png" -composite -strip \
    -define png:compression-level=9 "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
