#!/usr/bin/env bash
# run.sh [ARGS…] — installs what is missing, builds and starts the program.
#
# Without arguments it prepares a demonstration office (a finance database with client accounts
# and the reporting database linked to it, in ~/.local/share/tlx4r/demo), shows what it holds,
# and starts the desktop program when a display is available. With arguments they go to the
# command-line program tlx4r (./scripts/run.sh --help lists its commands).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir="$root/build/run"
"$root/scripts/build.sh" "$dir"
cli="$dir/app/tlx4r"

if [ $# -gt 0 ]; then
  exec "$cli" "$@"
fi

demo="${XDG_DATA_HOME:-$HOME/.local/share}/tlx4r/demo"
if ! ls "$demo"/*.tdb4r >/dev/null 2>&1; then
  mkdir -p "$demo"
  echo "Creating the demonstration office in $demo"
  "$cli" demo "$demo"
fi
reporting=$(ls "$demo"/*.tdb4r | head -n 1)
finance=$(ls "$demo"/*.tdb4f | head -n 1)
echo "== $reporting"
"$cli" open "$reporting" --finance "$finance"
echo
"$cli" demo-rules

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$dir/app/tlx4r-desk" ]; then
  exec "$dir/app/tlx4r-desk"
fi
echo
echo "No display found: the desktop program tlx4r-desk starts where one is available."
echo "The command line offers the same operations (./scripts/run.sh COMMAND …):"
echo
"$cli" --help
