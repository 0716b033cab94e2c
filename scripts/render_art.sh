#!/usr/bin/env bash
# Renders the artwork in resources/art/ from its SVG sources, the desktop icon in the usual
# sizes for packaging/icons/, and from those the Windows icon (resources/art/icon.ico). The PNGs are committed, so the build never needs this; run it after
# changing an SVG. Needs rsvg-convert (librsvg2-bin) and
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

# Small sizes are rendered from the drawing itself rather than scaled down from 128 px.
icons="$(cd "$(dirname "$0")/../packaging" && pwd)/icons"
for size in 16 22 24 32 48 64 256; do
  mkdir -p "$icons/${size}x$size"
  rsvg-convert -w "$size" -h "$size" "$art/icon.svg" | "$magick" png:- -strip \
    PNG32:"$icons/${size}x$size/vor-user.png"
done

# The Windows programs' icon: every size that Windows draws, in one file.
"$magick" "$icons"/{16x16,24x24,32x32,48x48,64x64,256x256}/vor-user.png "$art/icon.ico"

for name in banner side icon; do
  "$magick" "$art/$name.png" -format '%f %wx%h %[channels]\n' info:
done
"$magick" "$icons"/*/vor-user.png -format '%d/%f %wx%h\n' info:
