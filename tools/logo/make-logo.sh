#!/usr/bin/env bash
# Draws resources/LumivoxLogo.png: the word mark in a pink-to-cyan gradient with a soft glow
# and a four-pointed sparkle, on a transparent background. Needs imagemagick.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=resources/LumivoxLogo.png
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The letters as a mask, a gradient filled through it, then a blurred copy underneath as glow.
convert -size 360x90 xc:none -font "$font" -pointsize 52 -kerning 5 -fill white -gravity center \
    -annotate +18+0 "LUMIVOX" "$work/mask.png"
convert -size 360x90 gradient:'#FF3DAF-#32DCFF' -rotate 90 -resize 360x90! "$work/gradient.png"
convert "$work/gradient.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite "$work/text.png"
convert "$work/text.png" -channel A -evaluate multiply 0.55 +channel -blur 0x7 "$work/glow.png"
convert -size 360x90 xc:none \
    -fill '#FF3DAF' -draw "path 'M 16,27 L 19,42 L 32,45 L 19,48 L 16,63 L 13,48 L 0,45 L 13,42 Z'" "$work/sparkle.png"
convert "$work/glow.png" "$work/text.png" -composite "$work/sparkle.png" -composite -strip \
    -define png:compression-level=9 "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
