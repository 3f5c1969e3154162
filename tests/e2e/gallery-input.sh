# Keyboard, clipboard and menus end to end: sourced by e2e.sh on its display and prefix, with
# its `check` and counters. Types into the gallery's text entries with real X key events,
# pastes non-ASCII text (a surrogate pair included) from an X clipboard owner, opens the menu
# field's submenu with the pointer and keeps a screenshot of its hover highlight. The gallery
# reports what its entries hold and the last menu choice in a state file.

gallery="$here/build/win/VantrelGallery.exe"
state="$out/gallery-state.txt"
clip_pid=""
gallery_pid=""

state_has() {  # state_has LINE SECONDS: waits until the state file holds the line
  local i
  for i in $(seq 1 $(($2 * 10))); do
    grep -qxF "$1" "$state" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "  state file: $(tr '\n' '|' <"$state" 2>/dev/null)" >&2
  return 1
}
bluish() {  # bluish PNG X Y: the pixel is clearly blue (the menu's highlight)
  local rgb r g b
  rgb=$(pixel "$1" "$2" "$3")
  IFS=, read -r r g b <<<"$rgb"
  [ "$b" -gt $((r + 60)) ] && [ "$b" -gt 120 ]
}
not_bluish() { ! bluish "$@"; }
window_under() {  # window_under: the X window below the pointer
  xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p'
}
pixel() {  # pixel PNG X Y -> "R,G,B"
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

if [ ! -f "$gallery" ]; then
  check "gallery built for the input checks" false
else
  rm -f "$state"
  cd "$here/build/win"
  wine "$gallery" --state-log="$(winepath -w "$state")" >"$out/gallery-input.log" 2>&1 &
  gallery_pid=$!
  gwin=$(timeout 30 xdotool search --sync --onlyvisible --name '^Gaming Mouse$' 2>/dev/null | head -1)
  check "gallery window appears" test -n "$gwin"
fi

if [ -n "$gwin" ]; then
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$gwin")"
  gx=$X
  gy=$Y
  # The name entry (540,362)-(780,386): a click focuses it, Ctrl+A selects its text.
  xdotool mousemove --window "$gwin" 600 374 click 1
  sleep 0.3
  xdotool windowfocus --sync "$gwin" 2>/dev/null
  xdotool key ctrl+a
  xdotool type --delay 60 "Anna"
  # Non-ASCII text and a pair (U+1F600) from an X clipboard owner, pasted with Ctrl+V.
  printf ' M\xc3\xbcller \xe5\x90\x8d\xf0\x9f\x98\x80' >"$out/clipboard.txt"
  xclip -selection clipboard -quiet <"$out/clipboard.txt" >/dev/null 2>&1 &
  clip_pid=$!
  sleep 1
  xdotool key ctrl+v
  check "typed and pasted name reaches the entry whole" \
    state_has "name=Anna Müller 名😀" 10
  # Tab moves on to the number entry and selects it; letters are refused there.
  xdotool key Tab
  xdotool type --delay 60 "32x00"
  check "Tab reaches the number entry, which takes digits only" state_has "number=3200" 10
  kill "$clip_pid" 2>/dev/null
  clip_pid=""
  import -window root "$out/gallery-entry.png"

  # The menu field (640,396)-(780,420) opens its menu below it.
  xdotool mousemove --window "$gwin" 700 408 click 1
  sleep 1
  # Row 3 (Multimedia) of the menu opens its submenu beside it while it is lit.
  xdotool mousemove $((gx + 680)) $((gy + 420 + 3 + 3 * 22 + 11))
  sleep 0.5
  menu=$(window_under)
  check "the menu opens below its field" test -n "$menu" -a "$menu" != "$gwin"
  if [ -n "$menu" ] && [ "$menu" != "$gwin" ]; then
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    mx=$X
    my=$Y
    mw=$WIDTH
    check "the menu's top is at the field's bottom" test "$my" = $((gy + 420))
    # Over to the submenu, onto its second row: both rows lit.
    row_y=$((gy + 420 + 3 + 3 * 22))
    xdotool mousemove $((mx + mw + 30)) $((row_y + 22 + 11))
    sleep 0.8
    sub=$(window_under)
    check "the submenu opens beside the menu" test -n "$sub" -a "$sub" != "$menu" -a "$sub" != "$gwin"
    if [ -n "$sub" ]; then
      eval "$(xdotool getwindowgeometry --shell "$sub")"
      check "the submenu's left edge is the menu's right edge" test "$X" = $((mx + mw))
      import -window root "$out/gallery-submenu.png"
      check "the submenu row under the pointer is highlighted" \
        bluish "$out/gallery-submenu.png" $((X + 6)) $((row_y + 22 + 11))
      check "the menu row of the open submenu stays highlighted" \
        bluish "$out/gallery-submenu.png" $((mx + 6)) $((row_y + 11))
      check "a row without the pointer is not" \
        not_bluish "$out/gallery-submenu.png" $((mx + 6)) $((gy + 420 + 3 + 11))
      xdotool click 1
      check "choosing in the submenu reports the choice" state_has "menu=Next track" 10
      sleep 0.5
      check "and closes both menus" test "$(window_under)" != "$sub"
    fi
  fi

  # Escape in the focused entry reaches the dialog, which closes.
  xdotool mousemove --window "$gwin" 600 374 click 1
  sleep 0.3
  xdotool windowfocus --sync "$gwin" 2>/dev/null
  xdotool key Escape
  check "Escape in the entry reaches the dialog" wait_gone "$gallery_pid" 20
  gallery_pid=""
fi
[ -n "$clip_pid" ] && kill "$clip_pid" 2>/dev/null
[ -n "$gallery_pid" ] && kill "$gallery_pid" 2>/dev/null
