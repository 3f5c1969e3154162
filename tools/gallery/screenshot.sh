#!/usr/bin/env bash
# Shows VantrelGallery.exe under Wine on a private Xvfb display and keeps screenshots of the
# gallery, its open popup menu and its message box in build/gallery/.
# Usage: tools/gallery/screenshot.sh [build folder with VantrelGallery.exe, default build/win]
# Ends only what it started: the gallery (by pid), its Xvfb and its own prefix's wineserver.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/wine-env.sh"
bin=$(cd "${1:-$here/build/win}" && pwd)
exe="$bin/VantrelGallery.exe"
out="$here/build/gallery"
mkdir -p "$out"
[ -f "$exe" ] || { echo "missing $exe: build the Windows programs first" >&2; exit 1; }

app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  wine_env_stop
}
trap cleanup EXIT

start_private_xvfb || exit 1
prepare_wine_prefix "$out/wineprefix"
cd "$bin"
wine "$exe" >"$out/gallery.log" 2>&1 &
app_pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Gaming Mouse$' 2>/dev/null | head -1)
[ -n "$win" ] || { echo "the gallery window did not appear" >&2; exit 1; }
sleep 1
xdotool mousemove --window "$win" 80 79
sleep 0.3
import -window root "$out/gallery.png"
# The combo field opens its popup menu; a click on its second row chooses it.
xdotool mousemove --window "$win" 500 79 click 1
sleep 0.8
import -window root "$out/gallery-popup.png"
xdotool mousemove --window "$win" 510 130 click 1
sleep 0.5
# The message box, answered with its OK button.
xdotool mousemove --window "$win" 80 79 click 1
sleep 0.8
import -window root "$out/gallery-message.png"
box=$(xdotool search --onlyvisible --name '^Gaming Mouse$' 2>/dev/null | grep -v "^$win$" | head -1)
[ -n "$box" ] && xdotool mousemove --window "$box" 270 80 click 1
sleep 0.5
# An empty spot drags the window.
before=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p')
xdotool mousemove --window "$win" 720 440 mousedown 1
sleep 0.3
xdotool mousemove_relative --sync 30 20
sleep 0.3
xdotool mousemove_relative --sync 30 20 mouseup 1
sleep 0.5
after=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p')
echo "window moved from $before to $after"
status=0
if [ "$before" = "$after" ]; then
  echo "the window did not follow a drag from an empty spot" >&2
  status=1
fi
import -window root "$out/gallery-moved.png"
xdotool mousemove --window "$win" 780 18 click 1
for _ in $(seq 1 50); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
  echo "the gallery did not close from its close button" >&2
  exit 1
fi
app_pid=""
echo "screenshots in $out"
exit $status
