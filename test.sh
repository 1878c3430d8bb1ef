#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test. The engine
# and bank tests also run in a build of their own under AddressSanitizer and
# UBSan; CTest's summary of the whole suite comes last.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup/deps.sh" test
for lock in $(find "$here/tests" -path "*/node/package-lock.json" -not -path "*/node_modules/*"); do
    (cd "$(dirname "$lock")" && npm ci --no-audit --no-fund --loglevel=error)
done
cmake -S "$here" -B "$here/build-test" -G Ninja -DKNOWTEST_BUILD_TESTS=ON -DKNOWTEST_BUILD_BENCH=ON \
    -DKNOWTEST_WERROR=ON >/dev/null
cmake --build "$here/build-test"
echo "test.sh: the build took ${SECONDS} s"

# The engine, the bank and the report hold the program's arithmetic, its
# indexing and the parsing of files it did not write.
start=$SECONDS
cmake -S "$here" -B "$here/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DKNOWTEST_BUILD_TESTS=ON -DKNOWTEST_BUILD_BENCH=OFF -DKNOWTEST_WERROR=ON \
    -DKNOWTEST_SANITIZE=ON >/dev/null
cmake --build "$here/build-sanitize" --target test_engine test_bank test_report
for suite in test_engine test_bank test_report; do
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$here/build-sanitize/bin/$suite" --gtest_brief=1
done
echo "test.sh: the sanitizer build and its tests took $((SECONDS - start)) s"

cd "$here/build-test"
exec ctest --output-on-failure --timeout 600 -j2
