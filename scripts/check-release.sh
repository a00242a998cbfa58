#!/usr/bin/env bash
# check-release.sh SUITE   (bookworm or trixie; as root)
# What a newcomer on that Debian release meets, each on a fresh minimal root
# made by debootstrap: the README's two commands (the demo headless, then the
# tests), the package built there, and that package installed with apt into
# a second fresh root with nothing else installed first, started from its
# menu entry's command on this machine's X server (so the root has only what
# the package brought), and removed again. Takes an hour or more: not CI.
#
# TAVINOR_ROOT_CACHE  folder for the pristine roots, the downloaded packages
#                     and the compiler cache, so a rerun is fast
#                     (default /var/cache/tavinor-roots)
# CHECK_RELEASE_TESTS arguments for ctest in the test command, e.g.
#                     "-R ^unit" (default: every test)
# CHECK_RELEASE_STEPS which steps to run (default "demo test package install")
set -euo pipefail
suite="${1:-}"
case "$suite" in
bookworm | trixie) ;;
*) echo "usage: check-release.sh bookworm|trixie" >&2 && exit 2 ;;
esac
source_tree="$(cd "$(dirname "$0")/.." && pwd)"
cache="${TAVINOR_ROOT_CACHE:-/var/cache/tavinor-roots}"
steps=" ${CHECK_RELEASE_STEPS:-demo test package install} "
mirror=http://deb.debian.org/debian
mkdir -p "$cache/$suite-debs" "$cache/$suite-ccache"
cache="$(realpath "$cache")"
command -v debootstrap >/dev/null || apt-get -o DPkg::Lock::Timeout=900 install -y -qq debootstrap

say() { printf '\n=== %s: %s\n' "$suite" "$*"; }
failures=0
result() { # result WHAT COMMAND...: runs it and says how it went
  local what="$1"
  shift
  if "$@"; then echo "PASS  $what"; else
    echo "FAIL  $what"
    failures=$((failures + 1))
  fi
}

if [ ! -d "$cache/$suite" ]; then
  say "debootstrap --variant=minbase into $cache/$suite"
  rm -rf "$cache/$suite.partial"
  debootstrap --variant=minbase "$suite" "$cache/$suite.partial" "$mirror" >"$cache/$suite.log"
  mv "$cache/$suite.partial" "$cache/$suite"
fi

roots=()
# Processes still running in a root would keep its mounts busy.
end_root() {
  local dir="$1" pid
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$dir" ] && kill -9 "$pid" 2>/dev/null
  done
  sleep 0.5
  umount --recursive "$dir/proc" "$dir/sys" "$dir/dev" "$dir/tmp" \
    "$dir/var/cache/apt/archives" "$dir/ccache" 2>/dev/null || true
}
trap 'for dir in "${roots[@]}"; do end_root "$dir"; done' EXIT
# fresh_root NAME: a new copy of the pristine root, with what programs there
# expect mounted; sets $dir.
fresh_root() {
  dir="$cache/$suite-$1"
  if [ -d "$dir" ]; then
    end_root "$dir"
    # A mount left inside would take the cache's files with it.
    if findmnt -rn -o TARGET | grep -q "^$dir/"; then
      echo "$dir still has mounts; unmount them first" >&2 && exit 1
    fi
    rm -rf --one-file-system "$dir"
  fi
  cp -a "$cache/$suite" "$dir"
  roots+=("$dir")
  mount -t proc proc "$dir/proc"
  mount -t sysfs sysfs "$dir/sys"
  mount --bind /dev "$dir/dev"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$dir/dev/pts"
  mount -t tmpfs shm "$dir/dev/shm"
  mount -t tmpfs tmp "$dir/tmp"
  mount --bind "$cache/$suite-debs" "$dir/var/cache/apt/archives"
  mkdir -p "$dir/ccache"
  mount --bind "$cache/$suite-ccache" "$dir/ccache"
}
in_root() {
  chroot "$dir" env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root \
    LANG=C.UTF-8 CCACHE_DIR=/ccache DISPLAY="${DISPLAY:-}" "$@"
}

if [ "$steps" != " install " ]; then
  fresh_root build
  say "fresh root $dir; the source tree copied to /src"
  mkdir "$dir/src"
  tar -C "$source_tree" --exclude=./build --exclude=./.git -cf - . | tar -C "$dir/src" -xf -
  build_root="$dir"
fi

if [[ "$steps" == *" demo "* ]]; then
  say "bash scripts/run-demo.sh"
  in_root bash -c 'cd /src && bash scripts/run-demo.sh' >"$cache/$suite-demo.log" 2>&1 || true
  tail -n 5 "$cache/$suite-demo.log"
  shot=$(sed -n 's/^Screenshot: //p' "$cache/$suite-demo.log")
  result "the demo ran and saved a screenshot" test -s "$dir$shot"
  [ -s "$dir$shot" ] && cp "$dir$shot" "$cache/$suite-demo.png" && echo "copied to $cache/$suite-demo.png"
fi

