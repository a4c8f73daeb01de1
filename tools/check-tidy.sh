#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) on the game's sources under src/ with the
# compile commands of a build; fails on any warning.
#   tools/check-tidy.sh [BUILD_DIR]   (default build/ci)
# Files only the browser build compiles (the browser host, the page's entry
# points) are not in a native build's compile commands and are not checked.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "no $build/compile_commands.json: configure that build first" >&2
  exit 1
fi
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
mapfile -t files < <(git ls-files 'src/*.cpp' |
  while read -r f; do grep -qF "\"$PWD/$f\"" "$build/compile_commands.json" && echo "$f"; done)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failed=0
printf '%s\n' "${files[@]}" |
  xargs -P "${JOBS:-2}" -n 4 "$tidy" -p "$build" --quiet >"$log" 2>&1 || failed=1
if [ "$failed" -ne 0 ] || grep -q 'warning:\|error:' "$log"; then
  grep -v '^[0-9]* warnings\? generated\.$' "$log" || true
  echo "clang-tidy: ${#files[@]} files, warnings found"
  exit 1
fi
echo "clang-tidy: ${#files[@]} files, 0 warnings"
