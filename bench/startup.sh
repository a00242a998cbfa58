#!/usr/bin/env bash
# Start-up from process start to the main window mapped, as the X server
# reports it (bench/time_to_map.cpp), the program against a bare Qt WebEngine
# window (bench/bare_webengine.cpp), interleaved so that both see the same
# machine load. Prints both medians and their ratio.
# Usage: bench/startup.sh BUILD_DIR [RUNS]   (DISPLAY set, or run via
# tests/support/with-display.sh)
set -uo pipefail
build="$1"; runs="${2:-9}"
work="$(mktemp -d /tmp/tavinor-bench-XXXXXX)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run" TAVINOR_SITE="${TAVINOR_SITE:-http://127.0.0.1:9}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

time_to_window() { "$build/bench/time_to_map" "$@"; } # TITLE_PREFIX PROGRAM: ms
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# One untimed start of each fills the disk cache and creates the data file.
time_to_window "Tavinor—" "$build/src/tavinor" >/dev/null
time_to_window "Bare WebEngine" "$build/bench/bare_webengine" >/dev/null
app=(); bare=()
for _ in $(seq "$runs"); do
  app+=($(time_to_window "Tavinor—" "$build/src/tavinor"))
  bare+=($(time_to_window "Bare WebEngine" "$build/bench/bare_webengine"))
done
echo "tavinor, ms:        ${app[*]}"
echo "bare WebEngine, ms: ${bare[*]}"
a=$(median "${app[@]}"); b=$(median "${bare[@]}")
echo "median: tavinor $a ms, bare $b ms, ratio $(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.2f", a / b}')"
