#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup/deps.sh" test
for lock in "$here"/tests/*/node/package-lock.json; do
    [ -f "$lock" ] || continue
    (cd "$(dirname "$lock")" && npm ci --no-audit --no-fund --loglevel=error)
done
cmake -S "$here" -B "$here/build-test" -G Ninja -DKNOWTEST_BUILD_TESTS=ON -DKNOWTEST_BUILD_BENCH=ON >/dev/null
cmake --build "$here/build-test"
cd "$here/build-test"
ctest --output-on-failure --timeout 600 -j2
