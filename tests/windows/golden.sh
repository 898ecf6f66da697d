#!/usr/bin/env bash
# The converter's golden cases through its Windows build, under Wine, in a Wine prefix of its own.
# Usage: golden.sh golden_test meshpress.exe prefix
set -euo pipefail
export WINEPREFIX=$3 WINEDEBUG=-all
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
# A persistent server spares every run its start; the first run makes the prefix.
mkdir -p "$WINEPREFIX"
"$wineserver" -p
trap '"$wineserver" -k' EXIT
"$wine" wineboot -i > /dev/null 2>&1
MESHPRESS_COMMANDE="$wine $2" "$1"
