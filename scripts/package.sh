#!/usr/bin/env bash
# Builds the Debian package: a Release build without the tests in build-package/, the
# program stripped, its library dependencies read off the binary by dpkg-shlibdeps.
#   scripts/package.sh     ->  build-package/tarvosk_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
source scripts/common.sh

BUILD_DIR=build-package
ensure_packages
# cpack's DEB generator finds the binaries with "file" and their libraries with dpkg-shlibdeps.
ensure_packages_from dpkg-dev file

generator=()
[ ! -f "$BUILD_DIR/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S . -B "$BUILD_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DTARVOSK_TESTS=OFF \
    -DTARVOSK_GUIDE_IN_SOURCES=OFF >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
ls -l "$BUILD_DIR"/tarvosk_*.deb
