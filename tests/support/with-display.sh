#!/usr/bin/env bash
# with-display.sh WIDTHxHEIGHT COMMAND...
# Runs COMMAND on a fresh Xvfb screen of that size with a system-tray host,
# then takes both down. The command's exit code is returned.
set -uo pipefail
geometry="$1"; shift

# The server picks a free display itself and reports it once it listens, so
# runs side by side never race for the same number.
numfile=$(mktemp)
# -noreset: a server whose last client leaves resets itself and, on a busy
# machine, refuses connections meanwhile; a program started then fails.
Xvfb -displayfd 3 -screen 0 "${geometry}x24" -nolisten tcp -noreset 3>"$numfile" >/dev/null 2>&1 &
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
  # Its window comes before it owns the tray selection; a program started in
  # between finds no tray (and, told to start in the tray, shows its window).
  python3 - "$((end - SECONDS))" <<'PY'
import ctypes, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
display = x.XOpenDisplay(None)
tray = x.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0)
end = time.monotonic() + max(int(sys.argv[1]), 1)
while not x.XGetSelectionOwner(display, tray) and time.monotonic() < end:
    time.sleep(0.05)
PY
fi

"$@"
