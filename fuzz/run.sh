#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of seconds (default 600),
# starting from the seed corpus in fuzz/corpus/<target> (our examples and test fixtures).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
command -v clang++ >/dev/null || { apt-get update && apt-get install -y --no-install-recommends clang libclang-rt-14-dev; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQLNX_FUZZ=ON -DQLNX_GUI=OFF -DQLNX_TESTS=OFF
cmake --build build-fuzz -j 2 --target fuzz_curve_import fuzz_analysis
for target in fuzz_curve_import fuzz_analysis; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus" fuzz/findings
    cp -n fuzz/corpus/$target/* "$corpus"/ 2>/dev/null || true
    echo "== $target for ${seconds}s"
    ./build-fuzz/fuzz/$target -max_total_time="$seconds" -artifact_prefix=fuzz/findings/ \
        -print_final_stats=1 "$corpus" 2>&1 | tail -25
done
