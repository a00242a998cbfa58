#!/usr/bin/env bash
# The computer lock with the real binary under a real window manager
# (openbox, which binds Alt+Tab and Alt+F4), a trayer panel, an ordinary
# window beside it and two monitors; every key is a real key event.
# Usage: lock_screen.sh PATH_TO_TAVINOR PATH_TO_X_PROBE
# (run by with-two-monitors.sh, which sets DISPLAY)
set -uo pipefail
app="$1"
probe="$2"
source "$(dirname "$0")/lib.sh"
policy="$XDG_CONFIG_HOME/tavinor/HKEY_CURRENT_USER.ini"

hidden() { ! shown "$1"; }
locked() { shown '^lock_form$'; }
unlocked() { hidden '^lock_form$'; }
main_shown() { shown '^Tavinor—'; }
dialog_shown() { shown '^设定密码$'; }
policy_is() { grep -q "DisableTaskMgr=$1\$" "$policy" 2>/dev/null; }
panel_place() { xwininfo -id "$panel" 2>/dev/null | awk '/Absolute upper-left/{printf "%s ", $NF}'; }
panel_state() { xwininfo -id "$panel" 2>/dev/null | grep -q "Map State: $1"; }
# red_at X Y W H: some clearly red pixels on the screen there.
red_at() {
  import -window root -crop "${3}x${4}+${1}+${2}" +repage txt:- 2>/dev/null |
    awk -F'[(,)]' 'NR > 1 && $3 > 180 && $4 < 90 && $5 < 90 {n++} END{exit !(n > 3)}'
}
geometry_of() {
  local X Y WIDTH HEIGHT
  geometry "$(xdotool search --onlyvisible --name "$1" | head -n 1)"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}
# click_in TITLE X Y: a click at a place of a window's client area, below its
# skinned title bar (26 pixels) and inside its border (4 pixels).
click_in() {
  local id X Y; id=$(xdotool search --onlyvisible --name "$1" | head -n 1)
  [ -n "$id" ] || return 1
  geometry "$id"
  xdotool mousemove $((X + 4 + $2)) $((Y + 26 + $3)) click 1
}
# title_colour ID: the commonest colour on the screen along one row of the
# window's skinned title bar (a gradient, so one row has one colour).
title_colour() {
  local X Y WIDTH HEIGHT
  geometry "$1"
  import -window root -crop "$((WIDTH - 60))x1+$((X + 30))+$((Y + 10))" +repage txt:- 2>/dev/null |
    awk 'NR > 1 {n[$3]++} END {for (c in n) if (n[c] > best) {best = n[c]; top = c} print top}'
}
# The notice stands above the password dialog in the X server's stacking
# order, and it is what the screen shows: its title bar has the colour of the
# dialog's own, where the dialog would show its pale client area.
notice_on_top() {
  local notice dialog
  notice=$(notice_id) && dialog=$(xdotool search --onlyvisible --name '^设定密码$' | head -n 1) &&
    "$probe" above "$notice" "$dialog" &&
    [ "$(title_colour "$notice")" = "$(title_colour "$dialog")" ]
}
input_held() { ! red_at 655 650 200 20; } # the lock's "could not lock" line is gone
start_app() {
  "$app" >>"$work/app.log" 2>&1 &
  app_pid=$!
  wait_for 60 main_shown
}

panel=$(xdotool search --name '^panel$' | head -n 1)
"$probe" window probe 100 100 300 200 >"$work/probe.log" &
wait_for 10 shown '^probe$'

# --- First lock: no password yet, so the dialog asks for one.
check "the program starts" start_app
sleep 0.5 # its tray icon docks and the panel takes its final place
panel_at=$(panel_place)
xdotool key ctrl+k
check "Ctrl+K without a password opens the password dialog" wait_for 10 dialog_shown
xdotool key ctrl+k
sleep 0.3
check "a second request while it is open does nothing" unlocked
click_in '^设定密码$' 224 191 # 取消
check "cancel closes the dialog" wait_for 5 hidden '^设定密码$'
check "and nothing is locked" unlocked
check "nor the policy set" bash -c "! grep -q 'DisableTaskMgr=1' '$policy' 2>/dev/null"
xdotool key ctrl+k
check "the next request asks again" wait_for 10 dialog_shown
wait_for 5 focus_is '设定密码'
xdotool key Tab Return # both entries blank
check "a blank password gets a notice" wait_for 5 notice_shown
check "which stands above the dialog" wait_for 5 notice_on_top
check "and goes with Enter" dismiss_notice
xdotool type '  Secret  '
xdotool key Tab
xdotool type '  Secret  '
xdotool key Return
check "a set password locks at once" wait_for 10 locked
probe_mark
check "and hides the main window" wait_for 5 hidden '^Tavinor—'

# --- Locked.
check "the lock covers both monitors" test "$(geometry_of '^lock_form$')" = "2560x1024+0+0"
check "the panel is hidden" wait_for 5 panel_state IsUnMapped
check "the policy value is 1" policy_is 1
check "the lock has the keyboard" wait_for 5 focus_is lock_form
for combo in super Super_R ctrl+Escape alt+Tab alt+F4 alt+Escape ctrl+space; do
  xdotool key "$combo"
  sleep 0.2
  check "$combo changes nothing" bash -c "$(declare -f shown locked focus_is);
    locked && focus_is lock_form && ! xdotool search --onlyvisible --name '^Tavinor—' >/dev/null"
done
xdotool key alt+space ctrl+k
sleep 0.3
check "Alt+Space and Ctrl+K change nothing" bash -c "$(declare -f shown locked focus_is);
  locked && focus_is lock_form && ! xdotool search --onlyvisible --name '^设定密码$' >/dev/null"
