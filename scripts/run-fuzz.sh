#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the data-file fuzz target with clang and feeds it a bounded number of
# inputs, starting from two small data files of the simulator; a crash or a
# sanitizer report ends it with a non-zero status: run-fuzz.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-200000}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKV_FUZZ=ON -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_datafile kv730-sim

corpus=build-fuzz/datafile-corpus
mkdir -p "$corpus"
build-fuzz/sim/kv730-sim --points 16 --write-data-file "$corpus/seed-metric.TXT"
build-fuzz/sim/kv730-sim --points 16 --data-file-unit inch --data-file-line-ends crlf \
  --write-data-file "$corpus/seed-inch.TXT"
build-fuzz/tests/datafile/fuzz_datafile -runs="$runs" -max_len=4096 -print_final_stats=1 "$corpus"
