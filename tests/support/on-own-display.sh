#!/usr/bin/env bash
# on-own-display.sh TEST_PROGRAM ARGS...
# Runs a window test program on an X server of its own (with-display.sh), so
# each case gets a fresh screen: WITH_DISPLAY_SIZE picks its size (default
# 1280x1024), WITH_DISPLAY_NO_TRAY=1 leaves out the tray host. Listing the
# cases needs no display.
set -uo pipefail
for arg in "$@"; do
  [ "$arg" = --gtest_list_tests ] && exec "$@"
done
exec "$(dirname "$0")/with-display.sh" "${WITH_DISPLAY_SIZE:-1280x1024}" "$@"
