#!/usr/bin/env bash
# The tools on the bundled samples: builds meshpress and stagehand, converts examples/cube.txt,
# examples/pyramide.txt and examples/scene.obj (a Blender export) into demo/, showing the answers
# it types, then opens them in stagehand when there is a display. Installs (as root) or asks for
# only the Debian packages it uses.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/paquets.sh demo
echo "== Building meshpress and stagehand in build/ (about a minute the first time)..."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build -j "$(nproc)" > /dev/null
mkdir -p demo
cd demo
# The dialogue as it would look on a console: each answer after its prompt, and what meshpress
# says on standard error in its place.
convertir() {
    echo "== meshpress: examples/$1 into demo/$2.h, answering ../examples/$1 and $2:"
    printf '../examples/%s\n%s\n' "$1" "$2" | ../build/meshpress/meshpress 2>&1 |
        sed -e "s|(mettre l'extension): |&../examples/$1\n|" -e "s|(pas d'extension): |&$2\n|"
    echo
}
convertir cube.txt cube
convertir pyramide.txt pyramide
convertir scene.obj scene
if [ -z "${DISPLAY:-}" ]; then
    echo "== No display (DISPLAY is not set), so stagehand is not opened: it needs a window. From a"
    echo "   desktop session, run scripts/demo.sh again; here, 'xvfb-run -a build/stagehand/stagehand'"
    echo "   opens it on a virtual screen that nobody sees."
    exit 0
fi
echo "== stagehand: demo/cube.h, demo/pyramide.h and demo/scene.h as objects 1, 2 and 3, answering"
echo "   cube.h, 1, pyramide.h, 1, scene.h, 0, then scene for the keyframe files."
echo "   In the window: c prints the help here, + and - select, t and r then the arrows (or z s q d)"
echo "   move and turn the black object, Enter records a keyframe (press it once at least), Esc ends;"
echo "   the title says the mode, the object and the keyframes so far."
printf 'cube.h\n1\npyramide.h\n1\nscene.h\n0\nscene\n' | ../build/stagehand/stagehand
echo
echo "== Keyframe files: demo/scene0.txt, demo/scene1.txt, demo/scene2.txt, and the camera's: demo/scene_camera.txt"
