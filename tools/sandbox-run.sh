#!/usr/bin/env bash
# Runs a command inside the private network namespace that tools/test.sh or
# tools/bench.sh made (only loopback is up), with a 24-bit Xvfb and a
# persistent wineserver of a fresh copy of the Wine prefix (the wineserver
# owns the sockets of Wine programs, so it must live inside this namespace
# too). Usage: sandbox-run.sh <command> [arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

ip link set lo up 2>/dev/null || true

template=$WINEPREFIX
run_prefix=$(mktemp -d /tmp/ledsuite-wine.XXXXXX)
cp -a "$template/." "$run_prefix/"
export WINEPREFIX=$run_prefix
export LEDSUITE_WINEPREFIX=$run_prefix

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -dpi 96 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$displayfile")"
rm -f "$displayfile"

cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$run_prefix"
}
trap cleanup EXIT

# A persistent server and one warm-up process, detached from the command's
# pipes (ctest waits for every process that holds its output pipe).
wineserver -p3600 </dev/null >/dev/null 2>&1 9>&-
wine wineboot </dev/null >/dev/null 2>&1 9>&-
# The first window of the session starts the desktop process (explorer), which
# would inherit the output pipe of whichever program made it and keep ctest
# waiting for that test until the end: start it here, detached.
wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 9>&-

"$@"
