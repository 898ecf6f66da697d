#!/usr/bin/env bash
# Cross-builds meshpress for 64-bit Windows with mingw-w64: build-windows/meshpress/meshpress.exe,
# one static program, and the zip a Windows user unpacks: the program, meshpress.h, the manual
# as text and the licence (build-windows/meshpress-VERSION-windows-x86_64.zip).
# Usage: scripts/windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DWERROR=ON > /dev/null
cmake --build build-windows -j "$(nproc)"
(cd build-windows && cpack -G ZIP > /dev/null)
echo "build-windows/meshpress/meshpress.exe"
ls build-windows/meshpress-*-windows-x86_64.zip
