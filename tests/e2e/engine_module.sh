#!/usr/bin/env bash
# The web engine is a module the program loads when its window is first
# shown: started hidden in the tray, the process maps no WebEngine library and
# starts no engine process; shown, it loads both. A program whose module is
# missing still starts, shows its window and lives on, and says why.
# Usage: engine_module.sh PATH_TO_TAVINOR (DISPLAY set, tray running)
set -uo pipefail
app="$1"
source "$(dirname "$0")/lib.sh"
# Under a window manager, which would iconify a window that went to the tray
# still marked minimised the moment it comes back.
openbox >/dev/null 2>&1 &

engine_mapped() { grep -q -e 'libQt6WebEngine' -e 'tavinor-web-engine' "/proc/$1/maps"; }
engine_process() { pgrep -P "$1" -f QtWebEngineProcess >/dev/null; }
no_engine() { ! engine_mapped "$1" && ! engine_process "$1"; }

# A first run writes the data file; the start option then sends it to the tray.
"$app" & first=$!
wait_for 60 visible_window
kill -TERM "$first"; wait "$first"
printf '\001' | dd of="$data" bs=1 seek=28 conv=notrunc status=none

"$app" & hidden=$!
panel=$(xwininfo -root -tree | awk '/"panel"/{print $1; exit}')
# The panel grows as the icon docks.
in_tray() { geometry "$panel" && icon_shown_at "$X" "$Y" "$WIDTH" "$HEIGHT"; }
check "started hidden, its icon is in the tray" wait_for 30 in_tray
check "and no window of its is mapped" bash -c "! xdotool search --onlyvisible --name '^Tavinor—'"
linger 3
check "no WebEngine library is mapped and no engine process runs" no_engine "$hidden"
"$app"
check "a second start shows the window" wait_for 20 visible_window
check "which loads the engine's module" wait_for 20 engine_mapped "$hidden"
check "and starts an engine process" wait_for 60 engine_process "$hidden"
kill -TERM "$hidden"
check "it closes" wait_for 20 ended "$hidden"

# The program alone, without its module.
mkdir -p "$work/alone" && cp "$app" "$work/alone/tavinor"
printf '\000' | dd of="$data" bs=1 seek=28 conv=notrunc status=none
"$work/alone/tavinor" 2>"$work/alone.err" & alone=$!
check "without its module the program shows its window" wait_for 60 visible_window
linger 3
check "and lives on" kill -0 "$alone"
check "with no engine" no_engine "$alone"
check "saying why" grep -q "web engine module could not be loaded" "$work/alone.err"
kill -TERM "$alone"
check "it closes" wait_for 20 ended "$alone"
finish
