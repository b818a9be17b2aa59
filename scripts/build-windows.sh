#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the Windows side with MinGW-w64: kv-usb-bridge and the stand-in
# USBDLL.dll, 32-bit into build-windows-i686/bin (for the controller's real,
# 32-bit library) and 64-bit into build-windows-x86_64/bin (run under Wine by
# the tests). Then checks that each stand-in exports the driver's four calls
# under their decorated names.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for arch in i686 x86_64; do
  folder=build-windows-$arch
  cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "$folder" -j "$(nproc)" --target kv-usb-bridge usbdll_standin usbdll_standin_no_read
  exports=$("$arch-w64-mingw32-objdump" -p "$folder/bin/USBDLL.dll" |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -o '_USB[A-Za-z]*@[0-9]*' | sort | xargs)
  if [[ $exports != "_USBClose@0 _USBOpen@4 _USBRead@12 _USBWrite@12" ]]; then
    echo "$folder/bin/USBDLL.dll exports: ${exports:-nothing}" >&2
    exit 1
  fi
  echo "$folder/bin/USBDLL.dll exports: $exports"
done
