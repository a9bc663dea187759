#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts the show
# editor from the program folder under Wine. Without a display it starts a
# 24-bit Xvfb first (take a screenshot with tools/screenshot.sh).
# tools/run.sh [Program.exe [arguments...]]  (default Vantrel.exe)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
bash "$here/setup.sh"
. "$here/wine-env.sh"
build=${LEDSUITE_BUILD_DIR:-$root/build/debug$LEDSUITE_BUILD_SUFFIX}
LS_WERROR=OFF bash "$here/configure.sh" debug "$build"
cmake --build "$build" >/dev/null
if [ -z "${DISPLAY:-}" ]; then
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"
  echo "run: started Xvfb on $DISPLAY"
fi
program=${1:-Vantrel.exe}
[ $# -gt 0 ] && shift
cd "$build/bin"
# The desktop window gives the program a Windows-looking frame (Xvfb has no
# window manager).
exec wine explorer /desktop=LedSuite,1280x800 "$program" "$@"
