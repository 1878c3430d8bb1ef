#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the program on the sample bank.
# The report file TestData.dat is written in the current folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup/deps.sh" build
cmake -S "$here" -B "$here/build" -G Ninja -DKNOWTEST_BUILD_TESTS=OFF -DKNOWTEST_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build"
exec "$here/build/bin/knowtest" "$here/build/resources/sample.mdb"
