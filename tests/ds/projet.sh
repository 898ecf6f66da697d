#!/usr/bin/env bash
# A stand-in DS project (usage: projet.sh meshpress compiler [ds] [meshpress-texture]): a folder
# of models and a main.c that includes their display lists and their textures, compiled on the host over the test double of libnds's
# names, built through meshpress.mk (in a Makefile of one's own, and in stand-ins for BlocksDS's
# and devkitPro's) and through meshpress.cmake, of the repository's ds/ or of the ds folder given
# (the installed one): every model converted before the compile, only a touched one again, and a
# model meshpress cannot convert stopping the build with its message; a texture made again when
# its image changed, and only then; a model with a side file of options converted with them
# (cube.txt as scaled C text, pyramide.txt as a .bin), again when the side file changes, the
# others with the folder's (none, or make's MESHPRESS_OPTIONS). The project's folder holds a
# blank and an accent, as users' folders do ("mon projet", "C:/Users/me/DS tools"); devkitPro's
# template itself takes no blank in its folder (-iquote $(CURDIR)/...), so its stand-in is built
# from a folder without.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd) ds=$(cd "${3:-$(dirname "$0")/../../ds}" && pwd)
meshpress=$1 compilateur=$2 texturer=${4:-meshpress-texture}
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
seq 1000001 | sed 's/.*/v 0 0 0/' > gros.obj
projet="mon projèt"
mkdir "$projet" && cd "$projet"
mkdir models
cp "$ici"/../../examples/cube.txt "$ici"/../../examples/pyramide.txt "$ici"/../../examples/scene.obj \
   "$ici"/../../examples/panneau.* models/
echo --echelle=2 > models/cube.meshpress
echo --binaire > models/pyramide.meshpress
cat > main.c <<'C'
#include <stdio.h>
#include <nds.h>
#include "meshpress.h"
#include "cube.h"
#include "scene.h"
#include "panneau.h"
#include "panneau_texture.h"
#include "scene_texture.h"
int main(void) {
    dessinerliste(cube);
    dessinerliste(scene);
    dessinerliste(panneau);
    printf("%u words sent; texture of %zu texels, sides %d and %d\n", n,
           sizeof(panneau_texture) / sizeof(panneau_texture[0]), panneau_texture_largeur, panneau_texture_hauteur);
}
C
cat > Makefile <<M
MESHPRESS := $meshpress
MESHPRESS_TEXTURE := $texturer
include $ds/meshpress.mk
CC := $compilateur
main: main.c \$(MESHPRESS_LISTES)
	\$(CC) \$(CFLAGS) -I$ici -o \$@ main.c
clean:
	rm -rf build main
M
# As BlocksDS's Makefile does: INCLUDEDIRS become -I, objects in build/, none of them told about
# the lists.
cat > Makefile.blocksds <<M
MESHPRESS := $meshpress
MESHPRESS_TEXTURE := $texturer
INCLUDEDIRS := $ici
include $ds/meshpress.mk
CC := $compilateur
INCLUDEFLAGS := \$(foreach path,\$(INCLUDEDIRS),-I\$(path))
main: build/main.c.o
	\$(CC) -o \$@ \$^
build/main.c.o: main.c
	@mkdir -p \$(@D)
	\$(CC) \$(INCLUDEFLAGS) -MMD -MP -c -o \$@ \$<
-include build/main.c.d
clean:
	rm -rf build main
M
# As devkitPro's template does: INCLUDES relative to the project, made -iquote, and a second pass
# of the same Makefile from the build folder compiles.
cat > Makefile.devkitpro <<M
MESHPRESS := $meshpress
MESHPRESS_TEXTURE := $texturer
BUILD := build
INCLUDES := .
include $ds/meshpress.mk
CC := $compilateur
ifneq (\$(BUILD),\$(notdir \$(CURDIR)))
export INCLUDE := \$(foreach dir,\$(INCLUDES),-iquote \$(CURDIR)/\$(dir)) -I$ici
export VPATH := \$(CURDIR)
export OUTPUT := \$(CURDIR)/main
.PHONY: \$(BUILD)
\$(BUILD):
	@mkdir -p \$@
	@\$(MAKE) --no-print-directory -C \$(BUILD) -f \$(CURDIR)/Makefile.devkitpro
clean:
	rm -rf \$(BUILD) main
else
\$(OUTPUT): main.o
	\$(CC) -o \$@ \$^
main.o: main.c
	\$(CC) \$(INCLUDE) -MMD -MP -c -o \$@ \$<
