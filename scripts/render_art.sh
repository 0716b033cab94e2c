#!/usr/bin/env bash
# Renders the artwork in resources/art/ from its SVG sources. The PNGs are committed, so the build
# never needs this; run it after changing an SVG. Needs rsvg-convert (librsvg2-bin) and
# ImageMagick (imagemagick).
set -euo pipefail

art="$(cd "$(dirname "$0")/../resources/art" && pwd)"
magick=""
for tool in magick convert-im6.q16 convert; do
  if command -v "$tool" >/dev/null && "$tool" -version 2>/dev/null | grep -q ImageMagick; then
    magick="$tool"
    break
  fi
done
[ -n "$magick" ] || { echo "render_art.sh: ImageMagick not found" >&2; exit 1; }

# The banner and side picture are 24-bit bitmaps: drop the alpha channel. The icon keeps it.
for name in banner side; do
  rsvg-convert "$art/$name.svg" | "$magick" png:- -background '#0a1c36' -alpha remove \
    -alpha off -strip PNG24:"$art/$name.png"
done
rsvg-convert "$art/icon.svg" | "$magick" png:- -strip PNG32:"$art/icon.png"

for name in banner side icon; do
  "$magick" "$art/$name.png" -format '%f %wx%h %[channels]\n' info:
done
