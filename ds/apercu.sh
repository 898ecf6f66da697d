#!/usr/bin/env bash
# The DS preview: builds a tiny DS program around display-list files (and the animator's keyframe
# files, the n-th for the n-th object, posed at one keyframe number, and its camera file, the
# view of that keyframe, else the animator's start view; lists written with meshpress's options
# too, .bin ones among them, those with normals lit as eclairer() lights them), drawn as the example DS
# program draws them, runs it in the DeSmuME emulator, always on a virtual X server of its own (a
# window manager on the user's display moves and frames the window, and the picture with it), and
# leaves SORTIE.nds and SORTIE.png, the DS's top screen; or, with -a, the
# keyframes played one after another: SORTIE.gif and SORTIE-planche.png; an output that would
# replace one of the inputs is refused; a picture of the clear colour alone is said. Needs
# gcc-arm-none-eabi, desmume, xvfb, xdotool, x11-apps, netpbm, meshpress-texture
# (MESHPRESS_TEXTURE names another), and gifsicle for -a.
# Usage: apercu.sh [-i keyframe] [-a last] [-g] [-t image]... [-p] [-x program.c] [-n] SORTIE file.h|file.bin... [keyframes.txt...] [base_camera.txt]
#   -i  the keyframe number the objects are posed at (default 1)
#   -a  plays keyframes -i to this one: an animated GIF, a keyframe a step, and a contact sheet
#   -g  sends each list as glCallList would: count-word words, the last one past the array
#   -t  a texture (PNG, or BMP; sides powers of two from 8 to 1024, 512 KiB in all): the k-th -t
#       for the k-th textured list, or one for all of them
#   -p  packs the texture words with today's TEXTURE_PACK, as a program without
#       MESHPRESS_TEXTURE_PACK_ANCIEN does (by default the README's include is followed)
#   -x  builds this DS program (yours, the example's) in place of the preview's own: the picture
#       it draws once it no longer changes. Each file given is the one it includes by that name;
#       what else it includes is looked for in the files' folders, then in its own; with -t, each
#       textured list's image becomes stem_texture.h (meshpress-texture), for the program's
#       chargertexture(stem_texture); not with -a
#   -n  checks the files only: builds and runs nothing
set -euo pipefail
# A step that fails ends the preview with status 1, as a refusal does, its tool named.
echouer() {
    local etat=$? commande=${BASH_COMMAND%% *}
    commande=${commande//\"/}
    echo "apercu: ${commande##*/} failed (status $etat)" >&2
    exit 1
}
trap echouer ERR
arguments=("$@")
# Installed, the command is a link to this script: its DS sources are beside the script itself.
ici=$(cd "$(dirname "$(realpath -- "$0")")" && pwd)
image=1 derniere="" glcalllist=0 verifier=0 paquet=ancien images=() programme=""
usage() { sed -n "s/^# Usage: apercu.sh/usage: ${0##*/}/p" "$0" >&2; exit 2; }
refuser() { echo "apercu: $*" >&2; exit 1; }
# Said once: not again by the run on the virtual X server.
avertir() { [ -n "${APERCU_XVFB:-}" ] || echo "apercu: $*" >&2; }
while getopts "i:a:gt:px:n" option; do
    case $option in
        i) image=$OPTARG ;;
        a) derniere=$OPTARG ;;
        g) glcalllist=1 ;;
        t) images+=("$OPTARG") ;;
        p) paquet=aujourdhui ;;
        x) programme=$OPTARG ;;
        n) verifier=1 ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
[[ $image =~ ^[0-9]+$ ]] || refuser "-i takes a keyframe number (1, 2, ...), not '$image'"
[ -z "$derniere" ] || [[ $derniere =~ ^[0-9]+$ && $derniere -ge $image && $derniere -le 1023 ]] ||
    refuser "-a takes the last keyframe to play, from $image (-i) to 1023, not '$derniere'"
