#!/bin/sh
# Converts one model with meshpress without its console: convertir.sh MODEL OUT.h [meshpress].
# The answers go through a pipe, from OUT.h's folder, so that the array is named after OUT.h's
# stem; the model is named from there by its relative path, which holds no blank where the
# project's own folder does ("mon projet/"). When meshpress fails, its message is shown, OUT.h
# removed, and the status is 1.
set -eu
[ $# -ge 2 ] || { echo "usage: convertir.sh MODEL OUT.h [meshpress]" >&2; exit 2; }
dossier=$(dirname "$2") nom=$(basename "$2" .h) meshpress=${3:-meshpress}
case $meshpress in */*) meshpress=$(realpath "$meshpress") ;; esac
# In MSYS2 (devkitPro's shell on Windows) the model's name goes to meshpress.exe through the
# pipe, where no one turns the shell's /c/... into C:/...: cygpath does.
if command -v cygpath > /dev/null; then modele=$(cygpath -m "$modele"); fi
mkdir -p "$dossier"
modele=$(realpath -m --relative-to="$dossier" "$1")
# meshpress reads each answer as one word.
for reponse in "$modele" "$nom"; do
    case $reponse in
        *[[:space:]]*) echo "convertir.sh: $1: meshpress takes each name as one word, and '$reponse' holds a blank: rename the model or its folder without blanks" >&2
                       exit 1 ;;
    esac
done
cd "$dossier"
printf '%s\n%s\n' "$modele" "$nom" | "$meshpress" > /dev/null ||
    { echo "convertir.sh: $1: meshpress failed (erreur)" >&2; rm -f "$nom.h"; exit 1; }
# A list that is not there would be remade at every make restart: a build that never ends.
[ -f "$nom.h" ] || { echo "convertir.sh: $1: meshpress wrote no $nom.h" >&2; exit 1; }
