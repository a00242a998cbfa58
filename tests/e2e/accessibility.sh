#!/usr/bin/env bash
# The real program as a screen reader sees it over AT-SPI: every button,
# edit, check box, list and list item of the main window, the password
# dialog, the lock and the settings window has a name, the favorite rows are list items named by their
# captions, and the keyboard's focus is where Alt+B, Tab and the arrows put it.
# Usage: accessibility.sh PATH_TO_TAVINOR (DISPLAY set, tray running)
set -uo pipefail
app="$1"
source "$(dirname "$0")/lib.sh"
walk() { /usr/bin/python3 "$(dirname "$0")/atspi_walk.py" "$@"; }
focused_is() { walk --focused Tavinor >"$work/focused" 2>/dev/null; grep -qxF "$1" "$work/focused"; }
said_focused() { echo "  focused: $(tr '\n' '|' <"$work/focused")"; }

# A session bus of our own with the accessibility bus on it.
dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>/dev/null &
wait_for 10 test -s "$work/bus"
export DBUS_SESSION_BUS_ADDRESS="$(head -1 "$work/bus")"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

mkdir -p "$(dirname "$data")"
python3 "$(dirname "$0")/write_store.py" "$data" 40 --title 20 "百度一下"
"$app" & run=$!
check "the window shows" wait_for 60 visible_window
check "the program is on the accessibility bus" wait_for 30 bash -c \
  "/usr/bin/python3 -c 'import pyatspi, sys; sys.exit(\"Tavinor\" not in [a.name for a in pyatspi.Registry.getDesktop(0) if a])'"
# A busy machine may still be making the windows when the first Alt+B comes.
alt_b_focuses_search() {
  xdotool key --clearmodifiers alt+b
  wait_for 3 focused_is "搜索收藏"
}
check "Alt+B puts the focus in the search field" wait_for 30 alt_b_focuses_search
xdotool key Tab
check "Tab goes on to the categories" wait_for 10 focused_is "收藏分类"
for control in "上移选中分类" "下移选中分类" "删除选中分类" "Favorite number 0"; do
  xdotool key Tab
  check "then to $control" wait_for 10 focused_is "$control" || said_focused
done
xdotool key Down
check "Down moves to the next row" wait_for 10 focused_is "百度一下"
check "every control of the main window has a name" \
  walk Tavinor "搜索收藏" "收藏分类" "收藏列表" "网址" "标题" "分类名称" "上移选中分类" \
  "Favorite number 0" "百度一下"

"$app" --lock
check "the password dialog opens" wait_for 20 password_dialog
check "and names its edits and buttons" walk Tavinor "设定密码" "再次输入密码" "确定"
xdotool type Secret
xdotool key Tab
xdotool type Secret
xdotool key Return
check "a set password locks" wait_for 20 shown '^lock_form$'
check "the lock names its edit and button" walk Tavinor "输入密码" "解锁"
xdotool type Secret
xdotool key Return
check "the password unlocks" wait_for 20 bash -c "$(declare -f shown); ! shown '^lock_form\$'"

# The settings window through the tray menu: 我的网址 (third from the end),
# then 自定义..., its only entry without quick links.
panel=$(xwininfo -root -tree | awk '/"panel"/{print $1; exit}')
open_settings() {
  geometry "$panel"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  sleep 1
  xdotool key Up Up Up Right Return
  wait_for 5 shown '^设 置$'
}
check "the tray menu opens the settings window" wait_for 30 open_settings
check "which names every control of both sheets" walk Tavinor "关  闭" "删除选中网址" \
  "删除选中播放器"

kill -TERM "$run"
check "the program closes" wait_for 20 ended "$run"
wait "$run"; check "cleanly, the accessibility objects included" test $? = 0
finish