-include main.d
endif
M
cat > CMakeLists.txt <<M
cmake_minimum_required(VERSION 3.16)
project(projet C)
set(MESHPRESS $meshpress)
set(MESHPRESS_TEXTURE $texturer)
include($ds/meshpress.cmake)
add_executable(main main.c)
meshpress_modeles(main \${CMAKE_SOURCE_DIR}/models)
target_include_directories(main PRIVATE $ici)
M
# What each build converts, a model a line.
convertis() { grep -o 'meshpress\(-texture\)\{0,1\} .*models/[^ ]*' | sed 's| .*/| |' | sort | tr '\n' ' '; }
# The lists' first lines: cube's side file, scene's and panneau's the folder's options (given
# as the first argument), and pyramide.bin's count word, the words after it.
premieres() {
    local entete='^/\* meshpress OPTIONS : [0-9]+ mots apres le premier \*/$' nom
    head -n 1 build/meshpress/cube.h | grep -Eq "${entete/OPTIONS/--echelle=2[.0]*}" ||
        { echo "$outil: cube.h: $(head -n 1 build/meshpress/cube.h)"; exit 1; }
    for nom in scene panneau; do
        if [ -n "$1" ]; then
            head -n 1 build/meshpress/$nom.h | grep -Eq "${entete/OPTIONS/$1}"
        else
            head -n 1 build/meshpress/$nom.h | grep -Eq "^u32 $nom\[\] = \{[0-9]+,$"
        fi || { echo "$outil: $nom.h: $(head -n 1 build/meshpress/$nom.h)"; exit 1; }
    done
    [ $(($(stat -c %s build/meshpress/pyramide.bin) / 4 - 1)) = "$(od -An -N4 -tu4 build/meshpress/pyramide.bin | tr -d ' ')" ] ||
        { echo "$outil: pyramide.bin's count word is not its words after it"; exit 1; }
}
verifier() {
    local quoi=$1 vu=$2 voulu=$3
    echo "$quoi: $vu"
    [ "$vu" = "$voulu" ] || { echo "expected: $voulu"; exit 1; }
}
# A model of models/ that meshpress cannot convert: the build stops with meshpress's message
# (matching the pattern) and leaves no display list of it.
refuse() {
    local modele=$1 motif=$2 sortie
    [ $outil != cmake ] || cmake -S . -B build > /dev/null
    if sortie=$(construire); then echo "$outil: the build went on past $modele"; exit 1; fi
    grep -q "meshpress\(-texture\)\{0,1\} : .*$motif" <<< "$sortie" || { echo "$outil: no message of meshpress: $sortie"; exit 1; }
    [ ! -e "build/meshpress/${modele%.*}.h" ] || { echo "$outil: a list of $modele left behind"; exit 1; }
    echo "$outil, $modele: $(grep 'meshpress\(-texture\)\{0,1\} : ' <<< "$sortie" | head -n 1)"
}
for outil in make blocksds cmake devkitpro; do
    [ $outil != devkitpro ] || { cd .. && mv "$projet" projet && cd projet; }
    rm -rf build main
    case $outil in
        make) construire() { make -s main 2>&1; }; nettoyer() { make -s clean 2>&1; }; lancer=./main ;;
        blocksds|devkitpro) construire() { make -s -f Makefile.$outil 2>&1; }
                            nettoyer() { make -s -f Makefile.$outil clean 2>&1; }; lancer=./main ;;
        cmake) cmake -S . -B build -DCMAKE_C_COMPILER="$compilateur" > /dev/null
               construire() { cmake --build build 2>&1; }; lancer=build/main ;;
    esac
    verifier "$outil, first build" "$(construire | convertis)" \
        "meshpress cube.txt meshpress panneau.obj meshpress pyramide.txt meshpress scene.obj meshpress-texture panneau.obj meshpress-texture scene.obj "
    $lancer | grep -q 'words sent; texture of 1024 texels, sides 2 and 2'
    premieres ""
    find . -exec touch -d "-10 seconds" {} +
    touch models/pyramide.txt
    verifier "$outil, pyramide.txt touched" "$(construire | convertis)" "meshpress pyramide.txt "
    touch models/cube.meshpress models/pyramide.meshpress
    verifier "$outil, side files touched" "$(construire | convertis)" "meshpress cube.txt meshpress pyramide.txt "
    touch models/panneau.png
    verifier "$outil, panneau.png touched" "$(construire | convertis)" "meshpress-texture panneau.obj "
    verifier "$outil, nothing touched" "$(construire | convertis)" ""
    # devkitPro's second pass runs from build/: it finds no models there and must leave nothing.
    [ ! -e build/build ] || { echo "$outil: the pass from build/ made build/build"; exit 1; }
    if [ $outil != cmake ]; then
        rm -rf build/meshpress
        verifier "$outil, make clean" "$(nettoyer | convertis)" ""
        construire > /dev/null
    fi
    # A folder where a model should be: meshpress cannot read it, and says so.
    mkdir models/casse.txt
    refuse casse.txt 'casse.txt'
    rmdir models/casse.txt
    # A model over the converter's capacity: meshpress says erreur after making an empty file,
    # which must not be left for the compile.
    cp ../gros.obj models/
    refuse gros.obj 'capacite'
    rm models/gros.obj
    [ $outil != cmake ] || cmake -S . -B build > /dev/null
done
# The folder's options, given to make and to the CMake function: every model without a side
# file takes them.
rm -rf build main
make -s main MESHPRESS_OPTIONS=--echelle=3 > /dev/null 2>&1 || { echo "make, MESHPRESS_OPTIONS: failed"; exit 1; }
outil=make premieres '--echelle=3[.0]*'
rm -rf build && sed -i 's|/models)|/models OPTIONS --echelle=3)|' CMakeLists.txt
cmake -S . -B build -DCMAKE_C_COMPILER="$compilateur" > /dev/null && cmake --build build > /dev/null 2>&1 ||
    { echo "cmake, OPTIONS: failed"; exit 1; }
outil=cmake premieres '--echelle=3[.0]*'
echo "make's MESHPRESS_OPTIONS, CMake's OPTIONS: cube.txt and pyramide.txt with their side files' options, the others with them"
# A model whose own name holds a blank cannot be one answer of meshpress's dialogue: said.
rm -rf build && cp models/cube.txt "models/mon cube.txt"
cmake -S . -B build -DCMAKE_C_COMPILER="$compilateur" > /dev/null
if sortie=$(cmake --build build 2>&1); then echo "cmake: 'mon cube.txt' converted"; exit 1; fi
tr -s ' \n' '  ' <<< "$sortie" | grep -q "meshpress takes each name as one word, and '../../models/mon cube.txt' holds a blank" ||
    { echo "cmake, 'mon cube.txt': $sortie"; exit 1; }
echo "cmake, 'mon cube.txt': refused, its name holds a blank"
