#!/usr/bin/env bash
# freeglut for the Windows build of stagehand: Debian's source package, version pinned, fetched
# with apt-get source from Debian's archive (apt checks the files against the archive's signed
# indices, and dpkg-source against the .dsc), then built with mingw-w64 as a static library into
# DOSSIER/installe, with its licence. Nothing is done again once it is there.
# Usage: scripts/freeglut-windows.sh DOSSIER
set -euo pipefail
cd "$(dirname "$0")/.."
VERSION=3.4.0-1
dossier=$(realpath -m "${1:?usage: $0 DOSSIER}")
[ ! -f "$dossier/installe/lib/libfreeglut_static.a" ] || exit 0
echec() { echo "freeglut-windows: $*" >&2; exit 1; }
rm -rf "$dossier/source" "$dossier/apt"
mkdir -p "$dossier/source" "$dossier/apt/listes/partial" "$dossier/apt/sources"
# Debian's source index for this one command: the machine's own apt sources stay as they are.
cat > "$dossier/apt/sources/debian.sources" <<FIN
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
FIN
apt=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$dossier/apt/sources"
     -o Dir::State::Lists="$dossier/apt/listes" -o APT::Sandbox::User=root)
apt-get "${apt[@]}" update > "$dossier/apt/journal" 2>&1 ||
    { cat "$dossier/apt/journal" >&2; echec "Debian's source index for bookworm could not be fetched"; }
(cd "$dossier/source" && apt-get "${apt[@]}" source --download-only "freeglut=$VERSION") \
    > "$dossier/apt/journal" 2>&1 ||
    { cat "$dossier/apt/journal" >&2; echec "Debian's source package freeglut $VERSION could not be fetched"; }
(cd "$dossier/source" && dpkg-source -x "freeglut_$VERSION.dsc" freeglut) > /dev/null ||
    echec "freeglut_$VERSION.dsc: its files do not match it"
cmake -S "$dossier/source/freeglut" -B "$dossier/construction" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_DEMOS=OFF \
      -DCMAKE_INSTALL_PREFIX="$dossier/installe" > /dev/null
cmake --build "$dossier/construction" -j "$(nproc)" > "$dossier/apt/journal" 2>&1 ||
    { cat "$dossier/apt/journal" >&2; echec "freeglut did not build"; }
cmake --install "$dossier/construction" > /dev/null
cp "$dossier/source/freeglut/COPYING" "$dossier/installe/COPYING"
echo "freeglut $VERSION for Windows: $dossier/installe"
