#!/usr/bin/env bash
# make-sway-root.sh FOLDER
# Makes a Debian 13 root with its sway (1.10, which offers ext-session-lock-v1;
# Debian 12's sway 1.7 does not) for the lock client's test of that protocol:
#   WITH_SWAY_ROOT=FOLDER ctest -R e2e_wayland_session_lock
# About 550 MB and a few minutes; as root.
set -euo pipefail
folder="${1:?usage: make-sway-root.sh FOLDER}"
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
debootstrap --variant=minbase --include=sway trixie "$folder" http://deb.debian.org/debian
