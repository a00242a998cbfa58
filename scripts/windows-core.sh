#!/usr/bin/env bash
# Cross-builds the core, its Windows files backend and the core's unit tests
# with MinGW-w64 into build-windows/ and runs the tests under Wine, with no
# display: the core stays standard C++ only if this passes. GoogleTest is
# cross-built once from Debian's source package into build-windows/googletest/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-windows"
toolchain="$root/scripts/mingw-w64.cmake"
bash "$root/scripts/install-deps.sh"

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

gtest="$build/googletest"
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "== GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF \
    -DCMAKE_INSTALL_PREFIX="$gtest" "${launcher[@]}" >/dev/null
  cmake --build "$build/googletest-build" -j "$(nproc)" >/dev/null
  cmake --install "$build/googletest-build" >/dev/null
fi

echo "== core for Windows"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DTAVINOR_CORE_ONLY=ON -DGTest_DIR="$gtest/lib/cmake/GTest" \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target unit_tests

echo "== unit tests under Wine"
prefix="$(mktemp -d "${TMPDIR:-/tmp}/tavinor-wine-XXXXXX")"
cleanup() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
# No display, no Mono or Gecko offers: a console program needs none of them.
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The new prefix's set-up talks at length; the tests' output is what counts.
wine wineboot --init >/dev/null 2>&1
wine "$build/tests/unit_tests.exe" --gtest_brief=1
