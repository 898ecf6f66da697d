#!/usr/bin/env bash
# Builds the tools and converts the bundled samples into demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j "$(nproc)" > /dev/null
mkdir -p demo
cd demo
for modele in cube pyramide; do
    printf '../examples/%s.txt\n%s\n' "$modele" "$modele" | ../build/meshpress/meshpress
    echo
done
echo "demo/cube.h and demo/pyramide.h written."
