#!/usr/bin/env bash
# Builds the third-party libraries for the Windows target from Debian's source
# packages into a cache outside the checkout. Each library lands in its own
# prefix named after the source version, the compiler version and a hash of its
# recipe, so a second run (or another checkout on this machine) reuses it.
# Prints "name=prefix" lines on stdout for the configure step.
# Usage: build-deps.sh [i686|x86_64] (the target's processor; default i686).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache=${LEDSUITE_CACHE:-$HOME/.cache/ledsuite}
mkdir -p "$cache/deps" "$cache/src"
arch=${1:-i686}
case $arch in
  i686) ff_arch=(--arch=x86 --cpu=i686) ;;
  x86_64) ff_arch=(--arch=x86_64) ;;
  *) echo "build-deps: i686 or x86_64" >&2; exit 2 ;;
esac
triple=$arch-w64-mingw32
toolchain="$here/../../cmake/toolchain-$arch-mingw.cmake"
cc_version=$($triple-gcc-posix -dumpfullversion 2>/dev/null || echo unknown)
jobs=$(nproc)

srcversion() { apt-cache showsrc "$1" | awk '/^Version:/ && !v {v=$2} END {print v}'; }

# Hash of a recipe function's body without comments, so editing a comment does
# not force a rebuild of FFmpeg.
recipe_hash() {
  declare -f "$1" | sed -e 's/#.*$//' -e '/^\s*$/d' | sha1sum | cut -c1-12
}

fetch_source() { # package -> prints the unpacked source folder
  local pkg=$1 ver=$2 dir="$cache/src/$1-${2//[:+~]/_}"
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get source -qq --download-only "$pkg=$ver" >/dev/null 2>&1 \
       && for t in *.orig.tar.*; do case $t in *.asc) ;; *) tar --no-same-owner -xf "$t" ;; esac; done)
    touch "$dir/.unpacked"
  fi
  # the unpacked tree is the only directory besides downloaded files
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

recipe_googletest() {
  cmake -S "$1" -B "$2/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$3" \
    -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=ON -DINSTALL_GTEST=ON >/dev/null
  cmake --build "$2/build" -j "$jobs" >/dev/null
  cmake --install "$2/build" >/dev/null
}

recipe_tinyxml2() {
  cmake -S "$1" -B "$2/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$3" \
    -DBUILD_SHARED_LIBS=OFF -Dtinyxml2_BUILD_TESTING=OFF >/dev/null
  cmake --build "$2/build" -j "$jobs" >/dev/null
  cmake --install "$2/build" >/dev/null
}

recipe_ffmpeg() {
  # Decoders and demuxers for the common containers only: no programs,
  # no encoders, no network, nothing detected from the build machine.
  mkdir -p "$2/build"
  (cd "$2/build" && "$1/configure" --prefix="$3" \
    --enable-cross-compile --target-os=mingw32 "${ff_arch[@]}" \
    --cross-prefix=$triple- --cc=$triple-gcc-posix --cxx=$triple-g++-posix \
    --enable-static --disable-shared --disable-debug --disable-doc --disable-programs \
    --disable-network --disable-autodetect --enable-w32threads --enable-zlib \
    --disable-everything --disable-avdevice --disable-avfilter --disable-swresample --disable-postproc \
    --enable-avcodec --enable-avformat --enable-avutil --enable-swscale --enable-protocol=file \
    --enable-demuxer=mov,avi,matroska,flv,mpegts,mpegps,mpegvideo,asf,gif,h264,hevc,m4v,mjpeg,image_png_pipe,image_jpeg_pipe,ivf \
    --enable-decoder=h264,hevc,mpeg4,msmpeg4v1,msmpeg4v2,msmpeg4v3,mpeg1video,mpeg2video,mjpeg,vp8,vp9,wmv1,wmv2,wmv3,vc1,gif,png,rawvideo,flv,h263,vp6f,bmp \
    --enable-parser=h264,hevc,mpeg4video,mpegvideo,mjpeg,vp8,vp9,png,vc1,gif,h263 \
    --enable-bsf=vp9_superframe_split >/dev/null 2>"$2/configure.err") || { tail -20 "$2/configure.err" >&2; return 1; }
  make -C "$2/build" -j "$jobs" >/dev/null 2>&1
  make -C "$2/build" install >/dev/null 2>&1
}

build_one() { # package recipe
  local pkg=$1 recipe=$2 ver key prefix src work
  ver=$(srcversion "$pkg")
  [ -n "$ver" ] || { echo "build-deps: no source package for $pkg" >&2; exit 1; }
  key="${ver//[:+~]/_}-gcc$cc_version-$(recipe_hash "$recipe")"
  [ "$arch" = i686 ] || key="$arch-$key"
  prefix="$cache/deps/$pkg-$key"
  if [ ! -f "$prefix/.complete" ]; then
    echo "build-deps: building $pkg $ver (cold cache)" >&2
    src=$(fetch_source "$pkg" "$ver")
    work=$(mktemp -d "$cache/work-$pkg.XXXX")
    rm -rf "$prefix"
    local t0=$SECONDS
    "$recipe" "$src" "$work" "$prefix"
    rm -rf "$work"
    touch "$prefix/.complete"   # written last: a half-built prefix is never used
    echo "build-deps: $pkg built in $((SECONDS - t0)) s" >&2
  fi
  echo "$pkg=$prefix"
}

exec 9>"$cache/deps.lock"
flock 9
build_one googletest recipe_googletest
build_one tinyxml2 recipe_tinyxml2
build_one ffmpeg recipe_ffmpeg
