# Debian packages the scripts need; installs what is missing when run as root.
BUILD_PACKAGES=(cmake ninja-build ccache g++ googletest libgtest-dev libpng-dev libbenchmark-dev mingw-w64 g++-mingw-w64-x86-64-posix)
# fonts-wine (Tahoma and the other faces the program asks for) is only recommended by wine,
# and recommends are not installed here; fonts-wqy-microhei is the Chinese face; xcompmgr
# composites the layered windows so that their transparency shows.
WINE_PACKAGES=(wine wine64 fonts-wine fonts-wqy-microhei xcompmgr xvfb xdotool xclip imagemagick x11-utils)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}" clang libclang-rt-14-dev clang-format python3-pytest python3-pytest-xdist)
RUN_PACKAGES=("${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}")

need_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Run as root:"
    echo "  apt-get install -y --no-install-recommends ${missing[*]}"
    exit 1
  fi
}
