#!/usr/bin/env bash
# fuzz.sh [ITERATIONS] — runs the translator's fuzz test with a large budget (default one
# million inputs) on the sanitizer build when there is one, else on build/dev.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
iterations=${1:-1000000}
dir=$root/build/san
[ -x "$dir/tests/db_jetsql_test" ] || dir=$root/build/dev
start=$(date +%s)
TLX4R_FUZZ_ITERATIONS=$iterations "$dir/tests/db_jetsql_test" --gtest_filter='JetSqlFuzz.*'
echo "$iterations inputs in $(( $(date +%s) - start )) s ($dir)"
