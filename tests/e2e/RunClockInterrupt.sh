#!/usr/bin/env bash
# Ctrl-C stops scripts/run-clock as it stops any command in a terminal: the
# script is started on the test display in a process group of its own, as a
# shell starts a foreground command; once the clock shows its window titled
# "curlin", SIGINT goes to the whole group, as the terminal sends it. The
# script must end with 130 and leave no curlin.exe of this build running,
# and the display must still answer: the test display is the suite's own
# virtual one, which the tests after this one use, or the user's desktop (with
# CURLIN_TEST_DISPLAY=current), and neither the script nor this test may stop
# it. Both end only the build prefix's Wine.
#   RunClockInterrupt.sh SOURCE-DIR BUILD-DIR
set -uo pipefail
source_dir=$1
build=$2
clock="$build/bin/curlin.exe"
deadline_s=20

fail() { echo "FAIL: $*"; exit 1; }

# The process ids of this build's clock: Wine gives a program the path it
# was started by as its first argument.
clock_processes() {
  local entry first
  for entry in /proc/[0-9]*/cmdline; do
    { IFS= read -r -d '' first <"$entry"; } 2>/dev/null || continue
    if [ "$first" = "$clock" ]; then
      entry=${entry#/proc/}
      echo "${entry%/cmdline}"
    fi
  done
}

# The X windows titled "curlin" that belong to this build's clock.
clock_windows() {
  local window pid
  for window in $(xdotool search --name '^curlin$' 2>/dev/null); do
    pid=$(xdotool getwindowpid "$window" 2>/dev/null) || continue
    clock_processes | grep -qx "$pid" && echo "$window"
  done
}

clock_shown() { [ -n "$(clock_windows)" ]; }
script_ended() { ! kill -0 "$script" 2>/dev/null; }

# Polls a command every 100 ms until it succeeds or the deadline passes.
within_deadline() {
  local end=$((SECONDS + deadline_s))
  until "$@"; do
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.1
  done
}

eval "export $("$build/winerun" --env | tr ' ' '\n' | grep '^DISPLAY=')"
[ -n "$(clock_processes)" ] && fail "a clock of this build is already running"

log="$build/tests/run-clock-interrupt.log"
# A command started in the background ignores SIGINT; one in a terminal's
# foreground does not: env gives the script the default back.
CURLIN_BUILD_DIR="$build" setsid env --default-signal=INT "$source_dir/scripts/run-clock" \
  >"$log" 2>&1 </dev/null &
script=$!
trap 'kill -KILL -- "-$script" 2>/dev/null; "$build/winerun" --stop-wine' EXIT

within_deadline clock_shown ||
  fail "no window titled curlin of $clock within ${deadline_s} s; run-clock said: $(cat "$log")"

started=$(date +%s%N)
kill -INT -- "-$script"
within_deadline script_ended || fail "run-clock still runs ${deadline_s} s after SIGINT"
wait "$script"
status=$?
ended=$(date +%s%N)
echo "run-clock ended $(( (ended - started) / 1000000 )) ms after SIGINT, with status $status"
[ "$status" -eq 130 ] || fail "run-clock ended with status $status, not 130"
leftover=$(clock_processes)
[ -z "$leftover" ] || fail "curlin.exe still runs after run-clock ended (process $leftover)"
xdotool getdisplaygeometry >/dev/null 2>&1 ||
  fail "the display $DISPLAY no longer answers after run-clock ended"
echo "PASS: Ctrl-C ends run-clock with 130, leaves no clock running and the display $DISPLAY up"
