#!/usr/bin/env bash
# Builds everything and runs every test: unit, window (Xvfb with a tray
# host) and end-to-end. Each window test starts its own X server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure "$@"
