# Shared by the scripts that kill the program while locked: finds the lock's
# guard by its binary beside the program and kills every guard at exit, so
# none outlives the test's X server. Source it after lib.sh; needs $app.
guard_binary="$(cd "$(dirname "$app")" && pwd)/tavinor-lock-guard"
guard_pids() { pgrep -f "^$guard_binary --channel"; }
trap 'kill -9 $(guard_pids) 2>/dev/null; kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
# The guard has taken over: its cover is up and has the keyboard. Until the
# X server has seen the killed program go, that program's grab still holds
# the input, and what is typed meanwhile goes nowhere.
guard_holds() {
  xwininfo -name tavinor-lock-guard 2>/dev/null | grep -q 'Map State: IsViewable' &&
    focus_is tavinor-lock-guard
}
