#!/usr/bin/env bash
# Builds the Debian package from a configured build, installs it, runs the
# installed orvet-script on a puzzle of the installed pack, checks the
# launcher, desktop entry, icon and metadata are in place, and removes it.
# It changes the system's packages, so it runs only in CI or when
# ORVET_TEST_DEB=1 is set.
# Usage: deb_package.sh BUILD_DIR
set -u

fail() {
    echo "FAIL: Debian package test: $*"
    exit 1
}

if [ -z "${CI:-}" ] && [ "${ORVET_TEST_DEB:-}" != 1 ]; then
    echo "Debian package test skipped (set ORVET_TEST_DEB=1 to run it outside CI)"
    exit 0
fi
[ $# -eq 1 ] || fail "usage: deb_package.sh BUILD_DIR"
build=$(realpath "$1") || fail "no build directory $1"
if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1) ||
    fail "cpack failed: $(tail -n 20 "$work/cpack.log")"
deb=$(ls "$work"/orvet_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no .deb"

"${SUDO[@]}" dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i failed: $(cat "$work/dpkg.log")"
removed=0
remove() {
    [ $removed -eq 1 ] && return
    removed=1
    "${SUDO[@]}" dpkg -r orvet >"$work/dpkg-r.log" 2>&1
}
trap 'remove; rm -rf "$work"' EXIT

for f in /usr/bin/orvet /usr/bin/orvet-script /usr/bin/orvet-launch \
         /usr/share/applications/orvet.desktop \
         /usr/share/metainfo/io.github.orvet.Orvet.metainfo.xml \
         /usr/share/icons/hicolor/128x128/apps/orvet.png; do
    [ -e "$f" ] || fail "$f is not installed"
done
pack=$(ls /usr/share/orvet/puzzles/*.zag 2>/dev/null | head -n 1)
[ -n "$pack" ] || fail "no puzzle installed in /usr/share/orvet/puzzles"

mkdir "$work/play"
cp "$pack" "$work/play/"
name=$(basename "$pack" .zag)
printf 'wait 0.5\nshot level.png\n' >"$work/play/run.txt"
out=$(cd "$work/play" && /usr/bin/orvet-script run.txt "$name.zag" 2>&1)
status=$?
[ $status -eq 0 ] || fail "installed orvet-script ended with status $status: $out"
echo "$out" | grep -qx "title Orvet: $name" || fail "no title line for $name in: $out"
[ -s "$work/play/level.png" ] || fail "no shot written"

remove
grep -q . "$work/dpkg-r.log" || true
[ -e /usr/bin/orvet ] && fail "dpkg -r left /usr/bin/orvet behind"
[ -e /usr/share/orvet/puzzles ] && fail "dpkg -r left the pack behind"
echo "PASS: Debian package test ($(basename "$deb") installed, ran $name, removed)"
