#!/usr/bin/env bash
# Finding a favorite by typing on the real binary with 100,000 favorites:
# Alt+B brings the window back with the search field focused, part of an
# address finds the one favorite and Enter opens it in the system browser;
# `tavinor --favorites` does the same with the field emptied, and a Chinese
# title is found by its pinyin initials.
# Usage: favorites_search.sh PATH_TO_TAVINOR (DISPLAY set, tray running)
set -uo pipefail
app="$1"
source "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$data")"
python3 "$(dirname "$0")/write_store.py" "$data" 100000 \
  --title 41234 "百度一下，你就知道" --url 41234 "http://www.baidu.example/" \
  --title 77 "Map of 百度一下" --url 77 "http://maps.example/"

"$app" & run=$!
check "the window shows" wait_for 60 visible_window
opened() { grep -qF "$1" "$work/opened" 2>/dev/null; }

xdotool key --clearmodifiers alt+b
check "Alt+B keeps the window" wait_for 20 visible_window
linger 1
xdotool type --delay 30 "SITE73210.ex"
xdotool key Return
check "part of an address and Enter open that favorite" \
  wait_for 20 opened "http://www.site73210.example/path/"
check "and only it" test "$(wc -l <"$work/opened")" = 1

xdotool key Escape
"$app" --favorites
linger 1
xdotool type --delay 30 "bdyx"
xdotool key Return
check "--favorites empties the field; pinyin initials find the Chinese title first" \
  wait_for 20 opened "http://www.baidu.example/"
xdotool key Down Return
check "Down and Enter open the next match" wait_for 20 opened "http://maps.example/"

kill -TERM "$run"
check "the program closes" wait_for 20 ended "$run"
finish
