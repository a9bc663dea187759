#!/usr/bin/env bash
# Configures a build tree: tools/configure.sh [debug|release] [build-dir]
# (default debug into build/debug). Needs tools/setup.sh to have run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
. "$here/wine-env.sh"
type=${1:-debug}
case $type in debug) btype=Debug ;; release) btype=Release ;; *) echo "configure: debug or release" >&2; exit 2 ;; esac
dir=${2:-$root/build/$type}
declare -A dep
while IFS== read -r name prefix; do dep[$name]=$prefix; done < "$LEDSUITE_CACHE/deps.env"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_NOHASHDIR=true CCACHE_BASEDIR="$root"
cmake -S "$root" -B "$dir" -G Ninja --log-level=WARNING \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" \
  -DCMAKE_BUILD_TYPE=$btype \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/wine-run.sh" \
  -DLS_WERROR=${LS_WERROR:-ON} \
  -DLS_GTEST_PREFIX="${dep[googletest]}" \
  -DLS_TINYXML2_PREFIX="${dep[tinyxml2]}" \
  -DLS_FFMPEG_PREFIX="${dep[ffmpeg]}" \
  "${launcher[@]}" >/dev/null
