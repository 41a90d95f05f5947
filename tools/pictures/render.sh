#!/bin/sh
# Renders the hand-drawn SVG sources in this folder to the PNG pictures the
# program embeds (src/screens/pictures/) and to the desktop icons
# (packaging/icons/).  Needs rsvg-convert (librsvg2-bin) and ImageMagick's
# convert.  The output carries no metadata, so rerunning reproduces the same
# files byte for byte.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
pics="$root/src/screens/pictures"
icons="$root/packaging/icons"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir -p "$pics" "$icons"

# transparent NAME WIDTH HEIGHT OUT: RGBA picture, transparent outside the figure
transparent() {
    rsvg-convert -w "$2" -h "$3" -o "$tmp/$1.png" "$here/$1.svg"
    convert "$tmp/$1.png" -strip -define png:exclude-chunks=date,time PNG32:"$4"
}

# opaque NAME WIDTH HEIGHT OUT: RGB picture without an alpha channel
opaque() {
    rsvg-convert -w "$2" -h "$3" -b white -o "$tmp/$1.png" "$here/$1.svg"
    convert "$tmp/$1.png" -background white -alpha remove -alpha off \
        -strip -define png:exclude-chunks=date,time PNG24:"$4"
}

# the pictures inside the program
transparent icon         32 32 "$pics/icon.png"
opaque      avvio        63 60 "$pics/avvio.png"
opaque      trisillabe   65 71 "$pics/trisillabe.png"
opaque      bisillabe    72 69 "$pics/bisillabe.png"
transparent esci         32 32 "$pics/esci.png"
transparent informazioni 32 32 "$pics/informazioni.png"
transparent faccia_si    32 32 "$pics/faccia_si.png"
transparent faccia_no    32 32 "$pics/faccia_no.png"
transparent freccia      32 32 "$pics/freccia.png"

# desktop icons: the small sizes from the bold 32 px drawing, the large ones
# from the more detailed drawing of the same bird
cp "$here/quirlo.svg" "$icons/quirlo.svg"
for s in 32 64 128 256; do
    mkdir -p "$icons/hicolor/${s}x${s}/apps"
done
transparent icon   32  32  "$icons/hicolor/32x32/apps/quirlo.png"
transparent quirlo 64  64  "$icons/hicolor/64x64/apps/quirlo.png"
transparent quirlo 128 128 "$icons/hicolor/128x128/apps/quirlo.png"
transparent quirlo 256 256 "$icons/hicolor/256x256/apps/quirlo.png"

# Windows icon with 16, 32, 48 and 256 px images
transparent icon16 16  16  "$tmp/ico16.png"
transparent icon   32  32  "$tmp/ico32.png"
transparent quirlo 48  48  "$tmp/ico48.png"
transparent quirlo 256 256 "$tmp/ico256.png"
convert "$tmp/ico16.png" "$tmp/ico32.png" "$tmp/ico48.png" "$tmp/ico256.png" \
    -strip "$icons/quirlo.ico"

# the word editor's icon: in its window, on the desktop, on Windows
editor="$root/src/editor/immagini"
mkdir -p "$editor"
transparent parole 64 64 "$editor/quirlo-parole.png"
cp "$here/parole.svg" "$icons/quirlo-parole.svg"
for s in 32 64 128 256; do
    transparent parole "$s" "$s" "$icons/hicolor/${s}x${s}/apps/quirlo-parole.png"
done
transparent parole 16  16  "$tmp/pico16.png"
transparent parole 48  48  "$tmp/pico48.png"
convert "$tmp/pico16.png" "$icons/hicolor/32x32/apps/quirlo-parole.png" "$tmp/pico48.png" \
    "$icons/hicolor/256x256/apps/quirlo-parole.png" -strip "$icons/quirlo-parole.ico"

# check the sizes, and that the pointer's tip is the hot-spot pixel (3,1)
check_size() {
    got=$(identify -format '%wx%h' "$1")
    [ "$got" = "$2" ] || { echo "render.sh: $1 is $got, expected $2" >&2; exit 1; }
}
check_size "$pics/icon.png"         32x32
check_size "$pics/avvio.png"        63x60
check_size "$pics/trisillabe.png"   65x71
check_size "$pics/bisillabe.png"    72x69
check_size "$pics/esci.png"         32x32
check_size "$pics/informazioni.png" 32x32
check_size "$pics/faccia_si.png"    32x32
check_size "$pics/faccia_no.png"    32x32
check_size "$pics/freccia.png"      32x32
alpha() { convert "$pics/freccia.png" -format "%[fx:p{$1}.a]" info:; }
[ "$(alpha 3,1)" = 1 ] && [ "$(alpha 3,0)" = 0 ] && [ "$(alpha 2,1)" = 0 ] &&
    [ "$(alpha 4,1)" = 0 ] && [ "$(alpha 2,2)" = 0 ] ||
    { echo "render.sh: the pointer's tip is not at (3,1)" >&2; exit 1; }

echo "pictures written to $pics and $icons"
