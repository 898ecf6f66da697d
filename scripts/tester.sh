#!/usr/bin/env bash
# Builds and runs every test. Usage: scripts/tester.sh [release|sanitize]
#   release   optimised build (the default), in build/
#   sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh
case "${1:-release}" in
    release) dossier=build; options=(-DCMAKE_BUILD_TYPE=Release) ;;
    sanitize) dossier=build-sanitize; options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON) ;;
    *) echo "usage: $0 [release|sanitize]" >&2; exit 2 ;;
esac
cmake -S . -B "$dossier" -DWERROR=ON "${options[@]}"
cmake --build "$dossier" -j "$(nproc)"
ctest --test-dir "$dossier" --output-on-failure -j "$(nproc)"
