#!/usr/bin/env bash
# The keys of the Wayland lock client as a typist uses them, on Debian's
# sway: a held BackSpace repeats at the compositor's rate and erases the
# whole entry, Escape and Ctrl+U clear it, and a locked Caps Lock shows a
# hint. Each time the right password typed after it unlocks. A client that
# may not lock its memory says so once; the pointer over the lock has a
# cursor; an output at scale 2 gets a picture of its own pixels, as sharp
# as one at scale 1.
# Usage: wayland_lock_keys.sh PATH_TO_TAVINOR_WAYLAND_LOCK PATH_TO_WL_CLICK (run by
# with-sway.sh)
set -uo pipefail
source "$(dirname "$0")/wayland_checks.sh"
cp "$1" "$2" "$(dirname "$0")/../support/lock_channel_driver.py" "$SWAY_DIR/bin/"

unlocked_by() { # unlocked_by RECORD: the client said so and ended
  wait_for 10 unlocked && grep -qx unlock "$home/$1"
}
# The share of bright pixels in the middle of the first output.
bright_share() { measure "$(picture HEADLESS-1)" -colorspace Gray -threshold 90%; }
# The client draws again only what a key changed: what both outputs show is
# then, pixel for pixel, what it showed at the start with the same entry.
keep_pictures() { for output in HEADLESS-1 HEADLESS-2; do cp "$(picture $output)" "$home/kept-$output.png"; done; }
as_kept() {
  for output in HEADLESS-1 HEADLESS-2; do
    [ "$(compare -metric AE "$(picture $output)" "$home/kept-$output.png" null: 2>&1)" = 0 ] || return 1
  done
}

steady_keyboard
check "the client locks" start_client held
check "and covers the second output" wait_for 5 covered HEADLESS-2
keep_pictures
as_user wtype 0123456789abcdefghijklmnopqrstuvwxyz
as_user wtype -P BackSpace -s 2500 -p BackSpace
check "a held BackSpace erases 36 characters, and both outputs show the empty entry again" \
  wait_for 5 as_kept
as_user wtype Secret -k Return
check "and the password then unlocks" unlocked_by held

check "the client locks again, without the right to lock memory" \
  start_client escape prlimit --memlock=0:0
check "which it says once" [ "$(grep -c 'could not be kept from swap' "$home/escape.err")" -eq 1 ]
as_user wtype wrong -k Escape Secret -k Return
check "Escape clears the entry" unlocked_by escape

check "the client locks again" start_client ctrl_u
as_user wtype wrong -M ctrl u -m ctrl Secret -k Return
check "Ctrl+U clears the entry" unlocked_by ctrl_u

check "the client locks again" start_client caps
keep_pictures
before=$(bright_share)
# wtype's own keymap cannot lock Caps Lock; it holds it down for a while.
as_user wtype -M capslock -s 4000 -m capslock &
caps_hint() { awk -v a="$before" -v b="$(bright_share)" 'BEGIN { exit !(b > a * 1.05) }'; }
check "Caps Lock shows a hint" wait_for 5 caps_hint
check "which goes, all of it, when it is let go" wait_for 5 as_kept
as_user wtype Secret -k Return
check "and the password unlocks" unlocked_by caps
# The second output (800x600) at scale 2: 400x300 of the surface's units.
sway_msg output HEADLESS-2 scale 2 >/dev/null
check "the client locks again" start_client cursor env WAYLAND_DEBUG=client
check "on a 2× output it draws a picture of the output's pixels at scale 2" \
  wait_for 5 logged cursor 'create_buffer(new id wl_buffer@[0-9]*, 0, 800, 600,'
check "as the compositor is told" logged cursor 'set_buffer_scale(2)'
check "and the output is covered" wait_for 5 covered HEADLESS-2
check "its text as sharp as at scale 1" sharp_as_at_1 HEADLESS-2
as_user "$SWAY_DIR/bin/wl_click" 100 100 1824 768
check "the pointer over it gets a cursor" wait_for 5 logged cursor 'wl_pointer@[0-9]*\.set_cursor'
as_user wtype Secret -k Return
check "and the password unlocks" unlocked_by cursor
[ "$failed" -eq 0 ] || tail -n 20 "$SWAY_DIR/sway.log"
finish
