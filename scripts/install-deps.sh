#!/bin/sh
# Installs the Debian packages that building, running and testing Lanceron need,
# only those that are missing. Run as root on Debian 12.
set -eu

PACKAGES="
cmake
ninja-build
g++
make
pkg-config
libglib2.0-dev
dpkg-dev
file
qt6-base-dev
qt6-base-dev-tools
qt6-svg-dev
qt6-translations-l10n
qt6-image-formats-plugins
qt6-gtk-platformtheme
libgl-dev
libxkbcommon-dev
libx11-dev
adwaita-icon-theme
hicolor-icon-theme
fonts-dejavu-core
fonts-liberation2
shared-mime-info
desktop-file-utils
dbus
"
# `install-deps.sh fuzz`: the fuzzers' compiler as well.
if [ "${1:-}" = fuzz ]; then
    PACKAGES="$PACKAGES clang libclang-rt-14-dev"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Paquets à installer :$missing"
if [ "$(id -u)" -ne 0 ]; then
    echo "Ces paquets manquent ; relancez en tant que root (ou avec sudo)." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing
