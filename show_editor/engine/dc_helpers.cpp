// Constant-alpha blending between device contexts and the text-size estimate
// the colourful-words editor sizes its text with.
#include "drawing_helpers.h"

#include <algorithm>

void AlphaBlendDC(int alpha, CDC* pSrc, CDC* pDst, int left, int top, int right, int bottom)
{
    if (pSrc == nullptr || pDst == nullptr)
        return;
    CRect clip(0, 0, 0, 0);
    pSrc->GetClipBox(&clip);
    BLENDFUNCTION blend {};
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = static_cast<BYTE>(std::clamp(alpha, 0, 255));
    blend.AlphaFormat = 0; // the source's own alpha bytes are not used
    ::AlphaBlend(pDst->GetSafeHdc(), left, top, right - left, bottom - top, pSrc->GetSafeHdc(), clip.left, clip.top,
        clip.Width(), clip.Height(), blend);
}

CSize GetTextExtentForFont(const CString& text, int margin, const LOGFONTW& font)
{
    if (text.IsEmpty())
        return CSize(10, 10);
    LOGFONTW description = font;
    description.lfQuality = NONANTIALIASED_QUALITY;
    const HFONT hFont = ::CreateFontIndirectW(&description);
    const HDC desktopDC = ::GetDC(nullptr);
    SIZE glyph {};
    if (desktopDC != nullptr) {
        const HGDIOBJ old = hFont != nullptr ? ::SelectObject(desktopDC, hFont) : nullptr;
        // One wide CJK ideograph stands for every character: the estimate
        // must hold for the widest text of that length.
        const wchar_t wide = 0x4F60;
        ::GetTextExtentPoint32W(desktopDC, &wide, 1, &glyph);
        if (old != nullptr)
            ::SelectObject(desktopDC, old);
        ::ReleaseDC(nullptr, desktopDC);
    }
    if (hFont != nullptr)
        ::DeleteObject(hFont);
    return CSize((glyph.cx + 2 * margin) * text.GetLength(), glyph.cy + 2 * margin);
}
