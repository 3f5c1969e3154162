# Shared Wine and Xvfb helpers for the run script and the end-to-end tests.
# Source it; every process it starts is remembered and ended by wine_env_stop.

WINE_ENV_XVFB_PID=""
WINE_ENV_COMPOSITOR_PID=""

# Fonts copied into every prefix: Wine's own faces and the Chinese face.
WINE_ENV_FONTS=(/usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)

# Wine turns file names into host names with the locale's character set: without a UTF-8
# locale a name with Chinese characters cannot be created at all. C.UTF-8 ships with Debian.
use_utf8_locale() {
  case "$(locale charmap 2>/dev/null)" in
    UTF-8 | utf8) return 0 ;;
  esac
  export LC_ALL=C.UTF-8
}

# Starts a compositor on $DISPLAY when one is installed, so that layered windows blend.
start_compositor() {
  command -v xcompmgr >/dev/null 2>&1 || return 0
  xcompmgr >/dev/null 2>&1 &
  WINE_ENV_COMPOSITOR_PID=$!
}

# Copies every font the program asks for into the prefix when it is not there yet, so that a
# prefix made before the fonts were installed gets them too. Says which could not be copied.
copy_fonts_into_prefix() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font missing=0
  mkdir -p "$fonts"
  for font in "${WINE_ENV_FONTS[@]}"; do
    if [ ! -f "$font" ]; then
      missing=1
      continue
    fi
    cmp -s "$font" "$fonts/$(basename "$font")" 2>/dev/null && continue
    cp "$font" "$fonts/" || echo "could not copy the font $font into $fonts" >&2
  done
  if [ "$missing" = 1 ]; then
    echo "some fonts are not installed (fonts-wine, fonts-wqy-microhei): text falls back to other faces" >&2
  fi
}

# Starts a private Xvfb on a free display and exports DISPLAY. Xvfb picks the number itself
# (-displayfd), so several test runs started at once never race for one display.
# $1 = screen as WIDTHxHEIGHTxDEPTH (1280x800x24 unless given).
start_private_xvfb() {
  local fifo number i screen=${1:-1280x800x24}
  fifo=$(mktemp -u /tmp/vantrel-xvfb.XXXXXX)
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  number=""
  read -r -t 30 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not answer on :$number" >&2
  return 1
}

# Creates (or reuses) a Wine prefix that is ready for the program: fonts, no window-manager
# stall, and a running server. $1 = prefix folder, $2 = "fresh" to start from nothing.
prepare_wine_prefix() {
  use_utf8_locale
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${2:-}" = fresh ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  # A prefix whose set-up was cut short (a killed run) lacks system DLLs: start it again. The
  # marker is written only after the set-up finished.
  if [ ! -f "$WINEPREFIX/.vantrel-ready" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vantrel-ready"
  fi
  copy_fonts_into_prefix
  # Windows draws characters a face lacks (Chinese in a Tahoma text: macro and profile names)
  # through its font links; a new prefix has none, so Tahoma is linked to the Chinese face.
  if [ ! -f "$WINEPREFIX/.vantrel-fontlink" ]; then
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 &&
      wineserver -w && touch "$WINEPREFIX/.vantrel-fontlink"
  fi
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit >/dev/null 2>&1 || true
}

# The data folder of the program inside the prefix.
wine_data_dir() {
  local user
  user=$(id -un)
  echo "$WINEPREFIX/drive_c/users/$user/AppData/Roaming/GamingMouseData20250627A"
}

wine_env_stop() {
  if [ -n "$WINE_ENV_COMPOSITOR_PID" ]; then
    kill "$WINE_ENV_COMPOSITOR_PID" 2>/dev/null || true
    wait "$WINE_ENV_COMPOSITOR_PID" 2>/dev/null || true
    WINE_ENV_COMPOSITOR_PID=""
  fi
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$WINE_ENV_XVFB_PID" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    WINE_ENV_XVFB_PID=""
  fi
}

# Visible windows titled "Gaming Mouse" that have the main window's width (skinned dialogs
# carry the same title).
main_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Gaming Mouse$' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1127x' && echo "$w"
  done
}

# Waits up to $1 seconds (default 30) for the main window and prints its id.
wait_main_window() {
  local i w
  for i in $(seq 1 $((${1:-30} * 5))); do
    w=$(main_windows | head -1)
    if [ -n "$w" ]; then
      echo "$w"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Waits up to $2 seconds for the program's control dump ($1, --ui-dump) to list the visible
# main window: the dump is written after a paint, so the window has been drawn.
wait_painted() {
  local i
  for i in $(seq 1 $((${2:-30} * 5))); do
    grep -qE '^window=.* class=CVantrelDlg .* visible=1$' "$1" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# Waits up to $3 seconds until the start-up writes have settled: the simulated mouse's traffic
# log ($1, --sim-log) has not grown for a second and the dump ($2) shows no progress window.
wait_settled() {
  local i last=-1 size quiet=0
  for i in $(seq 1 $((${3:-20} * 5))); do
    size=$(stat -c %s "$1" 2>/dev/null || echo -1)
    if [ "$size" = "$last" ] && ! grep -qE '^window=.* class=CProgressDlg .* visible=1$' "$2" 2>/dev/null; then
      quiet=$((quiet + 1))
      [ "$quiet" -ge 5 ] && return 0
    else
      quiet=0
    fi
    last=$size
    sleep 0.2
  done
  return 1
}
