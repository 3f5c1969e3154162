#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (address and undefined-behaviour sanitizers) and
# runs each for a bounded time, seeded from tests/fuzz/<harness>/ when it exists. Usage: scripts/fuzz.sh [seconds per harness, default 20]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build="$here/build/fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTREL_FUZZ=ON -DVANTREL_WERROR=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=all" >/dev/null
harnesses=()
for src in "$here"/fuzz/*.cpp; do harnesses+=("$(basename "$src" .cpp)"); done
cmake --build "$build" -j "$(nproc)" --target "${harnesses[@]}"
passed=0
failed=0
for h in "${harnesses[@]}"; do
  corpus="$build/corpus/$h"
  mkdir -p "$corpus"
  # Kept inputs (tests/fuzz/<harness>/) seed the run; new ones stay in the build folder.
  seeds=()
  [ -d "$here/tests/fuzz/$h" ] && seeds=("$here/tests/fuzz/$h")
  if "$build/$h" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" \
       "${seeds[@]}" >"$build/$h.log" 2>&1; then
    passed=$((passed + 1))
    echo "ok   - fuzz $h ($(grep -c . "$build/$h.log") log lines)"
  else
    failed=$((failed + 1))
    echo "FAIL - fuzz $h: see $build/$h.log"
    tail -30 "$build/$h.log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
