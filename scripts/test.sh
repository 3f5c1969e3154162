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
echo "== code format and layering"
bash "$here/scripts/check-format.sh"
python3 "$here/scripts/check-layers.py"
bash "$here/tests/scripts/check_layers_test.sh"

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

# The Wine tests run side by side, each on its own display and prefix: e2e.sh beside the
# pytest files, which share ${E2E_WORKERS:-2} workers.
echo "== end-to-end tests under Wine (e2e.sh and pytest, side by side)"
e2e_log="$here/build/e2e-sh.log"
mkdir -p "$here/build"
bash "$here/tests/e2e/e2e.sh" >"$e2e_log" 2>&1 &
e2e_pid=$!
pytest_status=0
(cd "$here/tests/e2e" && /usr/bin/python3 -m pytest -q -p no:cacheprovider \
  -n "${E2E_WORKERS:-2}" --dist loadfile .) || pytest_status=$?
e2e_status=0
wait "$e2e_pid" || e2e_status=$?
echo "== e2e.sh"
cat "$e2e_log"
[ "$e2e_status" -eq 0 ] && [ "$pytest_status" -eq 0 ]
