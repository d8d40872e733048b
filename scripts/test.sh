#!/usr/bin/env bash
# Builds Kadenzo and runs every test: once in a normal build and once built
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKADENZO_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"

echo "== Tests built with sanitizers"
LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt" \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
echo "== Fuzzing, briefly (scripts/fuzz.sh SECONDS runs longer)"
scripts/fuzz.sh 30
echo "== Tests"
ctest --test-dir build --output-on-failure -j "$jobs"
