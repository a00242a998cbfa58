#!/usr/bin/env bash
# with-sway.sh COMMAND...
# Runs COMMAND beside a Wayland session of its own: Debian's sway, headless,
# with Xwayland, two outputs side by side and a session D-Bus, then takes it
# all down. The command's exit code is returned.
#
# sway refuses to run as root, so as root the session belongs to an ordinary
# user (WITH_SWAY_USER, default nobody) and COMMAND runs as root with
# `as_user CMD...` to run a program inside the session as that user; run by
# an ordinary user, everything is that user's and as_user just runs CMD.
# That user may not reach the build tree (a clone under /root), so programs
# it runs are copied into $SWAY_DIR/bin first.
#
# COMMAND finds: WAYLAND_DISPLAY, SWAYSOCK, DISPLAY (Xwayland),
# DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR, HOME and the XDG folders (all in
# $SWAY_DIR, owned by the session's user), and the functions as_user and
# sway_msg (swaymsg as that user). WITH_SWAY_CONFIG names a file of extra
# sway configuration (bindings), included after the harness's own.
#
# WITH_SWAY_ROOT names a Debian root made by scripts/make-sway-root.sh whose
# newer sway runs instead of the system's (as root only); that session has
# no Xwayland, so DISPLAY stays unset.
set -uo pipefail

root="${WITH_SWAY_ROOT:-}"
SWAY_DIR=$(mktemp -d "$root/tmp/tavinor-sway-XXXXXX")
# The session's folder as sway inside the root sees it.
inside="${SWAY_DIR#"$root"}"
chmod 755 "$SWAY_DIR"
mkdir -p "$SWAY_DIR"/{run,home,bin,home/data,home/config,home/cache}
chmod 700 "$SWAY_DIR/run"
if [ "$(id -u)" -eq 0 ]; then
  user="${WITH_SWAY_USER:-nobody}"
  SWAY_UID=$(id -u "$user")
  SWAY_GID=$(id -g "$user")
  chown -R "$SWAY_UID:$SWAY_GID" "$SWAY_DIR"
else
  SWAY_UID=$(id -u)
  SWAY_GID=$(id -g)
fi
export SWAY_DIR SWAY_UID SWAY_GID
export XDG_RUNTIME_DIR="$SWAY_DIR/run" HOME="$SWAY_DIR/home"
export XDG_DATA_HOME="$HOME/data" XDG_CONFIG_HOME="$HOME/config" XDG_CACHE_HOME="$HOME/cache"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK DBUS_SESSION_BUS_ADDRESS

# The caller's folder may be closed to that user (a build under /root), and
# programs such as foot refuse to start where they cannot enter.
as_user() {
  if [ "$(id -u)" -eq 0 ] && [ "$SWAY_UID" -ne 0 ]; then
    setpriv --reuid="$SWAY_UID" --regid="$SWAY_GID" --clear-groups -- env -C "$SWAY_DIR" "$@"
  else
    "$@"
  fi
}
sway_msg() { as_user swaymsg "$@"; }
export -f as_user sway_msg

config="$SWAY_DIR/sway.conf"
{
  if [ -n "$root" ]; then echo "xwayland disable"; else echo "xwayland enable"; fi
  echo "output HEADLESS-1 mode 1024x768 position 0 0"
  echo "output HEADLESS-2 mode 800x600 position 1024 0"
  echo "default_border none"
  [ -n "${WITH_SWAY_CONFIG:-}" ] && cat "$WITH_SWAY_CONFIG"
} >"$config"
chmod 644 "$config"

cleanup() {
  # Everything the session started carries its runtime folder.
  local pid
  for pid in $(grep -l -s -a "XDG_RUNTIME_DIR=$SWAY_DIR/run" /proc/[0-9]*/environ | cut -d/ -f3); do
    [ "$pid" != "$$" ] && kill -9 "$pid" 2>/dev/null
  done
  [ -n "${sway_pid:-}" ] && kill -9 "$sway_pid" 2>/dev/null
  wait 2>/dev/null
  # The desktop portal, started on demand by the session bus, mounts the
  # document portal there; killed, it cannot unmount it itself.
  grep -qs " $SWAY_DIR/run/doc " /proc/mounts && fusermount -u -z "$SWAY_DIR/run/doc"
  if [ -n "$root" ]; then umount "$root/dev/shm" "$root/dev" "$root/proc" 2>/dev/null; fi
  rm -rf "$SWAY_DIR"
}
trap cleanup EXIT

export DBUS_SESSION_BUS_ADDRESS="unix:path=$SWAY_DIR/run/bus"
as_user dbus-daemon --session --fork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" ||
  { echo "with-sway: no session bus" >&2; exit 1; }

if [ -n "$root" ]; then
  mount -t proc proc "$root/proc" && mount --bind /dev "$root/dev" &&
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm" ||
    { echo "with-sway: cannot prepare $root" >&2; exit 1; }
  chroot "$root" env XDG_RUNTIME_DIR="$inside/run" HOME="$inside/home" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    setpriv --reuid="$SWAY_UID" --regid="$SWAY_GID" --clear-groups -- \
    sway -c "$inside/sway.conf" >"$SWAY_DIR/sway.log" 2>&1 &
else
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    as_user sway -c "$config" >"$SWAY_DIR/sway.log" 2>&1 &
fi
sway_pid=$!
for _ in $(seq 200); do
  SWAYSOCK=$(ls "$SWAY_DIR"/run/sway-ipc.*.sock 2>/dev/null | head -n 1)
  [ -n "$SWAYSOCK" ] && [ -S "$SWAY_DIR/run/wayland-1" ] && break
  sleep 0.05
done
[ -n "$SWAYSOCK" ] || { echo "with-sway: sway did not start" >&2; cat "$SWAY_DIR/sway.log" >&2; exit 1; }
export SWAYSOCK WAYLAND_DISPLAY=wayland-1
sway_msg create_output >/dev/null

if [ -n "$root" ]; then
  export XDG_SESSION_TYPE=wayland
  "$@"
  exit
fi
# Xwayland's display is sway's to choose; its children are told it.
sway_msg exec "echo \$DISPLAY > $SWAY_DIR/display" >/dev/null
for _ in $(seq 100); do
  [ -s "$SWAY_DIR/display" ] && break
  sleep 0.05
done
DISPLAY=$(cat "$SWAY_DIR/display" 2>/dev/null)
[ -n "$DISPLAY" ] || { echo "with-sway: no Xwayland display" >&2; exit 1; }
export DISPLAY XDG_SESSION_TYPE=wayland

"$@"
