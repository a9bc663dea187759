#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, once per machine.
# Safe to run again: it does nothing when everything is already there.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

PKGS=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nasm ccache wine wine32:i386 wine64 fonts-wine
      fonts-liberation fonts-wqy-microhei libxrender1:i386 libxcursor1:i386 libxrandr2:i386
      libxi6:i386 libxinerama1:i386 libxcomposite1:i386 libxfixes3:i386 xvfb xauth x11-apps
      xdotool imagemagick cmake ninja-build dpkg-dev make locales git iproute2 util-linux
      clang-format pkg-config)

for p in "${PKGS[@]}"; do have_pkg "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Locales the tests pin: the Western and the Chinese ANSI code pages.
if ! locale -a 2>/dev/null | grep -qi '^en_US.utf8$'; then
  localedef -i en_US -f UTF-8 en_US.UTF-8
fi
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.gbk$'; then
  localedef -i zh_CN -f GBK zh_CN.GBK || true
fi

# Debian source entries, only if apt cannot see source packages yet.
if ! apt-cache showsrc tinyxml2 2>/dev/null | grep -q '^Package:'; then
  cat > /etc/apt/sources.list.d/ledsuite-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq
fi
