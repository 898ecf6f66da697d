#!/usr/bin/env bash
# Cross-builds both programs for 64-bit Windows with mingw-w64, each one static .exe:
# build-windows/meshpress/meshpress.exe and build-windows/stagehand/stagehand.exe, and the zip a
# Windows user unpacks (build-windows/meshpress-VERSION-windows-x86_64.zip). stagehand is built
# over freeglut made from Debian's source package (fetched and built in build-windows/freeglut),
# meshpress over meshoptimizer made the same way (build-windows/meshoptimizer).
# Usage: scripts/windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh
scripts/freeglut-windows.sh build-windows/freeglut
scripts/meshoptimizer-windows.sh build-windows/meshoptimizer
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DWERROR=ON -DCMAKE_PREFIX_PATH="$PWD/build-windows/freeglut/installe;$PWD/build-windows/meshoptimizer/installe" \
      > /dev/null
cmake --build build-windows -j "$(nproc)"
(cd build-windows && cpack -G ZIP > /dev/null)
echo "build-windows/meshpress/meshpress.exe build-windows/stagehand/stagehand.exe"
ls build-windows/meshpress-*-windows-x86_64.zip
