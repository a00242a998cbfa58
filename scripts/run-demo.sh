#!/usr/bin/env bash
# Builds the program, serves the bundled demo product site on loopback and
# starts the program pointed at it. Without a display it runs on a virtual
# one, saves a screenshot after start-up and prints its path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" tavinor

port="${TAVINOR_DEMO_PORT:-8642}"
site="http://127.0.0.1:$port"
work="$(mktemp -d /tmp/tavinor-demo-XXXXXX)"
cp -r "$root/site" "$work/site"
python3 "$root/site/make_setting.py" "$site" "$work/site/setting.txt"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >"$work/site.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  curl -fs "$site/" >/dev/null 2>&1 && break
  sleep 0.1
done
export TAVINOR_SITE="$site"

if [ -n "${DISPLAY:-}" ]; then
  "$root/build/src/tavinor"
  exit 0
fi

shot="$work/tavinor-screenshot.png"
"$root/tests/support/with-display.sh" 1280x1024 bash -c '
  "$1" & app=$!
  sleep "${TAVINOR_DEMO_WAIT:-12}"
  import -window root "$2"
  kill $app; wait $app 2>/dev/null || true
' _ "$root/build/src/tavinor" "$shot"
echo "Screenshot: $shot"
