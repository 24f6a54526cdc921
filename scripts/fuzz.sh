#!/usr/bin/env bash
# fuzz.sh [ITERATIONS] — runs every fuzz test with a large budget (default one million inputs
# each) on the sanitizer build when there is one, else on build/dev:
#   the SQL dialect translator, the lookup tables' text import, the vCard reader, and the export
#   writers (XML, MDB, CSV, TXT, dBase; one item per input, read back by Python and SQLite).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
iterations=${1:-1000000}
dir=$root/build/san
[ -x "$dir/tests/db_jetsql_test" ] || dir=$root/build/dev
export TLX4R_FUZZ_ITERATIONS=$iterations
for run in "db_jetsql_test JetSqlFuzz.*" \
           "masterdata_test MasterDataTest.AMutatedLineGoesInWholeOrIsRefusedAndChangesNothing" \
           "masterdata_forms_test VCardTest.MutatedCardsNeverCrashTheReader" \
           "reporting_export_test ExportFuzz.*"; do
  set -- $run
  start=$(date +%s)
  "$dir/tests/$1" --gtest_filter="$2" --gtest_brief=1
  echo "$2: $iterations inputs in $(( $(date +%s) - start )) s ($dir)"
done
