#!/usr/bin/env bash
# Memory and idle CPU of the whole process tree (the program and its
# QtWebEngineProcess children): PSS from /proc/PID/smaps_rollup with the demo
# start page shown, then while minimised to the tray (before and after the
# panes nobody sees are discarded, beside a bare WebEngine window minimised as
# long), and the CPU time of one idle minute in the tray; then started hidden
# in the tray (the start option that opens the product site in the system
# browser), before and after its window is first shown. Against a bare Qt
# WebEngine window (bench/bare_webengine.cpp) and a bare Qt Widgets window
# (bench/bare_widgets.cpp).
# Usage: bench/memory.sh BUILD_DIR   (run via tests/support/with-display.sh;
# openbox handles the minimise request). TAVINOR_PROGRAM=path measures another
# build of the program against the same bare windows.
set -uo pipefail
build="$1"
program="${TAVINOR_PROGRAM:-$build/src/tavinor}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/tavinor-bench-XXXXXX)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run" XDG_CACHE_HOME="$work/cache"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The hidden start hands the site to the system browser: nothing is opened.
mkdir -p "$work/bin" && printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open" && export PATH="$work/bin:$PATH"

# The demo product site, as scripts/run-demo.sh serves it.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export TAVINOR_SITE="http://127.0.0.1:$port"
cp -r "$root/site" "$work/site"
python3 "$root/site/make_setting.py" "$TAVINOR_SITE" "$work/site/setting.txt"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
openbox >/dev/null 2>&1 &
sleep 1

tree() { # the process and all its descendants
  local pids="$1" next
  echo "$1"
  while [ -n "$pids" ]; do
    next=$(for p in $pids; do pgrep -P "$p"; done)
    [ -n "$next" ] && echo "$next"
    pids=$next
  done
}
# PSS shares every page among all processes that map it, other programs'
# WebEngine processes included, so it moves with whatever else runs. The
# anonymous part is shared only inside the tree (the engine's processes fork
# from one another), so its sum is the tree's own memory, whatever else runs;
# private dirty leaves out what a fork still shares with its parent.
pss_mib() {
  for p in $(tree "$1" | sort -u); do
    awk '/^Pss:/ {pss = $2} /^Pss_Anon:/ {anon = $2} /^Private_Dirty:/ {own = $2}
      END {if (pss != "") print pss, anon, own}' "/proc/$p/smaps_rollup" 2>/dev/null
  done | awk '{pss += $1; anon += $2; own += $3} END {
    printf "%.1f MiB, anonymous %.1f MiB, private dirty %.1f MiB (%d processes)",
      pss / 1024, anon / 1024, own / 1024, NR}'
}
cpu_ticks() { # user + system time of the tree, in clock ticks
  for p in $(tree "$1"); do awk '{print $14 + $15}' "/proc/$p/stat" 2>/dev/null; done |
    awk '{s += $1} END {print s}'
}
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
wait_window() { until [ -n "$(window "$1")" ]; do sleep 0.1; done; }

bare() {
  "$build/bench/bare_webengine" >/dev/null 2>&1 & bare=$!
  wait_window "^Bare WebEngine$"; sleep 8
  echo "bare Qt WebEngine on about:blank: PSS $(pss_mib $bare)"
  kill -TERM $bare; wait $bare 2>/dev/null
}
widgets() {
  "$build/bench/bare_widgets" >/dev/null 2>&1 & widgets=$!
  wait_window "^Bare Widgets$"; sleep 8
  echo "bare Qt Widgets window: PSS $(pss_mib $widgets)"
  kill -TERM $widgets; wait $widgets 2>/dev/null
}
bare
widgets

anon_mib() { pss_mib "$1" | sed 's/.*anonymous \([0-9.]*\) MiB.*/\1/'; }
"$program" >/dev/null 2>&1 & app=$!
wait_window "^Tavinor—"; sleep 8
echo "tavinor, demo start page shown: PSS $(pss_mib $app)"
# A bare WebEngine window shown and minimised beside it, measured at the same
# moments, so that the machine's drift touches both alike.
"$build/bench/bare_webengine" >/dev/null 2>&1 & bare=$!
wait_window "^Bare WebEngine$"
xdotool windowminimize "$(window "^Tavinor—")"
while [ -n "$(window "^Tavinor—")" ]; do sleep 0.1; done
xdotool windowminimize "$(window "^Bare WebEngine$")"
sleep 30
echo "tavinor, 30 s in the tray: PSS $(pss_mib $app)"
sleep 90
echo "tavinor, 2 min in the tray: PSS $(pss_mib $app)"
echo "bare Qt WebEngine beside it, minimised as long: PSS $(pss_mib $bare)"
awk -v t="$(anon_mib $app)" -v b="$(anon_mib $bare)" \
  'BEGIN { printf "tavinor to bare WebEngine, anonymous, 2 min minimised: %.2f\n", t / b }'
kill -TERM $bare; wait $bare 2>/dev/null
ticks=$(getconf CLK_TCK); before=$(cpu_ticks $app)
sleep 60
seconds() { awk -v t="$1" -v hz="$ticks" 'BEGIN {printf "%.2f", t / hz}'; }
after=$(cpu_ticks $app)
echo "tavinor, CPU time of the tree over the next idle minute in the tray:" \
  "$(seconds $(( after - before ))) s (since start: $(seconds "$after") s)"
kill -TERM $app; wait $app 2>/dev/null

# The same data file with the start option "open the site, go to the tray"
# (header byte 28).
printf '\001' | dd of="$XDG_DATA_HOME/tavinor/tvr.dat" bs=1 seek=28 conv=notrunc 2>/dev/null
"$program" >/dev/null 2>&1 & app=$!
sleep 8
echo "tavinor, started hidden in the tray, 8 s: PSS $(pss_mib $app)"
echo "  WebEngine libraries mapped: $(grep -c libQt6WebEngine /proc/$app/maps)," \
  "engine processes: $(pgrep -c -P $app -f QtWebEngineProcess)"
sleep 22
echo "tavinor, started hidden in the tray, 30 s: PSS $(pss_mib $app)"
# A second start brings the running one's window back.
"$program" >/dev/null 2>&1
wait_window "^Tavinor—"; sleep 8
echo "tavinor, started hidden, then shown: PSS $(pss_mib $app)"
kill -TERM $app; wait $app 2>/dev/null
# Once more, to see how far the machine moved meanwhile.
bare
widgets
echo "load average: $(cut -d " " -f 1-3 /proc/loadavg)"
