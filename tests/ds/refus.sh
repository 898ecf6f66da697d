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
: > vide.h
apercu() { echo "\$ apercu.sh $*"; "$ici/../../ds/apercu.sh" -n "$@" 2>&1 && echo "(status 0)" || echo "(status $?)"; }
{
    apercu x cube.txt
    apercu x cube.h cube.txt
    apercu x absent.h
    apercu x .
    apercu x vide.h
    apercu x coupe.h
    apercu x tiret.h
    apercu x cube.h sansimage.txt
    apercu x cube.h sansfin.txt
    apercu x scene0.txt
    apercu x cube.h scene0.txt scene0.txt
    apercu -i deux x cube.h
    apercu -i 3 x cube.h scene0.txt
    apercu x cube.h scene0.txt
} > refus.txt
diff -u "$ici/refus.attendu" refus.txt
