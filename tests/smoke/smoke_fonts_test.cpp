// The Chinese faces the programs name ("楷体" for Tavisk's open-file link and
// Cardwell's write button, "幼圆" and "宋体" in the show editor) and the dialog
// fonts draw Chinese texts with real glyphs in the test and run prefix, not as
// boxes: each face maps to an installed CJK font.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>

namespace {

// How many characters of text the face has no glyph for.
int MissingGlyphs(LPCWSTR face, LPCWSTR text)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    LOGFONTW lf {};
    lf.lfHeight = -24;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    const int n = static_cast<int>(wcslen(text));
    WORD glyphs[64] = {};
    int missing = n;
    if (n <= 64 && ::GetGlyphIndicesW(dc, text, n, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == static_cast<DWORD>(n)) {
        missing = 0;
        for (int i = 0; i < n; ++i)
            missing += glyphs[i] == 0xFFFF ? 1 : 0;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::DeleteDC(dc);
    return missing;
}

} // namespace

TEST(SmokeFonts, ChineseFacesTheProgramsNameHaveChineseGlyphs)
{
    const LPCWSTR text = L"\u6253\u5f00\u6587\u4ef6\u5199\u5165\u56fe\u50cf"; // 打开文件写入图像
    const LPCWSTR faces[] = { L"\u6977\u4f53", L"\u5e7c\u5706", L"\u5b8b\u4f53", L"SimSun", L"KaiTi" };
    for (int i = 0; i < static_cast<int>(std::size(faces)); ++i)
        EXPECT_EQ(MissingGlyphs(faces[i], text), 0) << "face " << i;
}
