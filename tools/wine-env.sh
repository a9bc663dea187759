# Sourced by the scripts that run Windows programs: one quiet Wine prefix per
# machine, kept outside the checkout.
#
# The suite is 32-bit Windows (what users get), and it is built, run and
# tested as such wherever this kernel runs 32-bit programs. Some virtual
# machines run a kernel without a 32-bit mode: Wine's 32-bit loader cannot
# start there at all. On those the builds that are run here (tests, benchmarks,
# tools/run.sh) target 64-bit Windows under 64-bit Wine instead; the 32-bit
# release build is still built. LEDSUITE_ARCH (i686 or x86_64) overrides the
# choice.
export LEDSUITE_CACHE=${LEDSUITE_CACHE:-$HOME/.cache/ledsuite}
if [ -z "${LEDSUITE_ARCH:-}" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then LEDSUITE_ARCH=i686; else LEDSUITE_ARCH=x86_64; fi
fi
export LEDSUITE_ARCH
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$LEDSUITE_ARCH" = x86_64 ]; then
  # Build trees of this architecture get the suffix, so both kinds can live side by side.
  export LEDSUITE_BUILD_SUFFIX=-x86_64
  export WINEARCH=win64
  export WINEPREFIX=${LEDSUITE_WINEPREFIX:-$LEDSUITE_CACHE/wine-prefix-x86_64}
  # Debian's "wine" always starts the 32-bit loader when it is installed,
  # which cannot run here: "wine" in our scripts is the 64-bit loader.
  if [ ! -x "$LEDSUITE_CACHE/wine64-bin/wine" ]; then
    mkdir -p "$LEDSUITE_CACHE/wine64-bin"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$LEDSUITE_CACHE/wine64-bin/wine"
    chmod +x "$LEDSUITE_CACHE/wine64-bin/wine"
  fi
  case ":$PATH:" in *":$LEDSUITE_CACHE/wine64-bin:"*) ;; *) export PATH="$LEDSUITE_CACHE/wine64-bin:$PATH" ;; esac
else
  export LEDSUITE_BUILD_SUFFIX=
  export WINEARCH=win32
  export WINEPREFIX=${LEDSUITE_WINEPREFIX:-$LEDSUITE_CACHE/wine-prefix}
fi
