#!/usr/bin/env bash
# Runs ctest inside the private network namespace that tools/test.sh made
# (see sandbox-run.sh: Xvfb, a fresh Wine prefix and its wineserver, and a
# second such session for the tests that need the keyboard focus).
# Usage: sandbox-ctest.sh <build-dir> [ctest arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1; shift
jobs=${LEDSUITE_TEST_JOBS:-$(nproc)}
LEDSUITE_FOCUS_SESSION=1 LEDSUITE_DESKTOP_KEEPER="$(cd "$build" && pwd)/bin/desktop_keeper.exe" \
  bash "$here/sandbox-run.sh" ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$jobs" "$@" 2>&1 \
  | grep -vE '^ *Start +[0-9]+:|Test +#[0-9]+: .* Passed |^Internal ctest changing'
exit "${PIPESTATUS[0]}"
