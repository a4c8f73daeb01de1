#!/usr/bin/env bash
# Regenerates the README screenshots (docs/*.png) and the icon
# (data/orvet.png) from the orvet-script scenarios in docs/.
#
# Each docs/NAME.script names what it runs on in comment lines near its top:
#   # puzzle: PATH   the puzzle file (relative to the repository), required
#   # saved: PATH    a saved game put beside the puzzle, optional
#   # args: WORDS    further command-line arguments (pravi), optional
# and ends with a shot named NAME.png. The run happens in a scratch
# directory, so the bundled puzzles are never touched.
#
# orvet-script comes from build/default, built when missing; set
# ORVET_SCRIPT to use another binary.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

script_tool="${ORVET_SCRIPT:-}"
if [ -z "$script_tool" ]; then
  script_tool="$root/build/default/orvet-script"
  if [ ! -x "$script_tool" ]; then
    [ -f build/default/CMakeCache.txt ] || cmake --preset default >/dev/null
    cmake --build build/default --target orvet-script -j"$(nproc)"
  fi
fi
command -v convert >/dev/null || { echo "make-docs: ImageMagick's convert is needed" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# The value of a "# key: value" line of a script, empty when it has none.
directive() {
  sed -n "s/^# $2: *//p" "$1" | head -n 1
}

# Runs docs/NAME.script and leaves NAME.png in the scratch directory.
shoot() {
  local name="$1"
  local script="docs/$name.script"
  local puzzle saved args dir base
  puzzle="$(directive "$script" puzzle)"
  saved="$(directive "$script" saved)"
  args="$(directive "$script" args)"
  [ -n "$puzzle" ] || { echo "make-docs: $script names no puzzle" >&2; exit 1; }

  dir="$scratch/$name"
  mkdir -p "$dir"
  base="$(basename "$puzzle")"
  cp "$puzzle" "$dir/$base"
  [ -z "$saved" ] || cp "$saved" "$dir/${base%.zag}.zap"
  cp "$script" "$dir/$name.script"
  # shellcheck disable=SC2086  # args is a list of words
  (cd "$dir" && "$script_tool" "$name.script" "$base" $args >/dev/null)
  [ -f "$dir/$name.png" ] || { echo "make-docs: $script made no $name.png" >&2; exit 1; }
}

for name in play flight menu editor; do
  shoot "$name"
  cp "$scratch/$name/$name.png" "docs/$name.png"
  echo "docs/$name.png"
done

# The icon: a square around the middle of the shot, scaled to 128x128.
shoot icon
mkdir -p data
convert "$scratch/icon/icon.png" -crop 180x180+230+150 +repage -resize 128x128 \
  -strip data/orvet.png
echo "data/orvet.png"
