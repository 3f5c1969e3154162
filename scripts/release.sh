#!/usr/bin/env bash
# Makes a release from the checkout: scripts/release.sh OUTDIR writes
#   OUTDIR/installer_V<version>.exe        the Windows installer (NSIS)
#   OUTDIR/Vantrel-<version>-portable.zip  the program, skins and languages, for any folder
#   OUTDIR/VersionInfo.txt                 the signed version file the update check reads
# The version is the build's (VANTREL_VERSION in CMakeLists.txt). VANTREL_SIGNING_KEY names the
# release's private key (PEM, P-256); without it a throw-away test key is made and the program
# is built to trust that key only. VANTREL_UPDATE_BASE sets the update server's folder.
# VANTREL_VERSION and VANTREL_RELEASE_BUILD (the build folder) are for tests that need a
# second, newer release.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 1 ]; then
  echo "usage: scripts/release.sh OUTDIR" >&2
  exit 2
fi
source "$here/scripts/packages.sh"
need_packages "${RELEASE_PACKAGES[@]}"

mkdir -p "$1"
out=$(cd "$1" && pwd)
build=${VANTREL_RELEASE_BUILD:-$here/build/release}
work="$build/release-work"
rm -rf "$work"
mkdir -p "$work/stage"

if [ -n "${VANTREL_SIGNING_KEY:-}" ]; then
  key=$VANTREL_SIGNING_KEY
  /usr/bin/python3 "$here/scripts/version_file.py" public "$key" "$work/public.pem"
else
  # Made once per build folder and kept there, so that two runs give the same program.
  [ -f "$build/test-signing-key/private.pem" ] ||
    /usr/bin/python3 "$here/scripts/version_file.py" keygen "$build/test-signing-key"
  key="$build/test-signing-key/private.pem"
  cp "$build/test-signing-key/public.pem" "$work/public.pem"
  echo "release: no VANTREL_SIGNING_KEY; signed with the throw-away key $key"
fi
# The key the program is built with is a copy outside the work folder, so that a release with
# the same key does not reconfigure the build.
mkdir -p "$build/trusted-key"
cmp -s "$work/public.pem" "$build/trusted-key/public.pem" ||
  cp "$work/public.pem" "$build/trusted-key/public.pem"

cmake_args=(-S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake"
  -DVANTREL_UPDATE_KEY="$build/trusted-key/public.pem")
# Settings not given go back to CMakeLists.txt's, whatever an earlier run left in the cache.
if [ -n "${VANTREL_VERSION:-}" ]; then
  cmake_args+=(-DVANTREL_VERSION="$VANTREL_VERSION")
else
  cmake_args+=(-UVANTREL_VERSION)
fi
if [ -n "${VANTREL_UPDATE_BASE:-}" ]; then
  cmake_args+=(-DVANTREL_UPDATE_BASE="$VANTREL_UPDATE_BASE")
else
  cmake_args+=(-UVANTREL_UPDATE_BASE)
fi
cmake "${cmake_args[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target Vantrel vantrel_assets
version=$(cat "$build/vantrel-version.txt")

stage="$work/stage"
cp "$build/Vantrel.exe" "$stage/Vantrel.exe"
cp -r "$here/skins" "$stage/skins"
cp -r "$here/lang" "$stage/lang"

# The zip: sorted names, one fixed time, fixed permissions, so that two runs on one commit
# give the same bytes.
zip="$out/Vantrel-$version-portable.zip"
/usr/bin/python3 - "$stage" "$zip" "Vantrel-$version" <<'PY'
import os, sys, zipfile
stage, target, top = sys.argv[1:]
names = []
for folder, dirs, files in os.walk(stage):
    dirs.sort()
    for name in sorted(files):
        path = os.path.join(folder, name)
        names.append(os.path.relpath(path, stage).replace(os.sep, "/"))
with zipfile.ZipFile(target + ".part", "w") as z:
    for name in sorted(names):
        info = zipfile.ZipInfo(f"{top}/{name}", date_time=(2024, 1, 1, 0, 0, 0))
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0
        info.external_attr = 0x20  # archive, as Windows writes it
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
os.replace(target + ".part", target)
PY

installer="$out/installer_V$version.exe"
cp "$here/res/vantrel.ico" "$stage/vantrel.ico"
makensis -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$installer" \
  "$here/installer/Vantrel.nsi" >"$work/makensis.log" || { cat "$work/makensis.log"; exit 1; }
rm "$stage/vantrel.ico"

/usr/bin/python3 "$here/scripts/version_file.py" sign "$key" "$version" "$installer" "$out/VersionInfo.txt"

echo "release $version in $out:"
(cd "$out" && ls -l "installer_V$version.exe" "Vantrel-$version-portable.zip" VersionInfo.txt |
  awk '{print "  " $5 "\t" $9}')
