// CSheetCellBase: drawing, measuring, copying and the default hooks of every
// cell, written against the virtual getters so derived cells reuse them.
#include "SheetCellBase.h"

#include "SheetCtrl.h"

IMPLEMENT_DYNCREATE(CSheetCellBase, CObject)

namespace {
// The rectangle moved out by one pixel over its right and bottom grid lines.
CRect Enlarged(const CRect& rect)
{
    return CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
}

void DrawLine(CDC* pDC, COLORREF clr, std::initializer_list<POINT> points)
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

CSheetCellBase::CSheetCellBase() = default;

CSheetCellBase::~CSheetCellBase() = default;

CSheetCellBase& CSheetCellBase::operator=(const CSheetCellBase& cell)
{
    if (this == &cell)
        return *this;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.GetFont());
    SetMargin(cell.GetMargin());
    return *this;
}

void CSheetCellBase::Reset()
{
    m_nState = 0;
}

BOOL CSheetCellBase::GetImageSize(CSize& size) const
{
    CSheetCtrl* pGrid = GetGrid();
    if (pGrid == nullptr || GetImage() < 0)
        return FALSE;
    CImageList* pImageList = pGrid->GetImageList();
    IMAGEINFO info {};
    if (pImageList == nullptr || !pImageList->GetImageInfo(GetImage(), &info))
        return FALSE;
    size.cx = info.rcImage.right - info.rcImage.left + 1;
    size.cy = info.rcImage.bottom - info.rcImage.top + 1;
    return TRUE;
}

LOGFONT CSheetCellBase::MeasureFont() const
{
    LOGFONT lf {};
    if (const LOGFONT* plf = GetFont())
        lf = *plf;
    else if (CSheetCtrl* pGrid = GetGrid())
        lf = *pGrid->GetGridFont();
    if (IsFixed())
        lf.lfWeight = FW_SEMIBOLD;
    return lf;
}

