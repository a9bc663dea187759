#!/usr/bin/env bash
# Runs a command inside the private network namespace that tools/test.sh or
# tools/bench.sh made (only loopback is up), with a 24-bit Xvfb and a
# persistent wineserver of a fresh copy of the Wine prefix (the wineserver
# owns the sockets of Wine programs, so it must live inside this namespace
# too). Usage: sandbox-run.sh <command> [arguments...]
#
# With LEDSUITE_FOCUS_SESSION=1 (sandbox-ctest.sh) a second such session is
# made for the tests that need the keyboard focus (LEDSUITE_FOCUS_WINEPREFIX,
# LEDSUITE_FOCUS_DISPLAY; wine-run.sh moves those tests there): any window
# that another test shows takes the foreground of its Wine server and the
# focus of its display, so a lock among the focus tests alone cannot keep
# the focus where such a test put it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

ip link set lo up 2>/dev/null || true

template=$WINEPREFIX
prefixes=()
xvfbs=()

cleanup() {
  local prefix xvfb
  for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1; done
  for xvfb in "${xvfbs[@]}"; do
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  done
  [ ${#prefixes[@]} -eq 0 ] || rm -rf "${prefixes[@]}"
}
trap cleanup EXIT

# A fresh copy of the prefix with its own Xvfb and persistent wineserver;
# WINEPREFIX and DISPLAY name them afterwards.
start_session() {
  local prefix displayfile
  prefix=$(mktemp -d /tmp/ledsuite-wine.XXXXXX)
  prefixes+=("$prefix")
  cp -a "$template/." "$prefix/"
  export WINEPREFIX=$prefix

  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -dpi 96 3>"$displayfile" >/dev/null 2>&1 &
  xvfbs+=($!)
  # It names its display once it takes connections, which on a loaded
  # machine can take seconds: wait for that, not for a fixed time.
  until [ -s "$displayfile" ]; do
    if ! kill -0 "${xvfbs[-1]}" 2>/dev/null; then
      echo "sandbox: Xvfb did not start" >&2
      exit 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"

  # A persistent server and one warm-up process, detached from the command's
  # pipes (ctest waits for every process that holds its output pipe).
  wineserver -p3600 </dev/null >/dev/null 2>&1 9>&-
  wine wineboot </dev/null >/dev/null 2>&1 9>&-
  # The first window of the session starts the desktop process (explorer),
  # which would inherit the output pipe of whichever program made it and keep
  # ctest waiting for that test until the end: start it here, detached.
  wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 9>&-
  # Wine ends that process soon after the desktop's last program has gone;
  # the one a later program starts would hold that program's pipe, and the
  # desktop it makes again takes no windows. A keeper holds the desktop for
  # the whole run (ended with its wineserver).
  if [ -n "${LEDSUITE_DESKTOP_KEEPER:-}" ] && [ -f "$LEDSUITE_DESKTOP_KEEPER" ]; then
    wine "$LEDSUITE_DESKTOP_KEEPER" </dev/null >/dev/null 2>&1 9>&- &
  fi
}

if [ "${LEDSUITE_FOCUS_SESSION:-0}" = 1 ]; then
  start_session
  export LEDSUITE_FOCUS_WINEPREFIX=$WINEPREFIX LEDSUITE_FOCUS_DISPLAY=$DISPLAY
fi
start_session
export LEDSUITE_WINEPREFIX=$WINEPREFIX

"$@"
