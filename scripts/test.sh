#!/usr/bin/env bash
# Builds everything and runs every test: the native unit and integration tests under CTest,
# the Windows program and its adapter tests with MinGW-w64 under Wine, and the end-to-end
# tests of Vantrel.exe under Wine on a private display.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/packages.sh"
need_packages "${TEST_PACKAGES[@]}"
source "$here/scripts/build-win.sh"
source "$here/scripts/wine-env.sh"

jobs=$(nproc)
echo "== code format"
bash "$here/scripts/check-format.sh"

echo "== native build and tests"
cmake -S "$here" -B "$here/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$here/build/native" -j "$jobs"
(cd "$here/build/native" && ctest --output-on-failure -j "$jobs")

echo "== parser fuzzing (bounded)"
bash "$here/scripts/fuzz.sh" "${FUZZ_SECONDS:-15}"

echo "== Windows build"
build_windows "$here"

if [ -f "$here/build/win/CTestTestfile.cmake" ] && grep -q add_test "$here/build/win/CTestTestfile.cmake"; then
  echo "== Windows adapter tests under Wine"
  (
    trap wine_env_stop EXIT
    start_private_xvfb
    prepare_wine_prefix "$here/build/win-test-prefix"
    cd "$here/build/win" && ctest --output-on-failure
  )
fi

echo "== release (installer, portable zip, signed version file)"
bash "$here/scripts/release.sh" "$here/build/release-out"
# The newer release that the installer tests put over this one is made again from this commit.
rm -rf "$here"/build/e2e/release-*

echo "== end-to-end tests under Wine"
bash "$here/tests/e2e/e2e.sh"

echo "== end-to-end tests of the windows (pytest)"
(cd "$here/tests/e2e" && /usr/bin/python3 -m pytest -q -p no:cacheprovider .)
