#!/usr/bin/env bash
# Everything a fresh Debian 12 machine lacks for building and testing the
# suite: packages, the third-party libraries for the target (cached outside the
# checkout) and the Wine prefix. Quick when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup-packages.sh"
# After the packages: which Windows runs here depends on the 32-bit C library.
. "$here/wine-env.sh"
mkdir -p "$LEDSUITE_CACHE"
# The 32-bit libraries always (the release build users get), the run
# architecture's too where it differs.
archs=(i686)
[ "$LEDSUITE_ARCH" = i686 ] || archs+=("$LEDSUITE_ARCH")
for arch in "${archs[@]}"; do
  envfile="$LEDSUITE_CACHE/deps-$arch.env"
  bash "$here/deps/build-deps.sh" "$arch" > "$envfile.new"
  mv "$envfile.new" "$envfile"
done
bash "$here/wine-prefix.sh"
