#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the program and runs it with the given arguments. Without a display
# and without arguments it renders the picture gallery to PNG files instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build

# With arguments the program answers them itself (--help needs no display).
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" || $# -gt 0 ]] && [[ -x build/zynmon ]]; then
    # The program looks for its logo file in the current directory.
    cd build/share
    exec ../zynmon "$@"
fi

echo "No display: rendering the picture gallery to gallery/ with zynmon-render instead."
mkdir -p gallery
for picture in $(seq 0 12); do
    build/zynmon-render --picture "$picture" --output "gallery/picture-$picture.png" || true
done
echo "Wrote $(ls gallery/*.png | wc -l) pictures to $(pwd)/gallery"
