#!/usr/bin/env bash
# The test command: installs what is missing, builds everything (warnings are
# errors) and runs every test under Wine in a private network namespace.
# Extra arguments go to ctest (for example: -R framework).
# A full run (no arguments) also builds the release configuration's programs
# and DLLs (build/release) and checks that each program starts to its first
# window and closes, and each DLL loads with its exports. LEDSUITE_RELEASE=1
# adds that check to a run with arguments, LEDSUITE_RELEASE=0 leaves it out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
cd "$root"
bash "$here/setup.sh"
bash "$here/format-check.sh"
. "$here/wine-env.sh"
build=${LEDSUITE_BUILD_DIR:-$root/build/debug$LEDSUITE_BUILD_SUFFIX}
release_build=${LEDSUITE_RELEASE_BUILD_DIR:-$root/build/release$LEDSUITE_BUILD_SUFFIX}
if [ $# -eq 0 ]; then release=${LEDSUITE_RELEASE:-1}; else release=${LEDSUITE_RELEASE:-0}; fi

# build <dir> [target]: a failed build shows its errors, not the progress lines.
build() {
  local log status=0
  log=$(mktemp)
  local started=$SECONDS
  cmake --build "$1" ${2:+--target "$2"} >"$log" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    grep -vE '^\[[0-9]+/[0-9]+\] ' "$log" | tail -n 200
    rm -f "$log"
    echo "test: build of $1 failed" >&2
    exit 1
  fi
  rm -f "$log"
  echo "test: built $1${2:+ ($2)} in $((SECONDS - started)) s"
}

sandbox() {
  if [ "$(id -u)" = 0 ]; then
    unshare --net -- bash "$here/sandbox-ctest.sh" "$@"
  else
    unshare -rn -- bash "$here/sandbox-ctest.sh" "$@"
  fi
}

bash "$here/configure.sh" debug "$build"
build "$build"
if [ "$release" = 1 ]; then
  bash "$here/configure.sh" release "$release_build"
  build "$release_build" release_check
  if [ "$LEDSUITE_ARCH" != i686 ]; then
    # This machine cannot start 32-bit programs (see wine-env.sh): the 32-bit
    # release build users get is still built here, warnings as errors.
    bash "$here/configure.sh" release "$root/build/release" i686
    build "$root/build/release" release_check
  fi
fi

status=0
if [ "$release" = 1 ]; then
  # The 32-bit DLLs' export tables against their .def files, read here
  # without running them.
  echo "test: export tables of the 32-bit release build"
  ctest --test-dir "$root/build/release" -L exports --output-on-failure || status=1
fi
sandbox "$build" "$@" || status=$?
if [ "$release" = 1 ]; then
  echo "test: start-up check of the release build"
  sandbox "$release_build" -L startup || status=1
fi
exit $status
