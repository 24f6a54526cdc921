#!/usr/bin/env bash
# build.sh DIR [cmake options…] — configures (once) and builds the project into DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
jobs=${TLX4R_JOBS:-$(nproc)}
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${TLX4R_BUILD_TYPE:-RelWithDebInfo} "$@"
fi
cmake --build "$dir" -j "$jobs"
