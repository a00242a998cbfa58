#!/usr/bin/env bash
# Checks the loopback test server itself: files, statuses, the request log,
# delayed answers, endless bodies, a hanging request beside a normal one,
# and a clean stop.
# Also serves the demo site's generated setting.txt to prove the GBK bytes
# arrive untouched. Prints "N passed, N failed" and exits non-zero on failure.
set -u
here=$(cd "$(dirname "$0")" && pwd)
site="$here/../../site"
tmp=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

passed=0
failed=0
check() { # name, then a command that must succeed
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $name" >&2; fi
}

# fetch URL OUTFILE [MAX_SECONDS] -> prints the status code
if command -v curl >/dev/null; then
  fetch() { curl -s -o "$2" -w '%{http_code}' --max-time "${3:-5}" "$1"; }
  ctype() { curl -s -o /dev/null -w '%{content_type}' --max-time 5 "$1"; }
else
  fetch() {
    python3 - "$1" "$2" "${3:-5}" <<'EOF'
import sys, urllib.request, urllib.error
try:
    r = urllib.request.urlopen(sys.argv[1], timeout=float(sys.argv[3]))
    code, body = r.status, r.read()
except urllib.error.HTTPError as e:
    code, body = e.code, e.read()
except OSError:
    code, body = 0, b""
open(sys.argv[2], "wb").write(body)
print(code, end="")
EOF
  }
  ctype() { python3 -c 'import sys,urllib.request;print(urllib.request.urlopen(sys.argv[1],timeout=5).headers["Content-Type"],end="")' "$1"; }
fi
now_ms() { date +%s%3N; }
# ends_by_itself PID: true when PID ends with status 0 within 5 s
ends_by_itself() {
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then kill -KILL "$1"; wait "$1"; return 1; fi
  wait "$1"
}

mkdir -p "$tmp/root/sub"
printf 'hello' > "$tmp/root/a.txt"
printf '<p>x</p>' > "$tmp/root/sub/page.htm"
python3 "$site/make_setting.py" http://127.0.0.1:1 "$tmp/root/setting.txt"

mkfifo "$tmp/stdin"
python3 "$here/test_server.py" --root "$tmp/root" --exit-on-stdin-eof <"$tmp/stdin" >"$tmp/out" &
pid=$!
exec 3>"$tmp/stdin"   # held open; closing it must end the server
for _ in $(seq 50); do grep -q '^PORT ' "$tmp/out" && break; sleep 0.1; done
port=$(sed -n 's/^PORT \([0-9]*\)$/\1/p' "$tmp/out")
base=http://127.0.0.1:$port
check "prints its port" test -n "$port"

check "serves a file" test "$(fetch "$base/a.txt" "$tmp/b")" = 200
check "file body" cmp -s "$tmp/b" "$tmp/root/a.txt"
check ".txt has no charset" test "$(ctype "$base/a.txt")" = "text/plain"
check ".htm is html" test "$(ctype "$base/sub/page.htm")" = "text/html"
check "GBK passes unchanged" test "$(fetch "$base/setting.txt" "$tmp/s")" = 200
check "GBK body" cmp -s "$tmp/s" "$tmp/root/setting.txt"
check "missing file is 404" test "$(fetch "$base/nope.htm" "$tmp/b")" = 404
check "/status/500" test "$(fetch "$base/status/500" "$tmp/b")" = 500

fetch "$base/log/clear" "$tmp/b" >/dev/null
fetch "$base/a.txt?q=1" "$tmp/b" >/dev/null
fetch "$base/a.txt" "$tmp/b" >/dev/null
fetch "$base/log" "$tmp/log" >/dev/null
check "/log lists requests in order" test "$(cat "$tmp/log")" = "$(printf '/a.txt?q=1\n/a.txt')"

t0=$(now_ms)
check "/slow serves the file" test "$(fetch "$base/slow/400/a.txt" "$tmp/b")" = 200
t1=$(now_ms)
check "/slow waits" test $((t1 - t0)) -ge 400
check "/slow body" cmp -s "$tmp/b" "$tmp/root/a.txt"

fetch "$base/log/clear" "$tmp/b" >/dev/null
for kind in endless huge drip; do
  fetch "$base/stream/$kind/x" "$tmp/stream" 1 >/dev/null
  check "/stream/$kind sends until cut off" test -s "$tmp/stream"
done
check "/stream/endless/ alone is no stream" test "$(fetch "$base/stream/endless/" "$tmp/b")" = 404
for _ in $(seq 30); do
  fetch "$base/log/ended" "$tmp/ended" >/dev/null
  [ "$(wc -l <"$tmp/ended")" -ge 3 ] && break
  sleep 0.1
done
check "/log/ended has each stream with its time" \
  grep -Eq '^/stream/drip/x [0-9]+$' "$tmp/ended"

fetch "$base/hang" "$tmp/h" 30 >"$tmp/hang_code" 3>&- &
hang=$!
sleep 0.3
t0=$(now_ms)
check "a request beside /hang answers" test "$(fetch "$base/a.txt" "$tmp/b" 3)" = 200
check "... promptly" test $(($(now_ms) - t0)) -lt 2000
check "/hang is still open" kill -0 "$hang"

exec 3>&-   # stdin EOF: the server must end by itself and drop /hang
check "ends on stdin EOF with 0" ends_by_itself "$pid"
pid=
wait "$hang"
check "/hang got no answer" test "$(cat "$tmp/hang_code")" = "000" -o "$(cat "$tmp/hang_code")" = "0"

for sig in TERM INT; do
  python3 "$here/test_server.py" --root "$tmp/root" >"$tmp/out2" </dev/null &
  pid=$!
  for _ in $(seq 50); do grep -q '^PORT ' "$tmp/out2" && break; sleep 0.1; done
  kill -"$sig" "$pid"
  check "ends on SIG$sig with 0" ends_by_itself "$pid"
  pid=
done

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
