# Shared by the end-to-end scripts: a private home for the run, a recording
# stand-in for the system browser, and the check and wait helpers.
# Source it; it sets $work (removed at exit) and the XDG variables.
work="$(mktemp -d /tmp/tavinor-e2e-XXXXXX)"
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CACHE_HOME="$work/home/cache"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/bin"
chmod 700 "$XDG_RUNTIME_DIR"
printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" TAVINOR_SITE="http://127.0.0.1:9"
data="$XDG_DATA_HOME/tavinor/tvr.dat"

passed=0; failed=0
check() { # check NAME COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); echo "ok: $1"
  else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
wait_for() { # wait_for SECONDS COMMAND...
  local end=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -ge $end ] && return 1; sleep 0.1; done
}
visible_window() { xdotool search --onlyvisible --name "^Tavinor—" >/dev/null 2>&1; }
any_window() { xdotool search --name "^Tavinor—" >/dev/null 2>&1; }
password_dialog() { xdotool search --onlyvisible --name "^设定密码$" >/dev/null 2>&1; }
ended() { ! kill -0 "$1" 2>/dev/null; }
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }
