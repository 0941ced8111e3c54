#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds everything and runs every test: the unit tests, the same tests built
# with AddressSanitizer and UndefinedBehaviorSanitizer (the desktop program
# too, in build-asan/), and the end-to-end tests of the desktop program under
# Xvfb.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh build
ctest --test-dir build --output-on-failure

scripts/setup.sh build-asan -DZYN_SANITIZE=ON -DZYN_BUILD_APP=ON -DZYN_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure

if [[ -x tests/e2e/run.sh ]]; then
    tests/e2e/run.sh build
fi
echo "All tests passed."
