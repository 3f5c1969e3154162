#!/usr/bin/env bash
# Builds Vantrel.exe and runs it under Wine against the simulated mouse. With no display it
# starts a private Xvfb, saves a screenshot and says where.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/packages.sh"
echo "== checking the Debian packages it needs"
need_packages "${RUN_PACKAGES[@]}"
source "$here/scripts/build-win.sh"
source "$here/scripts/wine-env.sh"
echo "== building Vantrel.exe with MinGW-w64 (the first build takes a few minutes)"
build_windows "$here" Vantrel

exe="$here/build/win/Vantrel.exe"
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  start_private_xvfb
  start_compositor
fi
trap wine_env_stop EXIT
echo "== preparing the Wine prefix build/run-prefix (the first time takes about 15 s)"
prepare_wine_prefix "$here/build/run-prefix"
echo "== starting Vantrel.exe --simulate under Wine"

cd "$here/build/win"
if [ "$headless" = 0 ]; then
  echo "Starting Vantrel on $DISPLAY (close its window or use the tray menu to exit)."
  wine "$exe" --simulate
  exit 0
fi

wine "$exe" --simulate >"$here/build/run.log" 2>&1 &
app=$!
if ! win=$(wait_main_window 30); then
  echo "The window did not appear; see $here/build/run.log" >&2
  exit 1
fi
sleep 1
shot="$here/build/screenshot.png"
import -window root "$shot"
echo "Vantrel ran on a private display ($DISPLAY, window $win). Screenshot: $shot"
kill "$app" 2>/dev/null || true
