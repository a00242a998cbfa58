#!/usr/bin/env bash
# with-display.sh WIDTHxHEIGHT COMMAND...
# Runs COMMAND on a fresh Xvfb screen of that size with a system-tray host,
# then takes both down. The command's exit code is returned.
set -uo pipefail
geometry="$1"; shift

# The server picks a free display itself and reports it once it listens, so
# runs side by side never race for the same number.
numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${geometry}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${tray:-}" ] && kill "$tray" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -f "$numfile"
}
trap cleanup EXIT
# How long the servers may take to come up on a crowded machine, stretched by
# TAVINOR_TEST_TIME_FACTOR.
limit=$(awk -v f="${TAVINOR_TEST_TIME_FACTOR:-1}" 'BEGIN { print int(30 * (f > 1 ? f : 1)) }')
end=$((SECONDS + limit))
until [ -s "$numfile" ] || [ $SECONDS -ge $end ]; do sleep 0.05; done
[ -s "$numfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=":$(head -n 1 "$numfile" | tr -d '[:space:]')"
export DISPLAY="$display"
unset WAYLAND_DISPLAY XDG_SESSION_TYPE DBUS_SESSION_BUS_ADDRESS

# The tray host owns the system-tray selection, so tray icons really appear.
# WITH_DISPLAY_NO_TRAY=1 leaves it out, as on desktops that show no tray.
if [ -z "${WITH_DISPLAY_NO_TRAY:-}" ]; then
  trayer --edge bottom --align right --widthtype request --height 24 \
    --transparent false --SetDockType true >/dev/null 2>&1 &
  tray=$!
  end=$((SECONDS + limit))
  until xwininfo -root -tree 2>/dev/null | grep -q '"panel"' || [ $SECONDS -ge $end ]; do
    sleep 0.05
  done
fi

"$@"
