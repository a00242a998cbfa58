#!/usr/bin/env bash
# with-two-monitors.sh COMMAND...
# Runs COMMAND on an X server with two 1280x1024 monitors side by side
# (Xinerama, 2560x1024 in all), the openbox window manager and a trayer
# panel, then takes them down. Xephyr provides the two monitors; it draws
# into a hidden Xvfb. The command's exit code is returned.
set -uo pipefail

pids=()
files=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
  rm -f "${files[@]}"
}
trap cleanup EXIT

# start_server FILE COMMAND...: the server reports its display once it
# listens. Started from this shell, not a subshell, so that cleanup knows it.
# -noreset as in with-display.sh.
start_server() {
  local file="$1"; shift
  "$@" -displayfd 3 -nolisten tcp -noreset 3>"$file" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 200); do [ -s "$file" ] && break; sleep 0.05; done
  [ -s "$file" ] || { echo "$1 did not start" >&2; exit 1; }
  DISPLAY=":$(head -n 1 "$file" | tr -d '[:space:]')"
  export DISPLAY
}

host_file=$(mktemp); files+=("$host_file")
nested_file=$(mktemp); files+=("$nested_file")
start_server "$host_file" Xvfb -screen 0 2600x1100x24
start_server "$nested_file" Xephyr +xinerama -screen 1280x1024 -screen 1280x1024
unset WAYLAND_DISPLAY XDG_SESSION_TYPE DBUS_SESSION_BUS_ADDRESS

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.05
done
trayer --edge bottom --align right --widthtype request --height 24 \
  --transparent false --SetDockType true >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && break
  sleep 0.05
done

"$@"
