# Source it: builds Vantrel.exe (and the adapter tests) with MinGW-w64 into build/win.
build_windows() {
  local here=$1
  cmake -S "$here" -B "$here/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$here/build/win" -j "$(nproc)"
}
