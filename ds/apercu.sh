#!/usr/bin/env bash
# The DS preview: builds a tiny DS program around display-list files (and the animator's keyframe
# files, the n-th for the n-th object, posed at one keyframe number), runs it in the DeSmuME
# emulator (on a virtual X server of its own when there is no display) and leaves SORTIE.nds and
# SORTIE.png, the DS's top screen. Needs gcc-arm-none-eabi, desmume, xdotool, x11-apps, netpbm.
# Usage: apercu.sh [-i keyframe] [-g] [-t image] [-n] SORTIE file.h... [keyframes.txt...]
#   -i  the keyframe number the objects are posed at (default 1)
#   -g  sends each list as glCallList would: count-word words, the last one past the array
#   -t  the texture bound to the textured lists (PNG or BMP, sides powers of two, 128 KiB of
#       texels at most), packed as the README prescribes (MESHPRESS_TEXTURE_PACK_ANCIEN)
#   -n  checks the files only: builds and runs nothing
set -euo pipefail
arguments=("$@")
ici=$(cd "$(dirname "$0")" && pwd)
image=1 envoi=dessinerliste verifier=0 texture=""
usage() { sed -n 's/^# Usage: //p' "$0" >&2; exit 2; }
refuser() { echo "apercu: $*" >&2; exit 1; }
# Said once: not again by the run that the virtual X server starts.
avertir() { [ -n "${APERCU_AVERTI:-}" ] || echo "apercu: $*" >&2; }
while getopts "i:gt:n" option; do
    case $option in
        i) image=$OPTARG ;;
        g) envoi=commeglcalllist ;;
        t) texture=$OPTARG ;;
        n) verifier=1 ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
[[ $image =~ ^[0-9]+$ ]] || refuser "-i takes a keyframe number (1, 2, ...), not '$image'"
[ $# -ge 2 ] || usage
sortie=$(realpath -m "$1")
shift

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
for f in "${listes[@]}"; do
    sed -n '1{/^u32 [^ ]*\[\] = {-\{0,1\}[0-9][0-9]*,$/q0};q1' "$f" || refuser "$f: not a display-list file of meshpress: its first line is not 'u32 name[] = {count,'$(modele "$f")"
    sed -n '1{/^u32 [A-Za-z_][A-Za-z0-9_]*\[\]/q0};q1' "$f" || refuser "$f: its array's name is no C name: convert it again under a base name of letters, digits and '_'"
    [ "$(sed -n '2,3p' "$f")" = "$(printf ' FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n GL_TRIANGLE,')" ] ||
        refuser "$f: not a display-list file of meshpress: its second and third lines are not the format's"
    [ "$(grep -v -x '[[:space:]]*' "$f" | tail -n 1)" = "};" ] || refuser "$f: cut short: it does not end with the terminator '};'"
done
for i in "${!cles[@]}"; do
    f=${cles[$i]}
    if ! sed -n '1{/^void position[0-9]*(int nombre){$/q0};q1' "$f"; then
        [ "$(cat "$f")" != "}" ] || refuser "$f: holds no keyframe, only the closing brace: press Enter once in stagehand before Esc"
        refuser "$f: not a keyframe file of stagehand: its first line is not 'void positionN(int nombre){'$(modele "$f")"
    fi
    blocs=$(grep -c -E '^(else )?if\(nombre == [0-9]+\)\{$' "$f" || true)
    [ "$(grep -c -x '}' "$f" || true)" -gt "$blocs" ] || refuser "$f: no closing brace of its function (stagehand did not end with Esc or the window's closing): it will not compile"
    if [ "$image" -lt 1 ] || [ "$image" -gt "$blocs" ]; then
        avertir "keyframe $image is not one of $f (1 to $blocs): object $((i + 1)) is drawn unposed, as the DS draws it"
    fi
done
# The texture as netpbm reads it, by its name's extension.
enpnm() { case $1 in *.[pP][nN][gG]) pngtopnm "$1" ;; *.[bB][mM][pP]) bmptopnm "$1" ;; *) false ;; esac; }
if [ -n "$texture" ]; then
    [ -f "$texture" ] && [ -r "$texture" ] || refuser "$texture: no such image"
    taille=$(enpnm "$texture" 2> /dev/null | pnmfile 2> /dev/null | sed -n 's/.*, \([0-9]*\) by \([0-9]*\) .*/\1 \2/p')
    [ -n "$taille" ] || refuser "$texture: not an image netpbm can read (PNG or BMP)"
    read -r largeur hauteur <<< "$taille"
    cote() { [ "$1" -ge 8 ] && [ "$1" -le 1024 ] && [ $(($1 & ($1 - 1))) -eq 0 ]; }
    cote "$largeur" && cote "$hauteur" || refuser "$texture: $largeur x $hauteur: the sides of a DS texture are powers of two from 8 to 1024"
    [ $((largeur * hauteur)) -le 65536 ] || refuser "$texture: $largeur x $hauteur: more texels than the preview's one VRAM bank holds (65,536)"
