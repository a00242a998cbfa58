#!/usr/bin/env bash
# Start-up to the main window shown (median of N runs) and the resident
# memory of the whole process tree once the start page has loaded.
# Usage: bench/startup.sh PATH_TO_TAVINOR [RUNS]   (DISPLAY set, or run via
# tests/support/with-display.sh)
set -uo pipefail
app="$1"; runs="${2:-7}"
work="$(mktemp -d /tmp/tavinor-bench-XXXXXX)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run" TAVINOR_SITE="${TAVINOR_SITE:-http://127.0.0.1:9}"
mkdir -p "$XDG_RUNTIME_DIR"

tree_rss_kb() { # the process and all its descendants
  local pids="$1" all="$1" next
  while [ -n "$pids" ]; do
    next=$(for p in $pids; do pgrep -P "$p"; done | tr '\n' ' ')
    all="$all $next"; pids="$next"
  done
  for p in $all; do awk '/VmRSS/ {print $2}' "/proc/$p/status" 2>/dev/null; done |
    awk '{s += $1} END {print s}'
}

times=()
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  "$app" >/dev/null 2>&1 & pid=$!
  until xdotool search --onlyvisible --name "^Tavinor—" >/dev/null 2>&1; do sleep 0.01; done
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
  if [ "$i" = "$runs" ]; then sleep 5; echo "resident memory of the process tree: $(( $(tree_rss_kb $pid) / 1024 )) MiB"; fi
  kill -TERM $pid; wait $pid
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up to window shown, ms: ${times[*]}"
echo "median: ${sorted[$(( runs / 2 ))]} ms"