wait_for 5 input_held
xdotool mousemove 150 150 click 1
xdotool type 'typed'
sleep 0.3
check "no click and no key reaches the other window" no_input_reached_probe
xdotool key Return # the entry held "typed": a wrong password
check "a wrong password shows the error in red" wait_for 5 red_at 721 720 80 16
xdotool type 'secret'
xdotool key Return
sleep 0.3
check "another letter case does not unlock" locked
# The entry was emptied after each attempt, so this is the password alone.
xdotool type ' Secret '
xdotool key Return
check "the right password with blanks around it unlocks" wait_for 5 unlocked
check "and shows the main window hidden in the tray" wait_for 10 main_shown
check "the panel is shown again" wait_for 5 panel_state IsViewable
check "where it stood" wait_for 5 bash -c "$(declare -f panel_place); panel='$panel';
  [ \"\$(panel_place)\" = '$panel_at' ]"
check "the policy value is 0" policy_is 0

# --- A second lock, and the password changed from the lock screen.
xdotool key ctrl+k
check "a second lock" wait_for 10 locked
xdotool key alt+F4
sleep 0.3
check "refuses Alt+F4 like the first" locked
xdotool key alt+b
sleep 0.3
check "Alt+B brings nothing above it" wait_for 5 bash -c "$(declare -f shown locked focus_is);
  locked && focus_is lock_form"
"$app"
sleep 0.5
check "a second start brings nothing above it either" bash -c "$(declare -f shown locked focus_is);
  locked && focus_is lock_form"
xdotool mousemove 970 1130 # off the screens
xdotool mousemove $((932 + 30)) $((697 + 8)) click 1 # " 更改密码    "
check "the change link opens the dialog above the lock" wait_for 5 dialog_shown
check "the keyboard moves to it" wait_for 5 focus_is '设定密码'
click_in '^设定密码$' 224 191 # 取消
check "cancel closes the dialog above the lock" wait_for 5 hidden '^设定密码$'
check "and hands the keyboard back to the lock" wait_for 5 focus_is lock_form
xdotool key Tab space # from the entry to the link, without the mouse
check "the keyboard opens the change link too" wait_for 5 focus_is '设定密码'
xdotool key Tab
xdotool type 'New1'
xdotool key Tab
xdotool type 'New1'
xdotool key Return # the current password left blank
check "a blank current password gets a notice" wait_for 5 notice_shown
check "above the dialog" wait_for 5 notice_on_top
check "which has the keyboard" wait_for 5 focus_is Tavinor
check "which goes with Enter" dismiss_notice
check "and hands the keyboard back to the dialog" wait_for 5 focus_is '设定密码'
xdotool type 'wrong'
xdotool key Tab
xdotool type 'New1'
xdotool key Tab
xdotool type 'New1'
xdotool key Return
check "a wrong current password gets a notice" wait_for 5 notice_shown
wait_for 5 focus_is Tavinor
dismiss_notice
check "and keeps the dialog" dialog_shown
wait_for 5 focus_is '设定密码'
xdotool type 'Secret'
xdotool key Tab
xdotool type 'New1'
xdotool key Tab
xdotool type 'New1'
xdotool key Return
check "the right one closes the dialog" wait_for 5 hidden '^设定密码$'
check "the lock stays" locked
check "and gets the keyboard back" wait_for 5 focus_is lock_form
xdotool type 'Secret'
xdotool key Return
sleep 0.3
check "the old password no longer unlocks" locked
xdotool type 'New1'
xdotool key Return
check "the new one does" wait_for 5 unlocked
check "the new password is in the data file at once" \
  bash -c "dd if='$data' bs=1 skip=96 count=5 status=none | grep -q '^New1'"
check "the data file is the user's alone" test "$(stat -c %a "$data")" = 600

# --- A grab held elsewhere: the lock says so in red and takes it when free.
probe_mark
"$probe" grab 3 >"$work/grab.log" &
grabber=$!
wait_for 5 grep -q grabbed "$work/grab.log"
xdotool key ctrl+k
check "with the pointer held elsewhere the lock still covers the screen" wait_for 10 locked
check "and says in red that it could not lock" wait_for 5 red_at 655 650 200 20
wait_for 10 ended "$grabber"
check "once free it takes the input and the notice goes" wait_for 5 input_held
xdotool mousemove 150 150 click 1
sleep 0.3
check "and no click reaches the other window" no_input_reached_probe

# --- Ending while locked releases everything.
kill -TERM "$app_pid"
check "SIGTERM while locked ends the program" wait_for 20 ended "$app_pid"
check "the panel is shown again" wait_for 5 panel_state IsViewable
check "the policy value is 0" policy_is 0

# --- A stale 1 from a lock that was never undone, with no password.
xdotool windowunmap "$panel"
printf '[Software]\nMicrosoft\\Windows\\CurrentVersion\\Policies\\System\\DisableTaskMgr=1\n' \
  >"$policy"
dd if=/dev/zero of="$data" bs=1 seek=96 count=32 conv=notrunc status=none
start_app
xdotool key ctrl+k
check "the next request asks for a password" wait_for 10 dialog_shown
check "after resetting the policy value" policy_is 0
check "and showing the panel" wait_for 5 panel_state IsViewable
kill -TERM "$app_pid"
wait_for 20 ended "$app_pid"

[ "$failed" -eq 0 ] || grep -v -e "^js:" -e zygote "$work/app.log" | tail -n 20
finish
