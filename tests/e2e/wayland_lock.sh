#!/usr/bin/env bash
# The lock on a Wayland desktop: Debian's sway (layer shell and input
# inhibitor), the program on Xwayland, native foot windows that record what
# they are typed, keys through the compositor (wtype) and screenshots of both
# outputs (grim). The lock client keeps the desktop locked when the program
# is killed.
# Usage: wayland_lock.sh PATH_TO_TAVINOR PATH_TO_WL_CLICK (run by with-sway.sh with
# WITH_SWAY_CONFIG=wayland_lock.sway, which binds Alt+Tab)
set -uo pipefail
source "$(dirname "$0")/wayland_checks.sh"
cp "$1" "$(dirname "$1")/tavinor-wayland-lock" "$2" "$SWAY_DIR/bin/"

record_then_lock
check "which covers the first output" wait_for 5 covered HEADLESS-1
check "and the second" covered HEADLESS-2

as_user wtype -M alt -k Tab -m alt
as_user wtype wrong
as_user wtype -k Return
check "Alt+Tab and typing reach no native window" recorded typed ab
check "a wrong password keeps the lock and shows red" wait_for 5 red_shown HEADLESS-1
check "still locked" locked
check "a native window opened while locked" recorder late
as_user wtype late
check "gets nothing" recorded late ""
as_user wtype -k Return

# The change link, right of the entry in the middle of the first output.
as_user "$SWAY_DIR/bin/wl_click" 630 385 1824 768
as_user wtype Secret -k Tab New1 -k Tab New1 -k Return
check "a password changed at the lock reaches the data file" \
  wait_for 5 grep -qa New1 "$home/data/tavinor/tvr.dat"
as_user wtype ' Secret '
as_user wtype -k Return
check "and the old one no longer unlocks" wait_for 5 red_shown HEADLESS-1
as_user wtype ' New1 '
as_user wtype -k Return
check "the new one with blanks around it unlocks" wait_for 10 unlocked
check "the program shows its window again" wait_for 10 main_shown
check "the outputs show the desktop again" not covered HEADLESS-1
sway_msg '[app_id="typed"] focus' >/dev/null
as_user wtype cd
check "typing reaches the native window again" wait_for 5 recorded typed abcd

lock_request
check "the next request locks again" wait_for 10 locked
wait_for 5 covered HEADLESS-2
first=$(client_pids)
kill -9 "$first"
replaced() { [ -n "$(client_pids)" ] && [ "$(client_pids)" != "$first" ]; }
check "a lock client killed while the program lives is replaced" wait_for 10 replaced
check "and the outputs are covered again" wait_for 5 covered HEADLESS-2
kill -9 "$app"
wait_for 10 ended "$app"
sleep 0.5
check "killing the program leaves the desktop locked" locked
as_user "$SWAY_DIR/bin/wl_click" 630 385 1824 768
as_user wtype New1 -k Tab New2 -k Tab New2 -k Return
check "a change of password without the program is refused in red" wait_for 5 red_shown HEADLESS-1
check "and the data file keeps the password" bash -c "! grep -qa New2 '$home/data/tavinor/tvr.dat'"
as_user wtype -k Escape
check "Escape leaves the change" wait_for 5 not red_shown HEADLESS-1
as_user wtype New2 -k Return
check "and the refused password does not unlock" wait_for 5 red_shown HEADLESS-1
as_user wtype New1
check "and typing reaches no native window" recorded typed abcd
as_user wtype -k Return
check "until the password" wait_for 10 unlocked
sway_msg '[app_id="typed"] focus' >/dev/null
as_user wtype ef
check "after which typing reaches the native window" wait_for 5 recorded typed abcdef

[ "$failed" -eq 0 ] || { tail -n 20 "$home/app.log"; tail -n 20 "$SWAY_DIR/sway.log"; }
finish
