#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, starts the controller simulator on
# loopback and runs the program against it without a display: start-up, the
# read of the whole measurement, and the certificate exported as a PDF.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
KV_TARGETS="kvcom kv730-sim" scripts/build.sh build

export KV_DRIVE_C=${KV_DRIVE_C:-$PWD/build/drive_c}
export QT_QPA_PLATFORM=offscreen KV_BATCH=1

coproc SIM { exec build/sim/kv730-sim --port 0; }
trap 'kill "$SIM_PID" 2>/dev/null || true' EXIT
read -r _ _ port <&"${SIM[0]}"  # "listening on PORT"
echo "kv730-sim listening on 127.0.0.1:$port"

KV_USB=tcp:127.0.0.1:$port build/src/ui/kvcom --read-all --export
work="$KV_DRIVE_C/Tarnwick Corvanet/KV-730"
echo "Working folder C:\\Tarnwick Corvanet\\KV-730\\ is $work:"
ls -l "$work"
