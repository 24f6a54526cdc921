#!/usr/bin/env bash
# test.sh [--sanitize] — installs what is missing, builds from scratch and runs every test.
# --sanitize builds the headless libraries and their tests with ASan and UBSan instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

dir="$root/build/test"
opts=()
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build/sanitize"
  opts=(-DTLX4R_SANITIZE=ON -DTLX4R_WITH_QT=OFF -DTLX4R_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

rm -rf "$dir"
"$root/scripts/build.sh" "$dir" "${opts[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j "${TLX4R_JOBS:-$(nproc)}"
