#!/usr/bin/env bash
# A library for the Windows build, from Debian's source package, version pinned: fetched with
# apt-get source from Debian's archive (apt checks the files against the archive's signed
# indices, and dpkg-source against the .dsc), then built with mingw-w64 as a static library into
# DOSSIER/installe, with its licence as DOSSIER/installe/COPYING. Nothing is done again once it
# is there.
# Usage: scripts/debian-windows.sh PAQUET VERSION LICENCE DOSSIER [CMAKE_OPTION...]
#   LICENCE: the licence's file in the package's source; the CMake options build it static.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 4 ] || { echo "usage: $0 PAQUET VERSION LICENCE DOSSIER [CMAKE_OPTION...]" >&2; exit 2; }
paquet=$1 version=$2 licence=$3 dossier=$(realpath -m "$4")
shift 4
[ ! -f "$dossier/installe/COPYING" ] || exit 0
echec() { echo "debian-windows: $paquet: $*" >&2; exit 1; }
rm -rf "$dossier/source" "$dossier/apt" "$dossier/construction"
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
(cd "$dossier/source" && apt-get "${apt[@]}" source --download-only "$paquet=$version") \
    > "$dossier/apt/journal" 2>&1 ||
    { cat "$dossier/apt/journal" >&2; echec "Debian's source package $version could not be fetched"; }
# The .dsc's name holds the upstream version without its epoch.
(cd "$dossier/source" && dpkg-source -x "${paquet}_${version#*:}.dsc" "$paquet") > /dev/null ||
    echec "${paquet}_$version.dsc: its files do not match it"
cmake -S "$dossier/source/$paquet" -B "$dossier/construction" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$dossier/installe" "$@" > /dev/null
cmake --build "$dossier/construction" -j "$(nproc)" > "$dossier/apt/journal" 2>&1 ||
    { cat "$dossier/apt/journal" >&2; echec "it did not build"; }
cmake --install "$dossier/construction" > /dev/null
cp "$dossier/source/$paquet/$licence" "$dossier/installe/COPYING"
echo "$paquet $version for Windows: $dossier/installe"
