#!/usr/bin/env bash
# package-test.sh [BUILD] — builds the Debian package from a built tree (default build/test, built
# first when missing), installs it with apt-get, runs the installed programs from their installed
# paths, and removes the package again. Needs root or sudo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/test}")
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

"$root/scripts/setup.sh"
if [ ! -f "$build/CPackConfig.cmake" ] || [ ! -x "$build/app/tlx4r" ]; then
  "$root/scripts/build.sh" "$build"
fi
rm -f "$build"/tlx4r_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tlx4r_*.deb)
echo "package-test: built $(basename "$deb")"

work=$(mktemp -d)
cleanup() {
  "${sudo_cmd[@]}" apt-get purge -y -qq tlx4r >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -qq "$deb" >/dev/null

fail() { echo "package-test: $*" >&2; exit 1; }
[ -x /usr/bin/tlx4r ] && [ -x /usr/bin/tlx4r-desk ] || fail "the programs are not in /usr/bin"
for f in /usr/share/applications/tlx4r-desk.desktop /usr/share/icons/hicolor/scalable/apps/tlx4r.svg \
         /usr/share/doc/tlx4r/user-guide.md /usr/lib/tlx4r/tlx4r.so; do
  [ -f "$f" ] || fail "$f is missing"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate /usr/share/applications/tlx4r-desk.desktop
fi

# Run from the installed path, in an empty folder, so nothing of the build tree is used.
cd "$work"
/usr/bin/tlx4r --help | grep -q "usage: tlx4r" || fail "tlx4r --help says no usage"
/usr/bin/tlx4r demo "$work/office" >/dev/null
/usr/bin/tlx4r check "$work/office/Kanzlei Muster Data.tdb4r" >/dev/null || fail "tlx4r check failed on the demo office"
QT_QPA_PLATFORM=offscreen /usr/bin/tlx4r-desk --screenshot frmInfo "$work/info.png"
[ -s "$work/info.png" ] || fail "tlx4r-desk drew no window"
echo "package-test: $(basename "$deb") installs and runs"
