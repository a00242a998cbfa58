#!/usr/bin/env bash
# The program on a Wayland desktop: sway with swaybar's tray, the program on
# Xwayland, a native foot terminal holding the focus. The commands a user
# binds in the desktop's settings act on the running program: `tavinor
# --lock` run from the terminal and a sway binding that runs it make the lock
# request (no password yet, so it asks for one), `tavinor --favorites` brings
# the window back from the tray, and a plain second start only restores.
# Usage: WITH_SWAY_CONFIG=sway_bindings.conf with-sway.sh sway_commands.sh PATH_TO_TAVINOR
set -uo pipefail
built="$(dirname "$1")"
# lib.sh's checks, but the session's own home and runtime folders.
session_env=$(export -p | grep -E '^declare -x (HOME|XDG_[A-Z_]+)=')
source "$(dirname "$0")/lib.sh"
eval "$session_env"
data="$XDG_DATA_HOME/tavinor/tvr.dat"

cp "$built/tavinor" "$built/tavinor-lock-guard" "$SWAY_DIR/bin/"
printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$SWAY_DIR" >"$SWAY_DIR/bin/xdg-open"
chmod 755 "$SWAY_DIR/bin/"*
tavinor() { # as the session's user, the way a terminal or the desktop runs it
  as_user env PATH="$SWAY_DIR/bin:$PATH" QTWEBENGINE_DISABLE_SANDBOX=1 TAVINOR_SITE="$TAVINOR_SITE" \
    "$SWAY_DIR/bin/tavinor" "$@"
}
start() { # the first instance, its pid kept for stop
  as_user env PATH="$SWAY_DIR/bin:$PATH" QTWEBENGINE_DISABLE_SANDBOX=1 TAVINOR_SITE="$TAVINOR_SITE" \
    sh -c 'echo $$ >"$0"; exec "$1"' "$SWAY_DIR/pid" "$SWAY_DIR/bin/tavinor" &
}
shown() { as_user xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
visible_window() { shown '^Tavinor—'; }
password_dialog() { shown '^设定密码$'; }
any_window() { as_user xdotool search --name '^Tavinor—' >/dev/null 2>&1; }
focused() { # the app_id of the focused Wayland window
  sway_msg -t get_tree | python3 -c 'import json, sys
def walk(n):
    if n.get("focused"): print(n.get("app_id"))
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))'
}
terminal_focused() { [ "$(focused)" = foot ]; }
focus_terminal() { sway_msg '[app_id="foot"] focus' >/dev/null; wait_for 10 terminal_focused; }
no_password_dialog() { ! password_dialog; }
close_dialog() { sway_msg '[title="^设定密码$"] kill' >/dev/null; wait_for 10 no_password_dialog; }
hidden_in_tray() { any_window && ! visible_window; }
in_tray() { # the program's icon is registered with the session's watcher
  as_user dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:RegisteredStatusNotifierItems 2>/dev/null | grep -q StatusNotifierItem
}
not_in_tray() { ! in_tray; }
stop() { # ends the running program; its icon leaves the tray
  local pid
  pid=$(cat "$SWAY_DIR/pid")
  as_user kill -TERM "$pid"
  wait_for 20 ended "$pid" && wait_for 10 not_in_tray
}

# Not the user's shell: the session's user may have none (nologin), and a
# caller without SHELL leaves foot to start that.
as_user foot cat >"$SWAY_DIR/foot.log" 2>&1 &
check "a native terminal has the focus" wait_for 60 terminal_focused ||
  { tail -n 20 "$SWAY_DIR/foot.log"; sway_msg -t get_tree | head -c 2000; }

start
check "the program starts on Xwayland" wait_for 60 visible_window
focus_terminal
tavinor --lock; code=$?
check "tavinor --lock from the terminal ends with code 0" test "$code" = 0
check "and makes the lock request" wait_for 20 password_dialog
close_dialog
check "the terminal has the focus again" focus_terminal
as_user wtype -M ctrl k -m ctrl
check "Ctrl+K bound in sway makes the lock request" wait_for 20 password_dialog
stop

# Started hidden in swaybar's tray.
printf '\001' | dd of="$data" bs=1 seek=28 conv=notrunc status=none
start
check "the icon is in swaybar's tray" wait_for 60 in_tray
check "and the window hidden there" wait_for 30 hidden_in_tray
focus_terminal
tavinor; code=$?
check "a plain second start ends with code 0" test "$code" = 0
check "and brings the window back" wait_for 20 visible_window
check "with no lock request" no_password_dialog
stop

start
check "again hidden in the tray" wait_for 60 hidden_in_tray
focus_terminal
tavinor --favorites; code=$?
check "tavinor --favorites ends with code 0" test "$code" = 0
check "and brings the window back from the tray" wait_for 20 visible_window
stop

finish
