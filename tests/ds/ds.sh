#!/usr/bin/env bash
# The files on the DS (usage: ds.sh meshpress compiler meshpress-texture): models converted and compiled with
# meshpress.h, their command stream walked (flux.c); keyframe files compiled: the poses saved;
# the DS preview against the animator's picture of the same scene scaled to the DS screen.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
meshpress=$1 compilateur=$2 texturer=$3 cc="$2 -std=c99 -Wall -Werror -I . -I $ici/../../ds -o flux $ici/flux.c -lm"
export MESHPRESS_TEXTURE=$texturer
travail=$(mktemp -d) serveur="" gestionnaire=""
trap 'kill $gestionnaire $serveur 2> /dev/null; rm -rf "$travail"' EXIT
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
# The formats' images, as ImageMagick's identify gives their sizes.
tailles+=', {"jpeg_base", 64, 32}, {"jpeg_progressif", 16, 64}, {"tga_brut", 32, 16}, {"tga_rle", 8, 128}'
tailles+=', {"png", 128, 8}, {"bmp_v3", 16, 256}, {"bmp_os2", 256, 16}, {"bmp_v5", 8, 8}'
# Images named as other machines and spacings write them, and materials beyond the table's 1024.
tailles+=', {"propre", 64, 32}, {"windows", 32, 16}, {"unix", 16, 8}, {"espaces", 8, 16}'
tailles+=', {"tabulation", 128, 32}, {"m1", 32, 8}, {"m1024", 32, 8}'
for cas in obj_blender obj_blender_etoile obj_blender_texture obj_blender_panneau obj_ecrit_a_la_main obj_textures_a_128 \
           obj_formats_image obj_noms_images obj_nom_tabulation obj_matieres_1025 obj_polygones reel_lightwave_concave; do
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
    "$ici/../../ds/apercu.sh" $options "$nom" "$cas"/*.h "$@" > /dev/null 2> "$nom.err" || { cat "$nom.err"; exit 1; }
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
# On a display with a window manager (openbox, which frames and places windows), the same
# picture, byte for byte.
Xvfb -displayfd 1 -screen 0 640x480x24 -nolisten tcp > ecran 2> /dev/null & serveur=$!
for _ in $(seq 100); do [ -s ecran ] || sleep 0.1; done
DISPLAY=:$(cat ecran) openbox --startup "touch $PWD/pret" > /dev/null 2>&1 & gestionnaire=$!
for _ in $(seq 100); do [ -e pret ] || sleep 0.1; done
[ -e pret ]
# Written over another picture of the preview's, which it takes as its own.
cp obj.png ds-openbox.png
DISPLAY=:$(cat ecran) "$ici/../../ds/apercu.sh" ds-openbox "$cas"/pose_ds/*.h "$cas"/pose_ds/attendu/scene?.txt > /dev/null
cmp ds.png ds-openbox.png
echo "the preview on a display with a window manager: the same picture"
# A scene posed with the animator's camera moved, out of the DS's start view: the picture holds
# the clear colour alone, and the preview says so, with status 0.
"$ici/../../ds/apercu.sh" vide "$cas"/scene_posee/*.h "$cas"/scene_posee/attendu/scene?.txt > /dev/null 2> vide.err
[ "$(pngtopnm vide.png | ppmhist -noheader | wc -l)" = 1 ]
grep -q 'only the clear colour' vide.err
if grep -q 'clear colour' ds.err obj.err; then exit 1; fi
echo "a picture of the clear colour alone: said"
set -- $(iou ds-animateur.ppm ds.ppm) $(iou ds-animateur.ppm ds-g.ppm) $(iou obj-animateur.ppm obj.ppm)
echo "preview against the animator, black and white objects: $1 $2; sent as glCallList: $3 $4; Blender's exports: $5 $6"
awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v e="$5" -v f="$6" 'BEGIN { exit !(a >= 0.9 && b >= 0.9 && (c < 0.5 || d < 0.5) && e >= 0.9 && f >= 0.9) }'
# Lists of meshpress's options in the preview, for a sphere (listes.py): its strips (--compacte)
# drawn as today's triangles of it, pixel for pixel, and fitted with a scale matrix and vertex
# differences too (encoded apart, in listes.py); its quads as their triangles (intersection over
# union at least 0.99); with normals, lit by eclairer(): the strips as their triangles, the .bin
# as its text, pixel for pixel, and the sphere at least twice as bright towards the light
# (its upper left: 8 + 24 n.l of 31 where the normal faces it) as away from it (its lower right:
# the ambient 8).
mkdir listes && python3 "$ici/listes.py" listes
convertir() { (cd listes && printf '%s.obj\n%s\n' "$1" "$2" | "$meshpress" "${@:3}" > /dev/null); }
convertir boule boule_ancien && convertir boule bande --compacte && convertir carres carres_ancien && convertir carres carres --compacte
convertir boule eclairee --normales --compacte && convertir boule eclairee --normales --compacte --binaire && convertir boule eclaireetri --normales
for l in boule_ancien.h bande.h ajustee.h carres_ancien.h carres.h eclairee.h eclairee.bin eclaireetri.h; do
    "$ici/../../ds/apercu.sh" "${l/./-}" "listes/$l" > /dev/null 2> "${l/./-}.err" || { cat "${l/./-}.err"; exit 1; }
    pngtopnm "${l/./-}.png" | pnmtoplainpnm > "${l/./-}.ppm"
done
cmp boule_ancien-h.ppm bande-h.ppm && cmp bande-h.ppm ajustee-h.ppm && cmp eclairee-h.ppm eclairee-bin.ppm && cmp eclairee-h.ppm eclaireetri-h.ppm
# A program of one's own given the .bin as BlocksDS's bin2c gives it (-x): the same picture.
cat > binaire.c <<'C'
#include <nds.h>
#include "meshpress.h"
#include "eclairee_bin.h"
int main(void) {
    videoSetMode(MODE_0_3D);
    glInit();
    glClearColor(0, 0, 31, 31);
    glClearPolyID(63);
    glClearDepth(GL_MAX_DEPTH);
    glViewport(0, 0, 255, 191);
    for (;;) {
        vueanimateur();
        glPushMatrix();
        eclairer();
        polygoneseclaires(POLY_ALPHA(31) | POLY_CULL_NONE);
        echelleanimateur();
        glCallList((const u32 *)eclairee_bin);
        glPopMatrix(1);
        glFlush(0);
        swiWaitForVBlank();
    }
}
C
"$ici/../../ds/apercu.sh" -x binaire.c binaire listes/eclairee.bin > /dev/null
cmp <(pngtopnm binaire.png | pnmtoplainpnm) eclairee-h.ppm
# Triangle strips (BEGIN 2) there, and quads or quad strips (BEGIN 1 or 3): a BEGIN first of its
# packed word has its parameter first.
grep -q 'PACK(FIFO_BEGIN, [A-Z0-9_, ]*),0x00000002,' listes/bande.h && grep -q 'PACK(FIFO_BEGIN, [A-Z0-9_, ]*),0x0000000[13],' listes/carres.h
set -- $(iou carres_ancien-h.ppm carres-h.ppm)
# The sum of red, green and blue half the radius of a sphere from its centre, up left and down
# right: of the pixels neither the animator's blue nor white (another object) in a plain PPM.
eclairage() {
    awk 'NR == 2 { w = $1 } NR > 3 { for (i = 1; i <= NF; i++) v[n++] = $i }
         END { for (p = 0; p < n / 3; p++) if (v[3 * p + 2] != 248 || v[3 * p] > 0 && v[3 * p] < 248) { x = p % w; y = int(p / w)
                   if (!m++) { g = d = x; h = b = y } g = x < g ? x : g; d = x > d ? x : d; h = y < h ? y : h; b = y > b ? y : b }
               cx = int((g + d) / 2); cy = int((h + b) / 2); r = (d - g) / 4
               o = 3 * (int(cy - r) * w + int(cx - r)); q = 3 * (int(cy + r) * w + int(cx + r))
               print v[o] + v[o + 1] + v[o + 2], v[q] + v[q + 1] + v[q + 2] }' "$1"
}
set -- "$@" $(eclairage eclairee-h.ppm)
echo "compact lists in the preview: strips, fitted strips, lit strips and the .bin as today's triangles; quads against their triangles: $1; the lit sphere up left and down right: $3 $4"
awk -v q="$1" -v h="$3" -v b="$4" 'BEGIN { exit !(q >= 0.99 && h >= 2 * b && b > 0) }'
# The example DS program over the test double of libnds's names, on the host: what it asks of the
# DS for two frames, A pressed before the second.
exemple=$ici/../../examples/ds/main.c
# Its sign: Blender's export and image, converted as the build fragments convert them.
# Its sphere, Blender's smooth export, converted with its side file's options.
mkdir panneau && cp "$ici"/../../examples/panneau.* "$ici"/../../examples/boule.* panneau/
(cd panneau && printf 'panneau.obj\npanneau\n' | "$meshpress" > /dev/null && "$texturer" panneau.obj panneau_texture.h &&
    printf 'boule.obj\nboule\n' | "$meshpress" $(cat boule.meshpress) > /dev/null)
$compilateur -std=c99 -Wall -Wextra -Werror -I "$ici" -I "$ici/../../ds" -I "$cas/pose_ds" -I "$cas/pose_ds/attendu" -I panneau \
    -DEXEMPLE="\"$exemple\"" -o exemple "$ici/exemple.c"
# Its sphere's list sent whole: the words its count word counts.
./exemple | diff -u <(sed "s/^@boule@/$(sed -n '2s/^u32 boule\[\] = {\([0-9]*\),$/\1/p' panneau/boule.h)/" "$ici/exemple.attendu") -
# Each frame poses the objects at the keyframe of that number that their keyframe files hold, read
# here from their text: f32 values as floatof32 truncates them, angles as written.
poses() { awk -v k="$1" '/^(else )?if\(nombre == [0-9]+\)\{$/ { dans = $0 ~ "== " k "\\)" }
              dans && /^glTranslate3f32/ { s = $0; n = 0
                  while (match(s, /floatof32\(-?[0-9.]+\)/)) { w[n++] = substr(s, RSTART + 10, RLENGTH - 11); s = substr(s, RSTART + RLENGTH) }
                  printf "glTranslate3f32 %d %d %d\n", int(w[0] * 4096), int(w[1] * 4096), int(w[2] * 4096) }
              dans && /^glRotate[XYZ]\(/ { sub(/\(/, " "); sub(/\);$/, ""); printf "%s %g\n", $1, $2 }' "${@:2}"; }
joue() { ./exemple | awk -v k="$1" '/^scanKeys/ { dans = $0 ~ "frame " k "\\)" } dans && /^gl(Translate3f32|Rotate)/'; }
[ "$(joue 1)" = "$(poses 1 "$ici"/../../examples/ds/scene?.txt)" ] && [ "$(joue 2)" = "$(poses 2 "$ici"/../../examples/ds/scene?.txt)" ] &&
    [ "$(joue 1)" != "$(joue 2)" ] || { echo "the example does not play its keyframe files' two keyframes"; exit 1; }
# The preview's fixed-point rotations and perspective against the words computed apart from
# them, from libnds's documented rules (matrices.py wrote the table).
$compilateur -std=c99 -Wall -Wextra -Werror -I "$ici/../../ds/apercu" -o matrices "$ici/matrices.c" "$ici/../../ds/apercu/virgule.c"
./matrices < "$ici/matrices.attendu" | diff -u "$ici/matrices.attendu" -
# The example built with the preview's routines, its sign's image given with -t: on the DS it
# draws what the animator showed, and the sign's image the way up Blender shows it: red at the
# top left, green at the top right, yellow at the bottom left, magenta at the bottom right.
"$ici/../../ds/apercu.sh" -x "$exemple" -t panneau/panneau.png exemple \
    "$cas"/pose_ds/*.h panneau/panneau.h "$cas"/pose_ds/attendu/scene?.txt > /dev/null
pngtopnm exemple.png | pnmtoplainpnm > exemple.ppm
set -- $(iou ds-animateur.ppm exemple.ppm)
# Its sphere, below the sign, lit as the preview's: bright towards the light, dark away.
pngtopnm exemple.png | pnmcut 96 137 64 55 | pnmtoplainpnm > boule.ppm
set -- "$@" $(eclairage boule.ppm)
echo "the example DS program against the animator, black and white objects: $1 $2; its lit sphere up left and down right: $3 $4"
awk -v a="$1" -v b="$2" -v h="$3" -v s="$4" 'BEGIN { exit !(a >= 0.9 && b >= 0.9 && h >= 2 * s && s > 0) }'
# A scene posed with the animator's camera moved between keyframes, its camera file given: each
# keyframe played against the animator's picture of it (at least 0.9); the example given these
# files in place of those beside it draws the first as the animator showed it.
"$ici/../../ds/apercu.sh" -a 2 vue "$cas"/vue_ds/*.h "$cas"/vue_ds/attendu/scene?.txt "$cas"/vue_ds/attendu/scene_camera.txt > /dev/null
"$ici/../../ds/apercu.sh" -x "$exemple" -t panneau/panneau.png autres \
    "$cas"/vue_ds/*.h panneau/panneau.h "$cas"/vue_ds/attendu/scene?.txt "$cas"/vue_ds/attendu/scene_camera.txt > /dev/null
accords=""
for k in 1 2; do
    pngtopnm vue-planche.png | pnmcut $((256 * (k - 1))) 0 256 192 | pnmtoplainpnm > vue$k.ppm
    pamscale -nomix -width 256 -height 192 "$cas/vue_ds/image$k.ppm" | pnmtoplainpnm > vue-animateur$k.ppm
    accords+="$(iou vue-animateur$k.ppm vue$k.ppm)"
done
pngtopnm autres.png | pnmtoplainpnm > autres.ppm
accords+="$(iou vue-animateur1.ppm autres.ppm)"
echo "the animator's camera moved, its keyframes 1 and 2 played, then the example's first, black and white objects: $accords"
awk -v a="$accords" 'BEGIN { n = split(a, v, " "); for (i = 1; i <= n; i++) if (v[i] < 0.9) exit 1; exit n != 6 }'
# Three keyframes of one object played in one run: each picture of the sequence against the
# animator's picture of that keyframe (at least 0.9), and against the others' (well below).
"$ici/../../ds/apercu.sh" -a 3 sequence "$cas"/sequence_ds/cube.h "$cas"/sequence_ds/attendu/scene0.txt > /dev/null
[ "$(gifsicle --info sequence.gif | grep -c '^  + image')" = 3 ]
accords=""
for k in 1 2 3; do
    pngtopnm sequence-planche.png | pnmcut $((256 * (k - 1))) 0 256 192 | pnmtoplainpnm > sequence$k.ppm
    pamscale -nomix -width 256 -height 192 "$cas/sequence_ds/image$k.ppm" | pnmtoplainpnm > animateur$k.ppm
done
for k in 1 2 3; do for j in 1 2 3; do set -- $(iou animateur$k.ppm sequence$j.ppm); accords+="$k$j=$1 "; done; done
echo "the keyframes played against the animator's (keyframe of the animator, of the sequence): $accords"
awk -v a="$accords" 'BEGIN { n = split(a, v, " "); for (i = 1; i <= n; i++) { split(v[i], p, "=");
    if (substr(p[1], 1, 1) == substr(p[1], 2, 1) ? p[2] < 0.9 : p[2] > 0.5) exit 1 } }'
# Blender's sign with a texture of four quadrants, drawn as Blender shows it: red at the top
# left, green at the top right, white at the bottom left, black at the bottom right; with -p
# (today's TEXTURE_PACK) transposed: green and white exchanged.
ppmmake red 16 16 > rouge.ppm; ppmmake green 16 16 > vert.ppm; ppmmake white 16 16 > blanc.ppm; ppmmake black 16 16 > noir.ppm
pamcat -topbottom <(pamcat -leftright rouge.ppm vert.ppm) <(pamcat -leftright blanc.ppm noir.ppm) | pnmtopng > texture.png
# The colour at four points inside the sign's corners, each named by the colour it is nearest to.
quartiers() {
    pngtopnm "$1" | pnmtoplainpnm | awk 'NR == 2 { w = $1 } NR > 3 { for (i = 1; i <= NF; i++) v[n++] = $i }
        END { split("98 66 158 66 98 126 158 126", p, " ")
              split("rouge 255 0 0 vert 0 255 0 blanc 255 255 255 noir 0 0 0 jaune 255 255 0 magenta 255 0 255 bleu 0 0 255", c, " ")
              for (k = 1; k <= 8; k += 2) { o = 3 * (p[k + 1] * w + p[k]); m = 1e9
                  for (q = 1; q <= 28; q += 4) { d = (v[o] - c[q + 1]) ^ 2 + (v[o + 1] - c[q + 2]) ^ 2 + (v[o + 2] - c[q + 3]) ^ 2; if (d < m) { m = d; nom = c[q] } }
                  printf "%s ", nom } }'
}
"$ici/../../ds/apercu.sh" -t texture.png quartiers obj_blender_panneau/panneau.h > /dev/null
"$ici/../../ds/apercu.sh" -p -t texture.png quartiers-p obj_blender_panneau/panneau.h > /dev/null
vu=$(quartiers quartiers.png) vup=$(quartiers quartiers-p.png) vux=$(quartiers exemple.png)
echo "the four quadrants on the sign (top left, top right, bottom left, bottom right): $vu; with -p: $vup; the example's: $vux"
[ "$vux" = "rouge vert jaune magenta " ]
# The animator with --textures (golden case textures: the same sign and image), its picture scaled
# to the DS screen: the quadrants where the DS shows them.
pamscale -nomix -width 256 -height 192 "$cas/textures/image.ppm" | pnmtopng > textures.png
vua=$(quartiers textures.png)
echo "the sign's four quadrants in the animator with --textures: $vua"
[ "$vua" = "$vux" ]
[ "$vu" = "rouge vert blanc noir " ] && [ "$vup" = "rouge blanc vert noir " ]
# A list of meshpress's options writes the texture words as the DS reads them: the sign the way up
# Blender shows it with and without -p (today's TEXTURE_PACK).
(cd obj_blender_panneau && printf 'panneau.obj\ncompact\n' | "$meshpress" --compacte > /dev/null)
"$ici/../../ds/apercu.sh" -t texture.png quartiers-c obj_blender_panneau/compact.h > /dev/null
"$ici/../../ds/apercu.sh" -p -t texture.png quartiers-cp obj_blender_panneau/compact.h > /dev/null
vuc=$(quartiers quartiers-c.png) vucp=$(quartiers quartiers-cp.png)
echo "the compact sign's four quadrants: $vuc; with -p: $vucp"
[ "$vuc" = "rouge vert blanc noir " ] && [ "$vucp" = "$vuc" ]
