#!/bin/sh
# Renders the program's icon resources/icons/lanceron.svg to the PNG sizes of the hicolor theme
# (resources/icons/<size>x<size>/lanceron.png). The PNGs are committed: run this after changing
# the SVG. Needs rsvg-convert (Debian package librsvg2-bin).
set -eu

cd "$(dirname "$0")/../resources/icons"
command -v rsvg-convert >/dev/null || {
    echo "rsvg-convert introuvable : installez le paquet librsvg2-bin." >&2
    exit 1
}
for taille in 16 22 24 32 48 64 128 256; do
    mkdir -p "${taille}x${taille}"
    rsvg-convert --width "$taille" --height "$taille" --format png \
        --output "${taille}x${taille}/lanceron.png" lanceron.svg
done
