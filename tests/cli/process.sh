#!/bin/bash
# vantrelctl as a whole process: pipes that close early, output that cannot be written,
# two runs on one data folder at once, Ctrl+C, a folder that cannot be written, a folder
# whose name is not UTF-8, and an installation without its files.
# Usage: process.sh VANTRELCTL WORKDIR
set -u
ctl=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A mouse that reports its battery every 100 ms for a minute.
script=$work/busy.sim
{
  echo "0 plug wired"
  for ((t = 100; t <= 60000; t += 100)); do echo "$t battery wired $((t / 100 % 100)) 0"; done
} > "$script"

# 1. A reader that goes away ends watch.
mkdir "$work/pipe"
timeout 20 bash -c "'$ctl' --simulate='$script' --data='$work/pipe' watch | head -1 > '$work/pipe.out'; exit \${PIPESTATUS[0]}"
code=$?
[[ $code == 1 ]] || fail "watch | head -1 exited $code (124: it never ended)"
[[ $(wc -l < "$work/pipe.out") == 1 ]] || fail "watch | head -1 printed $(cat "$work/pipe.out")"

# 2. Output that cannot be written is a failure.
"$ctl" --simulate --data="$work/pipe" get > /dev/full 2> "$work/full.err"
code=$?
[[ $code == 1 ]] || fail "get > /dev/full exited $code"
grep -q "No space left" "$work/full.err" || fail "get > /dev/full said: $(cat "$work/full.err")"
"$ctl" --simulate --data="$work/pipe" get >&- 2> /dev/null
code=$?
[[ $code == 1 ]] || fail "get >&- exited $code"
[[ $(ls "$work/pipe/config" | grep -c psf) == 5 ]] || fail "get >&- wrote its output into a file"

# 3. Two changes at once: both are kept.
for round in 1 2 3; do
  dir=$work/both$round
  mkdir "$dir"
  "$ctl" --simulate --data="$dir" get > /dev/null
  "$ctl" --simulate --data="$dir" set dpi 2 1600 > /dev/null 2>&1 &
  first=$!
  "$ctl" --simulate --data="$dir" set polling 500 > /dev/null 2>&1 &
  second=$!
  wait $first || fail "round $round: the first set failed"
  wait $second || fail "round $round: the second set failed"
  got=$("$ctl" --simulate --data="$dir" get --json)
  [[ $got == *'"polling":500'* ]] || fail "round $round: the polling rate was lost: $got"
  [[ $got == *'{"level":2,"x":1600,"y":1600}'* ]] || fail "round $round: the DPI was lost: $got"
done

# 4. Ctrl+C ends watch with 130, as --help says.
"$ctl" --simulate="$script" --data="$work/pipe" watch > /dev/null 2>&1 &
watcher=$!
sleep 1
kill -INT $watcher
wait $watcher
code=$?
[[ $code == 130 ]] || fail "watch after Ctrl+C exited $code"

# 5. A folder that cannot be written: the mouse is left alone (needs another user than root).
if [[ $(id -u) == 0 ]] && command -v setpriv > /dev/null; then
  mkdir "$work/readonly"
  "$ctl" --simulate --data="$work/readonly" get > /dev/null
  chmod -R a+rX "$work"
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$ctl" --simulate --data="$work/readonly" --sim-log=/dev/null set polling 500 \
    > /dev/null 2> "$work/readonly.err"
  code=$?
  [[ $code == 1 ]] || fail "set on a read-only folder exited $code"
  grep -q "cannot be written; nothing was sent" "$work/readonly.err" ||
    fail "set on a read-only folder said: $(cat "$work/readonly.err")"
fi

# 6. A folder whose name is not UTF-8.
odd=$work/$'data\xff'
mkdir "$odd"
"$ctl" --simulate --data="$odd" set polling 250 > /dev/null || fail "set in a non-UTF-8 folder failed"
[[ -f $odd/config/default0.psf ]] || fail "nothing was saved in the non-UTF-8 folder"

# 7. An installation without its files says so.
mkdir -p "$work/bare/bin"
cp "$ctl" "$work/bare/bin/"
"$work/bare/bin/vantrelctl" --simulate --data="$work/pipe" get polling > /dev/null 2> "$work/bare.err"
grep -q "files are missing" "$work/bare.err" || fail "a bare installation said: $(cat "$work/bare.err")"

[[ $failures == 0 ]] && echo "all process checks passed"
exit $((failures > 0))
