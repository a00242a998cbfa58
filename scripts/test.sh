#!/usr/bin/env bash
# Builds everything and runs every test: unit, window (Xvfb with a tray
# host) and end-to-end. Each window test starts its own X server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
cd "$root/build"
# The end-to-end lock test depends on a window manager's focus timing and
# fails now and then on a busy machine; a test passes when one of three runs
# does, so a real fault (which fails every run) still fails the suite.
ctest --output-on-failure --repeat until-pass:3 "$@"
