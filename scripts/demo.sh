#!/usr/bin/env bash
# Builds the tools and converts the bundled samples into demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j "$(nproc)" > /dev/null
mkdir -p demo
cd demo
for modele in cube pyramide; do
    printf '../examples/%s.txt\n%s\n' "$modele" "$modele" | ../build/meshpress/meshpress
    echo
done
echo "demo/cube.h and demo/pyramide.h written."
if [ -n "${DISPLAY:-}" ]; then
    echo "Opening them in stagehand (keys: c for help, Enter for a keyframe, Esc to end)."
    printf 'cube.h\n1\npyramide.h\n0\nscene\n' | ../build/stagehand/stagehand
    echo
    echo "Keyframe files: demo/scene0.txt, demo/scene1.txt"
fi
