#!/usr/bin/env bash
# Tries the Debian package that scripts/paquet.sh built on this machine, as root: installs it,
# uses what it installed (the programs' versions, the converter on a golden case, the manual
# pages, the preview, a DS project's build through the installed fragment and function) and
# removes it.
# Usage: scripts/essayer-paquet.sh
set -euo pipefail
cd "$(dirname "$0")/.."
echec() { echo "essayer-paquet: $*" >&2; exit 1; }
deb=$(ls build-paquet/meshpress_*.deb 2> /dev/null) || echec "no package in build-paquet/: run scripts/paquet.sh first"
[ "$(id -u)" -eq 0 ] || echec "it installs the package: run it as root"
! dpkg-query -W -f='${Status}' meshpress 2> /dev/null | grep -q 'install ok installed' ||
    echec "a meshpress package is installed already: trying this one would remove it"
travail=$(mktemp -d)
trap 'dpkg -r meshpress > /dev/null 2>&1 || true; rm -rf "$travail"' EXIT
dpkg -i "$deb"
for commande in meshpress stagehand meshpress-apercu meshpress-texture; do
    [ "$(command -v $commande)" = /usr/bin/$commande ] || echec "$commande is not installed in /usr/bin"
    man -w $commande
done
# Each program gives the package's version.
version=$(dpkg-deb -f "$deb" Version)
for commande in meshpress stagehand meshpress-texture; do
    [ "$($commande --version)" = "$commande $version" ] || echec "$commande --version does not say $version"
done
[ -f /usr/include/meshpress.h ] || echec "no /usr/include/meshpress.h"
# The installed converter on a golden case: the same transcript and the same file.
cas=$PWD/tests/golden/meshpress/exemple_sanstexture
(cd "$travail" && cp "$cas/modele.txt" . && meshpress < "$cas/console.in" > console.out &&
    cmp console.out "$cas/console.out" && cmp exemple.h "$cas/attendu/exemple.h")
echo "installed meshpress: exemple.h as expected"
# The installed preview, from its link, with its DS sources where the package put them.
(cd "$travail" && meshpress-apercu apercu exemple.h && [ -s apercu.png ])
# A DS project's build through the installed fragment and function, meshpress from the PATH.
tests/ds/projet.sh meshpress cc /usr/share/meshpress/ds
dpkg -r meshpress
[ ! -e /usr/bin/meshpress ] || echec "dpkg -r left /usr/bin/meshpress"
echo "$deb: installed, used and removed"
