#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 30).
# New inputs found go to build-fuzz/corpus-*, crashes to build-fuzz/crash-*.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(HeadlessFuzzer LineListFuzzer)

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKADENZO_SANITIZE=ON -DKADENZO_FUZZ=ON -DKADENZO_WITH_GUI=OFF \
  -DKADENZO_WITH_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
  case $target in
    HeadlessFuzzer) seeds=fuzz/corpus/headless ;;
    LineListFuzzer) seeds=fuzz/corpus/linelist ;;
  esac
  mkdir -p "build-fuzz/corpus-$target"
  echo "== $target for ${seconds}s"
  "build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build-fuzz/crash-$target-" "build-fuzz/corpus-$target" "$seeds" 2>&1 |
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==ERROR|property broken|differs from the model|SUMMARY)' || true
  # libFuzzer exits non-zero on a finding; the pipe hides that, so check.
  if ls "build-fuzz/crash-$target-"* >/dev/null 2>&1; then
    echo "$target found a failing input: $(ls "build-fuzz/crash-$target-"*)"
    exit 1
  fi
done
