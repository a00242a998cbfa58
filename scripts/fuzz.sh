#!/usr/bin/env bash
# Builds the core with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/, runs the core's unit tests there, then each fuzz target
# for FUZZ_SECONDS (default 40). Any crash, leak, sanitizer report or broken
# promise fails the run; the input that caused it is kept in
# build-fuzz/findings/. Targets as arguments run only those.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
seconds="${FUZZ_SECONDS:-40}"
bash "$root/scripts/install-deps.sh"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTAVINOR_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The readers write their files often: a memory-backed folder keeps fsync cheap.
scratch="$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/tavinor-fuzz-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

echo "== unit tests (sanitized)"
"$build/tests/unit_tests" --gtest_brief=1

findings="$build/findings"
mkdir -p "$findings"
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  mapfile -t targets < <(cd "$root/tests/fuzz" && ls *_fuzz.cpp | sed 's/_fuzz\.cpp$//')
for target in "${targets[@]}"; do
  echo "== fuzz $target (${seconds} s)"
  # New inputs go to a scratch corpus; the tree's seeds stay as they are.
  corpus="$scratch/corpus-$target"
  mkdir -p "$corpus"
  dict="$root/tests/fuzz/$target.dict"
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$target-" \
    $([ -f "$dict" ] && echo "-dict=$dict") \
    "$corpus" "$root/tests/fuzz/corpus/$target" 2>"$scratch/$target.log" || {
    tail -n 60 "$scratch/$target.log"
    echo "fuzz $target failed; inputs in $findings" >&2
    exit 1
  }
  grep -E "^#[0-9]+.*DONE|^stat::number_of_executed_units|^stat::peak_rss" "$scratch/$target.log"
done
