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
    # The desktop program built with the sanitizers, through an X11 pass
    # (the intro, plain, scaled and under a window manager) and a Wayland one
    # (a window on each of sway's outputs, one at a fractional scale). The
    # toolkit's own caches live until the end: leaks are not counted there.
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        tests/e2e/run.sh build-asan \
        test_intro_zooms_the_logo_a_key_or_click_ends_it_only_after_the_zoom_and_closing_ends \
        test_every_monitor_shows_its_picture_and_one_panel_drives_all
fi
echo "All tests passed."
