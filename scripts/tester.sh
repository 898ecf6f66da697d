#!/usr/bin/env bash
# Builds and runs every test. Usage: scripts/tester.sh [release|sanitize]
#   release   optimised build (the default), in build/, and both programs' Windows builds, in
#             build-windows/, run on the golden cases under Wine; then the Debian package,
#             checked with lintian, and the Windows zip (scripts/paquet.sh)
#   sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh
case "${1:-release}" in
    release) scripts/windows.sh
             dossier=build; options=(-DCMAKE_BUILD_TYPE=Release -DMESHPRESS_EXE="$PWD/build-windows/meshpress/meshpress.exe"
                                   -DSTAGEHAND_EXE="$PWD/build-windows/stagehand/stagehand.exe") ;;
    sanitize) dossier=build-sanitize; options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON) ;;
    *) echo "usage: $0 [release|sanitize]" >&2; exit 2 ;;
esac
cmake -S . -B "$dossier" -DWERROR=ON -DBUILD_TESTING=ON "${options[@]}"
cmake --build "$dossier" -j "$(nproc)"
ctest --test-dir "$dossier" --output-on-failure -j "$(nproc)"
[ "$dossier" != build ] || scripts/paquet.sh
