#!/usr/bin/env bash
# The lock on a Wayland desktop whose compositor lets no client lock it
# (GNOME, KDE Plasma): the desktop is asked over D-Bus to lock itself, the
# user is told once that its login password opens it, and where nothing
# answers, or what answers never locks, the program says so. No password of
# the program's is asked for. A stand-in answers for the desktop on a
# session bus of the test's own.
# Usage: desktop_lock.sh PATH_TO_TAVINOR (run by with-display.sh)
set -uo pipefail
app="$1"
source "$(dirname "$0")/lib.sh"
standin="$(dirname "$0")/../support/screen_saver_standin.py" # run by Debian's python3-dbus

dbus-daemon --session --fork --address="unix:path=$work/bus" --print-pid=3 3>"$work/bus.pid"
trap 'kill $(jobs -p) $(cat "$work/bus.pid") 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
# The machine's own logind must not answer for the desktop.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/bus"
# A Wayland session whose compositor the program cannot reach or use.
export XDG_SESSION_TYPE=wayland
unset WAYLAND_DISPLAY
# The notices counted here are the lock's: the user has been told already how
# to bind the hot keys, which nothing binds on this bus.
mkdir -p "$XDG_CONFIG_HOME/tavinor"
printf '[Software]\nTavinor\\UnboundHotKeysTold=1\n' >"$XDG_CONFIG_HOME/tavinor/HKEY_CURRENT_USER.ini"

lock_calls() { [ "$(wc -l <"$work/locks" 2>/dev/null || echo 0)" -eq "$1" ]; }
helpers="$(cd "$(dirname "$app")" && pwd)"
nothing_looks_locked() {
  ! shown '^lock_form$' && ! pgrep -f "^$helpers/tavinor-(lock-guard|wayland-lock) --channel" >/dev/null
}
# standin KIND [deaf]: the desktop answers as KIND from now on.
standin() {
  [ -n "${standin_pid:-}" ] && { kill "$standin_pid"; wait "$standin_pid" 2>/dev/null; }
  /usr/bin/python3 "$standin" "$work/locks" "$@" >"$work/standin.out" &
  standin_pid=$!
  wait_for 10 grep -q ready "$work/standin.out"
}

refusals() { [ "$(grep -c 'Neither the screen saver nor logind locked' "$work/app.log")" -eq "$1" ]; }

"$app" >>"$work/app.log" 2>&1 &
app_pid=$!
check "the program starts" wait_for 60 visible_window
sleep 0.5 # its hot keys are registered once the window is up
xdotool key ctrl+k
check "with no desktop lock to ask, the program says so" wait_for 10 notice_shown
check "having asked for no password (the login password opens a desktop's own lock)" \
  not password_dialog
check "and refused" refusals 1
check "and nothing looks locked" nothing_looks_locked
dismiss_notice

standin logind deaf
xdotool key ctrl+k
check "logind answers a lock request where nothing in the session listens" \
  wait_for 10 lock_calls 1
check "and the session never says it is locked: the program refuses" wait_for 15 refusals 2
check "in a notice" wait_for 5 notice_shown
dismiss_notice

standin screensaver
xdotool key ctrl+k
check "the desktop's screen saver is asked to lock" wait_for 10 lock_calls 2
check "the user is told which password opens it" wait_for 10 notice_shown
check "once the screen saver says it is locked" refusals 2
check "and the program draws no lock of its own" nothing_looks_locked
check "nor touches the policy value" bash -c "! grep -rqs DisableTaskMgr=1 '$XDG_CONFIG_HOME'"
dismiss_notice
xdotool key ctrl+k
check "the next request asks again" wait_for 10 lock_calls 3
linger 1
check "without telling the user twice" notice_gone

standin logind
xdotool key ctrl+k
check "without a screen saver, logind's session is asked" wait_for 10 grep -q login1.Session.Lock "$work/locks"
linger 1
check "and its locked hint counts" refusals 2

kill -TERM "$app_pid"
wait_for 20 ended "$app_pid"
[ "$failed" -eq 0 ] || grep -v -e "^js:" -e zygote "$work/app.log" | tail -n 20
finish
