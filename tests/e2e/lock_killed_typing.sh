#!/usr/bin/env bash
# The program killed while locked, in the middle of typing: not one key may
# reach the window behind the lock before the guard holds the input, also
# when the guard itself was killed (while typing too) and replaced. Ten kills in one X
# session, real openbox, real key events at 15 ms a key.
# Usage: lock_killed_typing.sh PATH_TO_TAVINOR PATH_TO_X_PROBE
# (run by with-two-monitors.sh, which sets DISPLAY)
set -uo pipefail
app="$1"
probe="$2"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/guard.sh"

one_guard() { [ "$(guard_pids | wc -l)" = 1 ]; }
guard_other_than() { one_guard && [ "$(guard_pids)" != "$1" ]; }
no_guard() { ! guard_pids >/dev/null; }
keys_behind() { grep -c key "$work/probe.log"; }
# type_while COMMAND...: runs it in the middle of typing, 15 ms a key.
type_while() {
  xdotool type --delay 15 'the quick brown fox jumps over the lazy dog' &
  local typist=$!
  sleep 0.2
  "$@"
  wait "$typist"
}
start_app() {
  "$app" >>"$work/app.log" 2>&1 &
  app_pid=$!
  wait_for 60 visible_window && sleep 0.5 # its hot keys are registered once the window is up
}
lock() {
  start_app || return 1
  xdotool key ctrl+k
  wait_for 10 focus_is lock_form && wait_for 5 one_guard
}

"$probe" window probe 100 100 300 200 >"$work/probe.log" &
wait_for 10 shown '^probe$'

check "the program starts" start_app
xdotool key ctrl+k
wait_for 10 shown '^设定密码$'
xdotool type 'Secret'
xdotool key Tab
xdotool type 'Secret'
xdotool key Return
check "a set password locks" wait_for 10 focus_is lock_form
wait_for 5 one_guard

for run in 1 2 3 4 5 6 7 8 9 10; do
  [ "$run" = 1 ] || check "run $run: the program locks again" lock
  xdotool mousemove 150 150 # over the window behind the lock
  if [ "$run" -gt 5 ]; then
    first=$(guard_pids)
    before=$(keys_behind)
    type_while kill -9 "$first"
    check "run $run: a guard killed while typing is replaced" wait_for 10 guard_other_than "$first"
    check "run $run: and no key reached the window behind meanwhile" \
      test "$(keys_behind)" = "$before"
    wait_for 5 focus_is lock_form
  fi
  guard=$(guard_pids)
  before=$(keys_behind)
  type_while kill -9 "$app_pid"
  check "run $run: the guard takes over the screen" wait_for 10 guard_holds
  check "run $run: no key reached the window behind the lock" test "$(keys_behind)" = "$before"
  if [ "$run" = 10 ]; then
    # Whatever reached the guard is a wrong password, and so is another letter case.
    xdotool key Return
    xdotool type 'secret'
    xdotool key Return
    sleep 0.5
    check "a wrong password keeps the guard's lock" guard_holds
  fi
  xdotool key Escape
  xdotool type 'Secret'
  xdotool key Return
  check "run $run: the password ends the guard's lock" wait_for 5 ended "$guard"
done
xdotool mousemove 150 150 click 1
check "and the window behind gets input again" wait_for 3 grep -q click "$work/probe.log"

[ "$failed" -eq 0 ] || grep -v -e "^js:" -e zygote "$work/app.log" | tail -n 20
finish
