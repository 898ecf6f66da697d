#!/usr/bin/env bash
# The converter's benchmark: builds in Release and compares meshpress with the standard-I/O
# converter on generated models (kept in the folder given, by default /tmp/meshpress-banc).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j "$(nproc)" --target banc > /dev/null
build/bench/banc "$@"
