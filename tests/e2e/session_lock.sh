#!/usr/bin/env bash
# The lock client on a compositor with ext-session-lock-v1 (Debian 13's
# sway, from WITH_SWAY_ROOT; skipped without one): both outputs covered,
# nothing typed reaches a native window, a wrong password shows red, the
# right one with blanks around it unlocks and says so to the program. An
# output at scale 1.5 gets a picture of its own pixels, as sharp as one at
# scale 1. Killed while locked, the client leaves the session locked by the
# compositor.
# Usage: session_lock.sh PATH_TO_TAVINOR_WAYLAND_LOCK (run by with-sway.sh)
set -uo pipefail
[ -n "${WITH_SWAY_ROOT:-}" ] || { echo "skipped: no WITH_SWAY_ROOT (scripts/make-sway-root.sh)"; exit 77; }
source "$(dirname "$0")/wayland_checks.sh"
cp "$1" "$(dirname "$0")/../support/lock_channel_driver.py" "$SWAY_DIR/bin/"

said() { grep -qx "$2" "$home/$1" 2>/dev/null; }

steady_keyboard
check "a native window records what is typed" recorder typed
as_user wtype ab
check "before the lock" wait_for 5 recorded typed ab
check "the client locks the session" start_client first
check "and covers the first output" wait_for 5 covered HEADLESS-1
check "and the second" covered HEADLESS-2
as_user wtype wrong
as_user wtype -k Return
check "typing reaches no native window" recorded typed ab
# This sway's headless outputs at times show a frame late in a picture.
red_somewhere() { red_shown HEADLESS-1 || red_shown HEADLESS-2; }
check "a wrong password shows red" wait_for 5 red_somewhere
as_user wtype ' Secret '
as_user wtype -k Return
check "the right one with blanks around it unlocks" wait_for 10 unlocked
check "and tells the program" said first unlock
as_user wtype cd
check "typing reaches the native window again" wait_for 5 recorded typed abcd

# The second output (800x600) at scale 1.5: 533x400 of the surface's units.
sway_msg output HEADLESS-2 scale 1.5 >/dev/null
check "the client locks again" start_client fraction env WAYLAND_DEBUG=client
check "told the output's scale of 1.5" wait_for 5 logged fraction 'preferred_scale(180)'
check "it draws a picture of the output's pixels" \
  wait_for 5 logged fraction 'create_buffer(new id wl_buffer@[0-9]*, 0, 800, 600,'
check "shown at the surface's size" logged fraction 'set_destination(533, 400)'
check "its text as sharp as at scale 1" wait_for 5 sharp_as_at_1 HEADLESS-2
as_user wtype Secret -k Return
check "and the password unlocks" wait_for 10 unlocked

check "the client locks again" start_client second
kill -9 "$(client_pids)"
wait_for 5 unlocked
as_user wtype ef
sleep 0.5
check "killed, it leaves the session locked" recorded typed abcd
check "and the program hears of its end" wait_for 5 said second closed
[ "$failed" -eq 0 ] || tail -n 20 "$SWAY_DIR/sway.log"
finish
