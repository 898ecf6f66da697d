#!/usr/bin/env bash
# Builds the Debian package, build-paquet/meshpress_VERSION_ARCH.deb, with Debian's compiler and
# linker flags, checks it with lintian (an error or a warning fails), and the Windows zip,
# build-windows/meshpress-VERSION-windows-x86_64.zip, from the converter's Windows build.
# Usage: scripts/paquet.sh (scripts/essayer-paquet.sh then tries the package on this machine)
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || { echo "usage: $0" >&2; exit 2; }
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
grep -q "Version $version" README.md ||
    echec "the README does not give version $version"
dpkg-deb -I "$deb" control
lintian -I --fail-on error,warning "$deb"
echo "$deb: lintian reports no error and no warning"

scripts/windows.sh > /dev/null
zip=build-windows/meshpress-$version-windows-x86_64.zip
contenu=$(unzip -l "$zip")
echo "$contenu"
for f in meshpress.exe meshpress-texture.exe stagehand.exe meshpress.h meshpress.cmake convertir.cmake meshpress.txt \
         meshpress-texture.txt stagehand.txt LICENSE.txt LICENCE-freeglut.txt LICENCE-stb_image.txt LICENCE-meshoptimizer.txt \
         README-windows.txt README.md docs/windows.md docs/ds.md docs/apercu.png meshpress.mk convertir.sh \
         examples/cube.txt examples/pyramide.txt examples/panneau.obj examples/panneau.mtl examples/panneau.png \
         examples/ds/Makefile examples/ds/main.c examples/ds/scene0.txt examples/ds/scene1.txt; do
    grep -q " meshpress-$version-windows-x86_64/$f\$" <<< "$contenu" || echec "$zip holds no $f"
done

