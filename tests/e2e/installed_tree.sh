#!/usr/bin/env bash
# What `cmake --install` (and so the package) puts on a desktop: the program,
# a valid menu entry whose window class is the one the running program really
# has (or the desktop cannot match its windows to the entry), valid AppStream
# data, the icon at every size, and the lock's helpers where the installed
# program finds them.
# Usage: installed_tree.sh BUILD_DIR (DISPLAY set, tray running)
set -uo pipefail
build="$1"
source "$(dirname "$0")/lib.sh"
prefix="$work/prefix"

check "install into any prefix" bash -c "cmake --install '$build' --prefix '$prefix' >/dev/null"
id=com.tavinor.Tavinor
entry="$prefix/share/applications/$id.desktop"
check "the menu entry is valid" desktop-file-validate "$entry"
check "the AppStream data is valid and names the entry" bash -c "
  appstreamcli validate --no-net '$prefix/share/metainfo/$id.metainfo.xml' >/dev/null &&
  grep -q '<launchable type=\"desktop-id\">$id.desktop<' '$prefix/share/metainfo/$id.metainfo.xml'"
field() { sed -n "s/^$1=//p" "$entry"; }
check "the entry starts the installed program" test -x "$prefix/bin/$(field Exec)"
helpers="$prefix/libexec/tavinor"
check "the lock's helpers are in its libexec folder" \
  test -x "$helpers/tavinor-lock-guard" -a -x "$helpers/tavinor-wayland-lock"
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
sleep 0.5 # its hot keys are registered once the window is up
xdotool key ctrl+k
wait_for 10 password_dialog
xdotool type Secret; xdotool key Tab; xdotool type Secret; xdotool key Return
check "the installed program's lock starts the installed guard" \
  wait_for 10 pgrep -f "^$helpers/tavinor-lock-guard --channel"
# The lock's windows move into the guard's cover, which costs them the
# keyboard for a moment: the password is typed once the lock has it back.
wait_for 10 focus_is lock_form
xdotool type Secret; xdotool key Return
check "which ends with the unlock" wait_for 5 bash -c "! pgrep -f '^$helpers/tavinor-lock-guard'"
kill -TERM "$app"
check "it closes" wait_for 20 ended "$app"

finish
