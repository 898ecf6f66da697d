#!/usr/bin/env bash
# meshoptimizer for the Windows build of meshpress (its strips): Debian's source package, version
# pinned, fetched with apt-get source from Debian's archive as scripts/freeglut-windows.sh fetches
# freeglut, then built with mingw-w64 as a static library into DOSSIER/installe, with its licence.
# Nothing is done again once it is there.
# Usage: scripts/meshoptimizer-windows.sh DOSSIER
set -euo pipefail
cd "$(dirname "$0")/.."
VERSION=0.18+dfsg-2
dossier=$(realpath -m "${1:?usage: $0 DOSSIER}")
[ ! -f "$dossier/installe/lib/libmeshoptimizer.a" ] || exit 0
echec() { echo "meshoptimizer-windows: $*" >&2; exit 1; }
rm -rf "$dossier/source" "$dossier/apt"
mkdir -p "$dossier/source" "$dossier/apt/listes/partial" "$dossier/apt/sources"
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
(cd "$dossier/source" && apt-get "${apt[@]}" source --download-only "meshoptimizer=$VERSION") \
    > "$dossier/apt/journal" 2>&1 ||
    { cat "$dossier/apt/journal" >&2; echec "Debian's source package meshoptimizer $VERSION could not be fetched"; }
(cd "$dossier/source" && dpkg-source -x "meshoptimizer_$VERSION.dsc" meshoptimizer) > /dev/null ||
    echec "meshoptimizer_$VERSION.dsc: its files do not match it"
cmake -S "$dossier/source/meshoptimizer" -B "$dossier/construction" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DMESHOPT_BUILD_SHARED_LIBS=OFF -DMESHOPT_BUILD_DEMO=OFF -DMESHOPT_BUILD_GLTFPACK=OFF \
      -DCMAKE_INSTALL_PREFIX="$dossier/installe" > /dev/null
cmake --build "$dossier/construction" -j "$(nproc)" > "$dossier/apt/journal" 2>&1 ||
    { cat "$dossier/apt/journal" >&2; echec "meshoptimizer did not build"; }
cmake --install "$dossier/construction" > /dev/null
cp "$dossier/source/meshoptimizer/LICENSE.md" "$dossier/installe/LICENCE-meshoptimizer.txt"
echo "meshoptimizer $VERSION for Windows: $dossier/installe"
