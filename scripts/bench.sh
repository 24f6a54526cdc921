#!/usr/bin/env bash
# bench.sh [FILTER] — builds in release mode and runs every benchmark program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir="$root/build/bench"
TLX4R_BUILD_TYPE=Release "$root/scripts/build.sh" "$dir" -DTLX4R_WITH_QT=OFF
for b in "$dir"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_filter="${1:-.}"
done
