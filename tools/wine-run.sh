#!/usr/bin/env bash
# The cross-compiling emulator of ctest: runs one Windows program under Wine.
# The ANSI code page follows the locale, pinned to en_US.UTF-8 (1252) unless a
# test asks for another through LEDSUITE_LOCALE (zh_CN.GBK gives 936).
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
export LC_ALL=${LEDSUITE_LOCALE:-en_US.UTF-8}
exec wine "$@"
