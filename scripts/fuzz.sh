#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs the four side by side for the given
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
export ASAN_OPTIONS=detect_leaks=0
# The OBJ reader says on standard error what it leaves out: the target's own messages are closed
# (close_fd_mask), libFuzzer's and the sanitizers' still come.
declare -A options=([conversion]="" [chargeur]="" [obj]="-close_fd_mask=2" [texture]="")
# The image formats have no words worth a dictionary.
declare -A dictionnaires=([conversion]="-dict=fuzz/conversion.dict" [chargeur]="-dict=fuzz/chargeur.dict" [obj]="-dict=fuzz/obj.dict" [texture]="")
pids=()
for cible in conversion chargeur obj texture; do
    mkdir -p "$travail/$cible"
    build-fuzz/fuzz/fuzz_$cible ${dictionnaires[$cible]} -max_total_time="$secondes" ${options[$cible]} \
        -print_final_stats=1 -artifact_prefix="$travail/$cible-" \
        "$travail/$cible" fuzz/corpus/$cible > /dev/null 2> "$travail/$cible.log" &
    pids+=($!)
done
statut=0
for pid in "${pids[@]}"; do wait "$pid" || statut=1; done
for cible in conversion chargeur obj texture; do
    echo "== $cible"
    grep -E '^(Done|stat::number_of_executed_units|#[0-9]+ +DONE)' "$travail/$cible.log" || true
    grep -E '^#[0-9]+' "$travail/$cible.log" | tail -n 1
    if grep -qE 'ERROR|runtime error|differ|deadly signal' "$travail/$cible.log"; then
        statut=1
        grep -E -A20 'ERROR|runtime error|differ|deadly signal' "$travail/$cible.log" | head -n 40
    fi
done
exit $statut
