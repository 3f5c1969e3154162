# Source it: builds the Windows targets with MinGW-w64 into build/win.
# build_windows REPO [TARGET...]: every target when none is named.
build_windows() {
  local here=$1
  shift
  cmake -S "$here" -B "$here/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" >/dev/null
  local targets=()
  local t
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$here/build/win" -j "$(nproc)" "${targets[@]}"
}
