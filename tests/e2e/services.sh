# Platform services end to end: sourced by e2e.sh after its own checks, on the same display
# and prefix, with its `check` and counters. Uses the adapter test program's E2e probes and
# the program's tray icon.

probes="$here/build/win/vantrel_win32_tests.exe"
probe_pid=""
run_probe() {  # run_probe NAME: starts the disabled probe E2e.NAME in the background
  wine "$probes" --gtest_also_run_disabled_tests --gtest_filter="E2e.DISABLED_$1" \
    >"$out/probe-$1.log" 2>&1 &
  probe_pid=$!
}
probe_passed() {  # waits for the probe and reads its verdict
  wait_gone "$probe_pid" 40 || { kill "$probe_pid" 2>/dev/null; return 1; }
  tr -d '\r' <"$out/probe-$1.log" | grep -q '^\[  PASSED  \] 1 test'
}
pixel() {  # pixel PNG X Y -> "R,G,B"
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

if [ ! -f "$probes" ]; then
  check "adapter test program built" false
else
  # --- keyboard hook: real X key events reach a started hook as 0x401 ---
  run_probe HookSeesRealKeys
  probe=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vantrel hook probe$' 2>/dev/null | head -1)
  if [ -n "$probe" ]; then
    sleep 0.5
    xdotool windowfocus --sync "$probe" 2>/dev/null
    # Explicit order: xdotool's shift+b releases the shift before the b.
    xdotool key a keydown shift key b keyup shift
  fi
  check "hook reports a, shift+b as codes, release flags and increasing times" \
    probe_passed HookSeesRealKeys

  # --- layered popup drawn with UpdateLayeredWindow ---
  export VANTREL_PROBE_DONE="$(winepath -w "$out/popup.done" 2>/dev/null)"
  rm -f "$out/popup.done"
  run_probe LayeredPopupIsDrawn
  for i in $(seq 1 100); do
    grep -q "popup shown" "$out/probe-LayeredPopupIsDrawn.log" 2>/dev/null && break
    sleep 0.1
  done
  sleep 1
  import -window root "$out/popup.png"
  touch "$out/popup.done"
  check "popup's opaque half is on screen" test "$(pixel "$out/popup.png" 450 350)" = "255,0,0"
  check "popup's transparent half is not" test "$(pixel "$out/popup.png" 550 350)" != "255,0,0"
  check "popup probe ends cleanly" probe_passed LayeredPopupIsDrawn

  # --- open-file dialog cancelled with Escape ---
  run_probe CancelledOpenDialogChangesNothing
  dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vantrel dialog probe$' 2>/dev/null | head -1)
  if [ -n "$dialog" ]; then
    sleep 0.5
    import -window root "$out/open-dialog.png"
    xdotool windowfocus --sync "$dialog" 2>/dev/null
    xdotool key Escape
  fi
  check "open-file dialog appears" test -n "$dialog"
  check "cancelled open dialog gives nothing and changes nothing" \
    probe_passed CancelledOpenDialogChangesNothing
fi

# --- tray icon of the program: added, its menu works, removed at exit ---
wine "$exe" --simulate >"$out/tray.log" 2>&1 &
app_pid=$!
win=$(wait_main_window 30)
# Wine's tray window comes up a moment after the icon is added.
tray=""
for i in $(seq 1 50); do
  tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -1)
  [ -n "$tray" ] && break
  sleep 0.2
done
check "tray icon is added" test -n "$tray"
if [ -n "$tray" ]; then
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  # The first icon sits at the left of the tray's client area, below Wine's caption.
  icon_x=$((X + 12)) icon_y=$((Y + HEIGHT - 12))
  # The menu is a small nameless window; keys do not reach it without a window manager, so
  # its last item (exit) is clicked. A right click before the icon takes input is lost on a
  # busy machine: clicked again until the menu is there.
  menu=""
  for attempt in $(seq 1 10); do
    xdotool mousemove "$icon_x" "$icon_y"
    sleep 0.3
    xdotool click 3
    for i in $(seq 1 10); do
      for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        # The icon's tooltip is nameless and small too, but only two or three lines high.
        [ "$WIDTH" -lt 400 ] && [ "$HEIGHT" -ge 55 ] && menu=$w && break
      done
      [ -n "$menu" ] && break
      sleep 0.2
    done
    [ -n "$menu" ] && break
  done
  import -window root "$out/tray-menu.png"
  check "tray icon's right click opens the menu" test -n "$menu"
  [ -n "$menu" ] && xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10)) && sleep 0.3 &&
    xdotool click 1
fi
check "the tray menu's exit command ends the program" wait_gone "$app_pid" 20
app_pid=""
check "tray icon is removed at exit" \
  test -z "$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null)"

# --- command line: the simulated mouse and its log; a clear refusal of anything else ---
wine "$exe" --verbose >"$out/badoption.log" 2>&1 &
app_pid=$!
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gaming Mouse$' 2>/dev/null | head -1)
if [ -n "$box" ]; then
  sleep 0.5
  import -window root "$out/bad-option.png"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  check "an unknown option is refused with a message, not the main window" test "$WIDTH" != 1127
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key Return
else
  check "an unknown option is refused with a message" false
fi
check "the program ends after the message" wait_gone "$app_pid" 20
app_pid=""

sim_log="$out/sim-traffic.txt"
rm -f "$sim_log"
printf '0 plug wireless\n200 plug wired\n' >"$out/sim-script.txt"
wine "$exe" --simulate="$(winepath -w "$out/sim-script.txt")" --sim-log="$(winepath -w "$sim_log")" \
  >"$out/simulate.log" 2>&1 &
app_pid=$!
win=$(wait_main_window 30)
check "main window appears with --simulate=SCRIPT" test -n "$win"
check "--sim-log file is written while the program runs" within 20 test -f "$sim_log"
check "the program finds the simulated mouse and reads its device info" \
  within 20 grep -qE '^[0-9]+ get (wired|wireless) ok 05' "$sim_log"
import -window root "$out/simulated.png"
if [ -n "$win" ]; then
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key alt+F4
fi
check "the simulated program ends cleanly" wait_gone "$app_pid" 20
app_pid=""
