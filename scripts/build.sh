#!/usr/bin/env bash
# Configures and builds into build/ (targets as arguments, default all).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# A rebuild in another clone or after a clean reuses what was compiled before.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$root/build" -j "$(nproc)" ${1:+--target "$@"}
