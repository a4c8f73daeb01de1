#!/usr/bin/env bash
# Fails when a C or C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
checked=0
while IFS= read -r f; do
  checked=$((checked + 1))
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f (run: clang-format -i $f)"
    bad=$((bad + 1))
  fi
done < <(git ls-files '*.cpp' '*.h' '*.c')
echo "format check: $((checked - bad)) passed, $bad failed"
[ "$bad" -eq 0 ]
