#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang and feeds each a bounded number of inputs:
# the data-file reader RUNS (from two small data files of the simulator), the
# reply readers, the settings readers and the CF card listing RUNS / 2 each,
# the workbook reader, which forks per input, RUNS / 50 (from the seeds of
# tests/fuzz/make-seeds.sh). A crash, a sanitizer report or a memory limit
# crossed ends it with a non-zero status: run-fuzz.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-200000}
targets=(readers settings controller_files)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKV_FUZZ=ON -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_datafile "${targets[@]/#/fuzz_}" kv730-sim

corpus=build-fuzz/datafile-corpus
mkdir -p "$corpus"
build-fuzz/sim/kv730-sim --points 16 --write-data-file "$corpus/seed-metric.TXT"
build-fuzz/sim/kv730-sim --points 16 --data-file-unit inch --data-file-line-ends crlf \
  --write-data-file "$corpus/seed-inch.TXT"
build-fuzz/tests/datafile/fuzz_datafile -runs="$runs" -max_len=4096 -print_final_stats=1 "$corpus"

# Replies and settings files are short.
declare -A max_len=([readers]=4096 [settings]=4096 [controller_files]=8192)
tests/fuzz/make-seeds.sh build-fuzz/fuzz-corpus build-fuzz/sim/kv730-sim
for target in "${targets[@]}"; do
  build-fuzz/tests/fuzz/"fuzz_$target" -runs=$((runs / 2)) -max_len="${max_len[$target]}" \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build-fuzz/fuzz_$target-" \
    "build-fuzz/fuzz-corpus/$target"
done

# The workbook library runs in a child process per input, where address checks
# would make each fork slow; its crashes there are the damaged files refused.
# From the seeds only: mutations of the memory-flooding crash file each take
# seconds (the unit tests read it and the crashing one).
CC=clang CXX=clang++ cmake -S . -B build-fuzz-workbook -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKV_FUZZ=ON -DKV_FUZZ_SANITIZERS=undefined -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz-workbook -j "$(nproc)" --target fuzz_workbook
build-fuzz-workbook/tests/fuzz/fuzz_workbook -runs=$((runs / 50)) -max_len=65536 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/fuzz_workbook- \
  build-fuzz/fuzz-corpus/workbook
