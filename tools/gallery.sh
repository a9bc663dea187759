#!/usr/bin/env bash
# Pictures of every dialog of every program in English and in Simplified
# Chinese (the show editor's also in French and Korean, the layout editor's
# also in Traditional Chinese and French), for a person to look at (labels
# missing, cut or overlapping, boxes instead of letters):
# the show editor's windows reached by its commands, its media editors, the
# layout editor's dialogs, and the main windows of the preview, the card tool
# and the DMX address tool. Runs under Xvfb in the test sandbox.
# Usage: tools/gallery.sh [out-folder]   (default: build/gallery)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
. "$here/wine-env.sh"
build=${LEDSUITE_BUILD_DIR:-$root/build/debug$LEDSUITE_BUILD_SUFFIX}
out=$(realpath -m "${1:-$root/build/gallery}")
mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.png
cmake --build "$build" -j3 --target test_vantrel_languages test_vantrel_media test_pannex test_tavisk Tavisk Cardwell Pellox >/dev/null
# Wine sees the host's root as drive Z:.
winout="Z:${out//\//\\}"

# The test programs save their windows when the gallery folder is set.
run() {
  if [ "$(id -u)" = 0 ]; then unshare --net -- bash "$here/sandbox-run.sh" "$@"; else unshare -rn -- bash "$here/sandbox-run.sh" "$@"; fi
}
cd "$build/bin"
VANTREL_GALLERY=$winout PANNEX_GALLERY=$winout TAVISK_GALLERY=$winout run bash -c '
  bash "$0/wine-run.sh" ./test_vantrel_languages.exe --gtest_filter="*EveryWindow*English:*EveryWindow*SimplifiedChinese:*EveryWindow*French:*EveryWindow*Korean" >/dev/null 2>&1 || true
  bash "$0/wine-run.sh" ./test_vantrel_media.exe --gtest_filter="*Gallery*:*MediaLanguage*" >/dev/null 2>&1 || true
  bash "$0/wine-run.sh" ./test_pannex.exe --gtest_filter="PannexDialogGallery*" >/dev/null 2>&1 || true
  bash "$0/wine-run.sh" ./test_tavisk.exe --gtest_filter="*Gallery" >/dev/null 2>&1 || true
' "$here"

# The small programs: their main window in each language they have.
for program in Tavisk Cardwell Pellox; do
  bash "$here/screenshot.sh" "$out/${program,,}_main.png" 6 "$program.exe" >/dev/null 2>&1 || true
done

for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "gallery: $(ls "$out"/*.png 2>/dev/null | wc -l) pictures in $out"
