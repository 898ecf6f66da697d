#!/usr/bin/env bash
# The README as a newcomer follows it (usage: route.sh build-folder): every relative link of the
# README and of docs/ names a file that exists, and the road's commands (its sh blocks), run as
# written in a copy of the repository's README, examples and DS side over the given build, leave
# what the README says they leave: the picture of the example program is the one it shows.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd) construction=$(realpath "$1")
cd "$racine"
manquants=0
for page in README.md docs/*.md; do
    dossier=$(dirname "$page")
    while read -r lien; do
        cible=${lien%%#*}
        [ -n "$cible" ] || continue
        [ -e "$dossier/$cible" ] || { echo "$page: the link $lien names no file"; manquants=$((manquants + 1)); }
    done < <(grep -o '](\([^)]*\))' "$page" | sed 's/^](\(.*\))$/\1/' | grep -v -E '^(https?:|mailto:)')
done
[ "$manquants" = 0 ]
echo "links of README.md and docs/: every one names a file"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cp -r README.md examples ds "$travail/"
ln -s "$construction" "$travail/build"
cd "$travail"
awk '/^```sh$/ { dedans = 1; next } /^```$/ { dedans = 0 } dedans' README.md > route.sh
# The DS build line over a stand-in for BlocksDS: the example compiled on the host.
BLOCKSDS=$racine/tests/ds/blocksds bash -euo pipefail route.sh > route.log 2>&1 || { cat route.log; exit 1; }
[ -s examples/ds/example.nds ] || { echo "make -C examples/ds left no example.nds"; cat route.log; exit 1; }
# It converts the example's models, and them alone, without a word on them.
[ "$(grep -o '^meshpress\(-texture\)\{0,1\} [^ ]*' route.log | sort | tr '\n' ' ')" = \
  "meshpress ../boule.obj meshpress ../cube.txt meshpress ../panneau.obj meshpress ../pyramide.txt meshpress-texture ../boule.obj meshpress-texture ../panneau.obj " ] &&
    ! grep -q 'attention' route.log || { echo "make -C examples/ds converted otherwise:"; cat route.log; exit 1; }
# Step 4, stagehand, as written, on an X server of its own: the README's answers on the console,
# then Enter and Esc in the window.
awk '/^### 4\./ { etape = 1 } etape && /^```console$/ { dedans = 1; next } dedans && /^```$/ { exit } dedans' README.md > pose.sh
printf 'cube.h\n1\npyramide.h\n0\nscene\n' |
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        (fenetre=$(timeout 20 xdotool search --sync --name "^stagehand") &&
         sleep 1 && xdotool key --window "$fenetre" Return && sleep 0.5 && xdotool key --window "$fenetre" Escape) &
        bash -euo pipefail pose.sh' > pose.log 2>&1 || { cat pose.sh pose.log; exit 1; }
grep -q '^if(nombre == 1){$' route/scene0.txt && grep -q '^if(nombre == 1){$' route/scene1.txt ||
    { echo "stagehand as the README runs it left no keyframe in route/"; cat pose.log; exit 1; }
for f in panneau.h cube.h pyramide.h panneau_texture.h apercu-panneau.png exemple.png; do
    [ -s "route/$f" ] || { echo "the road left no route/$f"; cat route.log; exit 1; }
done
cmp <(pngtopnm route/exemple.png) <(pngtopnm "$racine/docs/exemple.png") ||
    { echo "route/exemple.png is not the README's picture docs/exemple.png"; exit 1; }
echo "the README's road: $(grep -c . route.sh) commands run as written; the example's picture is the README's"
