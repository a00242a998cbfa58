#!/usr/bin/env bash
# A lock client killed again and again while the desktop is locked, as any
# process of the user could: every time another one takes its place and
# covers both outputs, no key typed while one holds reaches a native window,
# and the password still unlocks. On this sway (overlay surfaces and the input
# inhibitor) the desktop is open between a client's death and its
# replacement; that moment is the protocol's and is not typed into.
# Usage: wayland_lock_kills.sh PATH_TO_TAVINOR (run by with-sway.sh)
set -uo pipefail
source "$(dirname "$0")/wayland_checks.sh"
cp "$1" "$(dirname "$1")/tavinor-wayland-lock" "$SWAY_DIR/bin/"
kills=20
both_covered() { covered HEADLESS-1 && covered HEADLESS-2; }
replaced() { [ -n "$(client_pids)" ] && [ "$(client_pids)" != "$1" ]; }

record_then_lock
check "and covers both outputs" wait_for 5 both_covered

replacements=0
covers=0
started=$SECONDS
for ((kill = 1; kill <= kills; kill++)); do
  pid=$(client_pids)
  kill -9 "$pid"
  wait_for 10 replaced "$pid" || break
  replacements=$((replacements + 1))
  wait_for 5 both_covered && covers=$((covers + 1))
  as_user wtype x
done
echo "$kills kills: $replacements replacements, $covers covered both outputs again, $((SECONDS - started)) s"
check "every killed client is replaced" [ "$replacements" -eq "$kills" ]
check "and every replacement covers both outputs" [ "$covers" -eq "$kills" ]
check "no key typed while a client held reached the native window" recorded typed ab
check "the program still runs" kill -0 "$app"
# The last client's entry holds the last "x": Enter empties it.
as_user wtype -k Return Secret -k Return
check "the password unlocks" wait_for 10 unlocked
check "and the program shows its window again" wait_for 10 main_shown
[ "$failed" -eq 0 ] || { tail -n 20 "$home/app.log"; tail -n 20 "$SWAY_DIR/sway.log"; }
finish
