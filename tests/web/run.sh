#!/usr/bin/env bash
# The browser build's tests, run by `make test` (and `make web-test`):
#   1. the page is built (make web's build, into build/web);
#   2. the end-to-end scenarios run natively and by the runner compiled to
#      WebAssembly under Node.js, every written file (with its mode), shot,
#      stdout, stderr and exit status compared (tests/web/script-both; the
#      solver's scenarios too, orvet-solve itself natively only, the time a
#      search took left out of its messages);
#   3. the curve samples and isNear agree to the bit, and the C library's
#      sin, cos and atan2 are compared at the game's inputs (reported);
#   4. the page in headless Chromium, driven as a person would, with a mouse
#      and, on an emulated phone, by touch;
#   5. puzzle links made and opened by the page and by the native build.
#
#   tests/web/run.sh [NATIVE_BUILD_DIR]     (default build/ci)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
native=${1:-build/ci}
jobs=${JOBS:-$(nproc)}
out=build/web-test
mkdir -p "$out"
export NODE_PATH=/usr/share/nodejs

echo "== web: building the page and the WebAssembly runner"
emcmake cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs" --target orvet orvet-script geometry_bits
cmake --build "$native" -j "$jobs" --target orvet-script orvet_script_tests_web geometry_bits
# `orvet --share` for the links' test (built where the SDL window is).
cmake --build "$native" -j "$jobs" --target orvet

echo "== web: end-to-end scenarios, native against WebAssembly"
# Left out: the soak (minutes of play, no new ground), and puzzle links on
# the command line, which the browser build leaves to its page.
log="$out/compare.log"
rm -f "$log"
ORVET_NATIVE_SCRIPT="$root/$native/orvet-script" \
  ORVET_WASM_SCRIPT="$root/build/web-build/orvet-script.js" ORVET_COMPARE_LOG="$root/$log" \
  "$native/tests/orvet_script_tests_web" \
  --gtest_filter='-Soak.*:ShareLink.*'
same=$(grep -c '^same: ' "$log" || true)
if grep -v '^same: ' "$log"; then
  echo "web: the WebAssembly runner differs from the native one (see above)" >&2
  exit 1
fi
echo "web: $same scenario runs gave the same files, shots and output"

echo "== web: geometry and libm, native against WebAssembly"
"$native/tests/geometry_bits" "$out/geometry-native.bin" >/dev/null
node build/web-build/web/geometry_bits.js "$out/geometry-wasm.bin" >/dev/null
node tests/web/compare-geometry.js "$out/geometry-native.bin" "$out/geometry-wasm.bin" |
  tee "$out/geometry.txt" | grep -v ' differ at input \|no pixel moves'

echo "== web: the page in headless Chromium"
if [ ! -d tests/web/node_modules/puppeteer-core ] ||
   [ tests/web/package-lock.json -nt tests/web/node_modules/.package-lock.json ]; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
fi
node --test tests/web/browser_test.js
node --test tests/web/phone_test.js
echo "== web: puzzle links between the desktop and the page"
NATIVE_DIR="$native" node --test tests/web/share_test.js
