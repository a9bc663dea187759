#!/usr/bin/env bash
# Fails when a C or C++ source of ours is not formatted by .clang-format.
# tools/format-check.sh --fix reformats them instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.c' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
[ ${#files[@]} -gt 0 ] || exit 0
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}" 2>&1 | grep -E '^[^ ].*: (error|warning):' | cut -d: -f1 | sort -u | sed 's/^/not formatted: /' >&2 && exit 1 || true
fi
