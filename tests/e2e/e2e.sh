#!/usr/bin/env bash
# End-to-end tests of Vantrel.exe under Wine: a fresh prefix on a private Xvfb display,
# real windows found and driven with xdotool, screenshots kept in build/e2e/.
# Ends only what it started: its Xvfb (by pid), the program (by pid) and its own prefix's
# wineserver.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/wine-env.sh"
exe="$here/build/win/Vantrel.exe"
out="$here/build/e2e"
mkdir -p "$out"
[ -f "$exe" ] || { echo "missing $exe: build the Windows program first" >&2; exit 1; }

passed=0
failed=0
check() {  # check NAME COMMAND...
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   - $name"
  else
    failed=$((failed + 1))
    echo "FAIL - $name"
  fi
}

# within SECONDS COMMAND...: the command succeeds within that many seconds (a loaded machine
# paints and writes later than an idle one).
within() {
  local seconds=$1 i
  shift
  for i in $(seq 1 $((seconds * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}
not_blank() {  # not_blank PNG: the screenshot has more than one colour
  import -window root "$1" && [ "$(identify -format "%k" "$1")" -gt 1 ]
}
no_visible_windows() { [ "$(visible_windows)" = 0 ]; }
one_visible_window() { [ "$(visible_windows)" = 1 ]; }

app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  wine_env_stop
}
trap cleanup EXIT

start_private_xvfb || exit 1
prepare_wine_prefix "$out/wineprefix" fresh
data_dir=$(wine_data_dir)

visible_windows() { main_windows | wc -l; }
wait_gone() {  # wait_gone PID SECONDS
  local i
  for i in $(seq 1 $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# --- start-up ---
cd "$here/build/win"
# --- with the simulated mouse on the cable, the mouse lets the window show ---
wine "$exe" --simulate >"$out/first.log" 2>&1 &
app_pid=$!
win=$(wait_main_window 30)
check "main window appears (shown by the mouse)" test -n "$win"
if [ -z "$win" ]; then
  echo "0 passed, 1 failed"
  exit 1
fi
within 20 not_blank "$out/startup.png"
eval "$(xdotool getwindowgeometry --shell "$win")"
check "window is 1127 x 740" test "$WIDTH" = 1127 -a "$HEIGHT" = 740
check "window is centred, not at a negative position" test "$X" -ge 0 -a "$Y" -ge 0
check "data folder and config folder created" test -d "$data_dir/config"
check "screenshot is not blank" not_blank "$out/startup.png"

# --- second instance ---
wine "$exe" >"$out/second.log" 2>&1 &
second=$!
check "second instance ends by itself" wait_gone "$second" 20
check "exactly one main window remains" test "$(visible_windows)" = 1
check "first instance still runs" kill -0 "$app_pid"

# --- Enter and Escape do not close the window; Alt+F4 ends the program ---
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key Return Escape
sleep 0.5
check "Enter and Escape leave the window open" kill -0 "$app_pid"
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key alt+F4
check "the program ends when its window is closed" wait_gone "$app_pid" 20
app_pid=""

# --- minimise hides to the tray; a second start shows it again; the close button ends ---
wine "$exe" --simulate >"$out/third.log" 2>&1 &
app_pid=$!
win=$(wait_main_window 30)
check "main window appears again" test -n "$win"
# click_until SECONDS X Y TEST...: clicks at (X, Y) of the main window until TEST holds (a
# click before the window takes input is lost on a busy machine).
click_until() {
  local seconds=$1 x=$2 y=$3 i
  shift 3
  for i in $(seq 1 "$seconds"); do
    xdotool mousemove --window "$win" "$x" "$y" click 1
    within 1 "$@" && return 0
  done
  return 1
}
if [ -n "$win" ]; then
  check "the minimise button hides the window" click_until 20 1087 17 no_visible_windows
  wine "$exe" >"$out/fourth.log" 2>&1 &
  check "a second start ends by itself" wait_gone $! 20
  check "and shows the hidden window again" within 20 one_visible_window
  import -window root "$out/shown-again.png"
  xdotool mousemove --window "$win" 1109 17 click 1
  check "the close button ends the program" wait_gone "$app_pid" 20
  app_pid=""
fi

# --- the toolkit gallery: every control, a popup, a message box, dragging the window ---
if [ -f "$here/build/win/VantrelGallery.exe" ]; then
  check "toolkit gallery under Wine" bash "$here/tools/gallery/screenshot.sh" "$here/build/win"
fi

source "$here/tests/e2e/services.sh"

cd "$here/build/win"
# --- without a mouse: only the tray icon and the no-device box; the window waits ---
wine "$exe" >"$out/no-mouse.log" 2>&1 &
app_pid=$!
some_box() { [ "$(xdotool search --onlyvisible --name '^Gaming Mouse$' 2>/dev/null | wc -l)" -ge 1 ]; }
tray_icon() { [ -n "$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null)" ]; }
check "without a mouse the no-device message box appears" within 40 some_box
check "without a mouse the tray icon is there" within 20 tray_icon
import -window root "$out/no-device.png"
check "without a mouse the main window stays hidden" test "$(main_windows | wc -l)" = 0
kill "$app_pid" 2>/dev/null
wait_gone "$app_pid" 10
app_pid=""


echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
