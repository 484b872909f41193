#!/usr/bin/env bash
# Long fuzzer runs: each fuzzer in turn, at the lowest priority, for a given time (default
# 30 minutes), then a line of figures per fuzzer: executions, executions per second, corpus
# size and the outcome.
#
#   tests/fuzz/run_long.sh [-t SECONDS] [-j WORKERS] [-l MAX_LEN] [TARGET...]
#
# Each fuzzer runs in libFuzzer's fork mode: WORKERS processes (default: one per core) fuzz
# at once, each for a while on part of the corpus, and hand what they found back to it. -l
# caps the input length (libFuzzer's -max_len; by default the largest seed's), which trades
# the whole-clock-file inputs of fuzz_payload for many more executions.
#
# TARGET: fuzz_picture, fuzz_payload (default: both). The fuzzers come from build/sanitize
# (built first if missing). Each keeps its corpus in build/sanitize/tests/fuzz/long/<target>,
# seeded once from the test seeds and grown by every run; a fault's input goes to
# build/sanitize/tests/fuzz/long/artifacts/<target>/. Exit code 0 when no fuzzer found a fault.
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=1800
workers=$(nproc)
maxlen=()
while getopts "t:j:l:" option; do
  case $option in
    t) seconds=$OPTARG ;;
    j) workers=$OPTARG ;;
    l) maxlen=(-max_len="$OPTARG") ;;
    *) echo "usage: $0 [-t SECONDS] [-j WORKERS] [-l MAX_LEN] [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_picture fuzz_payload)

build=build/sanitize
if [ ! -x $build/bin/fuzz_picture ] || [ ! -x $build/bin/fuzz_payload ]; then
  cmake --preset sanitize > /dev/null && cmake --build $build --target fuzz_picture fuzz_payload fuzz_seeds || exit 1
fi
long=$build/tests/fuzz/long
if [ ! -d $long/fuzz_picture ]; then
  cmake -DCORPUS=$long -DCOMMITTED=tests/fuzz/corpus -DSEEDS=$build/bin/fuzz_seeds \
        -DARTIFACTS=$long/artifacts -P tests/fuzz/seed_corpus.cmake || exit 1
fi

faults=0
for target in "${targets[@]}"; do
  mkdir -p $long/artifacts/$target
  log=$long/$target.log
  # ASan fills whole allocations with junk, so reading memory never written shows at once.
  start=$(date +%s)
  ASAN_OPTIONS=max_malloc_fill_size=8388608 nice -n 19 $build/bin/$target -fork="$workers" \
    -max_total_time="$seconds" "${maxlen[@]}" -timeout=10 \
    -artifact_prefix=$long/artifacts/$target/ $long/$target > "$log" 2>&1
  code=$?
  elapsed=$(( $(date +%s) - start ))
  # Fork mode's progress lines begin with the executions of all workers so far: "#1234: cov:".
  executions=$(sed -n 's/^#\([0-9]*\): cov:.*/\1/p' "$log" | tail -1)
  speed="?"
  [ -n "$executions" ] && [ $elapsed -gt 0 ] && speed=$((executions / elapsed))
  corpus=$(find $long/$target -type f | wc -l)
  outcome="no fault"
  if [ $code -ne 0 ]; then
    outcome="FAULT (exit $code), input in $long/artifacts/$target/, log $log"
    faults=$((faults + 1))
  fi
  echo "$target: ${executions:-?} executions in $elapsed s, $speed per second with $workers workers, corpus $corpus inputs: $outcome"
done
[ $faults -eq 0 ]
