#!/usr/bin/env bash
# Builds everything and runs every test: native unit and integration tests under CTest,
# the Windows program with MinGW-w64, and the end-to-end tests under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/packages.sh"
need_packages "${TEST_PACKAGES[@]}"

jobs=$(nproc)
cmake -S "$here" -B "$here/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$here/build/native" -j "$jobs"
# The parsers' fuzzers run first, so that CTest's summary closes the output.
"$here/scripts/fuzz.sh"
(cd "$here/build/native" && ctest --output-on-failure -j "$jobs")
