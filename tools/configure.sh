#!/usr/bin/env bash
# Configures a build tree: tools/configure.sh [debug|release] [build-dir] [i686|x86_64]
# (default debug into build/debug, for the architecture this machine runs:
# see wine-env.sh). Needs tools/setup.sh to have run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
[ -z "${3:-}" ] || export LEDSUITE_ARCH=$3
. "$here/wine-env.sh"
type=${1:-debug}
case $type in debug) btype=Debug ;; release) btype=Release ;; *) echo "configure: debug or release" >&2; exit 2 ;; esac
dir=${2:-$root/build/$type$LEDSUITE_BUILD_SUFFIX}
declare -A dep
while IFS== read -r name prefix; do dep[$name]=$prefix; done < "$LEDSUITE_CACHE/deps-$LEDSUITE_ARCH.env"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_NOHASHDIR=true CCACHE_BASEDIR="$root"
toolchain="$root/cmake/toolchain-$LEDSUITE_ARCH-mingw.cmake"
# A tree configured for the other architecture cannot be switched: start it anew.
if [ -f "$dir/CMakeCache.txt" ] && ! grep -qF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$dir/CMakeCache.txt"; then
  rm -rf "$dir"
fi
cmake -S "$root" -B "$dir" -G Ninja --log-level=WARNING \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=$btype \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/wine-run.sh" \
  -DLS_WERROR=${LS_WERROR:-ON} \
  -DLS_GTEST_PREFIX="${dep[googletest]}" \
  -DLS_TINYXML2_PREFIX="${dep[tinyxml2]}" \
  -DLS_FFMPEG_PREFIX="${dep[ffmpeg]}" \
  "${launcher[@]}" >/dev/null
