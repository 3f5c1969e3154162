#!/usr/bin/env bash
# Fails when a C++ file of ours does not match .clang-format; `--fix` rewrites them instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
mapfile -t files < <(git ls-files -co --exclude-standard '*.cpp' '*.h' | grep -v '^build/' || true)
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
mapfile -t bad < <(clang-format --dry-run "${files[@]}" 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/\1/p' | sort -u)
if [ ${#bad[@]} -gt 0 ]; then
  echo "These files do not match .clang-format (fix: scripts/check-format.sh --fix):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "format: ${#files[@]} files match .clang-format"
