#!/usr/bin/env bash
# The DS preview: builds a tiny DS program around display-list files (and the animator's keyframe
# files, the n-th for the n-th object, posed at one keyframe number), runs it in the DeSmuME
# emulator (on a virtual X server of its own when there is no display) and leaves SORTIE.nds and
# SORTIE.png, the DS's top screen. Needs gcc-arm-none-eabi, desmume, xdotool, x11-apps, netpbm.
# Usage: apercu.sh [-i keyframe] [-g] SORTIE file.h... [keyframes.txt...]
#   -i  the keyframe number the objects are posed at (default 1)
#   -g  sends each list as glCallList would: count-word words, the last one past the array
set -euo pipefail
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
ici=$(cd "$(dirname "$0")" && pwd)
image=1 envoi=dessinerliste
while getopts "i:g" option; do
    case $option in
        i) image=$OPTARG ;;
        g) envoi=commeglcalllist ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -ge 2 ] || { sed -n 's/^# Usage: //p' "$0" >&2; exit 2; }
sortie=$(realpath -m "$1")
shift
listes=() cles=()
for f in "$@"; do
    case $f in *.txt) cles+=("$(realpath "$f")") ;; *) listes+=("$(realpath "$f")") ;; esac
done
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

# The scene: each list and its keyframe file as a user's program includes them.
{
    echo '#include "nds.h"'
    echo '#include "meshpress.h"'
    echo 'void debutobjet(int numero); void dixieme(void); void finobjet(void);'
    echo 'void commeglcalllist(const u32 *liste, u32 elements);'
    echo '#define commeglcalllist(t) commeglcalllist((t), sizeof(t) / sizeof((t)[0]))'
    for f in "${listes[@]}" "${cles[@]}"; do echo "#include \"$f\""; done
    echo 'void dessinerscene(void) {'
    for i in "${!listes[@]}"; do
        tableau=$(sed -n '1s/^u32 \([A-Za-z_][A-Za-z0-9_]*\)\[\] = {.*/\1/p' "${listes[$i]}")
        [ -n "$tableau" ] || { echo "${listes[$i]}: no array of a C name on its first line" >&2; exit 1; }
        pose=""
        if [ "$i" -lt ${#cles[@]} ]; then
            fonction=$(sed -n '1s/^void \(position[0-9]*\)(int nombre){$/\1/p' "${cles[$i]}")
            [ -n "$fonction" ] || { echo "${cles[$i]}: not a keyframe file" >&2; exit 1; }
            pose="$fonction($image);"
        fi
        echo "    debutobjet($((i + 1))); $pose dixieme(); $envoi($tableau); finobjet();"
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
