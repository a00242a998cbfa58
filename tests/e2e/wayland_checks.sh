# The checks of the scripts run by with-sway.sh: the lock client's
# processes, native windows that record what they are typed, pictures of the
# outputs, the program's start and the client started alone. Source it; the
# programs are those copied into $SWAY_DIR/bin.
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
home="$SWAY_DIR/home"
client="$SWAY_DIR/bin/tavinor-wayland-lock"
x() { as_user xdotool "$@"; }
shown() { x search --onlyvisible --name "$1" >/dev/null 2>&1; }
x_focus_is() { [ "$(x getwindowfocus getwindowname 2>/dev/null)" = "$1" ]; }
main_shown() { shown '^Tavinor—'; }
# Sets $app to the program's process (not the shell that started it).
start_program() {
  as_user env QTWEBENGINE_DISABLE_SANDBOX=1 TAVINOR_SITE=http://127.0.0.1:9 \
    "$SWAY_DIR/bin/tavinor" >"$home/app.log" 2>&1 &
  wait_for 10 pgrep -xf "$SWAY_DIR/bin/tavinor" >/dev/null
  app=$(pgrep -xf "$SWAY_DIR/bin/tavinor")
}
lock_request() { as_user env QTWEBENGINE_DISABLE_SANDBOX=1 "$SWAY_DIR/bin/tavinor" --lock; }
# Headless sway has no keyboard of its own: each wtype brings one and takes
# it away again, and the first key after a keyboard appears is lost. One
# that stays keeps the seat's keyboard steady, as a real one would.
steady_keyboard() { as_user wtype -s 3600000 & }
client_pids() { pgrep -f "^$client --channel"; }
locked() { [ -n "$(client_pids)" ]; }
unlocked() { ! locked; }
# A foot window that keeps every byte typed into it in $home/NAME.
recorder() {
  as_user foot --app-id "$1" sh -c "stty raw -echo; exec cat > $home/$1" >/dev/null 2>&1 &
  wait_for 20 bash -c "sway_msg -t get_tree | grep -q '\"app_id\": \"$1\"' && [ -e $home/$1 ]"
}
recorded() { [ "$(cat "$home/$1" 2>/dev/null)" = "$2" ]; }
# picture OUTPUT: grim's picture of one output; prints its path.
picture() { as_user grim -o "$1" "$home/$1.png" && echo "$home/$1.png"; }
measure() { convert "$1" -gravity center -crop 700x300+0+0 +repage "${@:2}" -format '%[fx:mean]' info:; }
# covered OUTPUT: black all over but for the prompt's white entry and text.
covered() {
  local file; file=$(picture "$1") || return 1
  awk -v all="$(convert "$file" -colorspace Gray -format '%[fx:mean]' info:)" \
    -v white="$(measure "$file" -colorspace Gray -threshold 90%)" \
    'BEGIN { exit !(all < 0.05 && white > 0.005) }'
}
# The share of a picture's lit neutral pixels that are grey: the white text's
# soft edges. Text drawn with more pixels has fewer in proportion; a picture
# the compositor stretches or shrinks has more.
soft_edges() { # soft_edges PICTURE
  local lit white
  lit=$(convert "$1" -fx 'r > 0.1 && abs(r - g) < 0.05 && abs(r - b) < 0.05' -format '%[fx:mean]' info:)
  white=$(convert "$1" -fx 'r > 0.9 && g > 0.9 && b > 0.9' -format '%[fx:mean]' info:)
  awk -v lit="$lit" -v white="$white" 'BEGIN { print (lit > 0 ? (lit - white) / lit : 1) }'
}
sharp_as_at_1() { # sharp_as_at_1 OUTPUT: no softer than HEADLESS-1 at scale 1
  awk -v scaled="$(soft_edges "$(picture "$1")")" -v one="$(soft_edges "$(picture HEADLESS-1)")" \
    'BEGIN { exit !(scaled <= one) }'
}
# logged RECORD PATTERN: the client run with WAYLAND_DEBUG=client by
# start_client RECORD sent or received it.
logged() { grep -q "$2" "$home/$1.err"; }
red_shown() { # red_shown OUTPUT
  local file; file=$(picture "$1") || return 1
  awk -v red="$(measure "$file" -fx 'r > 0.8 && g < 0.2 && b < 0.2')" 'BEGIN { exit !(red > 0.0002) }'
}
# A native window that records what it is typed ("ab" so far), the program
# started, and its lock set up with the password Secret and engaged.
record_then_lock() {
  steady_keyboard
  check "a native window records what is typed" recorder typed
  as_user wtype ab
  check "before the lock" wait_for 5 recorded typed ab
  start_program
  check "the program shows its window on Xwayland" wait_for 60 main_shown
  lock_request
  check "a lock request asks for a password" wait_for 10 shown '^设定密码$'
  # Sway gives a new Xwayland window the keyboard as it maps, but a busy
  # Xwayland may map it before the main window's own activation is done, and
  # sway then keeps the main window focused; a user would click the dialog.
  wait_for 5 x_focus_is '设定密码' || sway_msg '[title="^设定密码$"] focus' >/dev/null
  check "which has the keyboard" wait_for 10 x_focus_is '设定密码'
  x type Secret; x key Tab; x type Secret; x key Return
  check "a set password starts the lock client" wait_for 10 locked
}
# The client alone, as the program would start it with the password Secret
# (lock_channel_driver.py in $SWAY_DIR/bin): what it says goes to
# $home/RECORD, its errors to $home/RECORD.err.
start_client() { # start_client RECORD [PREFIX...]
  as_user "${@:2}" /usr/bin/python3 "$SWAY_DIR/bin/lock_channel_driver.py" "$client" Secret \
    "$home/$1" 2>"$home/$1.err" &
  wait_for 10 locked && wait_for 5 covered HEADLESS-1
}
