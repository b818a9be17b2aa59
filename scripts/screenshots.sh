#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renews the window's pictures in docs/: after a read, in print-key output,
# with the service row, and the comment dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
KV_TARGETS=screenshots scripts/build.sh build
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} build/tools/screenshots workbooks docs
