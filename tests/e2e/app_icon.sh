#!/usr/bin/env bash
# The program's icon as the real binary shows it on an X11 desktop: the
# window's _NET_WM_ICON, the skinned title bar and the tray host's slot. A
# picture the final link dropped shows nowhere, which no test inside the
# window tests' own binary can see.
# Usage: app_icon.sh PATH_TO_TAVINOR PATH_TO_X_PROBE (DISPLAY set, tray running)
set -uo pipefail
app="$1"
probe="$2"
source "$(dirname "$0")/lib.sh"

colours_at() { # colours_at X Y W H: how many colours the screen has there
  timeout 10 import -window root -crop "${3}x${4}+${1}+${2}" +repage -format '%k' info: 2>/dev/null
}

# Each probe is bounded, so a window going away under it means one more try.
main_window() { timeout 5 xdotool search --onlyvisible --name '^Tavinor—' | head -n 1; }
window_icon() { timeout 5 "$probe" icon "$(main_window)" >/dev/null; }
title_bar_icon() { geometry "$(main_window)" && icon_shown_at "$X" "$Y" 40 30; }

"$app" & run=$!
check "the window opens" wait_for 60 visible_window
check "the window has _NET_WM_ICON" wait_for 10 window_icon
echo "its pictures: $("$probe" icon "$(main_window)" | tr '\n' ' ')"
check "the title bar shows the icon" wait_for 10 title_bar_icon

panel=$(xwininfo -root -tree | awk '/"panel"/{print $1; exit}')
geometry "$panel"
tray_slot() { icon_shown_at "$X" "$Y" "$WIDTH" "$HEIGHT"; }
check "the tray slot shows the icon" wait_for 20 tray_slot
colours=$(colours_at "$X" "$Y" "$WIDTH" "$HEIGHT")
check "not one flat colour ($colours colours)" test "${colours:-1}" -gt 8

kill -TERM "$run"
check "the program closes" wait_for 20 ended "$run"

finish
