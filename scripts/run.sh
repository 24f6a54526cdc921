#!/usr/bin/env bash
# run.sh [ARGS…] — installs what is missing, builds and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir="$root/build/run"
"$root/scripts/build.sh" "$dir"
if [ $# -eq 0 ]; then
  exec "$dir/app/tlx4r" demo-rules
fi
exec "$dir/app/tlx4r" "$@"
