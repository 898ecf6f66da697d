#!/usr/bin/env bash
# A stand-in DS project (usage: projet.sh meshpress compiler): a folder of models and a main.c
# that includes their display lists, compiled on the host over the test double of libnds's
# names, built through ds/meshpress.mk and through ds/meshpress.cmake: every model converted,
# only a touched one again, and a model meshpress cannot convert stopping the build with its
# message.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd) ds=$(cd "$(dirname "$0")/../../ds" && pwd)
meshpress=$1 compilateur=$2
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
mkdir models
cp "$ici"/../../examples/cube.txt "$ici"/../../examples/pyramide.txt "$ici"/../../examples/scene.obj models/
cat > main.c <<'C'
#include <stdio.h>
#include <nds.h>
#include "meshpress.h"
#include "cube.h"
#include "pyramide.h"
#include "scene.h"
int main(void) {
    dessinerliste(cube);
    dessinerliste(pyramide);
    dessinerliste(scene);
    printf("%u words sent\n", n);
}
C
cat > Makefile <<M
MESHPRESS := $meshpress
include $ds/meshpress.mk
CC := $compilateur
main: main.c \$(MESHPRESS_LISTES)
	\$(CC) \$(CFLAGS) -I$ici -o \$@ main.c
M
cat > CMakeLists.txt <<M
cmake_minimum_required(VERSION 3.16)
project(projet C)
set(MESHPRESS $meshpress)
include($ds/meshpress.cmake)
add_executable(main main.c)
meshpress_modeles(main \${CMAKE_SOURCE_DIR}/models)
target_include_directories(main PRIVATE $ici)
M
# What each build converts, a model a line.
convertis() { grep -o 'meshpress [^ ]*models/[^ ]*' | sed 's|.*/||' | sort | tr '\n' ' '; }
verifier() {
    local quoi=$1 vu=$2 voulu=$3
    echo "$quoi: $vu"
    [ "$vu" = "$voulu" ] || { echo "expected: $voulu"; exit 1; }
}
for outil in make cmake; do
    rm -rf build main
    if [ $outil = make ]; then construire() { make -s main 2>&1; }; lancer=./main
    else cmake -S . -B build -DCMAKE_C_COMPILER="$compilateur" > /dev/null; construire() { cmake --build build 2>&1; }; lancer=build/main; fi
    verifier "$outil, first build" "$(construire | convertis)" "cube.txt pyramide.txt scene.obj "
    $lancer | grep -q 'words sent'
    find . -exec touch -d "-10 seconds" {} +
    touch models/pyramide.txt
    verifier "$outil, pyramide.txt touched" "$(construire | convertis)" "pyramide.txt "
    verifier "$outil, nothing touched" "$(construire | convertis)" ""
    # A folder where a model should be: meshpress cannot read it, and says so.
    mkdir models/casse.txt
    [ $outil = make ] || cmake -S . -B build > /dev/null
    if sortie=$(construire); then echo "$outil: the build went on past a model meshpress cannot convert"; exit 1; fi
    grep -q 'meshpress : .*casse.txt' <<< "$sortie" || { echo "$outil: no message of meshpress: $sortie"; exit 1; }
    echo "$outil, a broken model: $(grep 'meshpress : ' <<< "$sortie" | head -n 1)"
    rmdir models/casse.txt
    [ $outil = make ] || cmake -S . -B build > /dev/null
done
