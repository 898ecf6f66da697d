#!/usr/bin/env bash
# The golden cases of both programs through their Windows builds, under Wine, in a Wine prefix of
# its own; the animator's windows on the test's X server. Then console.py: the converter typed at
# on Wine's console.
# Usage: golden.sh golden_test meshpress.exe stagehand.exe prefix
set -euo pipefail
export WINEPREFIX=$4 WINEDEBUG=-all
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
trap '"$wineserver" -k 2> /dev/null || true' EXIT
# A persistent server spares every run its start; the first run makes the prefix. Making it can
# fail on a loaded machine: what wineboot said is shown, and a second try starts from nothing.
journal=$(mktemp)
for essai in 1 2; do
    mkdir -p "$WINEPREFIX"
    "$wineserver" -p
    if "$wine" wineboot -i > "$journal" 2>&1; then break; fi
    echo "golden.sh: wineboot failed (try $essai of 2):" >&2
    cat "$journal" >&2
    "$wineserver" -k 2> /dev/null || true
    "$wineserver" -w
    [ "$essai" = 1 ] || exit 1
    rm -rf "$WINEPREFIX"
done
rm -f "$journal"
statut=0
MESHPRESS_COMMANDE="$wine $2" STAGEHAND_COMMANDE="$wine $3" "$1" || statut=1
# Then the converter on Wine's console itself, typed at through a pseudo-terminal.
python3 "$(dirname "$0")/console.py" "$wine" "$2" "$(dirname "$0")/../golden/meshpress" || statut=1
# meshpress-texture.exe, built beside meshpress.exe, given accented names on its command line: the
# files are found, and its dependency file names the model and the image alike, in UTF-8.
accents=$(mktemp -d)
cp -r "$(dirname "$0")/../golden/meshpress/obj_noms_accentues/." "$accents"
(cd "$accents" && "$wine" "$(dirname "$2")/../texture/meshpress-texture.exe" modèle.obj texture.h texture.d &&
     [ "$(cat texture.d)" = "$(printf 'texture.h: modèle.obj images/tête.png\nimages/tête.png:')" ]) ||
    { echo "meshpress-texture.exe: accented names on its command line"; cat "$accents"/*.d; statut=1; }
rm -rf "$accents"
exit $statut