[ $# -ge 2 ] || usage
[ -z "$programme" ] || [ -f "$programme" ] || refuser "$programme: no such DS program"
[ -z "$programme" ] || programme=$(realpath -- "$programme")
[ -z "$programme" ] || [ -z "$derniere" ] || refuser "-x and -a: a program of your own steps through its keyframes itself"
[ -d "$(dirname -- "$1")" ] || refuser "$(dirname -- "$1"): no such folder for the output"
sortie=$(realpath -m -- "$1")
shift
# Nothing written may replace one of the inputs: the pictures and the DS program go elsewhere.
produits=("$sortie.nds")
[ -n "$derniere" ] && produits+=("$sortie.gif" "$sortie-planche.png") || produits+=("$sortie.png")
for f in "$@" "${images[@]}" ${programme:+"$programme"}; do
    for p in "${produits[@]}"; do
        [ "$(realpath -m -- "$f")" != "$(realpath -m -- "$p")" ] || refuser "the output ${p##*/} would replace the input $f: give another output name than '${sortie##*/}'"
    done
done
# Nor a file the preview did not write: its pictures carry its name, its cartridges its title.
sienne() {
    case $1 in
        *.nds) [ "$(head -c 6 -- "$1")" = APERCU ] ;;
        *) head -c 4096 -- "$1" | grep -a -q "$marque" ;;
    esac
}
marque="meshpress-apercu"
for p in "${produits[@]}"; do
    [ ! -s "$p" ] || sienne "$p" || refuser "the output ${p##*/} exists and was not written by the preview: give another output name than '${sortie##*/}', or remove it first"
done

# Every file is checked before anything is built: a file that is not what the preview takes is
# named with what is wrong with it.
modele() { grep -q -E '^(Nombre_de_points:|Points:|v |f )' "$1" && echo " (a model: convert it with meshpress and give the .h it writes)"; true; }
listes=() cles=()
for f in "$@"; do
    [ -e "$f" ] || refuser "$f: no such file"
    [ -f "$f" ] && [ -r "$f" ] || refuser "$f: not a readable file"
    [ -s "$f" ] || refuser "$f: empty"
    case $f in *.txt) cles+=("$f") ;; *) listes+=("$f") ;; esac
