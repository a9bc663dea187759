#!/usr/bin/env bash
# Writes the built-in animations the program ships into
# data/Resource/ani_template from their recipes
# (show_editor/builtin_animations). Run it after changing a recipe and
# commit the files; a test of test_vantrel_media checks they match.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
. "$here/wine-env.sh"
build=${LEDSUITE_BUILD_DIR:-$root/build/debug$LEDSUITE_BUILD_SUFFIX}
target=$root/data/Resource/ani_template
cmake --build "$build" -j4 --target make_builtin_animations >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Wine sees the host's root as drive Z:.
bash "$here/wine-run.sh" "$build/bin/make_builtin_animations.exe" "Z:${out//\//\\}"
mkdir -p "$target"
rm -f "$target"/*.swf
cp "$out"/*.swf "$target"/
ls -l "$target"