BOOL CSheetCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CSheetCtrl* pGrid = GetGrid();
    if (pGrid == nullptr || pDC == nullptr || rect.Width() < 1 || rect.Height() < 1)
        return FALSE;

    int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    const BOOL bFixed = IsFixed();
    COLORREF textClr = GetTextClr();
    if (textClr == CLR_GRID_DEFAULT)
        textClr = bFixed ? pGrid->GetFixedTextColor() : pGrid->GetTextColor();
    COLORREF backClr = GetBackClr();
    if (backClr == CLR_GRID_DEFAULT)
        backClr = bFixed ? pGrid->GetFixedBkColor() : pGrid->GetBkColor();
    else
        bEraseBkgnd = TRUE; // a colour of its own is always painted
    const BOOL bGridLines = pGrid->GetGridLines() != GVL_NONE;

    if (IsFocused() || IsDropHighlighted()) {
        if (IsSelected()) {
            backClr = ::GetSysColor(COLOR_HIGHLIGHT);
            textClr = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        if (bEraseBkgnd) {
            CRect fill = Enlarged(rect);
            pDC->FillSolidRect(&fill, backClr);
        }
        CBrush frameBrush;
        if (frameBrush.CreateSolidBrush(textClr)) {
            CRect frame = bGridLines ? rect : Enlarged(rect);
            pDC->FrameRect(&frame, &frameBrush);
        }
        pDC->SetTextColor(textClr);
        rect.DeflateRect(1, 1);
    } else if (IsSelected()) {
        CRect fill = Enlarged(rect);
        pDC->FillSolidRect(&fill, ::GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (bEraseBkgnd) {
            CRect fill = Enlarged(rect);
            pDC->FillSolidRect(&fill, backClr);
        }
        pDC->SetTextColor(textClr);
    }

    LOGFONT lf {};
    if (const LOGFONT* plf = GetFont())
        lf = *plf;
    else
        lf = *pGrid->GetGridFont();
    if (bFixed && bGridLines) {
        CCellID focus = pGrid->GetFocusCell();
        if (pGrid->IsValid(focus) && (focus.row == nRow || focus.col == nCol)) {
            // Header of the focused row or column: sunken and semi-bold.
            lf.lfWeight = FW_SEMIBOLD;
            CRect edge = Enlarged(rect);
            pDC->DrawEdge(&edge, BDR_SUNKENINNER, BF_RECT);
        } else {
            DrawLine(pDC, ::GetSysColor(COLOR_3DHIGHLIGHT),
                { { rect.right, rect.top }, { rect.left, rect.top }, { rect.left, rect.bottom } });
            DrawLine(pDC, ::GetSysColor(COLOR_3DDKSHADOW),
                { { rect.right, rect.top }, { rect.right, rect.bottom }, { rect.left, rect.bottom } });
        }
        rect.DeflateRect(1, 1);
    }

    CFont font;
    font.CreateFontIndirect(&lf);
    HGDIOBJ hOldFont = font.m_hObject != nullptr ? pDC->SelectObject(font.m_hObject) : nullptr;

    const int nMargin = static_cast<int>(GetMargin());
    rect.DeflateRect(nMargin, 0);

    CSize imageSize;
    if (GetImageSize(imageSize)) {
        if (imageSize.cx + rect.left <= rect.right + 2 * nMargin
            && imageSize.cy + rect.top <= rect.bottom + 2 * nMargin)
            pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += nMargin + imageSize.cx;
    }

    if (nRow == 0 && nCol == pGrid->GetSortColumn()) {
        int size = pDC->GetTextExtent(L"M", 1).cy - 4;
        if (size >= rect.Height())
            size = rect.Height() - 4;
        const int r = rect.right;
        const int t = rect.top;
        const int s = size;
        COLORREF clrHighlight = ::GetSysColor(COLOR_3DHIGHLIGHT);
        COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
        if (pGrid->GetSortAscending()) {
            DrawLine(pDC, clrHighlight,
                { { r - s + 1, t + s + 3 }, { r - s / 2 + 1, t + 3 }, { r + 1, t + s + 3 }, { r - s + 1, t + s + 3 } });
            DrawLine(
                pDC, clrShadow, { { r - s, t + s + 2 }, { r - s / 2, t + 2 }, { r, t + s + 2 }, { r - s, t + s + 2 } });
        } else {
            DrawLine(pDC, clrHighlight,
                { { r - s + 1, t + 3 }, { r - s / 2 + 1, t + s + 3 }, { r + 1, t + 3 }, { r - s + 1, t + 3 } });
            DrawLine(pDC, clrShadow, { { r - s, t + 2 }, { r - s / 2, t + s + 2 }, { r, t + 2 }, { r - s, t + 2 } });
        }
        rect.right -= size;
    }

    LPCTSTR text = GetText();
    if (text != nullptr)
        pDC->DrawText(text, -1, &rect, GetFormat() | DT_NOPREFIX);

    if (hOldFont != nullptr)
        pDC->SelectObject(hOldFont);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

BOOL CSheetCellBase::GetTextRect(LPRECT pRect)
{
    CSize imageSize;
    if (pRect != nullptr && GetImageSize(imageSize))
        pRect->left += static_cast<int>(GetMargin()) + imageSize.cx;
    return TRUE;
}

CSize CSheetCellBase::GetTextExtent(LPCTSTR str)
{
    CSheetCtrl* pGrid = GetGrid();
    HWND hWnd = pGrid != nullptr ? pGrid->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr)
        return CSize(0, 0);
    HDC hDC = ::GetDC(hWnd);
    if (hDC == nullptr)
        return CSize(0, 0);
    LOGFONT lf = MeasureFont();
    HFONT hFont = ::CreateFontIndirect(&lf);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    CString text = str != nullptr ? CString(str) : CString(GetText() != nullptr ? GetText() : L"");
    SIZE size {};
    ::GetTextExtentPoint32W(hDC, text, text.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(hWnd, hDC);
    const int nMargin = static_cast<int>(GetMargin());
    return CSize(size.cx + 2 * nMargin, size.cy + 2 * nMargin);
}

CSize CSheetCellBase::GetCellExtent(CDC* pDC)
{
    if (pDC == nullptr)
        return CSize(0, 0);
    LOGFONT lf = MeasureFont();
    CFont font;
    font.CreateFontIndirect(&lf);
    HGDIOBJ hOld = font.m_hObject != nullptr ? pDC->SelectObject(font.m_hObject) : nullptr;

    CString text = GetText() != nullptr ? GetText() : L"";
    const DWORD nFormat = GetFormat();
    CSize textSize;
    if ((nFormat & DT_SINGLELINE) != 0 || (nFormat & DT_WORDBREAK) == 0) {
        textSize = pDC->GetTextExtent(text);
    } else {
        int nWidest = 0;
        int nStart = 0;
        while (nStart <= text.GetLength()) {
            int nEnd = text.Find(L'\n', nStart);
            if (nEnd < 0)
                nEnd = text.GetLength();
            CString line = text.Mid(nStart, nEnd - nStart);
            nWidest = std::max(nWidest, static_cast<int>(pDC->GetTextExtent(line).cx));
            nStart = nEnd + 1;
        }
        CRect calc(0, 0, nWidest, 0);
        pDC->DrawText(text, &calc, nFormat | DT_CALCRECT);
        textSize = CSize(nWidest, calc.Height());
    }
    if (hOld != nullptr)
        pDC->SelectObject(hOld);

    CSize imageSize(0, 0);
    GetImageSize(imageSize);
    const int nMargin = static_cast<int>(GetMargin());
    return CSize(imageSize.cx + textSize.cx + 4 * nMargin, std::max<int>(imageSize.cy, textSize.cy + 2 * nMargin));
}

BOOL CSheetCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}
