#!/usr/bin/env bash
# The test command: installs what is missing, builds everything (warnings are
# errors) and runs every test under Wine in a private network namespace.
# Extra arguments go to ctest (for example: -R framework).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
cd "$root"
bash "$here/setup.sh"
bash "$here/format-check.sh"
build=${LEDSUITE_BUILD_DIR:-$root/build/debug}
bash "$here/configure.sh" debug "$build"
log=$(mktemp)
if ! cmake --build "$build" >"$log" 2>&1; then
  grep -vE '^\[[0-9]+/[0-9]+\] ' "$log" | tail -n 200
  rm -f "$log"
  echo "test: build failed" >&2
  exit 1
fi
rm -f "$log"
if [ "$(id -u)" = 0 ]; then
  exec unshare --net -- bash "$here/sandbox-ctest.sh" "$build" "$@"
else
  exec unshare -rn -- bash "$here/sandbox-ctest.sh" "$build" "$@"
fi
