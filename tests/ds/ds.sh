#!/usr/bin/env bash
# The files on the DS (usage: ds.sh meshpress compiler): models converted and compiled with
# meshpress.h, their command stream walked (flux.c); keyframe files compiled: the poses saved;
# the DS preview against the animator's picture of the same scene scaled to the DS screen.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
meshpress=$1 cc="$2 -std=c99 -Wall -Werror -I . -I $ici/../../ds -o flux $ici/flux.c -lm"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
# The samples; faces that share points (the count word, from the point count, falls short of the
# element count) and more points than the faces use (it exceeds it).
cp "$ici"/../../examples/*.txt "$ici"/partages.txt "$ici"/large.txt .
for modele in cube pyramide partages large; do
    printf '%s.txt\n%s\n' "$modele" "$modele" | "$meshpress" > /dev/null
    $cc -DLISTE="\"$modele.h\"" -DTABLEAU="$modele" -DMODELE="\"$modele.txt\""
    ./flux | sed "s/^/$modele: /"
done
# OBJ models, Blender's exports and one written by hand, compiled as the README prescribes; the
# sizes of their materials' images are golden data.
tailles='{"brique", 64, 32}, {"herbe", 16, 64}, {"bonne", 32, 16}, {"panneau", 32, 32}'
for cas in obj_blender obj_blender_etoile obj_blender_texture obj_blender_panneau obj_ecrit_a_la_main obj_textures_a_128; do
    cp -r "$ici/../golden/meshpress/$cas" . && (cd "$cas" && "$meshpress" < console.in > /dev/null 2>&1)
    { read -r modele; read -r nom; } < "$cas/console.in"
    $cc -DMESHPRESS_TEXTURE_PACK_ANCIEN -DLISTE="\"$cas/$nom.h\"" -DTABLEAU="$nom" -DOBJ="\"$cas/$modele\"" -DTAILLES="$tailles"
    ./flux | sed "s/^/$cas: /"
done
for objet in 0 1; do
    $cc -DIMAGES="\"$ici/../golden/stagehand/scene_posee/attendu/scene$objet.txt\"" -DPOSITION="position$objet"
    ./flux
done > poses.txt
diff -u "$ici/poses.attendu" poses.txt
# The DS preview against the animator's picture of the same scene scaled to the DS screen (usage:
# apercu case name options [keyframe files]): a posed scene, sent as dessinerliste and as
# glCallList would, and Blender's exports.
apercu() {
    local cas=$1 nom=$2 options=$3
    shift 3
    "$ici/../../ds/apercu.sh" $options "$nom" "$cas"/*.h "$@" > /dev/null
    pngtopnm "$nom.png" | pnmtoplainpnm > "$nom.ppm"
    pamscale -nomix -width 256 -height 192 "$cas/image.ppm" | pnmtoplainpnm > "$nom-animateur.ppm"
}
# Intersection over union of the black (first object) and of the white pixels of two plain PPM
# pictures: at least 0.9 for the preview, visibly less when a word past each array is sent.
iou() {
    awk 'FNR == 1 { image++; entete = 4; n = 0 }
         { for (i = 1; i <= NF; i++) if (entete > 0) entete--; else { v[n % 3] = $i; if (n++ % 3 == 2) {
               c = v[0] < 64 && v[1] < 64 && v[2] < 64 ? 1 : v[0] > 192 && v[1] > 192 && v[2] > 192 ? 2 : 0
               if (image == 1) a[n] = c; else for (k = 1; k <= 2; k++) { inter[k] += a[n] == k && c == k; uni[k] += a[n] == k || c == k } } } }
         END { for (k = 1; k <= 2; k++) printf "%.3f ", uni[k] ? inter[k] / uni[k] : 0 }' "$1" "$2"
}
cas="$ici/../golden/stagehand"
apercu "$cas/pose_ds" ds "" "$cas"/pose_ds/attendu/scene?.txt
apercu "$cas/pose_ds" ds-g -g "$cas"/pose_ds/attendu/scene?.txt
apercu "$cas/obj_blender" obj ""
set -- $(iou ds-animateur.ppm ds.ppm) $(iou ds-animateur.ppm ds-g.ppm) $(iou obj-animateur.ppm obj.ppm)
echo "preview against the animator, black and white objects: $1 $2; sent as glCallList: $3 $4; Blender's exports: $5 $6"
awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v e="$5" -v f="$6" 'BEGIN { exit !(a >= 0.9 && b >= 0.9 && (c < 0.5 || d < 0.5) && e >= 0.9 && f >= 0.9) }'
# Blender's sign drawn with its texture on the DS as Blender shows it: a white corner at the top
# left, red growing to the right and green upwards (the colours at four points inside its corners).
"$ici/../../ds/apercu.sh" -t obj_blender_panneau/panneau.png panneau obj_blender_panneau/panneau.h > /dev/null
pngtopnm panneau.png | pnmtoplainpnm > panneau.ppm
pixel() { awk -v x="$1" -v y="$2" 'NR == 2 { w = $1 } NR > 3 { for (i = 1; i <= NF; i++) { if (int(n / 3) == y * w + x) printf "%s ", $i; n++ } }' panneau.ppm; }
set -- $(pixel 98 66) $(pixel 158 66) $(pixel 158 126) $(pixel 98 126)
echo "the textured sign's corners on the DS preview (top left, top right, bottom right, bottom left): $*"
[ "$#" -eq 12 ] && awk -v c="$*" 'BEGIN { split(c, v, " "); exit !(v[1] > 200 && v[2] > 200 && v[3] > 200 &&
    v[4] > 150 && v[5] > 150 && v[7] > 150 && v[8] < 100 && v[10] < 100 && v[11] < 100) }'
