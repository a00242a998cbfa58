#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian's archive.
# Does nothing when everything is already there. Every name exists on both
# Debian 12 and Debian 13.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-webengine-dev zlib1g-dev qt6-declarative-dev qt6-tools-dev libx11-dev libxcb1-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth trayer xdotool x11-utils imagemagick fonts-noto-cjk python3 curl
  desktop-file-utils librsvg2-bin
  strace
  libqt6sql6-sqlite
  openbox xserver-xephyr
  at-spi2-core python3-pyatspi
  rime-data-luna-pinyin
  clang libclang-rt-dev llvm
  dpkg-dev file appstream
  libxinerama-dev
  x11-xserver-utils
  dbus python3-dbus python3-gi sway foot wtype grim xwayland
  libwayland-dev libxkbcommon-dev libpango1.0-dev libcairo2-dev wayland-protocols
  libicu-dev libfontconfig-dev
  g++-mingw-w64-x86-64-posix googletest wine
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
# Another install running at the same moment holds dpkg's lock: wait for it.
apt=($SUDO apt-get -o DPkg::Lock::Timeout=900 -qq)
"${apt[@]}" update
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y "${missing[@]}" >/dev/null
