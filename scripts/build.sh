#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into a build folder: build.sh [FOLDER [CMAKE OPTION...]]
# KV_TARGETS names the targets to build (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build}
shift || true
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$folder" -j "$(nproc)" ${KV_TARGETS:+--target $KV_TARGETS}
