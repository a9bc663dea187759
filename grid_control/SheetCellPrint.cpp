// Printing of one cell: colours chosen for paper (black text unless colours
// are printed), a bold face for fixed cells printed without colour, the
// raised header edge, the image and the text.
#include "SheetCellBase.h"

#include "SheetCtrl.h"

namespace {
// Two-colour devices: the text of a cell without background becomes the
// grey of its luminance, so coloured text does not vanish to white.
COLORREF GreyOf(COLORREF clr)
{
    const int y = static_cast<int>(GetRValue(clr) * 0.30 + GetGValue(clr) * 0.59 + GetBValue(clr) * 0.11);
    return RGB(y, y, y);
}

void PenLine(CDC* pDC, COLORREF clr, std::initializer_list<POINT> points)
{
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 1, clr))
        return;
    CSelectGuard guard(*pDC, pen);
    auto it = points.begin();
    pDC->MoveTo(it->x, it->y);
    for (++it; it != points.end(); ++it)
        pDC->LineTo(it->x, it->y);
}
} // namespace

BOOL CSheetCellBase::PrintCell(CDC* pDC, int, int, CRect rect)
{
    CSheetCtrl* pGrid = GetGrid();
    if (pGrid == nullptr || pDC == nullptr || rect.Width() < 1 || rect.Height() < 1)
        return FALSE;
    int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    const BOOL bFixed = IsFixed();
    COLORREF crText = RGB(0, 0, 0);
    COLORREF crBack = CLR_GRID_DEFAULT; // none
    if (pGrid->GetPrintColour()) {
        const COLORREF cellBack = GetBackClr();
        const COLORREF cellText = GetTextClr();
        if (bFixed) {
            crBack = cellBack != CLR_GRID_DEFAULT ? cellBack : pGrid->GetFixedBkColor();
            crText = cellText != CLR_GRID_DEFAULT ? cellText : pGrid->GetFixedTextColor();
        } else {
            if (cellBack != CLR_GRID_DEFAULT && cellBack != pGrid->GetBkColor())
                crBack = cellBack;
            if (cellBack != CLR_GRID_DEFAULT || (cellText != CLR_GRID_DEFAULT && cellText != pGrid->GetTextColor())) {
                // A cell with only a background of its own prints in the grid's text colour.
                crText = cellText != CLR_GRID_DEFAULT ? cellText : pGrid->GetTextColor();
            }
        }
    }
    if (pDC->GetDeviceCaps(NUMCOLORS) == 2 && crBack == CLR_GRID_DEFAULT)
        crText = GreyOf(crText);
    if (crBack != CLR_GRID_DEFAULT) {
        CRect fill(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        pDC->FillSolidRect(&fill, crBack);
    }
    pDC->SetTextColor(crText);

    LOGFONT lf {};
    if (const LOGFONT* plf = GetFont())
        lf = *plf;
    else
        lf = *pGrid->GetGridFont();
    CFont font;
    if (bFixed && !pGrid->GetPrintColour()) {
        font.CreateFont(lf.lfHeight, 0, 0, 0, FW_BOLD, lf.lfItalic, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, lf.lfFaceName);
    } else {
        font.CreateFontIndirect(&lf);
    }
    HGDIOBJ hOldFont = font.m_hObject != nullptr ? pDC->SelectObject(font.m_hObject) : nullptr;

    if (bFixed && pGrid->GetGridLines() != GVL_NONE) {
        PenLine(pDC, ::GetSysColor(COLOR_3DHIGHLIGHT),
            { { rect.right, rect.top }, { rect.left, rect.top }, { rect.left, rect.bottom } });
        PenLine(pDC, ::GetSysColor(COLOR_3DDKSHADOW),
            { { rect.right, rect.top }, { rect.right, rect.bottom }, { rect.left, rect.bottom } });
        rect.DeflateRect(1, 1);
    }

    const int nMargin = static_cast<int>(GetMargin());
    rect.DeflateRect(nMargin, 0);
    CImageList* pImageList = pGrid->GetImageList();
    IMAGEINFO info {};
    if (pImageList != nullptr && GetImage() >= 0 && pImageList->GetImageInfo(GetImage(), &info)) {
        pImageList->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += nMargin + (info.rcImage.right - info.rcImage.left);
    }

    if (LPCTSTR text = GetText())
        pDC->DrawText(text, -1, &rect, GetFormat() | DT_NOPREFIX | DT_NOCLIP);

    if (hOldFont != nullptr)
        pDC->SelectObject(hOldFont);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}
