#!/usr/bin/env bash
# The benchmark: builds in Release, times meshpress against the I/O floor of the same work on
# generated models (kept in the folder given, by default /tmp/meshpress-banc), then times the
# animator's loader on the display-list file of the capacity model (under xvfb-run when there is
# no display), and last converts the real models of bench/corpus/ in today's form and with each
# option, printing what each list costs the DS and the aims met (the tables of docs/speed.md).
# `scripts/banc.sh corpus` runs that last part alone.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON > /dev/null
cmake --build build -j "$(nproc)" --target banc chargeur_banc corpus_banc > /dev/null
if [ "${1:-}" = corpus ]; then
    exec build/bench/corpus_banc
fi
dossier=${1:-/tmp/meshpress-banc}
build/bench/banc "$dossier"
(cd "$dossier" && printf 'simple1000000.txt\ncapacite\n' | "$OLDPWD/build/meshpress/meshpress" > /dev/null 2>&1)
ecran=()
[ -n "${DISPLAY:-}" ] || ecran=(xvfb-run -a)
"${ecran[@]}" build/bench/chargeur_banc "$dossier/capacite.h"
rm -f "$dossier/capacite.h"
build/bench/corpus_banc
