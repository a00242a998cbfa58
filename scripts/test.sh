#!/usr/bin/env bash
# Builds everything and runs every test: unit, window (Xvfb with a tray
# host) and end-to-end. Every test case is a ctest entry of its own, each
# window case on an X server of its own, and they run side by side:
# CTEST_PARALLEL_LEVEL sets how many at once, TAVINOR_TEST_TIME_FACTOR
# stretches every time limit on a slow machine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j "${CTEST_PARALLEL_LEVEL:-$(($(nproc) + 1))}" "$@"
