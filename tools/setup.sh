#!/usr/bin/env bash
# Everything a fresh Debian 12 machine lacks for building and testing the
# suite: packages, the third-party libraries for the target (cached outside the
# checkout) and the Wine prefix. Quick when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
bash "$here/setup-packages.sh"
mkdir -p "$LEDSUITE_CACHE"
bash "$here/deps/build-deps.sh" > "$LEDSUITE_CACHE/deps.env.new"
mv "$LEDSUITE_CACHE/deps.env.new" "$LEDSUITE_CACHE/deps.env"
bash "$here/wine-prefix.sh"
