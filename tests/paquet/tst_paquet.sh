#!/bin/sh
# The Debian package made from a build tree: its files and its control fields.
# Usage: tst_paquet.sh <cpack> <build tree> <version>
set -eu
cpack=$1
arbre=$2
version=$3
sortie=$(mktemp -d "$arbre/paquet.XXXXXX")
trap 'rm -rf "$sortie"' EXIT

echec() {
    echo "ÉCHEC : $*" >&2
    exit 1
}

# gzip rather than xz: the same package, made faster.
"$cpack" -G DEB --config "$arbre/CPackConfig.cmake" -B "$sortie" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$sortie/cpack.log" 2>&1 ||
    { cat "$sortie/cpack.log"; echec "cpack"; }
paquet="$sortie/lanceron_${version}_$(dpkg --print-architecture).deb"
[ -f "$paquet" ] || { ls "$sortie"; echec "pas de $(basename "$paquet")"; }

fichiers=$(dpkg-deb -c "$paquet" | awk '{ print $6 }')
for f in ./usr/bin/lanceron ./usr/lib/lanceron/liblanceron_bureau.so \
    ./usr/share/applications/lanceron.desktop \
    ./usr/share/icons/hicolor/16x16/apps/lanceron.png \
    ./usr/share/icons/hicolor/256x256/apps/lanceron.png \
    ./usr/share/icons/hicolor/scalable/apps/lanceron.svg; do
    echo "$fichiers" | grep -qxF "$f" || echec "absent du paquet : $f"
done
ailleurs=$(echo "$fichiers" | grep -v -e '^\./$' -e '^\./usr/' || true)
[ -z "$ailleurs" ] || echec "hors de /usr : $ailleurs"

champ() { dpkg-deb -f "$paquet" "$1"; }
[ "$(champ Package)" = lanceron ] || echec "Package : $(champ Package)"
[ "$(champ Version)" = "$version" ] || echec "Version : $(champ Version)"
[ "$(champ Section)" = utils ] || echec "Section : $(champ Section)"
# Depends: the French Qt texts, and what dpkg-shlibdeps found from the shared libraries.
depends=$(champ Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for d in qt6-translations-l10n libqt6svg6 libqt6widgets6 libqt6dbus6 libglib2.0-0 libx11-6 libc6; do
    echo "$depends" | grep -qxF "$d" || echec "Depends sans $d : $(champ Depends)"
done
echo "paquet conforme : $(basename "$paquet")"
