#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (a release build of its own in build-package,
# without tests) and prints the path of the .deb as its last line.
# Install it with:  sudo apt install ./build-package/package/knowtest_*.deb
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build="$here/build-package"
"$here/setup/deps.sh" package

# Debian's hardening flags, all of them, as its own package builds get them.
# CMake does not read CPPFLAGS, so they go with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKNOWTEST_BUILD_TESTS=OFF -DKNOWTEST_BUILD_BENCH=OFF \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build"

# A fresh folder, so the one .deb in it is this build's.
rm -rf "$build/package"
(cd "$build" && cpack -G DEB) >&2
debs=("$build"/package/knowtest_*.deb)
[ -f "${debs[0]}" ] || { echo "package.sh: no .deb was made" >&2; exit 1; }
echo "${debs[0]}"
