#!/usr/bin/env bash
# The main window is made once: under a window manager, from the start until
# the web engine has joined it, one window is mapped; a short trip to the tray
# and back maps that same window again; a long one, past the release of the
# window's surfaces, maps one window once, which the engine's views then join
# without replacing it. Counted from the X server's own map events.
# With QT_QUICK_BACKEND set, the views draw through GL: the start alone.
# Usage: window_once.sh PATH_TO_TAVINOR PATH_TO_X_PROBE (DISPLAY set, tray running)
set -uo pipefail
app="$1"; probe="$2"
source "$(dirname "$0")/lib.sh"

openbox >/dev/null 2>&1 &
"$probe" maps "Tavinor—" >"$work/maps" & watcher=$!
wait_for 10 grep -q watching "$work/maps"
maps() { grep -c '^map' "$work/maps"; }
ids() { grep '^map' "$work/maps" | awk '{print $2}' | sort -u | wc -l; }
engine_up() { pgrep -P "$main" -f QtWebEngineProcess >/dev/null; }

"$app" & main=$!
check "the window opens" wait_for 60 visible_window
check "the web engine starts for the start page" wait_for 60 engine_up
# The views join the window a moment after the engine process starts.
linger 3
check "one window mapped during start-up ($(maps) maps)" test "$(maps)" = 1
# Drawn through GL (the backend named in the environment) only the start is
# different: the window's GL surface is made before the window exists.
if [ -n "${QT_QUICK_BACKEND:-}" ]; then
  kill -TERM "$main"
  check "the program closes" wait_for 20 ended "$main"
  kill "$watcher"
  finish; exit
fi

window=$(xdotool search --onlyvisible --name '^Tavinor—' | head -n 1)
trip() { # trip SECONDS: to the tray and back
  xdotool windowminimize "$window"
  wait_for 10 bash -c "! xdotool search --onlyvisible --name '^Tavinor—' >/dev/null 2>&1"
  linger "$1"
  "$app"
  wait_for 20 visible_window
  linger 3
}
trip 0.5
check "a short trip to the tray maps the same window again ($(maps) maps, $(ids) windows)" \
  test "$(maps)" = 2 -a "$(ids)" = 1
# Past the release of the hidden pages (a minute) and of the window's surfaces.
trip 67
check "a long trip maps one window once ($(maps) maps)" test "$(maps)" = 3

kill -TERM "$main"
check "the program closes" wait_for 20 ended "$main"
kill "$watcher"
finish
