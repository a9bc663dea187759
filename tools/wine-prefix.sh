#!/usr/bin/env bash
# Creates the Wine prefix once: crash dialog off, unmanaged windows, Wine's fonts copied in (Debian
# leaves them out of new prefixes, and caption buttons then draw as letters).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ ! -f "$WINEPREFIX/.ledsuite-ready-2" ]; then
  echo "setup: creating Wine prefix $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -u >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Xvfb runs no window manager: with managed windows Wine waits up to a second
  # for one at every unmap, which makes each window test seconds long.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  cp /usr/share/fonts/truetype/liberation/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
  touch "$WINEPREFIX/.ledsuite-ready-2"
fi

# Chinese texts (the programs' default language) in any locale: link the
# UI fonts to the CJK font copied in above.
if [ ! -f "$WINEPREFIX/.ledsuite-fonts-1" ]; then
  for face in "Tahoma" "Tahoma Bold" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Arial" "Liberation Sans"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.ledsuite-fonts-1"
fi