done
# A list of meshpress --binaire (little-endian u32 words, the count word first: the number of
# words after it) as the C text meshpress writes without it, its array named after the file's
# stem; or what is wrong with it, on standard error, and status 1. Each command is named as in
# the text, from its id (GBATEK's), with its number of parameter words.
entexte() {
    local octets
    octets=$(stat -c %s -- "$1")
    [ $((octets % 4)) = 0 ] || { echo "$octets bytes, not whole 4-byte words" >&2; return 1; }
    od -An -v -tu4 -w4 --endian=little -- "$1" | awk -v nom="$(basename -- "$1" .bin)" '
        BEGIN { split("0 FIFO_NOP 0 17 FIFO_MATRIX_PUSH 0 18 FIFO_MATRIX_POP 1 27 FIFO_MATRIX_SCALE 3 32 FIFO_COLOR 1 33 FIFO_NORMAL 1 34 FIFO_TEX_COORD 1 35 FIFO_VERTEX16 2 36 FIFO_VERTEX10 1 37 FIFO_VERTEX_XY 1 38 FIFO_VERTEX_XZ 1 39 FIFO_VERTEX_YZ 1 40 FIFO_VERTEX_DIFF 1 48 FIFO_DIFFUSE_AMBIENT 1 64 FIFO_BEGIN 1 65 FIFO_END 0", t, " ")
                for (i = 1; i in t; i += 3) { noms[t[i]] = t[i + 1]; parametres[t[i]] = t[i + 2] } }
        { mot[NR - 1] = $1 }
        END { n = NR - 1
              if (mot[0] != n) { printf "its count word says %.0f words after it, and the file holds %d", mot[0], n > "/dev/stderr"; exit 1 }
              printf "/* meshpress --binaire : %d mots apres le premier */\nu32 %s[] = {%d,\n", n, nom, n
              for (j = 1; j <= n;) {
                  w = mot[j++]; ligne = "FIFO_COMMAND_PACK("; p = 0
                  for (k = 0; k < 4; k++) { c = int(w / 256 ^ k) % 256
                      if (!(c in noms)) { printf "its word %d names the command 0x%02X, which meshpress does not write", j - 1, c > "/dev/stderr"; exit 1 }
                      ligne = ligne (k ? ", " : "") noms[c]; p += parametres[c] }
                  if (j + p - 1 > n) { printf "cut short: the parameters of its word %d are missing", j - 1 > "/dev/stderr"; exit 1 }
                  for (ligne = ligne "),"; p > 0; p--) ligne = ligne sprintf("0x%08X,", mot[j++])
                  print ligne
              }
              printf "};" }'
}
# A list's array is on its first line, or on its second after the comment of a list written with
# meshpress's options, whose third line is a packed command word.
declare -A entete
for f in "${listes[@]}"; do
    if [[ $f == *.bin ]]; then
        pourquoi=$(entexte "$f" 2>&1 > /dev/null) || refuser "$f: not a display list of meshpress --binaire: $pourquoi"
        [[ $(basename -- "$f" .bin) =~ ^[A-Za-z_][A-Za-z0-9_]*$ ]] || refuser "$f: its stem is no C name, and the array is named after it: rename it with letters, digits and '_'"
        continue
    fi
    entete[$f]=1
    if sed -n '1{/^\/\* meshpress .* : [0-9][0-9]* mots apres le premier \*\/$/q0};q1' "$f"; then
        entete[$f]=2
        sed -n '2{p;q}' "$f" | grep -q '^u32 [^ ]*\[\] = {[0-9][0-9]*,$' || refuser "$f: not a display-list file of meshpress: its second line, after meshpress's comment, is not 'u32 name[] = {count,'"
        sed -n '3{p;q}' "$f" | grep -q '^FIFO_COMMAND_PACK(' || refuser "$f: not a display-list file of meshpress: its third line is not a packed command word"
    else
        sed -n '1{/^u32 [^ ]*\[\] = {-\{0,1\}[0-9][0-9]*,$/q0};q1' "$f" || refuser "$f: not a display-list file of meshpress: its first line is not 'u32 name[] = {count,'$(modele "$f")"
        [ "$(sed -n '2,3p' "$f")" = "$(printf ' FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n GL_TRIANGLE,')" ] ||
            refuser "$f: not a display-list file of meshpress: its second and third lines are not the format's"
    fi
    sed -n "${entete[$f]}{p;q}" "$f" | grep -q '^u32 [A-Za-z_][A-Za-z0-9_]*\[\]' || refuser "$f: its array's name is no C name: convert it again under a base name of letters, digits and '_'"
    [ "$(grep -v -x '[[:space:]]*' "$f" | tail -n 1)" = "};" ] || refuser "$f: cut short: it does not end with the terminator '};'"
done
# The camera file, told by its function: the view of each keyframe, not an object's pose.
camera="" objets=()
for f in "${cles[@]}"; do
    if sed -n '1{/^void camera(int nombre){$/q0};q1' "$f"; then
        [ -z "$camera" ] || refuser "$f and $camera: two camera files: give the one of the scene's base name"
        [ "$(sed -n '2,6p' "$f")" = "$(printf 'glMatrixMode(GL_PROJECTION);\nglLoadIdentity();\ngluPerspective(45, 256.0 / 192.0, 0.1, 1000);\nglMatrixMode(GL_MODELVIEW);\nglLoadIdentity();')" ] ||
            refuser "$f: not a camera file of stagehand: its lines 2 to 6 are not the projection stagehand writes"
        camera=$f
    else
        objets+=("$f")
    fi
done
cles=("${objets[@]}")
for i in "${!cles[@]}" ${camera:+camera}; do
    [ "$i" = camera ] && f=$camera || f=${cles[$i]}
    if [ "$i" != camera ] && ! sed -n '1{/^void position[0-9]*(int nombre){$/q0};q1' "$f"; then
        [ "$(cat "$f")" != "}" ] || refuser "$f: holds no keyframe, only the closing brace: press Enter once in stagehand before Esc"
        refuser "$f: not a keyframe file of stagehand: its first line is not 'void positionN(int nombre){'$(modele "$f")"
    fi
    blocs=$(grep -c -E '^(else )?if\(nombre == [0-9]+\)\{$' "$f" || true)
    [ "$(grep -c -x '}' "$f" || true)" -gt "$blocs" ] || refuser "$f: no closing brace of its function (stagehand did not end with Esc or the window's closing): it will not compile"
    if [ "$image" -lt 1 ] || [ "${derniere:-$image}" -gt "$blocs" ]; then
        [ -z "$derniere" ] && quelles="keyframe $image is not one" || quelles="keyframes $image to $derniere are not all"
        [ "$i" = camera ] && quoi="the eye is at the origin looking towards negative z" || quoi="object $((i + 1)) is drawn unposed"
        avertir "$quelles of $f (1 to $blocs): $quoi there, as the DS draws it"
    fi