fi
[ ${#listes[@]} -gt 0 ] || refuser "no display-list file given, only keyframe files"
[ ${#cles[@]} -le ${#listes[@]} ] || refuser "${#cles[@]} keyframe files for ${#listes[@]} display-list files: the n-th keyframe file poses the n-th object"
[ "$verifier" = 0 ] || { echo "apercu: the files can be previewed." >&2; exit 0; }
[ -n "${DISPLAY:-}" ] || APERCU_AVERTI=1 exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "${arguments[@]}"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

# The scene: each list and its keyframe file as a user's program includes them.
{
    echo '#include "nds.h"'
    echo '#define MESHPRESS_TEXTURE_PACK_ANCIEN'
    echo '#include "meshpress.h"'
    echo 'void debutobjet(int numero, int texture); void dixieme(void); void finobjet(void);'
    echo 'void commeglcalllist(const u32 *liste, u32 elements);'
    echo '#define commeglcalllist(t) commeglcalllist((t), sizeof(t) / sizeof((t)[0]))'
    for f in "${listes[@]}" "${cles[@]}"; do echo "#include \"$(realpath "$f")\""; done
    # The texture's texels in the DS's direct colour (5 bits each of red, green and blue, then
    # opaque), rows from the top.
    if [ -n "$texture" ]; then
        echo "const int texturelargeur = $largeur, texturehauteur = $hauteur;"
        echo 'const unsigned short texels[] = {'
        enpnm "$texture" 2> /dev/null | pnmdepth 31 | pnmtoplainpnm |
            awk 'NR > 3 { for (i = 1; i <= NF; i++) { v[n % 3] = $i; if (n++ % 3 == 2) printf "%d,%s", v[0] + 32 * v[1] + 1024 * v[2] + 32768, n % 48 ? "" : "\n" } }'
        echo '};'
    else
        echo 'const int texturelargeur = 0, texturehauteur = 0;'
        echo 'const unsigned short texels[] = {0};'
    fi
    echo 'void dessinerscene(void) {'
    for i in "${!listes[@]}"; do
        tableau=$(sed -n '1s/^u32 \([A-Za-z_][A-Za-z0-9_]*\)\[\] = {.*/\1/p' "${listes[$i]}")
        pose=""
        [ "$i" -ge ${#cles[@]} ] || pose="$(sed -n '1s/^void \(position[0-9]*\)(int nombre){$/\1/p' "${cles[$i]}")($image);"
        textured=0
        [ -z "$texture" ] || ! grep -q FIFO_TEX_COORD "${listes[$i]}" || textured=1
        echo "    debutobjet($((i + 1)), $textured); $pose dixieme(); $envoi($tableau); finobjet();"
    done
    echo '}'
} > "$travail/scene.c"

arm-none-eabi-gcc -mcpu=arm946e-s -marm -O2 -ffreestanding -nostdlib -I "$ici/apercu" -I "$ici" \
    -T "$ici/apercu/arm9.ld" "$ici/apercu/demarrage.s" "$ici/apercu/arm9.c" "$travail/scene.c" -lgcc \
    -o "$travail/arm9.elf"
arm-none-eabi-objcopy -O binary "$travail/arm9.elf" "$travail/arm9.bin"
cc -O2 -o "$travail/cartouche" "$ici/apercu/cartouche.c"
"$travail/cartouche" "$travail/arm9.bin" "$sortie.nds"

# The emulator's top screen, once two captures half a second apart are the same.
capturer() {
    /usr/games/desmume-cli --disable-sound --3d-engine=1 --num-cores=1 "$sortie.nds" > "$travail/desmume.log" 2>&1 &
    local desmume=$! fenetre avant="" ecran X=0 Y=0
    fenetre=$(timeout 20 xdotool search --sync --onlyvisible --pid "$desmume" 2> /dev/null | head -n 1) || true
    [ -z "$fenetre" ] || eval "$(xdotool getwindowgeometry --shell "$fenetre" | grep -E '^[XY]=[0-9]+$')"
    for essai in $(seq 60); do
        [ -n "$fenetre" ] || break
        sleep 0.5
        # The window's own visual does not give its colours back: the screen's pixels do.
        ecran=$(xwd -silent -root | xwdtopnm 2> /dev/null | pnmcut "$X" "$Y" 256 192 | base64 -w 0) || break
        # The first pictures come before the program has drawn.
        if [ "$essai" -gt 4 ] && [ "$ecran" = "$avant" ] && [ -n "$ecran" ]; then
            base64 -d <<< "$ecran" | pnmtopng > "$sortie.png" 2> /dev/null
            break
        fi
        avant=$ecran
    done
    kill "$desmume" 2> /dev/null || true
    wait "$desmume" 2> /dev/null || true
    [ -s "$sortie.png" ]
}
rm -f "$sortie.png"
# Now and then the emulator cannot open the display at its start: it is started again.
for _ in 1 2 3 4 5; do capturer && break; done
[ -s "$sortie.png" ] || { cat "$travail/desmume.log" >&2; echo "apercu: the emulator gave no picture" >&2; exit 1; }
echo "$sortie.nds and $sortie.png written."
