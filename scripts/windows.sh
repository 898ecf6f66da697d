#!/usr/bin/env bash
# Cross-builds both programs for 64-bit Windows with mingw-w64, each one static .exe:
# build-windows/meshpress/meshpress.exe and build-windows/stagehand/stagehand.exe, and the zip a
# Windows user unpacks (build-windows/meshpress-VERSION-windows-x86_64.zip). The converter is
# built over meshoptimizer and stagehand over freeglut, both static libraries made from Debian's
# source packages (fetched and built in build-windows/meshoptimizer and build-windows/freeglut).
# Usage: scripts/windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh
scripts/debian-windows.sh meshoptimizer 0.18+dfsg-2 LICENSE.md build-windows/meshoptimizer \
    -DMESHOPT_BUILD_SHARED_LIBS=OFF
scripts/debian-windows.sh freeglut 3.4.0-1 COPYING build-windows/freeglut \
    -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_DEMOS=OFF
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DWERROR=ON \
      -DCMAKE_PREFIX_PATH="$PWD/build-windows/meshoptimizer/installe;$PWD/build-windows/freeglut/installe" \
      > /dev/null
cmake --build build-windows -j "$(nproc)"
(cd build-windows && cpack -G ZIP > /dev/null)
echo "build-windows/meshpress/meshpress.exe build-windows/stagehand/stagehand.exe"
ls build-windows/meshpress-*-windows-x86_64.zip
