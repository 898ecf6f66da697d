#!/usr/bin/env bash
# meshpress-texture held to the images (usage: texels.sh meshpress-texture): each texel of the C
# file, decoded as GBATEK lays out a direct-colour texel (red in bits 0-4, green 5-9, blue 10-14,
# bit 15 opaque), against the image's pixel as netpbm reads it, each channel brought to 5 bits by
# pnmdepth and the alpha opaque from 128; then the images no DS texture can be, refused.
set -euo pipefail
texturer=$(realpath "$1") exemple=$(realpath "$(dirname "$0")/../../examples/panneau.png") golden=$(realpath "$(dirname "$0")/../golden/meshpress")
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
# 16 x 16: every value of each channel once, the alpha a ramp.
awk 'BEGIN { print "P3\n16 16\n255"; for (i = 0; i < 256; i++) print i, 255 - i, (i * 7) % 256 }' > rampe.ppm
awk 'BEGIN { print "P2\n16 16\n255"; for (i = 0; i < 256; i++) print (i * 3) % 256 }' > alpha.pgm
pnmtopng -alpha=alpha.pgm rampe.ppm > alpha.png
pnmtopng rampe.ppm > opaque.png
ppmtobmp rampe.ppm > rampe.bmp 2> /dev/null
pamdepth 65535 rampe.ppm | pnmtopng > seize.png
# 64 x 8: rows and columns not to be exchanged.
awk 'BEGIN { print "P3\n64 8\n255"; for (y = 0; y < 8; y++) for (x = 0; x < 64; x++) print 4 * x, 32 * y, 255 - 4 * x }' | pnmtopng > large.png
# An image's pixels reduced to 5 bits, and its alpha's bit: one line of four numbers a pixel.
attendus() {
    paste -d ' ' <(anytopnm "$1" 2> /dev/null | pnmdepth 31 | pnmtoplainpnm | tail -n +4 | tr -s ' \n' '\n\n' | grep . | paste -d ' ' - - -) \
        <(if [ "$2" = oui ]; then pngtopnm -alpha "$1" | pnmdepth 255 | pnmtoplainpnm | tail -n +4 | tr -s ' \n' '\n\n' | grep . | awk '{ print ($1 >= 128) }'
          else anytopnm "$1" 2> /dev/null | pnmtoplainpnm | tail -n +4 | tr -s ' \n' '\n\n' | grep . | paste - - - | awk '{ print 1 }'; fi)
}
decodes() {
    grep -o '0x[0-9a-f]\{4\}' "$1" | awk '{ v = 0; for (i = 3; i <= 6; i++) v = 16 * v + index("0123456789abcdef", substr($1, i, 1)) - 1
                                             print v % 32, int(v / 32) % 32, int(v / 1024) % 32, int(v / 32768) }'
}
for cas in "alpha.png oui" "opaque.png non" "rampe.bmp non" "seize.png non" "large.png non" "$exemple non"; do
    set -- $cas
    "$texturer" "$1" t.h
    diff <(attendus "$1" "$2") <(decodes t.h) > /dev/null || { echo "$1: texels differ from its pixels"; diff <(attendus "$1" "$2") <(decodes t.h) | head; exit 1; }
    echo "$(basename "$1"): $(decodes t.h | wc -l) texels as its pixels; $(grep -o 'TEXTURE_SIZE_[0-9]*' t.h | tr '\n' ' ')"
