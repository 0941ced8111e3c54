#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end tests of the desktop program under Xvfb (see e2e.py).
#   tests/e2e/run.sh BUILD_DIR [TEST_NAME ...]
set -euo pipefail
build_dir=$(realpath "${1:?usage: tests/e2e/run.sh BUILD_DIR [TEST_NAME ...]}")
shift
exec python3 "$(dirname "$0")/e2e.py" "$build_dir" "$@"
