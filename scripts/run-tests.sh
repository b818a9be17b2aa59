#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test twice: as built, and
# built with AddressSanitizer and UndefinedBehaviorSanitizer, where any report
# fails; in between, the fuzz targets run a bounded number of inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

# clang-tidy and cppcheck over src/ and sim/ first: any finding fails the run.
scripts/run-static-analysis.sh

# A print server of the tests' own (scripts/start-cups.sh) for both runs: the
# print test prints on its default queue and reads the job from its spool.
cups=$PWD/build/cups
trap 'scripts/start-cups.sh --stop "$cups"' EXIT
CUPS_SERVER=$(scripts/start-cups.sh "$cups")
export CUPS_SERVER KV_TEST_CUPS=1 KV_TEST_CUPS_SPOOL=$cups/spool

# kv-usb-bridge for Windows first: the tests run its 64-bit build under Wine.
scripts/build-windows.sh
scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)" -LE bench
scripts/test-install.sh build

# The data-file reader, the reply and settings readers and the CF listing, fuzzed.
scripts/run-fuzz.sh

scripts/build.sh build-sanitize -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