done
# The texture converter: MESHPRESS_TEXTURE, else the one built beside this script in the
# repository, else the one installed.
texturer=${MESHPRESS_TEXTURE:-}
[ -n "$texturer" ] || { [ -x "$ici/../build/texture/meshpress-texture" ] && texturer=$ici/../build/texture/meshpress-texture; } || texturer=meshpress-texture
# A texture as netpbm reads it, by its name's extension: its size is checked here.
enpnm() { case $1 in *.[pP][nN][gG]) pngtopnm "$1" ;; *.[bB][mM][pP]) bmptopnm "$1" ;; *) false ;; esac; }
cote() { [ "$1" -ge 8 ] && [ "$1" -le 1024 ] && [ $(($1 & ($1 - 1))) -eq 0 ]; }
# The textured lists, each bound to its texture: the k-th -t for the k-th, or one for all; the
# lists with normals, lit (eclairer).
declare -A texturee eclairee
textures=() octets=0
for f in "${listes[@]}"; do
    [[ $f == *.bin ]] && commandes=$(entexte "$f") || commandes=$(cat -- "$f")
    grep -q FIFO_TEX_COORD <<< "$commandes" && textures+=("$f") && texturee[$f]=1
    grep -q FIFO_NORMAL <<< "$commandes" && eclairee[$f]=1
