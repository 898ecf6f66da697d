#!/bin/sh
# Converts each sample model, compiles the result as C and walks its command stream.
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
meshpress=$1 exemples=$2 compilateur=${3:-cc}
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
for modele in cube pyramide; do
    printf '%s\n%s\n' "$exemples/$modele.txt" "$modele" | "$meshpress" > /dev/null
    "$compilateur" -std=c99 -Wall -Werror -I. -DMODELE="\"$modele.h\"" -DTABLEAU="$modele" \
        -o flux "$ici/flux.c"
    printf '%s: ' "$modele"
    ./flux
done
