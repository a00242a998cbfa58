# The check and wait helpers of the end-to-end scripts. Source it.
passed=0; failed=0
check() { # check NAME COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); echo "ok: $1"
  else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
wait_for() { # wait_for SECONDS COMMAND...
  local end=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -ge $end ] && return 1; sleep 0.1; done
}
ended() { ! kill -0 "$1" 2>/dev/null; }
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }
