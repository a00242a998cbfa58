# The check and wait helpers of the end-to-end scripts. Source it.

# xdotool finds the program's windows by their Chinese titles, which it only
# matches under a UTF-8 locale; a bare environment (no LANG) has none.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
passed=0; failed=0
check() { # check NAME COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); echo "ok: $1"
  else failed=$((failed + 1)); echo "FAILED: $1"; return 1; fi
}
# Every limit and pause is stretched by TAVINOR_TEST_TIME_FACTOR (default 1),
# for slow or crowded machines.
stretched() { # stretched NUMBER: NUMBER times the factor
  awk -v n="$1" -v f="${TAVINOR_TEST_TIME_FACTOR:-1}" 'BEGIN { print n * (f > 1 ? f : 1) }'
}
linger() { sleep "$(stretched "$1")"; } # for checks that something does NOT happen
wait_for() { # wait_for SECONDS COMMAND...
  local limit; limit=$(stretched "$1"); shift
  local end=$((SECONDS + ${limit%.*}))
  until "$@"; do [ $SECONDS -ge $end ] && return 1; sleep 0.1; done
}
ended() { ! kill -0 "$1" 2>/dev/null; }
not() { ! "$@"; }
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }
