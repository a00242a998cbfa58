# Shared by the end-to-end scripts: a private home for the run, a recording
# stand-in for the system browser, and the check and wait helpers (checks.sh).
# Source it; it sets $work (removed at exit) and the XDG variables.
work="$(mktemp -d /tmp/tavinor-e2e-XXXXXX)"
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CACHE_HOME="$work/home/cache"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/bin"
chmod 700 "$XDG_RUNTIME_DIR"
printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" TAVINOR_SITE="http://127.0.0.1:9"
data="$XDG_DATA_HOME/tavinor/tvr.dat"

source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; } # shown TITLE_REGEX
focus_is() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$1" ]; }
visible_window() { shown '^Tavinor—'; }
any_window() { xdotool search --name "^Tavinor—" >/dev/null 2>&1; }
password_dialog() { shown '^设定密码$'; }
# geometry ID: sets X, Y (on the screen), WIDTH and HEIGHT of a window.
# (xdotool adds the place inside the parent once more when the parent is
# not a window manager's frame.)
geometry() {
  eval "$(xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{print "X=" $NF}
    /Absolute upper-left Y/{print "Y=" $NF} /Width:/{print "WIDTH=" $NF} /Height:/{print "HEIGHT=" $NF}')"
}
# icon_shown_at X Y W H: the program's icon is on the screen there, told by
# the yellow dot of its "T.", a colour nothing else the program draws has.
icon_shown_at() {
  timeout 10 import -window root -crop "${3}x${4}+${1}+${2}" +repage -depth 8 txt:- 2>/dev/null |
    awk -F'[(,)]' 'NR > 1 && $3 > 200 && $4 > 150 && $5 < 110 {n++} END{exit !(n >= 2)}'
}
# The notice carries the program's name; it is wider than the tray icon's window.
notice_id() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Tavinor$' 2>/dev/null); do
    WIDTH=0
    geometry "$id"
    [ "$WIDTH" -gt 60 ] && echo "$id" && return 0
  done
  return 1
}
notice_shown() { notice_id >/dev/null; }
notice_gone() { ! notice_id >/dev/null; }
# Enter on the notice that has the keyboard.
dismiss_notice() {
  xdotool key Return
  wait_for 5 notice_gone
}
# The lock tests' recording window behind the lock (x_probe window, logging
# to $work/probe.log). probe_mark sets where a check starts counting: before
# the lock, a hot key's modifier rightly goes to the focused window.
probe_mark() { probe_seen=$(wc -l <"$work/probe.log"); }
# True if the window received nothing since the mark, else says what.
no_input_reached_probe() {
  local new
  new=$(tail -n +$((${probe_seen:-0} + 1)) "$work/probe.log")
  [ -z "$new" ] && return 0
  echo "the window behind the lock received: $(echo "$new" | sort | uniq -c | tr '\n' ' ')"
  return 1
}
