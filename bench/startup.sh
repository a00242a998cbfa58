#!/usr/bin/env bash
# Start-up from process start to the main window mapped, as the X server
# reports it (bench/time_to_map.cpp), the program against a bare Qt WebEngine
# window (bench/bare_webengine.cpp) and a bare Qt Widgets window of the same
# size (bench/bare_widgets.cpp); then to the start page painted (a page of one
# colour on loopback, which the bare WebEngine window loads too). All
# interleaved so that all see the same machine load. Prints the medians and
# the program's ratio to each bare window.
# BEFORE=path/to/an/older/tavinor adds that binary to the same interleaving.
# Usage: bench/startup.sh BUILD_DIR [RUNS]   (DISPLAY set, or run via
# tests/support/with-display.sh)
set -uo pipefail
build="$1"; runs="${2:-9}"; before="${BEFORE:-}"
work="$(mktemp -d /tmp/tavinor-bench-XXXXXX)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The start page: one colour, so that its painting can be seen from outside.
colour=3a7b5c
mkdir -p "$work/site"
printf '<!DOCTYPE html><body style="margin:0;background:#%s"></body>' $colour >"$work/site/index.html"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
export TAVINOR_SITE="http://127.0.0.1:$port"
sleep 1

time_to_window() { "$build/bench/time_to_map" "$@"; } # TITLE_PREFIX PROGRAM: ms
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# One untimed start of each fills the disk cache and creates the data file.
time_to_window "Tavinor—" "$build/src/tavinor" >/dev/null
[ -n "$before" ] && time_to_window "Tavinor—" "$before" >/dev/null
time_to_window "Bare WebEngine" "$build/bench/bare_webengine" >/dev/null
time_to_window "Bare Widgets" "$build/bench/bare_widgets" >/dev/null
painted() { time_to_window --painted $colour "$@"; } # TITLE_PREFIX PROGRAM...: ms
app=(); old=(); bare=(); widgets=(); papp=(); pold=(); pbare=()
for _ in $(seq "$runs"); do
  app+=($(time_to_window "Tavinor—" "$build/src/tavinor"))
  [ -n "$before" ] && old+=($(time_to_window "Tavinor—" "$before"))
  bare+=($(time_to_window "Bare WebEngine" "$build/bench/bare_webengine"))
  widgets+=($(time_to_window "Bare Widgets" "$build/bench/bare_widgets"))
  papp+=($(painted "Tavinor—" "$build/src/tavinor"))
  [ -n "$before" ] && pold+=($(painted "Tavinor—" "$before"))
  pbare+=($(painted "Bare WebEngine" "$build/bench/bare_webengine" "$TAVINOR_SITE/"))
done
echo "tavinor, ms:        ${app[*]}"
[ -n "$before" ] && echo "before, ms:         ${old[*]}"
echo "bare WebEngine, ms: ${bare[*]}"
echo "bare Widgets, ms:   ${widgets[*]}"
a=$(median "${app[@]}"); b=$(median "${bare[@]}"); w=$(median "${widgets[@]}")
echo "median: tavinor $a ms, bare WebEngine $b ms, bare Widgets $w ms"
echo "ratio: to bare WebEngine $(ratio "$a" "$b"), to bare Widgets $(ratio "$a" "$w")"
if [ -n "$before" ]; then
  o=$(median "${old[@]}")
  echo "before: median $o ms, to bare WebEngine $(ratio "$o" "$b"), to bare Widgets $(ratio "$o" "$w")"
fi
echo "start page painted, tavinor, ms:        ${papp[*]}"
[ -n "$before" ] && echo "start page painted, before, ms:         ${pold[*]}"
echo "start page painted, bare WebEngine, ms: ${pbare[*]}"
a=$(median "${papp[@]}"); b=$(median "${pbare[@]}")
echo "painted median: tavinor $a ms, bare WebEngine $b ms, ratio $(ratio "$a" "$b")"
if [ -n "$before" ]; then
  o=$(median "${pold[@]}")
  echo "painted, before: median $o ms, to bare WebEngine $(ratio "$o" "$b")"
fi
echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
