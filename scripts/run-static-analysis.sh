#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Static analysis of the program's and the simulator's sources (src/ and sim/;
# not tests/ or bench/): clang-tidy with the checks of .clang-tidy, and cppcheck
# with the suppressions of .cppcheck-suppressions. Any finding fails it:
# run-static-analysis.sh [BUILD FOLDER]   (default build-analysis)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang-tidy cppcheck
folder=${1:-build-analysis}
jobs=$(nproc)

# A compile database made for clang (clang-tidy takes its flags, and GCC's are
# not all known to clang) with the product's targets only. Nothing needs to be
# built: the project generates no sources or headers.
CC=clang CXX=clang++ cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKV_BUILD_TESTS=OFF -DKV_BUILD_BENCH=OFF >/dev/null
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# clang-tidy on the sources below src/ and sim/ of this tree; generated ones
# (Qt's *_autogen, should a target ever get them) lie in the build folder.
# The regular expression is matched against the database's absolute paths.
root=$(printf '%s' "$PWD" | sed 's/[][\.*^$+?(){}|]/\\&/g')
tidy=0
run-clang-tidy -p "$folder" -j "$jobs" -quiet "^$root/(src|sim)/" >"$log" 2>&1 || tidy=$?
# Its output without colours, command lines and counts of suppressed warnings;
# then each finding once (a header's come once for every source including it).
sed -i 's/\x1b\[[0-9;]*m//g' "$log"
grep -Ev '^(clang-tidy(-[0-9]+)? |[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|Suppressed [0-9]+ warnings|Use -header-filter)' "$log" || true
findings=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' "$log" | sort -u || true)
if ((tidy == 0)); then
  echo "clang-tidy: no findings"
else
  echo "clang-tidy: $(grep -c . <<<"$findings") findings:"
  printf '%s\n' "$findings"
fi

# cppcheck on the same database (product sources only, as configured above).
check=0
cppcheck --project="$folder/compile_commands.json" --library=qt \
  --enable=warning,performance,portability --inline-suppr \
  --suppressions-list=.cppcheck-suppressions --error-exitcode=1 -j "$jobs" --quiet \
  --template='{file}:{line}:{column}: {severity}: {message} [{id}]' || check=$?
echo "cppcheck: $( ((check == 0)) && echo "no findings" || echo "findings (above)")"

((tidy == 0 && check == 0))
