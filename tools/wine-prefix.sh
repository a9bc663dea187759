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
  wine wineboot -u >/dev/null 2>&1
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

# The Chinese face names the programs ask for by name ("楷体", "幼圆", "宋体"
# and their Latin names) are not installed: without a substitute Wine picks a
# Latin font and their texts draw as boxes. Map them to the CJK font above.
# regedit reads a UTF-16 file, which keeps the names intact in any locale.
if [ ! -f "$WINEPREFIX/.ledsuite-fonts-2" ]; then
  regfile=$(mktemp /tmp/ledsuite-fonts.XXXXXX.reg)
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    for face in "楷体" "楷体_GB2312" "KaiTi" "KaiTi_GB2312" "幼圆" "YouYuan" "宋体" "新宋体" "SimSun" "NSimSun" \
                "黑体" "SimHei" "微软雅黑" "Microsoft YaHei" "仿宋" "FangSong" "隶书" "LiSu" "华文行楷" "STXingkai"; do
      printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
    done
  } | iconv -f UTF-8 -t UTF-16 >"$regfile"
  wine regedit /S "$(wine winepath -w "$regfile")" >/dev/null 2>&1
  wineserver -w
  rm -f "$regfile"
  touch "$WINEPREFIX/.ledsuite-fonts-2"
fi
