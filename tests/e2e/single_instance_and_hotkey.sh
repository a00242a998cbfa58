#!/usr/bin/env bash
# The real binary on a real X server: one instance per user, a second start
# that brings the hidden window back and ends, a clean close on SIGTERM that
# writes the data file back, and Alt+B as a real key press bringing the hidden
# window back; the requests a start hands over (--favorites, --lock), also
# to a first start; SIGTERM while a request to the product site hangs.
# Usage: single_instance_and_hotkey.sh PATH_TO_TAVINOR (DISPLAY set, tray running)
set -uo pipefail
app="$1"
source "$(dirname "$0")/lib.sh"

# First start: no data file yet, the window opens.
"$app" & first=$!
check "first start shows the main window" wait_for 60 visible_window
check "a new data file of 3252 bytes" test "$(stat -c %s "$data" 2>/dev/null)" = 3252

start=$(date +%s%N)
"$app"; code=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
check "second start ends with code 0" test "$code" = 0
check "second start ends at once (${elapsed_ms} ms)" test "$elapsed_ms" -lt "$(stretched 3000)"
check "first instance untouched" kill -0 "$first"

kill -TERM "$first"
check "SIGTERM closes the program" wait_for 20 ended "$first"
wait "$first"; check "exit code 0 after close" test $? = 0

# Start hidden in the tray: the start option is byte 28 of the header.
printf '\001' | dd of="$data" bs=1 seek=28 conv=notrunc status=none
"$app" & second=$!
check "start option opens the start page in the system browser" \
  wait_for 60 grep -q "http://127.0.0.1:9/" "$work/opened"
check "the window exists" wait_for 30 any_window
linger 1
check "and stays hidden" bash -c "! xdotool search --onlyvisible --name '^Tavinor—' >/dev/null 2>&1"
xdotool key --clearmodifiers alt+b
check "Alt+B brings the window back" wait_for 20 visible_window
kill -TERM "$second"
check "second run closes" wait_for 20 ended "$second"
check "the data file is intact" test "$(stat -c %s "$data")" = 3252

# Hidden again by the start option: only the exact request on the socket
# beside the lock brings it back, and a second start sends just that.
"$app" & third=$!
check "the third run starts hidden" wait_for 30 any_window
socket="$XDG_RUNTIME_DIR/Tavinor-$(id -u).sock"
check "the running instance listens beside its lock" wait_for 10 test -S "$socket"
python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall(b"restore\nrestore\n")' "$socket"
linger 1
check "anything but the request is ignored" bash -c "! xdotool search --onlyvisible --name '^Tavinor—' >/dev/null 2>&1"
"$app"; code=$?
check "a second start ends with code 0" test "$code" = 0
check "and brings the hidden window back" wait_for 10 visible_window
check "the first instance goes on" kill -0 "$third"
kill -TERM "$third"
check "third run closes" wait_for 20 ended "$third"

# Requests on the command line. A wrong one ends at once and starts nothing.
"$app" --favourites 2>"$work/usage"; code=$?
check "an unknown argument ends with code 2" test "$code" = 2
check "after one line of usage" test "$(wc -l <"$work/usage")" = 1 -a -n "$(grep usage "$work/usage")"
check "and starts nothing" bash -c "! test -S '$socket'"
"$app" & fifth=$!
check "the fifth run starts hidden" wait_for 30 any_window
wait_for 10 test -S "$socket"
"$app" --favorites; code=$?
check "--favorites ends with code 0" test "$code" = 0
check "and brings the hidden window back" wait_for 10 visible_window
"$app" --lock; code=$?
check "--lock ends with code 0" test "$code" = 0
check "and makes the lock request: no password yet, so it asks for one" wait_for 20 password_dialog
kill -TERM "$fifth"
check "fifth run closes" wait_for 20 ended "$fifth"
wait "$fifth"; check "cleanly, with the dialog the request opened still up" test $? = 0
# With nothing running the request starts the program, which acts once its windows exist.
"$app" --lock & sixth=$!
check "a first start with --lock makes the lock request" wait_for 60 password_dialog
kill -TERM "$sixth"
check "sixth run closes" wait_for 20 ended "$sixth"

# A holder of the instance lock that listens and never answers, then one that
# does not listen: the request reached no program that took it, and a
# desktop binding must be able to tell.
stale() { # stale listen|deaf: holds the lock until killed
  python3 -c 'import fcntl, socket, sys, time
lock = open(sys.argv[1], "w"); fcntl.flock(lock, fcntl.LOCK_EX)
if sys.argv[3] == "listen":
    s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[2]); s.listen(8)
print("HELD", flush=True); time.sleep(600)' \
    "$XDG_RUNTIME_DIR/Tavinor-$(id -u).lock" "$socket" "$1" >"$work/stale_$1" &
  stale_pid=$!
  check "a $1 stale holder of the lock" wait_for 10 grep -q HELD "$work/stale_$1"
}
for kind in listen deaf; do
  rm -f "$socket"
  stale "$kind"
  # Bounded: were the lock free, this would start the program.
  timeout "$(stretched 60)" "$app" --lock 2>"$work/refused"; code=$?
  check "--lock to a $kind stale instance ends with code 1" test "$code" = 1
  check "after one line on stderr: $(cat "$work/refused")" test "$(wc -l <"$work/refused")" = 1
  kill "$stale_pid"; wait "$stale_pid" 2>/dev/null
done
rm -f "$socket"

# SIGTERM while the product site holds the logo request open.
printf '\000' | dd of="$data" bs=1 seek=28 conv=notrunc status=none
mkfifo "$work/server_in"
python3 "$(dirname "$0")/../support/test_server.py" --root "$work" --exit-on-stdin-eof \
  <"$work/server_in" >"$work/server_out" &
exec 3>"$work/server_in"
wait_for 10 grep -q '^PORT ' "$work/server_out"
site="http://127.0.0.1:$(sed -n 's/^PORT //p' "$work/server_out")"
TAVINOR_SITE="$site/hang" "$app" & fourth=$!
check "a request hangs" wait_for 60 bash -c "curl -fs '$site/log' | grep -q tavinor_logo"
start=$(date +%s%N)
kill -TERM "$fourth"
check "SIGTERM during the hanging request closes" wait_for 20 ended "$fourth"
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
wait "$fourth"; check "exit code 0 after close" test $? = 0
check "and at once (${elapsed_ms} ms)" test "$elapsed_ms" -lt "$(stretched 3000)"
check "the data file is intact" test "$(stat -c %s "$data")" = 3252
exec 3>&-

finish
