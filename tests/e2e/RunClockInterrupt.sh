#!/usr/bin/env bash
# Ctrl-C stops scripts/run-clock as it stops any command in a terminal: the
# script is started on the test display in a process group of its own, as a
# shell starts a foreground command; once the clock shows its window titled
# "curlin", SIGINT goes to the whole group, as the terminal sends it. The
# script must end with 130 and leave no curlin.exe of its Wine session
# running, and the display must still answer: the test display is the suite's
# own virtual one, which the tests after this one use, or the user's desktop
# (with CURLIN_TEST_DISPLAY=current), and neither the script nor this test may
# stop it. run-clock runs in a Wine session of its own, as it does beside a
# test run, and ends only that session's Wine: a clock that this test starts
# meanwhile in the test run's own Wine must still run afterwards.
#   RunClockInterrupt.sh SOURCE-DIR BUILD-DIR
set -uo pipefail
source_dir=$1
build=$2
clock="$build/bin/curlin.exe"
deadline_s=20

fail() { echo "FAIL: $*"; exit 1; }

# The process ids of this build's clock in the Wine prefix PREFIX: Wine gives
# a program the path it was started by as its first argument, and winerun
# names the prefix in the environment.
clock_processes() {  # clock_processes PREFIX
  local entry first pid
  for entry in /proc/[0-9]*/cmdline; do
    { IFS= read -r -d '' first <"$entry"; } 2>/dev/null || continue
    if [ "$first" = "$clock" ]; then
      pid=${entry#/proc/}
      pid=${pid%/cmdline}
      tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$1" && echo "$pid"
    fi
  done
}

# The X windows titled "curlin" that belong to this build's clock in PREFIX.
clock_windows() {  # clock_windows PREFIX
  local window pid
  for window in $(xdotool search --name '^curlin$' 2>/dev/null); do
    pid=$(xdotool getwindowpid "$window" 2>/dev/null) || continue
    clock_processes "$1" | grep -qx "$pid" && echo "$window"
  done
}

clock_shown() { [ -n "$(clock_windows "$1")" ]; }
script_ended() { ! kill -0 "$script" 2>/dev/null; }

# Polls a command every 100 ms until it succeeds or the deadline passes.
within_deadline() {
  local end=$((SECONDS + deadline_s))
  until "$@"; do
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.1
  done
}

wine_env() { "$build/winerun" --env | sed -n "s/^$1=//p"; }  # wine_env NAME
export DISPLAY
DISPLAY=$(wine_env DISPLAY)
test_prefix=$(wine_env WINEPREFIX)
session="${CURLIN_WINE_SESSION:-default}-run-clock"
clock_prefix=$(CURLIN_WINE_SESSION=$session wine_env WINEPREFIX)
[ -n "$(clock_processes "$clock_prefix")" ] && fail "a clock of $session is already running"

"$build/winerun" "$clock" >/dev/null 2>&1 &
bystander=$!
disown "$bystander"  # (its end by the trap below is no news)
script=""
trap 'kill -KILL -- "$bystander" ${script:+"-$script"} 2>/dev/null
      CURLIN_WINE_SESSION=$session "$build/winerun" --stop-wine' EXIT
within_deadline clock_shown "$test_prefix" || fail "no clock window in the test run's Wine $test_prefix"

log="$build/tests/run-clock-interrupt.log"
# A command started in the background ignores SIGINT; one in a terminal's
# foreground does not: env gives the script the default back.
CURLIN_WINE_SESSION=$session CURLIN_BUILD_DIR="$build" \
  setsid env --default-signal=INT "$source_dir/scripts/run-clock" >"$log" 2>&1 </dev/null &
script=$!
within_deadline clock_shown "$clock_prefix" ||
  fail "no window titled curlin of $clock within ${deadline_s} s; run-clock said: $(cat "$log")"

started=$(date +%s%N)
kill -INT -- "-$script"
within_deadline script_ended || fail "run-clock still runs ${deadline_s} s after SIGINT"
wait "$script"
status=$?
ended=$(date +%s%N)
echo "run-clock ended $(( (ended - started) / 1000000 )) ms after SIGINT, with status $status"
[ "$status" -eq 130 ] || fail "run-clock ended with status $status, not 130"
leftover=$(clock_processes "$clock_prefix")
[ -z "$leftover" ] || fail "curlin.exe still runs after run-clock ended (process $leftover)"
[ -n "$(clock_processes "$test_prefix")" ] ||
  fail "run-clock's Ctrl-C ended the clock in the test run's Wine $test_prefix"
xdotool getdisplaygeometry >/dev/null 2>&1 ||
  fail "the display $DISPLAY no longer answers after run-clock ended"
echo "PASS: Ctrl-C ends run-clock with 130, leaves no clock of its session running and the" \
     "test run's clock and the display $DISPLAY up"
