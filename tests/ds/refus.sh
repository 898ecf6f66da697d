#!/usr/bin/env bash
# The DS preview's refusals, checked before anything is built (-n: no compiler, no emulator): what
# it says of each bad input, against refus.attendu.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
cas=$ici/../golden/stagehand
cp "$cas"/scene_posee/cube.h "$cas"/scene_posee/attendu/scene0.txt "$ici"/../../examples/cube.txt .
cp "$cas"/obj_blender/attendu/obj0.txt sansimage.txt
head -c 200 cube.h > coupe.h
sed 's/^u32 cube/u32 cube-2/' cube.h > tiret.h
head -n 7 scene0.txt > sansfin.txt
cp "$cas"/scene_posee/attendu/scene_camera.txt camera.txt
sed 's/gluPerspective(45,/gluPerspective(60,/' camera.txt > grandangle.txt
mkdir autre && sed 's/position0/position1/' scene0.txt > autre/scene0.txt
cp "$ici"/../golden/meshpress/obj_blender_panneau/attendu/panneau.h "$ici"/../golden/meshpress/obj_blender_panneau/panneau.png .
cp panneau.png seq-planche.png
echo "une cartouche" > jeu.nds
ppmmake red 48 32 | pnmtopng > large48.png
ppmmake red 1024 512 | pnmtopng > grande.png
: > vide.h
# Lists of meshpress --binaire: bytes that are no whole words, a count word that is not the words
# after it, a command meshpress does not write (0x50: SWAP_BUFFERS), a command's parameters cut
# short; and the text of meshpress's options without its array's line.
printf 'abcdef' > impair.bin
printf '\003\000\000\000\100\000\000\000\002\000\000\000' > compte.bin
printf '\001\000\000\000\120\000\000\000' > inconnue.bin
printf '\002\000\000\000\043\000\000\000\000\020\000\020' > coupee.bin
printf '/* meshpress --compacte : 2 mots apres le premier */\nu32 x = {2,\n};' > ligne.h
apercu() { echo "\$ apercu.sh $*"; "$ici/../../ds/apercu.sh" -n "$@" 2>&1 && echo "(status 0)" || echo "(status $?)"; }
{
    apercu x cube.txt
    apercu x cube.h cube.txt
    apercu x absent.h
    apercu x .
    apercu x vide.h
    apercu x coupe.h
    apercu x impair.bin
    apercu x compte.bin
    apercu x inconnue.bin
    apercu x coupee.bin
    apercu x ligne.h
    apercu x tiret.h
    apercu x cube.h sansimage.txt
    apercu x cube.h sansfin.txt
    apercu x scene0.txt
    apercu x cube.h scene0.txt scene0.txt
    apercu -i deux x cube.h
    apercu -i 3 x cube.h scene0.txt
    apercu x cube.h scene0.txt
    apercu -a 0 x cube.h scene0.txt
    apercu -a 3 x cube.h scene0.txt
    apercu -t panneau.png x cube.h
    apercu -t panneau.png -t panneau.png x panneau.h
    apercu -t large48.png x panneau.h
    apercu -t grande.png x panneau.h
    apercu -t absente.png x panneau.h
    apercu -x absent.c x cube.h
    apercu -x scene0.txt -a 2 x cube.h
    apercu -x scene0.txt -t panneau.png x panneau.h
    apercu -x scene0.txt x cube.h cube.h scene0.txt autre/scene0.txt
    apercu absent/x cube.h
    apercu -t panneau.png panneau panneau.h
    apercu -a 2 -t panneau.png panneau panneau.h
    apercu -a 2 -t seq-planche.png seq panneau.h
    apercu panneau panneau.h
    apercu jeu cube.h
    apercu -i 3 x cube.h scene0.txt camera.txt
    apercu x cube.h camera.txt camera.txt
    apercu x cube.h scene0.txt grandangle.txt
} > refus.txt
diff -u "$ici/refus.attendu" refus.txt
# Without -n too, an output named as the texture is refused, and the texture left as it was.
cp panneau.png avant.png
if "$ici/../../ds/apercu.sh" -t panneau.png panneau panneau.h 2> /dev/null; then exit 1; fi
cmp panneau.png avant.png
