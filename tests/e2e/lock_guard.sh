#!/usr/bin/env bash
# The lock outlives the program: killed while locked, the program leaves its
# guard process behind, which keeps both monitors covered and the input held
# until the password is typed. A normal unlock leaves no guard behind. Real
# openbox (Alt+Tab bound), a second ordinary window, real key events.
# Usage: lock_guard.sh PATH_TO_TAVINOR PATH_TO_X_PROBE
# (run by with-two-monitors.sh, which sets DISPLAY)
set -uo pipefail
app="$1"
probe="$2"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/guard.sh"

locked() { shown '^lock_form$'; }
guard_running() { [ -n "$(guard_pids)" ]; }
guard_covers() {
  xwininfo -name tavinor-lock-guard 2>/dev/null | grep -q -e '-geometry 2560x1024+0+0' &&
    xwininfo -name tavinor-lock-guard | grep -q 'Map State: IsViewable'
}
# black_at X Y: the screen there is the cover's black, not the window beneath.
black_at() {
  import -window root -crop "20x20+$1+$2" +repage txt:- 2>/dev/null |
    awk -F'[(,)]' 'NR > 1 && ($3 > 30 || $4 > 30 || $5 > 30) {n++} END{exit n > 0}'
}
start_app() {
  "$app" >>"$work/app.log" 2>&1 &
  app_pid=$!
  wait_for 60 visible_window
}

"$probe" window probe 100 100 300 200 >"$work/probe.log" &
wait_for 10 shown '^probe$'

check "the program starts" start_app
sleep 0.5 # its hot keys are registered once the window is up
xdotool key ctrl+k
check "Ctrl+K asks for a password" wait_for 10 shown '^设定密码$'
xdotool type 'Secret'
xdotool key Tab
xdotool type 'Secret'
xdotool key Return
check "a set password locks" wait_for 10 locked
check "and starts one guard" wait_for 5 bash -c "[ \$(pgrep -c -f '^$guard_binary --channel') = 1 ]"
guard=$(guard_pids)
check "which has the password neither on its command line nor in its environment" \
  bash -c "! grep -qa Secret /proc/$guard/cmdline /proc/$guard/environ"
check "and stands unseen behind the lock, which lives in its cover" bash -c \
  "xwininfo -tree -id \$(xdotool search --name '^lock_form\$' | head -n 1) |
     grep -q 'Parent window id: .*\"tavinor-lock-guard\"'"
# The password changed from the lock screen is the one the guard takes.
xdotool mousemove 970 1130 # off the screens, so the move below enters the link
xdotool mousemove $((932 + 30)) $((697 + 8)) click 1 # " 更改密码    "
check "the lock's change link opens the dialog with the keyboard" wait_for 10 focus_is '设定密码'
xdotool type 'Secret'
xdotool key Tab
xdotool type 'New1'
xdotool key Tab
xdotool type 'New1'
xdotool key Return
check "the password changes while locked" wait_for 5 bash -c "$(declare -f shown); ! shown '^设定密码$'"
wait_for 5 focus_is lock_form
cp "$data" "$work/data-before"

# --- The program dies while locked.
kill -9 "$app_pid"
wait_for 10 ended "$app_pid"
check "the guard covers both monitors at once" wait_for 2 guard_covers
check "and takes the keyboard" wait_for 5 guard_holds
probe_mark
kill -TERM "$guard"; kill -INT "$guard"; kill -HUP "$guard"
sleep 0.3
check "and ignores SIGTERM, SIGINT and SIGHUP" kill -0 "$guard"
xdotool windowactivate probe 2>/dev/null
xdotool windowraise "$(xdotool search --name '^probe$' | head -n 1)"
xdotool key alt+Tab
xdotool mousemove 150 150 click 1
xdotool type 'typed'
sleep 0.3
check "the other window stays covered after a raise and Alt+Tab" black_at 150 150
check "no click and no key reaches the other window" no_input_reached_probe
xdotool key Return # the entry held "typed": a wrong password
sleep 0.3
check "a wrong password keeps the screen locked" bash -c "kill -0 $guard && $(declare -f guard_covers) && guard_covers"
xdotool type 'Secret'
xdotool key Return
sleep 0.5
check "and so does the password from before the change" guard_covers
xdotool type ' New1 '
xdotool key Return
check "the right password with blanks around it ends the guard" wait_for 3 ended "$guard"
check "its cover goes" bash -c "! xwininfo -name tavinor-lock-guard >/dev/null 2>&1"
xdotool mousemove 150 150 click 1
check "and the other window gets clicks again" wait_for 3 grep -q click "$work/probe.log"
check "the data file is intact" cmp -s "$data" "$work/data-before"

# --- A normal unlock tells the guard, which ends without showing anything.
check "the program starts again" start_app
sleep 0.5
xdotool key ctrl+k
check "the password locks again" wait_for 10 locked
check "with a guard" wait_for 5 guard_running
xdotool type 'New1'
xdotool key Return
check "the password unlocks" wait_for 5 bash -c "$(declare -f shown locked); ! locked"
check "and no guard is left" wait_for 3 bash -c "$(declare -f guard_pids); guard_binary='$guard_binary'; ! guard_pids >/dev/null"
check "nor its cover" bash -c "! xwininfo -name tavinor-lock-guard >/dev/null 2>&1"
kill -TERM "$app_pid"
wait_for 20 ended "$app_pid"

[ "$failed" -eq 0 ] || grep -v -e "^js:" -e zygote "$work/app.log" | tail -n 20
finish