if [[ "$steps" == *" test "* ]]; then
  # shellcheck disable=SC2086 # the arguments are meant to split
  say "bash scripts/test.sh ${CHECK_RELEASE_TESTS:-}"
  status=0
  in_root bash -c 'cd /src && bash scripts/test.sh "$@"' _ ${CHECK_RELEASE_TESTS:-} \
    >"$cache/$suite-test.log" 2>&1 || status=$?
  result "the tests pass" test "$status" -eq 0
  grep -E '^[0-9]+% tests passed|\(Failed\)|\(Timeout\)|^Total Test time' "$cache/$suite-test.log"
  result "the build gives no warning" bash -c "! cat '$cache/$suite'-{demo,test}.log 2>/dev/null |
    grep -E 'warning:|CMake Warning' | sort -u | head -n 20 | grep ."
fi

if [[ "$steps" == *" package "* ]]; then
  say "bash scripts/package.sh"
  in_root bash -c 'cd /src && bash scripts/package.sh' >"$cache/$suite-package.log" 2>&1 || true
  tail -n 3 "$cache/$suite-package.log"
  deb=$(ls "$build_root"/src/build/tavinor_*.deb 2>/dev/null | head -n 1)
  result "a package was built" test -n "$deb"
  [ -n "$deb" ] || exit 1
  cp "$deb" "$cache/$suite-$(basename "$deb")"
  unpacked="$build_root/tmp/unpacked"
  dpkg-deb -x "$deb" "$unpacked"
  dpkg-deb -f "$deb" Package Version Architecture Depends Recommends
  result "its menu entry is valid" \
    in_root desktop-file-validate /tmp/unpacked/usr/share/applications/com.tavinor.Tavinor.desktop
  result "its AppStream data is valid" in_root appstreamcli validate --no-net \
    /tmp/unpacked/usr/share/metainfo/com.tavinor.Tavinor.metainfo.xml
  result "it depends on no development package" \
    bash -c "! dpkg-deb -f '$deb' Depends | grep -q -e '-dev\\b'"
fi

if [[ "$steps" == *" install "* ]]; then
  deb=$(ls "$cache/$suite"-tavinor_*.deb | tail -n 1)
  fresh_root install
  say "a second fresh root, $dir: apt install ./$(basename "$deb" | sed "s/^$suite-//")"
  before=$(in_root dpkg-query -W -f '${Package}\n' | wc -l)
  cp "$deb" "$dir/tmp/$(basename "$deb" | sed "s/^$suite-//")"
  in_root apt-get -qq update
  result "apt installs the package" in_root bash -c 'DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq /tmp/tavinor_*.deb >/tmp/apt.log 2>&1 || { tail /tmp/apt.log; false; }'
  echo "packages: $before before, $(in_root dpkg-query -W -f '${Package}\n' | wc -l) after"
  result "it brought no development package" \
    bash -c "! chroot '$dir' dpkg-query -W -f '\${Package}\n' | grep -q -e '-dev$'"
  in_root dpkg -L tavinor >"$cache/$suite-files"
  # Started on this machine's X server with a tray host; no site answers.
  command=$(sed -n 's/^Exec=//p' "$dir/usr/share/applications/com.tavinor.Tavinor.desktop")
  result "the menu entry's command ($command) shows the window" \
    "$source_tree/tests/support/with-display.sh" 1280x1024 bash -c '
      dir="$1" command="$2"
      mkdir -p "$dir/tmp/home" "$dir/tmp/runtime"; chmod 700 "$dir/tmp/runtime"
      chroot "$dir" env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME=/tmp/home \
        XDG_RUNTIME_DIR=/tmp/runtime LANG=C.UTF-8 TAVINOR_SITE=http://127.0.0.1:9 \
        $command >"$dir/tmp/app.log" 2>&1 & app=$!
      for _ in $(seq 120); do
        xdotool search --onlyvisible --name "^Tavinor—" >/dev/null 2>&1 && break
        sleep 0.5
      done
      xdotool search --onlyvisible --name "^Tavinor—" >/dev/null 2>&1; found=$?
      sleep 5 # its first frame
      import -window root "$dir/tmp/started.png" 2>/dev/null
      kill -TERM $app; wait $app
      [ $found -eq 0 ] || tail "$dir/tmp/app.log"
      exit $found' _ "$dir" "$command"
  cp "$dir/tmp/app.log" "$cache/$suite-started.log"
  cp "$dir/tmp/started.png" "$cache/$suite-started.png" 2>/dev/null && echo "screenshot: $cache/$suite-started.png"
  in_root apt-get remove -y -qq tavinor >/dev/null 2>&1
  # Left behind: a file of the package, or a folder that no package owns.
  left=$(while read -r path; do
    [ "$path" = /. ] || [ ! -e "$dir$path" ] && continue
    [ -d "$dir$path" ] && in_root dpkg -S "$path" >/dev/null 2>&1 && continue
    echo "$path"
  done <"$cache/$suite-files")
  result "apt remove tavinor leaves none of its $(wc -l <"$cache/$suite-files") paths" test -z "$left"
  [ -z "$left" ] || echo "$left"
fi

say "$failures failed"
[ "$failures" -eq 0 ]
