#!/usr/bin/env bash
# Starts a program of the build under Wine on a private Xvfb, waits, saves a
# screenshot of the screen and ends the program.
# tools/screenshot.sh <out.png> <seconds> <Program.exe> [arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=$(realpath -m "$1"); delay=$2; shift 2
. "$here/wine-env.sh"
build=${LEDSUITE_BUILD_DIR:-$root/build/debug$LEDSUITE_BUILD_SUFFIX}
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$displayfile")"
rm -f "$displayfile"
cd "$build/bin"
wine explorer /desktop=LedSuite,1280x800 "$@" >/dev/null 2>&1 &
sleep "$delay"
import -window root "$out"
wineserver -k >/dev/null 2>&1 || true
kill "$xvfb" 2>/dev/null || true
echo "screenshot: $out"
