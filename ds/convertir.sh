#!/bin/sh
# Converts one model with meshpress without its console:
#   convertir.sh MODEL OUT [meshpress [OPTION...]]
# OUT is OUT.h, or OUT.bin when the options hold --binaire. The options are meshpress's command
# line; a side file beside the model, its stem with .meshpress (models/cube.meshpress for
# models/cube.obj), gives the model's own in their place: its words, none when it is empty.
# The answers go through a pipe, from OUT's folder, so that the array is named after OUT's
# stem; the model is named from there by its relative path, which holds no blank where the
# project's own folder does ("mon projet/"). When meshpress fails, its message is shown, OUT
# removed, and the status is 1.
set -eu
[ $# -ge 2 ] || { echo "usage: convertir.sh MODEL OUT [meshpress [OPTION...]]" >&2; exit 2; }
modele=$1 sortie=$2 meshpress=${3:-meshpress}
shift $(($# < 3 ? $# : 3))
dossier=$(dirname "$sortie") fichier=$(basename "$sortie")
nom=${fichier%.*}
case $meshpress in */*) meshpress=$(realpath "$meshpress") ;; esac
cote=${modele%.*}.meshpress
if [ -f "$cote" ]; then
    # Its words, split at blanks and line ends, never taken as file patterns.
    set -f
    set -- $(cat "$cote")
    set +f
fi
mkdir -p "$dossier"
relatif=$(realpath -m --relative-to="$dossier" "$modele")
# In MSYS2 (devkitPro's shell on Windows) the model's name goes to meshpress.exe through the
# pipe, where no one turns the shell's /c/... into C:/...: cygpath does.
if command -v cygpath > /dev/null; then relatif=$(cygpath -m "$relatif"); fi
# meshpress reads each answer as one word.
for reponse in "$relatif" "$nom"; do
    case $reponse in
        *[[:space:]]*) echo "convertir.sh: $modele: meshpress takes each name as one word, and '$reponse' holds a blank: rename the model or its folder without blanks" >&2
                       exit 1 ;;
    esac
done
cd "$dossier"
printf '%s\n%s\n' "$relatif" "$nom" | "$meshpress" "$@" > /dev/null ||
    { echo "convertir.sh: $modele: meshpress failed (erreur)" >&2; rm -f "$fichier"; exit 1; }
# A list that is not there would be remade at every make restart: a build that never ends.
[ -f "$fichier" ] || { echo "convertir.sh: $modele: meshpress wrote no $fichier" >&2; exit 1; }
