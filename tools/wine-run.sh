#!/usr/bin/env bash
# The cross-compiling emulator of ctest: runs one Windows program under Wine.
# The ANSI code page follows the locale, pinned to en_US.UTF-8 (1252) unless a
# test asks for another through LEDSUITE_LOCALE (zh_CN.GBK gives 936).
here=$(cd "$(dirname "$0")" && pwd)
# A test that needs the keyboard focus (LEDSUITE_FOCUS=1) runs in the
# sandbox's focus session, where no other test's window can take it.
if [ "${LEDSUITE_FOCUS:-0}" = 1 ] && [ -n "${LEDSUITE_FOCUS_WINEPREFIX:-}" ]; then
  export LEDSUITE_WINEPREFIX=$LEDSUITE_FOCUS_WINEPREFIX DISPLAY=$LEDSUITE_FOCUS_DISPLAY
fi
. "$here/wine-env.sh"
export LC_ALL=${LEDSUITE_LOCALE:-en_US.UTF-8}
exec wine "$@"
