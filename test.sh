#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. The engine
# and bank tests also run in a build of their own under AddressSanitizer and
# UBSan; CTest's summary of the whole suite comes last.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup/deps.sh" test
for lock in "$here"/tests/*/node/package-lock.json; do
    [ -f "$lock" ] || continue
    (cd "$(dirname "$lock")" && npm ci --no-audit --no-fund --loglevel=error)
done
cmake -S "$here" -B "$here/build-test" -G Ninja -DKNOWTEST_BUILD_TESTS=ON -DKNOWTEST_BUILD_BENCH=ON \
    -DKNOWTEST_WERROR=ON >/dev/null
cmake --build "$here/build-test"
echo "test.sh: the build took ${SECONDS} s"

# The engine and the bank hold the program's arithmetic and its indexing.
start=$SECONDS
cmake -S "$here" -B "$here/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DKNOWTEST_BUILD_TESTS=ON -DKNOWTEST_BUILD_BENCH=OFF -DKNOWTEST_WERROR=ON \
    -DKNOWTEST_SANITIZE=ON >/dev/null
cmake --build "$here/build-sanitize" --target test_engine test_bank
for suite in test_engine test_bank; do
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$here/build-sanitize/bin/$suite" --gtest_brief=1
done
echo "test.sh: the sanitizer build and its tests took $((SECONDS - start)) s"

cd "$here/build-test"
exec ctest --output-on-failure --timeout 600 -j2