done
if [ ${#images[@]} -gt 0 ]; then
    [ ${#textures[@]} -gt 0 ] || refuser "a texture is given, but no display-list file is textured"
    [ ${#images[@]} -eq 1 ] || [ ${#images[@]} -eq ${#textures[@]} ] ||
        refuser "${#images[@]} textures for ${#textures[@]} textured display-list files: give one for each, in their order, or one for all"
fi
for t in "${images[@]}"; do
    [ -f "$t" ] && [ -r "$t" ] || refuser "$t: no such image"
    taille=$(enpnm "$t" 2> /dev/null | pnmfile 2> /dev/null | sed -n 's/.*, \([0-9]*\) by \([0-9]*\) .*/\1 \2/p') || true
    [ -n "$taille" ] || refuser "$t: not an image netpbm can read (PNG or BMP)"
    read -r largeur hauteur <<< "$taille"
    cote "$largeur" && cote "$hauteur" || refuser "$t: $largeur x $hauteur: the sides of a DS texture are powers of two from 8 to 1024"
    octets=$((octets + 2 * largeur * hauteur))
done
[ "$octets" -le 524288 ] || refuser "the textures take $octets bytes: more than the DS's 512 KiB of texture memory (VRAM banks A to D)"
[ ${#listes[@]} -gt 0 ] || refuser "no display-list file given, only keyframe files"
[ ${#cles[@]} -le ${#listes[@]} ] || refuser "${#cles[@]} keyframe files for ${#listes[@]} display-list files: the n-th keyframe file poses the n-th object"
# A program includes a file by its name alone: two different files of one name cannot both be it.
declare -A nommes
if [ -n "$programme" ]; then
    for f in "${listes[@]}" "${cles[@]}" ${camera:+"$camera"}; do
        [ -z "${nommes[${f##*/}]:-}" ] || cmp -s "$f" "${nommes[${f##*/}]}" ||
            refuser "$f and ${nommes[${f##*/}]}: two files named ${f##*/}: the program includes only one of them (-x)"
        nommes[${f##*/}]=$f
    done
fi
[ "$verifier" = 0 ] || { echo "apercu: the files can be previewed." >&2; exit 0; }
if [ -z "${APERCU_XVFB:-}" ]; then
    outils="arm-none-eabi-gcc:gcc-arm-none-eabi arm-none-eabi-objcopy:binutils-arm-none-eabi cc:gcc xvfb-run:xvfb xauth:xauth"
    outils+=" /usr/games/desmume-cli:desmume xdotool:xdotool xwd:x11-apps xwdtopnm:netpbm${derniere:+ gifsicle:gifsicle}"
    for o in $outils; do command -v "${o%%:*}" > /dev/null || refuser "${o%%:*} is missing: install the Debian package ${o#*:}"; done
    # The emulator runs on an X server of the preview's own, whether or not there is a display.
    APERCU_XVFB=1 exec xvfb-run -a -s "-screen 0 640x480x24 -noreset" "$0" "${arguments[@]}"
fi
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echo "Software $marque" > "$travail/texte"
# Each .bin list as its C text, included in its place.
mkdir "$travail/binaires"
declare -A binaire
for i in "${!listes[@]}"; do
    f=${listes[$i]}
    [[ $f == *.bin ]] || continue
    texte=$travail/binaires/$(basename -- "$f" .bin).h
    entexte "$f" > "$texte"
    listes[$i]=$texte entete[$texte]=2 texturee[$texte]=${texturee[$f]:-} eclairee[$texte]=${eclairee[$f]:-} binaire[$texte]=1
done

# The scene: each list and its keyframe file as a user's program includes them, drawn as the
# example DS program draws them.
{
    echo '#include "nds.h"'
    [ "$paquet" = ancien ] && echo '#define MESHPRESS_TEXTURE_PACK_ANCIEN'
    echo '#include "meshpress.h"'
    echo 'void commeglcalllist(const u32 *liste, u32 elements);'
    echo '#define commeglcalllist(t) commeglcalllist((t), sizeof(t) / sizeof((t)[0]))'
    for f in "${listes[@]}" "${cles[@]}" ${camera:+"$camera"}; do echo "#include \"$(realpath -- "$f")\""; done
    # The view: the camera file's for the keyframe, else the animator's start view.
    [ -n "$camera" ] && vue="camera(image);" || vue="(void)image; vueanimateur();"
    echo "void vuescene(int image) { $vue }"
    echo "const int premiereimage = $image;"
    # Each texture in the DS's direct colour, as meshpress-texture writes it for a DS program.
    for k in "${!images[@]}"; do
        "$texturer" "${images[$k]}" "$travail/texture$k.h" > /dev/null || refuser "${images[$k]}: meshpress-texture cannot convert it"
        echo "#include \"$travail/texture$k.h\""
    done
    echo "static int noms[${#images[@]} + 1];"
    echo 'void chargertextures(void) {'
    for k in "${!images[@]}"; do echo "    noms[$((k + 1))] = chargertexture(texture$k);"; done
    echo '}'
    # The animator's colours: the first object black, the others white; a textured one white, as
    # the texture is modulated by the vertex colour.
    echo 'void dessinerscene(int image) {'
    echo '    (void)image;'
    numero=0
    for i in "${!listes[@]}"; do
        f=${listes[$i]}
        tableau=$(sed -n "${entete[$f]}s/^u32 \\([A-Za-z_][A-Za-z0-9_]*\\)\\[\\] = {.*/\\1/p" "$f")
        pose="" nom=0 couleur="RGB15(31, 31, 31)"
        [ "$i" -ge ${#cles[@]} ] || pose="$(sed -n '1s/^void \(position[0-9]*\)(int nombre){$/\1/p' "${cles[$i]}")(image);"
        if [ ${#images[@]} -gt 0 ] && [ -n "${texturee[$f]:-}" ]; then
            numero=$((numero + 1)) nom="noms[$((${#images[@]} == 1 ? 1 : numero))]"
        elif [ "$i" = 0 ]; then
            couleur="RGB15(0, 0, 0)"
        fi
        envoi="dessinerobjet($tableau)"
        [ "$glcalllist" = 0 ] || envoi="echelleanimateur(), commeglcalllist($tableau)"
        # A list with normals lit as meshpress.h prescribes: light 0 on for its polygons.
        format="" retour=""
        [ -z "${eclairee[$f]:-}" ] || format="eclairer(); polygoneseclaires(POLY_ALPHA(31) | POLY_CULL_NONE);" retour=" glPolyFmt(POLY_ALPHA(31) | POLY_CULL_NONE);"
        echo "    glPushMatrix(); $format glColor($couleur); glBindTexture(0, $nom); $pose $envoi; glPopMatrix(1);$retour"
    done
    echo '}'
} > "$travail/scene.c"

sources=("$ici/apercu/arm9.c" "$travail/scene.c") dossiers=()
if [ -n "$programme" ]; then
    # A quote include looks in the including file's folder first, where a file of the same name
    # as one given would be taken over it: the program is compiled alone from a folder of its
    # own (#line keeps its name in the compiler's messages), the files given from another ahead
    # of their folders, for what else it includes, then its own.
    mkdir "$travail/programme" "$travail/fichiers" "$travail/textures"
    sources=("$travail/programme/${programme##*/}")
    chemin=${programme//\\/\\\\}
    { echo "#line 1 \"${chemin//\"/\\\"}\""; cat "$programme"; } > "${sources[0]}"
    # The program's textures: the k-th image for the k-th textured list, as its stem_texture.h.
    dossiers=(-I "$travail/textures" -I "$travail/fichiers") numero=0
    for f in "${listes[@]}"; do
        [ ${#images[@]} -gt 0 ] && [ -n "${texturee[$f]:-}" ] || continue
        t=${images[$((${#images[@]} == 1 ? 0 : numero))]} numero=$((numero + 1))
        "$texturer" "$t" "$travail/textures/$(basename "$f" .h)_texture.h" > /dev/null || refuser "$t: meshpress-texture cannot convert it"
    done
    for f in "${listes[@]}" "${cles[@]}" ${camera:+"$camera"}; do cp -- "$f" "$travail/fichiers/"; dossiers+=(-I "$(dirname "$(realpath -- "$f")")"); done
    # A .bin list as BlocksDS's bin2c gives it to a program: stem_bin.h, its bytes word-aligned
    # in stem_bin and their number in stem_bin_size (the C text, stem.h, is there too).
    for f in "${listes[@]}"; do
        [ -n "${binaire[$f]:-}" ] || continue
        tableau=$(basename "$f" .h)
        printf '#include "%s.h"\n#define %s_bin ((const u8 *)%s)\nstatic const u32 %s_bin_size = sizeof %s;\n' \
            "$tableau" "$tableau" "$tableau" "$tableau" "$tableau" > "$travail/fichiers/${tableau}_bin.h"
    done
    dossiers+=(-I "$(dirname "$programme")")
fi
arm-none-eabi-gcc -mcpu=arm946e-s -marm -O2 -ffreestanding -nostdlib -I "$ici/apercu" -I "$ici" "${dossiers[@]}" \
    -T "$ici/apercu/arm9.ld" "$ici/apercu/demarrage.s" "$ici/apercu/libnds.c" "$ici/apercu/virgule.c" "${sources[@]}" -lgcc \
    -o "$travail/arm9.elf"
arm-none-eabi-objcopy -O binary "$travail/arm9.elf" "$travail/arm9.bin"
cc -O2 -o "$travail/cartouche" "$ici/apercu/cartouche.c"
"$travail/cartouche" "$travail/arm9.bin" "$sortie.nds"

# One run of the emulator: the top screen at each keyframe from -i to the last one played, in
# $travail/image-N.pnm. The bottom screen says which keyframe the program draws and whether it
# sees A held (the PC's x key; a program of -x says nothing there); a picture is taken once two captures in a row are the same and
# show that keyframe. Then A is pressed for the next one, and let go once the program has it.
fin=${derniere:-$image}
capturer() {
    /usr/games/desmume-cli --disable-sound --3d-engine=1 --num-cores=1 "$sortie.nds" > "$travail/desmume.log" 2>&1 &
    local desmume=$! fenetre avant="" haut X=0 Y=0 essais=0 tenue=0 r g b
    k=$image
    fenetre=$(timeout 20 xdotool search --sync --onlyvisible --pid "$desmume" 2> /dev/null | head -n 1) || true
    [ -z "$fenetre" ] || eval "$(xdotool getwindowgeometry --shell "$fenetre" | grep -E '^[XY]=[0-9]+$')"
    [ -z "$fenetre" ] || [ "$fin" = "$image" ] || xdotool windowfocus --sync "$fenetre" 2> /dev/null || fenetre=""
    while [ -n "$fenetre" ] && [ "$k" -le "$fin" ] && [ $((essais += 1)) -le 150 ]; do
        sleep 0.05
        # The window's own visual does not give its colours back: the screen's pixels do.
        xwd -silent -root | xwdtopnm 2> /dev/null | pnmcut "$X" "$Y" 256 384 > "$travail/ecran.pnm" 2> /dev/null || break
        read -r r g b < <(pnmcut 128 288 1 1 "$travail/ecran.pnm" | pnmdepth 255 | pnmtoplainpnm | tail -n 1)
        haut=$(pnmcut 0 0 256 192 "$travail/ecran.pnm" | cksum)
        if [ "$tenue" = 1 ] && [ $((b >> 3)) -gt 15 ]; then
            xdotool keyup x
            tenue=0
        elif { [ -n "$programme" ] || { [ $((r >> 3 | (g >> 3) << 5)) = "$k" ] && [ $((b >> 3)) -lt 16 ]; }; } && [ "$haut" = "$avant" ] && [ "$essais" -gt $((k == image ? 4 : 1)) ]; then
            pnmcut 0 0 256 192 "$travail/ecran.pnm" | pnmdepth 255 > "$travail/image-$k.pnm"
            k=$((k + 1)) essais=0 haut=""
            [ "$k" -gt "$fin" ] || { xdotool keydown x; tenue=1; }
        fi
        avant=$haut
    done
    [ "$tenue" = 0 ] || xdotool keyup x
    kill "$desmume" 2> /dev/null || true
    wait "$desmume" 2> /dev/null || true
    [ "$k" -gt "$fin" ]
}
# Now and then the emulator cannot open the display at its start: it is started again.
for essai in 1 2 3 4 5; do
    capturer && break
    [ "$essai" -lt 5 ] || { cat "$travail/desmume.log" >&2; refuser "the emulator gave no picture of keyframe $k"; }
done
# A picture of the animator's blue alone (the clear colour of the preview's program and of the
# example) shows nothing drawn: most often nothing is in the start view.
vides=""
for k in $(seq "$image" "$fin"); do
    [ "$(ppmhist -noheader "$travail/image-$k.pnm" | awk '{ print $1, $2, $3 }')" != "0 0 248" ] || vides+=" $k"
done
if [ -n "$vides" ]; then
    [ -z "$derniere" ] && quoi="$sortie.png holds" || quoi="keyframes$vides of $sortie.gif hold"
    echo "apercu: $quoi only the clear colour: no object is in view." >&2
    if [ -n "$camera" ]; then
        echo "apercu: likely they are outside the view of $camera at that keyframe, as in the animator's window then." >&2
    else
        echo "apercu: likely they are outside the start view (the eye 0.4 above the origin, looking towards negative z): a model made about its origin stands around the eye until a keyframe moves it (give its keyframe file, or with -i a keyframe that places it), or the scene was posed with the animator's camera moved: give its camera file (base_camera.txt) too." >&2
    fi
fi
if [ -z "$derniere" ]; then
    pnmtopng -text "$travail/texte" "$travail/image-$image.pnm" > "$sortie.png" 2> /dev/null
    echo "$sortie.nds and $sortie.png written."
else
    # A keyframe a step, half a second each, over and over; the contact sheet left to right.
    for k in $(seq "$image" "$fin"); do pamtogif "$travail/image-$k.pnm" > "$travail/image-$k.gif" 2> /dev/null; done
    gifsicle --comment "$marque" --delay 50 --loopcount=forever $(seq -f "$travail/image-%g.gif" "$image" "$fin") > "$sortie.gif"
    pamcat -leftright $(seq -f "$travail/image-%g.pnm" "$image" "$fin") | pnmtopng -text "$travail/texte" > "$sortie-planche.png" 2> /dev/null
    echo "$sortie.nds, $sortie.gif and $sortie-planche.png written (keyframes $image to $fin)."
fi
