#!/usr/bin/env bash
# What `cmake --install` puts on a desktop: the program, a valid menu entry
# whose window class is the one the running program really has (or the
# desktop cannot match its windows to the entry), and the icon at every size.
# Usage: installed_tree.sh BUILD_DIR (DISPLAY set, tray running)
set -uo pipefail
build="$1"
source "$(dirname "$0")/lib.sh"
prefix="$work/prefix"

check "install into any prefix" bash -c "cmake --install '$build' --prefix '$prefix' >/dev/null"
entry="$prefix/share/applications/tavinor.desktop"
check "the menu entry is valid" desktop-file-validate "$entry"
field() { sed -n "s/^$1=//p" "$entry"; }
check "the entry starts the installed program" test -x "$prefix/bin/$(field Exec)"
check "the lock guard lies beside the program" test -x "$prefix/bin/tavinor-lock-guard"
check "the entry waits for the tray at session start" test -n "$(field X-GNOME-Autostart-Delay)"
icons="$prefix/share/icons/hicolor"
check "a scalable icon" test -s "$icons/scalable/apps/$(field Icon).svg"
for size in 16 22 24 32 48 64 128 256; do
  check "a ${size}px icon of that size" bash -c \
    "identify -format '%wx%h' '$icons/${size}x${size}/apps/tavinor.png' | grep -qx '${size}x${size}'"
done

"$prefix/bin/tavinor" & app=$!
check "the installed program shows its window" wait_for 60 visible_window
check "and finds its web engine module in the private library folder" \
  wait_for 30 grep -q "$prefix/lib.*/tavinor/tavinor-web-engine.so" "/proc/$app/maps"
window=$(xdotool search --onlyvisible --name "^Tavinor—" | head -n 1)
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"/\1/p')
check "StartupWMClass is the window's class ($class)" test "$class" = "$(field StartupWMClass)"
kill -TERM "$app"
check "it closes" wait_for 20 ended "$app"

finish
