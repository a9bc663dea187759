#!/usr/bin/env bash
# Commits only the given paths, retrying while another commit holds the index
# lock (several people share this work tree).
# tools/helper-commit.sh "message" path...
set -euo pipefail
msg=$1; shift
cd "$(dirname "$0")/.."
for _ in $(seq 60); do
  if git add -A -- "$@" 2>/dev/null && git commit -q -m "$msg" -- "$@"; then
    git log --oneline -1
    exit 0
  fi
  sleep 2
done
echo "helper-commit: could not commit" >&2
exit 1
