#!/usr/bin/env bash
# Fails when any source outside the SDL backend includes SDL.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=$(grep -rlE '#include *[<"]SDL' src tools tests bench fuzz 2>/dev/null | grep -v '^src/platform/sdl/' || true)
if [ -n "$bad" ]; then
  echo "SDL included outside src/platform/sdl:"
  echo "$bad"
  exit 1
fi
echo "SDL seam check: 1 passed, 0 failed"
