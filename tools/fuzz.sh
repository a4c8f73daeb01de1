#!/bin/bash
# Builds the libFuzzer targets (the fuzz preset, clang), replays each seed
# corpus in fuzz/corpus/<target>, then fuzzes each target for FUZZ_SECONDS
# (default 60). A crash, hang or broken check fails the script; its
# reproducer is left in <build>/artifacts/<target>/.
#
#   FUZZ_SECONDS=600 bash tools/fuzz.sh              # all targets
#   bash tools/fuzz.sh fuzz_strokes                  # one target
#   FUZZ_BUILD_DIR=build/h-me bash tools/fuzz.sh     # another build directory
#   FUZZ_BUILD_DIR=build/fuzz-ubsan FUZZ_SANITIZERS=undefined bash tools/fuzz.sh
#                                                    # faster, without ASan
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${FUZZ_SECONDS:-60}
BUILD_DIR=${FUZZ_BUILD_DIR:-build/fuzz}
JOBS=${JOBS:-$(nproc)}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_puzzle_reader fuzz_saved_game fuzz_strokes fuzz_session fuzz_share_link)

if [ "$BUILD_DIR" = build/fuzz ]; then
  cmake --preset fuzz
else
  cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DORVET_FUZZ=ON \
    -DORVET_FUZZ_SANITIZERS="${FUZZ_SANITIZERS:-address,undefined}" -DORVET_SDL=OFF -DORVET_TESTS=OFF \
    -DORVET_BENCH=OFF
fi
cmake --build "$BUILD_DIR" --target "${targets[@]}" -j "$JOBS"

# The targets write their scratch files here: memory when there is some,
# since every input is written and rewritten several times.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch=$(mktemp -d -p /dev/shm orvet-fuzz.XXXXXX)
else
  scratch=$(mktemp -d)
fi
trap 'rm -rf "$scratch"' EXIT
export ORVET_FUZZ_TMP=$scratch

failed=0
for t in "${targets[@]}"; do
  bin=$BUILD_DIR/fuzz/$t
  artifacts=$(pwd)/$BUILD_DIR/artifacts/$t/
  work=$BUILD_DIR/corpus/$t  # new inputs go here; the seeds stay as committed
  mkdir -p "$artifacts" "$work"
  options=(-rss_limit_mb=2048 -timeout=10 -artifact_prefix="$artifacts")
  [ -f "fuzz/$t.dict" ] && options+=(-dict="fuzz/$t.dict")

  echo "== $t: replaying fuzz/corpus/$t"
  if ! "$bin" "${options[@]}" -runs=0 "fuzz/corpus/$t"; then
    echo "FAIL: $t crashed on its seed corpus; reproducer in $artifacts" >&2
    failed=1
    continue
  fi
  echo "== $t: fuzzing for $FUZZ_SECONDS s"
  if ! "$bin" "${options[@]}" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
      "$work" "fuzz/corpus/$t"; then
    echo "FAIL: $t found a fault; reproducer in $artifacts" >&2
    failed=1
  fi
done
exit $failed
