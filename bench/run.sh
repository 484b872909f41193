#!/usr/bin/env bash
# Builds the native configuration and prints the benchmark figures. Arguments go to the
# benchmark, e.g. bench/run.sh --benchmark_repetitions=5 --benchmark_filter=Redraw
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target tavimore_bench
build/native/bin/tavimore_bench "$@"
