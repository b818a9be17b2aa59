#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every .xls workbook of the project (generate.js) and checks that
# FreeXL reads each one. Installs Node, npm, the C compiler and FreeXL when
# missing; keeps the npm package outside the work tree.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tools="${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/corvanet-kv/workbooks"
xlsx_version=0.18.5

missing=()
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
command -v cc >/dev/null || missing+=(gcc)
command -v pkg-config >/dev/null || missing+=(pkg-config)
pkg-config --exists freexl 2>/dev/null || missing+=(libfreexl-dev)
if ((${#missing[@]})); then
  apt-get update
  apt-get install -y "${missing[@]}"
fi

installed="$(node -p "require('$tools/node_modules/xlsx/package.json').version" 2>/dev/null || true)"
if [[ "$installed" != "$xlsx_version" ]]; then
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-audit --no-fund "xlsx@$xlsx_version"
fi

written="$(NODE_PATH="$tools/node_modules" node "$here/generate.js")"
mapfile -t books <<<"$written"
# shellcheck disable=SC2046  # pkg-config prints several flags
cc -std=c99 -Wall -Wextra -Werror -o "$tools/check_workbook" "$here/check_workbook.c" \
  $(pkg-config --cflags --libs freexl)
"$tools/check_workbook" "${books[@]}"
printf 'Generated and checked: %s\n' "${books[@]}"
