#!/usr/bin/env bash
# The Wayland lock client under a burst of keys: two 3840x2160 outputs of
# Debian's sway, 52 keys typed at once, then the right password. Prints the
# growth of the system's shared memory at its peak during the burst (above
# what it was with the lock up and idle) and the time from the password's
# Enter to the client's end. Then one key's redraw: keys typed one at a time
# to a client that logs its requests, the time from the key's arrival to
# both outputs' pictures committed and the pixels it told the compositor were
# new. Run it for an older client beside the current one for a before and
# after.
# Usage: tests/support/with-sway.sh bench/wayland_lock_burst.sh CLIENT [RUNS]
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tests/e2e/wayland_checks.sh"
cp "$1" "$SWAY_DIR/bin/tavinor-wayland-lock"
cp "$root/tests/support/lock_channel_driver.py" "$SWAY_DIR/bin/"
runs="${2:-3}"
sway_msg output HEADLESS-1 mode 3840x2160 position 0 0 >/dev/null
sway_msg output HEADLESS-2 mode 3840x2160 position 3840 0 >/dev/null
shmem_kib() { awk '/^Shmem:/ { print $2 }' /proc/meminfo; }

steady_keyboard
sleep 0.5
for ((run = 1; run <= runs; run++)); do
  as_user /usr/bin/python3 "$SWAY_DIR/bin/lock_channel_driver.py" "$client" Secret "$home/said" &
  wait_for 10 locked && sleep 1
  idle=$(shmem_kib)
  peak=$idle
  as_user wtype abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz &
  typing=$!
  while kill -0 "$typing" 2>/dev/null; do
    now=$(shmem_kib); [ "$now" -gt "$peak" ] && peak=$now; sleep 0.05
  done
  as_user wtype -k Return Secret -k Return
  start=$(date +%s%N)
  while locked; do
    now=$(shmem_kib); [ "$now" -gt "$peak" ] && peak=$now; sleep 0.05
  done
  echo "run $run: shared memory +$(((peak - idle) / 1024)) MiB at the peak, unlocked $((($(date +%s%N) - start) / 1000000)) ms after the password"
done

# One key at a time, each given its frames: WAYLAND_DEBUG's lines carry a
# time in milliseconds, the key event and the requests that follow it.
as_user env WAYLAND_DEBUG=client /usr/bin/python3 "$SWAY_DIR/bin/lock_channel_driver.py" \
  "$client" Secret "$home/said" 2>"$home/redraw.log" &
wait_for 10 locked && sleep 1
as_user wtype -d 150 abcdefghijklmnopqrst
as_user wtype -k Return Secret -k Return
wait_for 10 unlocked
awk -F'[][]' '
  / wl_keyboard@[0-9]+\.key\(/ && / 1\)$/ && keys < 20 { key = $2; commits = 0; pixels = 0 }
  key && /-> wl_surface@[0-9]+\.damage(_buffer)?\(/ {
    split($0, a, /[(),]/); pixels += a[4] * a[5]
  }
  key && /-> wl_surface@[0-9]+\.commit\(/ && ++commits == 2 {
    keys++; ms += $2 - key; all += pixels; key = 0
  }
  END { printf "one key: %d keys, %.2f ms from the key to both pictures committed, %d pixels new, on average\n", keys, ms / keys, all / keys }
' "$home/redraw.log"
