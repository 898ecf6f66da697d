#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs both side by side for the given
# number of seconds (default 60) from their seed corpora. New inputs go to a working corpus
# (default /tmp/fuzz-corpus), never to the seeds; a finding is written to the working folder and
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes=${1:-60}
travail=${2:-/tmp/fuzz-corpus}
cmake -S . -B build-fuzz -DFUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build build-fuzz -j "$(nproc)" > /dev/null
mkdir -p "$travail/conversion" "$travail/chargeur"
export ASAN_OPTIONS=detect_leaks=0
build-fuzz/fuzz/fuzz_conversion -dict=fuzz/conversion.dict -max_total_time="$secondes" \
    -print_final_stats=1 -artifact_prefix="$travail/conversion-" \
    "$travail/conversion" fuzz/corpus/conversion > /dev/null 2> "$travail/conversion.log" &
conversion=$!
build-fuzz/fuzz/fuzz_chargeur -dict=fuzz/chargeur.dict -max_total_time="$secondes" \
    -print_final_stats=1 -artifact_prefix="$travail/chargeur-" \
    "$travail/chargeur" fuzz/corpus/chargeur > /dev/null 2> "$travail/chargeur.log" &
chargeur=$!
statut=0
wait $conversion || statut=1
wait $chargeur || statut=1
for cible in conversion chargeur; do
    echo "== $cible"
    grep -E '^(Done|stat::number_of_executed_units|#[0-9]+ +DONE)' "$travail/$cible.log" || true
    grep -E '^#[0-9]+' "$travail/$cible.log" | tail -n 1
    if grep -qE 'ERROR|runtime error|differ|deadly signal' "$travail/$cible.log"; then
        statut=1
        grep -E -A20 'ERROR|runtime error|differ|deadly signal' "$travail/$cible.log" | head -n 40
    fi
done
exit $statut
