#!/usr/bin/env bash
# The layering check passes on the tree and fails on each kind of wrong-way include.
set -u
check="$(dirname "$0")/../../scripts/check-layers.py"
fail=0
python3 "$check" >/dev/null || { echo "the tree itself fails the layering check"; fail=1; }

expect_refused() { # folder file include
  local tmp
  tmp=$(mktemp -d)
  mkdir -p "$tmp/src/ui" "$tmp/src/views/main" "$tmp/src/app" "$tmp/src/device" "$tmp/src/adapters/win32" "$tmp/src/$1"
  touch "$tmp/src/ui/ControlBase.h" "$tmp/src/views/main/DpiPagePart.h" "$tmp/src/app/VantrelDlg.h" "$tmp/src/adapters/win32/Win32Canvas.h"
  printf '#include %s\n' "$3" >"$tmp/src/$1/$2"
  if python3 "$check" --src "$tmp/src" >/dev/null; then
    echo "not refused: src/$1/$2 including $3"
    fail=1
  fi
  rm -rf "$tmp"
}
expect_refused ui Button.cpp '"views/main/DpiPagePart.h"'
expect_refused views/main Part.cpp '"app/VantrelDlg.h"'
expect_refused device Link.cpp '"ui/ControlBase.h"'
expect_refused app Router.cpp '"adapters/win32/Win32Canvas.h"'
expect_refused adapters/win32 Win32Tray.cpp '"app/VantrelDlg.h"'
expect_refused device Link.cpp '<windows.h>'
expect_refused ui Timer.cpp '<thread>'
expect_refused newfolder X.cpp '<string>'

if [ "$fail" = 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$fail"
