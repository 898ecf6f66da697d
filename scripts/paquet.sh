#!/usr/bin/env bash
# Builds the Debian package, build-paquet/meshpress_VERSION_ARCH.deb, with Debian's compiler and
# linker flags, checks it with lintian (an error or a warning fails), and the Windows zip,
# build-windows/meshpress-VERSION-windows-x86_64.zip, from the converter's Windows build.
# Usage: scripts/paquet.sh [essayer]
#   essayer  then, as root, installs the package, uses what it installed (the converter on a
#            golden case, the manual pages, the preview, a DS project's build through the
#            installed fragment and function) and removes it
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || [ "$1" = essayer ] || { echo "usage: $0 [essayer]" >&2; exit 2; }
scripts/paquets.sh
echec() { echo "paquet: $*" >&2; exit 1; }

# Built as Debian builds its packages: with the flags dpkg-buildflags gives, hardening included
# (for this build only: the Windows build below keeps its own).
drapeau() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
CFLAGS="$(drapeau CFLAGS) $(drapeau CPPFLAGS)" CXXFLAGS="$(drapeau CXXFLAGS) $(drapeau CPPFLAGS)" \
    LDFLAGS=$(drapeau LDFLAGS) \
    cmake --fresh -S . -B build-paquet -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF > /dev/null
cmake --build build-paquet -j "$(nproc)"
(cd build-paquet && cpack -G DEB > /dev/null)
deb=$(ls build-paquet/meshpress_*.deb)
version=$(dpkg-deb -f "$deb" Version)
[ "$(dpkg-parsechangelog -l paquet/changelog -S Version)" = "$version" ] ||
    echec "paquet/changelog does not begin with version $version: add its entry"
grep -q "^project(meshpress_stagehand VERSION $version " CMakeLists.txt && grep -q "Version $version" README.md ||
    echec "the README does not give version $version"
dpkg-deb -I "$deb" control
lintian -I --fail-on error,warning "$deb"
echo "$deb: lintian reports no error and no warning"

scripts/windows.sh > /dev/null
zip=build-windows/meshpress-$version-windows-x86_64.zip
contenu=$(unzip -l "$zip")
echo "$contenu"
for f in meshpress.exe meshpress.h meshpress.txt LICENSE.txt; do
    grep -q " meshpress-$version-windows-x86_64/$f\$" <<< "$contenu" || echec "$zip holds no $f"
done

[ "${1:-}" = essayer ] || exit 0
[ "$(id -u)" -eq 0 ] || echec "essayer installs the package: run it as root"
! dpkg-query -W -f='${Status}' meshpress 2> /dev/null | grep -q 'install ok installed' ||
    echec "a meshpress package is installed already: essayer would remove it"
travail=$(mktemp -d)
trap 'dpkg -r meshpress > /dev/null 2>&1 || true; rm -rf "$travail"' EXIT
dpkg -i "$deb"
for commande in meshpress stagehand meshpress-apercu; do
    [ "$(command -v $commande)" = /usr/bin/$commande ] || echec "$commande is not installed in /usr/bin"
    man -w $commande
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
