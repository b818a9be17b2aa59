#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the data file of the tests with the simulator: generate.sh KV730_SIM
# A short trace (401 points, cut-off 0.08 mm) keeps it small.
set -euo pipefail
sim=${1:?usage: generate.sh path/to/kv730-sim}
cd "$(dirname "$0")"
measurement=(--points 401 --cutoff-code 1)
"$sim" "${measurement[@]}" --write-data-file METRIC.TXT