done
# From a model: the image its material names, found as meshpress finds it; of several, the
# first, the others said; the files it was made from, as make reads them.
cas=$golden
cp -r "$cas/obj_blender_panneau" "$cas/obj_formats_image" .
"$texturer" obj_blender_panneau/panneau.obj panneau_texture.h panneau_texture.d
diff <(attendus obj_blender_panneau/panneau.png non) <(decodes panneau_texture.h) > /dev/null
[ "$(cat panneau_texture.d)" = "$(printf 'panneau_texture.h: obj_blender_panneau/panneau.obj obj_blender_panneau/panneau.png\nobj_blender_panneau/panneau.png:')" ]
# Of several images, the first is converted: here a JPEG, which it does not read.
if (cd obj_formats_image && "$texturer" formats.obj f.h 2> message.txt); then exit 1; fi
grep -q "formats.obj : ses faces prennent 13 images ; la liste se dessine avec une seule texture liee : seule la premiere, base.jpg, est convertie" obj_formats_image/message.txt
grep -q "base.jpg : pas une image PNG ou BMP lisible .*: enregistrez-la en PNG" obj_formats_image/message.txt
[ ! -e obj_formats_image/f.h ]
# Accented names, the model's and its image's in a UTF-8 MTL.
cp -r "$cas/obj_noms_accentues" .
"$texturer" obj_noms_accentues/modèle.obj accents.h accents.d
diff <(attendus obj_noms_accentues/images/tête.png non) <(decodes accents.h) > /dev/null
grep -q "^accents.h: obj_noms_accentues/modèle.obj obj_noms_accentues/images/tête.png$" accents.d
echo "from a model: its material's image, and of several the first"
# What no DS texture can be: said, status 1, no file left for the compile.
for cas in "48 32" "2048 8" "1024 512" "4 8"; do
    set -- $cas
    ppmmake red "$1" "$2" | pnmtopng > refusee.png
    if "$texturer" refusee.png r.h 2> message.txt || [ -e r.h ]; then echo "$1 x $2: converted"; exit 1; fi
    grep -q "refusee.png : $1 x $2 : les cotes d'une texture de la DS sont des puissances de deux de 8 a 1024, et elle tient dans ses 512 Kio" message.txt
done
echo "pas une image" > faux.png
if "$texturer" faux.png r.h 2> message.txt; then exit 1; fi
grep -q "faux.png : pas une image PNG ou BMP lisible (ni PNG ni BMP, ou abimee)" message.txt
if "$texturer" absente.png r.h 2> message.txt; then exit 1; fi
grep -q "absente.png : fichier ou dossier introuvable" message.txt
# A PNG whose data chunk claims 2 GiB: refused before the decoder allocates it.
printf '\211PNG\r\n\032\n\177\377\377\377IDAT' > enorme.png
if "$texturer" enorme.png r.h 2> message.txt; then exit 1; fi
grep -q "enorme.png : pas une image PNG ou BMP lisible (un bloc du PNG passe la fin du fichier)" message.txt
echo "images no DS texture can be: refused"
# Outputs that name an input, or a file it did not write: refused, every file as it was; its own
# files are written again.
cd obj_blender_panneau
empreintes=$(cksum panneau.obj panneau.mtl panneau.png)
echo "int garde;" > programme.h
for cas in "panneau.png panneau.obj" "panneau.obj panneau.png" "panneau.obj panneau.mtl" "panneau.obj ./panneau.obj" \
           "panneau.obj programme.h" "panneau.obj t.h panneau.mtl" "panneau.obj t.h programme.h" "panneau.obj t.h t.h"; do
    if "$texturer" $cas 2> message.txt; then echo "meshpress-texture $cas: written"; exit 1; fi
    set -- $cas; sortie=${3:-$2}
    grep -q -e "$sortie est un des fichiers lus" -e "$sortie existe et n'a pas ete ecrit par ce programme" -e "meme nom" message.txt ||
        { echo "meshpress-texture $cas:"; cat message.txt; exit 1; }
done
[ "$(cksum panneau.obj panneau.mtl panneau.png)" = "$empreintes" ] && [ "$(cat programme.h)" = "int garde;" ]
[ ! -e t.h ] && [ ! -e panneau.h ]
"$texturer" panneau.obj t.h t.d && "$texturer" panneau.obj t.h t.d && "$texturer" panneau.obj t.h t.d
echo "outputs naming an input or another's file: refused, nothing changed"
