#!/usr/bin/env bash
# The hot keys of a Wayland session through the desktop's global shortcuts
# portal, on a private session bus beside a real X server: a stand-in portal
# binds Alt+B and Ctrl+K and its activations run the program's handlers;
# with no portal, or one that answers success and binds nothing, the program
# tells the user how to bind its commands instead, once and not at every
# start, and goes on.
# Usage: shortcuts_portal.sh PATH_TO_TAVINOR (DISPLAY set, tray running)
set -uo pipefail
app="$1"
source "$(dirname "$0")/lib.sh"
export XDG_SESSION_TYPE=wayland
start_bus() { # start_bus NAME [DBUS-DAEMON OPTIONS...]
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/$1"
  dbus-daemon --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" "${@:2}" 2>/dev/null &
  wait_for 10 test -S "$work/$1"
}

# An ordinary session bus: the system's own portal, where one is installed,
# is started on demand and has no global shortcuts (Debian 12's has none).
policy="$XDG_CONFIG_HOME/tavinor/HKEY_CURRENT_USER.ini"
told() { grep -q "UnboundHotKeysTold=$1\$" "$policy" 2>/dev/null; }
# No lock protocol and no desktop lock on these buses: a lock request ends in
# the refusal, which the program also writes to its log.
lock_refused() { grep -q 'Neither the screen saver nor logind locked the desktop' "$1"; }
start_bus bus --session
"$app" 2>"$work/app.log" & first=$!
check "without a portal the window opens" wait_for 60 visible_window
check "the log names the two commands to bind" \
  wait_for 30 grep -q 'tavinor --favorites.*tavinor --lock' "$work/app.log"
check "and a notice tells the user" wait_for 20 notice_shown
dismiss_notice
check "which is remembered in the settings" told 1
"$app" --lock
check "and the commands work" wait_for 20 lock_refused "$work/app.log"
dismiss_notice
check "it is said once" test "$(grep -c 'tavinor --favorites' "$work/app.log")" = 1
kill -TERM "$first"
check "the first run closes" wait_for 20 ended "$first"
"$app" 2>"$work/again.log" & again=$!
check "the next start" wait_for 60 visible_window
wait_for 30 grep -q 'tavinor --lock' "$work/again.log"
linger 2
check "does not tell the user again" notice_gone
kill -TERM "$again"
check "and closes" wait_for 20 ended "$again"

# A bus that starts nothing on demand (it finds no service files), with the
# stand-in portal on it; the program starts hidden in the tray.
XDG_DATA_DIRS="$work/nothing" start_bus bus2 --session
printf '\001' | dd of="$data" bs=1 seek=28 conv=notrunc status=none
mkfifo "$work/portal_in"
/usr/bin/python3 "$(dirname "$0")/../support/shortcuts_portal.py" <"$work/portal_in" >"$work/portal_out" &
exec 3>"$work/portal_in"
check "the stand-in portal is on the bus" wait_for 10 grep -q READY "$work/portal_out"
"$app" 2>"$work/app2.log" & second=$!
check "Alt+B is bound through the portal" wait_for 60 grep -q '^BOUND hotkey-0 ALT+b 收藏夹' "$work/portal_out"
check "after the program registered as its desktop entry" \
  test "$(sed -n 2p "$work/portal_out")" = "REGISTERED com.tavinor.Tavinor"
check "Ctrl+K is bound through the portal" grep -q '^BOUND hotkey-1 CTRL+k 锁定电脑' "$work/portal_out"
check "the window starts hidden" bash -c "! xdotool search --onlyvisible --name '^Tavinor—' >/dev/null 2>&1"
echo "activate hotkey-0" >&3
check "Alt+B from the portal brings the window back" wait_for 20 visible_window
echo "activate hotkey-1" >&3
check "Ctrl+K from the portal makes the lock request" wait_for 20 lock_refused "$work/app2.log"
check "nothing is said about binding commands" bash -c "! grep -q 'tavinor --favorites' '$work/app2.log'"
check "and bound keys make a later loss worth telling" told 0
kill -TERM "$second"
check "the second run closes" wait_for 20 ended "$second"
exec 3>&-

# A portal that answers success and binds nothing, as KDE Plasma 5.27 does.
XDG_DATA_DIRS="$work/nothing" start_bus bus3 --session
sleep 600 | /usr/bin/python3 "$(dirname "$0")/../support/shortcuts_portal.py" --bind-nothing \
  >"$work/portal3_out" &
wait_for 10 grep -q READY "$work/portal3_out"
"$app" 2>"$work/app3.log" & third=$!
check "a portal that binds nothing is asked" wait_for 60 grep -q '^BOUND-NOTHING' "$work/portal3_out"
check "and nothing counts as bound: the notice" wait_for 20 notice_shown
check "and the log" grep -q 'tavinor --favorites.*tavinor --lock' "$work/app3.log"
dismiss_notice
kill -TERM "$third"
check "the third run closes" wait_for 20 ended "$third"

finish
