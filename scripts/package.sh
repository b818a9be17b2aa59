#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package kvcom in build-package/ with CPack, checks it with
# lintian (an error fails) and prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev fakeroot file lintian

# Debian's hardening flags (fortified functions, stack protector, read-only
# relocations, immediate binding), as a Debian build would pass them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKV_BUILD_TESTS=OFF -DKV_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-package -j "$(nproc)" --target kvcom kv730-sim kv_packaging_files
(cd build-package && cpack >/dev/null)

deb=$(ls "$PWD"/build-package/kvcom_*.deb)
dpkg-deb --field "$deb" Package Version Depends Installed-Size
lintian --fail-on error "$deb"
echo "$deb"
