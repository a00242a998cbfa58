#!/usr/bin/env bash
# The hot keys of a Wayland session through the desktop's global shortcuts
# portal, on a private session bus beside a real X server: a stand-in portal
# binds Alt+B and Ctrl+K and its activations run the program's handlers;
# with no portal the program says once how to bind its commands instead and
# goes on.
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
start_bus bus --session
"$app" 2>"$work/app.log" & first=$!
check "without a portal the window opens" wait_for 60 visible_window
check "the log names the two commands to bind" \
  wait_for 30 grep -q 'tavinor --favorites.*tavinor --lock' "$work/app.log"
"$app" --lock
check "and the commands work" wait_for 20 password_dialog
check "it is said once" test "$(grep -c 'tavinor --favorites' "$work/app.log")" = 1
kill -TERM "$first"
check "the first run closes" wait_for 20 ended "$first"

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
check "Ctrl+K is bound through the portal" grep -q '^BOUND hotkey-1 CTRL+k 锁定电脑' "$work/portal_out"
check "the window starts hidden" bash -c "! xdotool search --onlyvisible --name '^Tavinor—' >/dev/null 2>&1"
echo "activate hotkey-0" >&3
check "Alt+B from the portal brings the window back" wait_for 20 visible_window
echo "activate hotkey-1" >&3
check "Ctrl+K from the portal makes the lock request" wait_for 20 password_dialog
check "nothing is said about binding commands" bash -c "! grep -q 'tavinor --favorites' '$work/app2.log'"
kill -TERM "$second"
check "the second run closes" wait_for 20 ended "$second"
exec 3>&-

finish
