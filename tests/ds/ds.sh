#!/bin/sh
# The files on the DS. The samples and generated models converted and compiled as C with
# meshpress.h (flux.c walks what they send to the geometry engine); the golden scene's keyframe
# files compiled with recording doubles: the poses the animator saved. Then the DS preview of the
# golden posed scene against the animator's picture of it scaled to the DS screen: each object's
# pixels (the first black, the others white) overlap, in intersection over union, by at least
# 0.9; sent as glCallList sends it, one word past each array, the scene visibly differs.
# Usage: ds.sh meshpress compiler
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
meshpress=$1 cc="$2 -std=c99 -Wall -Werror -I . -I $ici/../../ds -o flux $ici/flux.c -lm"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
cp "$ici"/../../examples/*.txt .
# Faces that share points (the count word, from the point count, falls short of the element
# count), and more points than the faces use (it exceeds it).
printf 'Nombre_de_points: 4\nPoints: 0 0 0 0\nPoints: 1 10 0 0\nPoints: 2 0 10 0\nPoints: 3 0 0 10\nFaces: 0 0 1 2\nFaces: 1 0 2 3\n' > partages.txt
printf 'Nombre_de_points: 30\nPoints: 0 -79 1 2\nPoints: 1 5 -6 7\nFaces: 0 0 1 0\n' > large.txt
for modele in cube pyramide partages large; do
    printf '%s.txt\n%s\n' "$modele" "$modele" | "$meshpress" > /dev/null
    $cc -DLISTE="\"$modele.h\"" -DTABLEAU="$modele" -DMODELE="\"$modele.txt\""
    printf '%s: ' "$modele"
    ./flux
done
for objet in 0 1; do
    $cc -DIMAGES="\"$ici/../golden/stagehand/scene_posee/attendu/scene$objet.txt\"" -DPOSITION="position$objet"
    ./flux
done > poses.txt
diff -u "$ici/poses.attendu" poses.txt
cas="$ici/../golden/stagehand/pose_ds"
for envoi in "" -g; do
    "$ici/../../ds/apercu.sh" $envoi "ds$envoi" "$cas/cube.h" "$cas/pyramide.h" "$cas/attendu/scene0.txt" \
        "$cas/attendu/scene1.txt" > /dev/null
    pngtopnm "ds$envoi.png" | pnmtoplainpnm > "ds$envoi.ppm"
done
pamscale -nomix -width 256 -height 192 "$cas/image.ppm" | pnmtoplainpnm > animateur.ppm
# Intersection over union of the black and of the white pixels of two plain PPM pictures.
iou() {
    awk 'FNR == 1 { image++; entete = 4; n = 0 }
         { for (i = 1; i <= NF; i++) if (entete > 0) entete--; else { v[n % 3] = $i; if (n++ % 3 == 2) {
               c = v[0] < 64 && v[1] < 64 && v[2] < 64 ? 1 : v[0] > 192 && v[1] > 192 && v[2] > 192 ? 2 : 0
               if (image == 1) a[n] = c; else for (k = 1; k <= 2; k++) { inter[k] += a[n] == k && c == k; uni[k] += a[n] == k || c == k } } } }
         END { for (k = 1; k <= 2; k++) printf "%.3f ", uni[k] ? inter[k] / uni[k] : 0 }' "$1" "$2"
}
set -- $(iou animateur.ppm ds.ppm) $(iou animateur.ppm ds-g.ppm)
echo "preview against the animator, black and white objects: $1 $2; sent as glCallList: $3 $4"
awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" 'BEGIN { exit !(a >= 0.9 && b >= 0.9 && (c < 0.5 || d < 0.5)) }'
