#!/usr/bin/env bash
# test.sh [--sanitize] — installs what is missing, builds from scratch and runs every test.
# --sanitize builds the headless libraries and their tests with ASan and UBSan instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

dir="$root/build/test"
# Without debug information: it nearly halves the compile time of a build from scratch, and a
# failing test is debugged in a developer's own build.
opts=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG")
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build/sanitize"
  # Line tables are all the sanitizers' reports need; -O1 as their makers advise.
  opts=(-DTLX4R_SANITIZE=ON -DTLX4R_WITH_QT=OFF -DTLX4R_BENCH=OFF -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG")
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

rm -rf "$dir"
"$root/scripts/build.sh" "$dir" "${opts[@]}"
export QT_QPA_PLATFORM=offscreen
# The database layer's tests run on a file and on a throw-away PostgreSQL server, stopped and
# removed however the run ends.
pg_dir=$(mktemp -u /tmp/tlx4r-pg.XXXXXX)
trap '"$root/scripts/pg-test-server.sh" stop "$pg_dir"' EXIT
TLX4R_TEST_PG=$("$root/scripts/pg-test-server.sh" start "$pg_dir")
export TLX4R_TEST_PG PGHOST="$pg_dir"
ctest --test-dir "$dir" --output-on-failure -j "${TLX4R_JOBS:-$(nproc)}"
