# The checks of the scripts run by with-sway.sh: the lock client's
# processes, native windows that record what they are typed, and pictures of
# the outputs. Source it with $home and $client set.
client_pids() { pgrep -f "^$client --channel"; }
locked() { [ -n "$(client_pids)" ]; }
unlocked() { ! locked; }
not() { ! "$@"; }
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
red_shown() { # red_shown OUTPUT
  local file; file=$(picture "$1") || return 1
  awk -v red="$(measure "$file" -fx 'r > 0.8 && g < 0.2 && b < 0.2')" 'BEGIN { exit !(red > 0.0002) }'
}
