#!/usr/bin/env bash
# The tray icon as Wayland desktops show it, a StatusNotifierItem on the
# session bus: with a watcher there the icon registers with it, its menu is
# read and clicked over D-Bus, and the window hides in that tray and comes
# back from it. Its pictures, and the about box's logo drawn from them, are
# in the binary.
# Usage: tray_status_notifier.sh PATH_TO_TAVINOR (DISPLAY set, no X tray)
set -uo pipefail
app="$1"
source "$(dirname "$0")/lib.sh"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
XDG_DATA_DIRS="$work/nothing" \
  dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" 2>/dev/null &
wait_for 10 test -S "$work/bus"
mkfifo "$work/watcher_in"
/usr/bin/python3 "$(dirname "$0")/../support/sni_watcher.py" <"$work/watcher_in" >"$work/watcher_out" &
exec 3>"$work/watcher_in"
check "the watcher is on the bus" wait_for 10 grep -q READY "$work/watcher_out"
answered() { grep -q "$1" "$work/watcher_out"; }

"$app" & first=$!
check "the icon registers with the watcher" wait_for 60 answered '^ITEM '
echo tooltip >&3
check "with the program's tool tip" wait_for 10 answered '^TOOLTIP Tavinor—轻松上网，快乐生活$'
echo icon >&3
check "with the program's icon" wait_for 10 answered '^ICON [0-9]'
echo menu >&3
check "its menu reads over D-Bus" \
  wait_for 10 answered "^MENU 打开主界面|我的首页|在线听音乐|收藏夹"$'\t'"Alt+B|锁定电脑"$'\t'"Ctrl+K|Tavinor首页|"
check "the window opens" wait_for 60 visible_window
echo "click 关于" >&3
check "关于 clicked over D-Bus opens the about box" wait_for 20 shown '^关于Tavinor$'
logo_shown() {
  geometry "$(xdotool search --onlyvisible --name '^关于Tavinor$' | head -n 1)" &&
    icon_shown_at "$X" "$((Y + 30))" "$WIDTH" 100
}
check "its logo carries the icon" wait_for 10 logo_shown
xdotool mousemove "$((X + 229))" "$((Y + 165))" click 1 # 关闭
check "and it closes" wait_for 10 bash -c "! xdotool search --onlyvisible --name '^关于Tavinor$' >/dev/null 2>&1"
echo "click 锁定电脑	Ctrl+K" >&3
check "锁定电脑 clicked over D-Bus makes the lock request" wait_for 20 password_dialog
kill -TERM "$first"
check "the first run closes" wait_for 20 ended "$first"

# Started hidden: that tray is one to come back from, so the window hides
# rather than minimising.
printf '\001' | dd of="$data" bs=1 seek=28 conv=notrunc status=none
"$app" & second=$!
check "the second run starts" wait_for 60 any_window
check "and registers again" wait_for 60 bash -c "[ \$(grep -c '^ITEM ' '$work/watcher_out') = 2 ]"
check "hidden in that tray" bash -c "! xdotool search --onlyvisible --name '^Tavinor—' >/dev/null 2>&1"
echo "click 收藏夹	Alt+B" >&3
check "收藏夹 in the tray menu brings the window back" wait_for 20 visible_window
kill -TERM "$second"
check "the second run closes" wait_for 20 ended "$second"
exec 3>&-

finish
