#!/bin/sh
# Builds the Debian package, installs it, starts the installed program under Xvfb, ends it
# with SIGTERM, removes the package, and checks that the user's catalogue was left alone.
# It installs and removes packages: run it as root, on a machine meant for such trials.
set -eu
cd "$(dirname "$0")/.."

etape() { printf '\n== %s\n' "$*"; }
echec() {
    echo "ÉCHEC : $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || echec "à lancer en tant que root"
command -v Xvfb >/dev/null || apt-get install -y -qq --no-install-recommends xvfb

etape "Construction du paquet"
make package
paquet=$(ls build/package/lanceron_*_"$(dpkg --print-architecture)".deb | tail -n 1)
dpkg-deb -f "$paquet" Package Version Architecture Depends Recommends

etape "Installation de $paquet"
apt-get install -y "./$paquet"
[ -x /usr/bin/lanceron ] || echec "/usr/bin/lanceron manque"
desktop-file-validate /usr/share/applications/lanceron.desktop
[ -f /usr/share/icons/hicolor/48x48/apps/lanceron.png ] || echec "icône manquante"
grep -q '^Categories=Utility;' /usr/share/applications/lanceron.desktop
echo "entrée de menu : /usr/share/applications/lanceron.desktop (Utilitaires)"

# A home of the trial's own, holding a catalogue that the removal must leave alone.
maison=$(mktemp -d)
export HOME="$maison" XDG_RUNTIME_DIR="$maison/run"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -m 700 "$XDG_RUNTIME_DIR"
catalogue="$HOME/.local/share/lanceron"
mkdir -p "$catalogue/Rubriques"
printf '[Logiciel1]\nNom=Terminal\nDossier=/usr/bin/xterm\nExecuter=Fenêtre normale\nCommande=\n' \
    >"$catalogue/Rubriques/Outils.ini"

etape "Démarrage sous Xvfb, puis SIGTERM"
Xvfb -displayfd 3 -nolisten tcp 3>"$maison/ecran" 2>"$maison/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$maison/ecran" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$maison/ecran")"
/usr/bin/lanceron &
programme=$!
sleep 3
kill -0 "$programme" 2>/dev/null || echec "lanceron s'est arrêté seul"
echo "lanceron tourne (pid $programme) sur l'écran $DISPLAY"
kill -TERM "$programme"
for _ in $(seq 100); do kill -0 "$programme" 2>/dev/null || break; sleep 0.1; done
kill -0 "$programme" 2>/dev/null && echec "lanceron tourne encore 10 s après SIGTERM"
code=0
wait "$programme" || code=$?
[ "$code" -eq 0 ] || echec "lanceron a fini avec le code $code"
[ -f "$catalogue/Lanceron.ini" ] || echec "réglages non écrits à l'arrêt"
echo "lanceron s'est arrêté proprement (code 0) et a écrit ses réglages"
empreinte=$(cd "$catalogue" && find . -type f | sort | xargs sha256sum)

etape "Désinstallation"
apt-get remove -y lanceron
[ ! -e /usr/bin/lanceron ] || echec "/usr/bin/lanceron est resté"
[ ! -e /usr/share/applications/lanceron.desktop ] || echec "l'entrée de menu est restée"
[ "$(cd "$catalogue" && find . -type f | sort | xargs sha256sum)" = "$empreinte" ] ||
    echec "le catalogue a changé"
echo "$empreinte"
echo "catalogue intact : $catalogue"
rm -rf "$maison"
etape "Paquet vérifié"
