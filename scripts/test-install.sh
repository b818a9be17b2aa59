#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a built tree into a staging folder and tries it as an installed
# program: the staged kvcom reads from the staged simulator and writes the
# certificate, finding its workbooks in the staged share/kvcom; the desktop
# entry and the manual pages are checked: test-install.sh [BUILD FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
stage=$(cd "$build" && pwd)/stage
rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
fail() { echo "test-install: $*" >&2; exit 1; }

# Only the two programs go to bin/, and no library or test comes along.
[[ $(LC_ALL=C ls "$stage/usr/bin") == $'kv730-sim\nkvcom' ]] || fail "unexpected bin/: $(ls "$stage/usr/bin")"
[[ -z $(find "$stage" -name '*.a' -o -name '*_test') ]] || fail "libraries or tests installed"
"$stage/usr/bin/kvcom" --version | grep -qx 'kvcom [0-9.]*' || fail "kvcom --version"
"$stage/usr/bin/kv730-sim" --version | grep -qx 'kv730-sim [0-9.]*' || fail "kv730-sim --version"

# A headless main job of the installed programs on a fresh drive C:.
drive=$(mktemp -d)
coproc SIM { exec "$stage/usr/bin/kv730-sim" --port 0; }
trap 'kill "$SIM_PID" 2>/dev/null || true; rm -rf "$drive"' EXIT
read -r _ _ port <&"${SIM[0]}"  # "listening on PORT"
pdf=$(KV_USB=tcp:127.0.0.1:$port KV_DRIVE_C=$drive QT_QPA_PLATFORM=offscreen KV_BATCH=1 \
  LD_LIBRARY_PATH='' "$stage/usr/bin/kvcom" --read-all --export) || fail "kvcom ended with $?"
work="$drive/Tarnwick Corvanet/KV-730"
[[ -s $work/${pdf##*\\} ]] || fail "no certificate at $pdf"
[[ -f $work/KV_Certificate.xls ]] || fail "the templates were not copied from share/kvcom"

# The desktop entry and the manual pages as a desktop and man see them.
desktop-file-validate "$stage/usr/share/applications/kvcom.desktop" || fail "desktop entry"
for page in "$stage"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page: $warnings"
done
echo "test-install: passed ($(find "$stage" -type f | wc -l) files installed, certificate $pdf)"
