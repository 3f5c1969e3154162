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

dump="$here/build/run-ui-dump.txt"
traffic="$here/build/run-sim-log.txt"
rm -f "$dump" "$traffic"
wine "$exe" --simulate --sim-log="$(winepath -w "$traffic")" --ui-dump="$(winepath -w "$dump")" \
  >"$here/build/run.log" 2>&1 &
app=$!
# A cold prefix maps the window long before it first paints: wait for the paint (the control
# dump is written after it) and for the start-up writes, not for a fixed time.
if ! win=$(wait_main_window 60) || ! wait_painted "$dump" 60; then
  echo "The window did not appear; see $here/build/run.log" >&2
  exit 1
fi
wait_settled "$traffic" "$dump" 30 || echo "The start-up writes did not settle; taking the screenshot anyway." >&2
shot="$here/build/screenshot.png"
import -window root "$shot"
echo "Vantrel ran on a private display ($DISPLAY, window $win). Screenshot: $shot"
kill "$app" 2>/dev/null || true
