#!/usr/bin/env bash
# Runs Kadenzo's articulation copy over the bundled sample clip and prints the
# result.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target kadenzo-filter
build/filter/kadenzo-filter < examples/sample-clip.nwctxt
