#!/usr/bin/env bash
# with-display.sh WIDTHxHEIGHT COMMAND...
# Runs COMMAND on a fresh Xvfb screen of that size with a system-tray host,
# then takes both down. The command's exit code is returned.
set -uo pipefail
geometry="$1"; shift

display=""
for n in $(seq 90 190); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }

Xvfb "$display" -screen 0 "${geometry}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${tray:-}" ] && kill "$tray" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.05
done
export DISPLAY="$display"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

# The tray host owns the system-tray selection, so tray icons really appear.
trayer --edge bottom --align right --widthtype request --height 24 \
  --transparent false --SetDockType true >/dev/null 2>&1 &
tray=$!
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && break
  sleep 0.05
done

"$@"
