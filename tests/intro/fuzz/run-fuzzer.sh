#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the logo fuzzer for FUZZ_SECONDS (default 60):
#   run-fuzzer.sh FUZZER ARTIFACT_DIR CORPUS_DIR SEED_DIR
set -eu
fuzzer=$1 artifacts=$2 corpus=$3 seeds=$4
mkdir -p "$artifacts" "$corpus"
exec "$fuzzer" -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" "$seeds"
