#!/usr/bin/env bash
# Builds the libFuzzer harnesses (fuzz/*.cpp) with clang and runs each for a bounded time,
# seeded from its kept corpus in tests/fuzz/<name>/. New inputs go to a temporary folder; a
# crash leaves its input in build/fuzz/ and fails the run.
# FUZZ_SECONDS sets the time per harness (default 20).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/packages.sh"
need_packages "${FUZZ_PACKAGES[@]}"

seconds=${FUZZ_SECONDS:-20}
build="$here/build/fuzz"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON -DVANTREL_WERROR=OFF >/dev/null
cmake --build "$build" --target fuzzers -j "$(nproc)"

for src in "$here"/fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  corpus="$here/tests/fuzz/$name"
  fresh=$(mktemp -d)
  log="$build/$name.log"
  echo "fuzzing $name for ${seconds}s"
  if ! (cd "$build" && "./$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          "$fresh" "$corpus" >"$log" 2>&1); then
    tail -n 40 "$log"
    rm -rf "$fresh"
    echo "$name found a failure; its input is in $build"
    exit 1
  fi
  grep -E "^Done [0-9]+ runs" "$log" || true
  rm -rf "$fresh"
done
