// CSheetCtrl printing: page layout over the printer's pages (the whole grid
// width scaled onto each page, or at screen scale with the columns spread
// over several pages), header, repeated column and row headings, the cells
// and a footer with the page number and the date.
#include "SheetCtrl.h"

namespace {
constexpr wchar_t ALPHABET[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
constexpr UINT HEADER_FLAGS = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;

// Creates the thin solid pen of the grid lines and selects it; gives the pen
// it replaced, or nullptr when the pen could not be made.
HGDIOBJ SelectGridPen(CDC* pDC, CPen& pen, COLORREF colour)
{
    pen.CreatePen(PS_SOLID, 0, colour);
    return pen.m_hObject != nullptr ? pDC->SelectObject(pen.m_hObject) : nullptr;
}

// The header and footer print in a bold form of the printer font.
void CreateBoldFont(const CFont& font, CFont& bold)
{
    LOGFONT lf {};
    font.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    bold.CreateFontIndirect(&lf);
}
} // namespace

void CSheetCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;

    CSize screenPixelsPerInch(96, 96);
    if (GetSafeHwnd() != nullptr) {
        if (CDC* pScreenDC = GetDC()) {
            screenPixelsPerInch = CSize(pScreenDC->GetDeviceCaps(LOGPIXELSX), pScreenDC->GetDeviceCaps(LOGPIXELSY));
            ReleaseDC(pScreenDC);
        }
    }
    CSize paperPixelsPerInch(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));

    m_PrinterFont.DeleteObject();
    m_PrinterFont.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
        CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
    HGDIOBJ hOldFont = pDC->SelectObject(m_PrinterFont.m_hObject);
    m_CharSize = pDC->GetTextExtent(ALPHABET, 52);
    m_CharSize.cx /= 52;
    pDC->SelectObject(hOldFont);
    const int nMargins = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;

    m_PaperSize = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    if (m_bWysiwygPrinting && paperPixelsPerInch.cx > 0 && paperPixelsPerInch.cy > 0) {
        m_LogicalPageSize.cx = m_PaperSize.cx * screenPixelsPerInch.cx / paperPixelsPerInch.cx * 3 / 4;
        m_LogicalPageSize.cy = m_PaperSize.cy * screenPixelsPerInch.cy / paperPixelsPerInch.cy * 3 / 4;
    } else {
        m_LogicalPageSize.cx = GetVirtualWidth() + nMargins;
        m_LogicalPageSize.cy = m_PaperSize.cx > 0 ? ::MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx) : 0;
    }

    m_nPageHeight
        = m_LogicalPageSize.cy - GetFixedRowHeight() - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy;

    int nTotalRowHeight = 0;
    m_nNumPages = 1;
    for (int row = m_nFixedRows; row < m_nRows; row++) {
        nTotalRowHeight += GetRowHeight(row);
        if (nTotalRowHeight > m_nPageHeight) {
            m_nNumPages++;
            nTotalRowHeight = GetRowHeight(row);
        }
    }

    m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - nMargins;
    m_nPageMultiplier = 1;
    if (m_bWysiwygPrinting) {
        int nTotalColumnWidth = 0;
        for (int col = m_nFixedCols; col < m_nCols; col++) {
            nTotalColumnWidth += GetColumnWidth(col);
            if (nTotalColumnWidth > m_nPageWidth) {
                m_nPageMultiplier++;
                nTotalColumnWidth = GetColumnWidth(col);
            }
        }
        m_nNumPages *= m_nPageMultiplier;
    }

    pInfo->SetMaxPage(static_cast<UINT>(m_nNumPages));
    pInfo->m_nCurPage = 1;
}

void CSheetCtrl::LocatePrintPage(int nPage)
{
    const int nPagesAcross = std::max(1, m_nPageMultiplier);
    const int nPageRow = (nPage + nPagesAcross - 1) / nPagesAcross; // 1-based
    const int nPageCol = (nPage - 1) % nPagesAcross; // 0-based

    m_nCurrPrintRow = m_nFixedRows;
    int nPageCount = 1;
    int nTotal = 0;
    for (int row = m_nFixedRows; row < m_nRows && nPageCount < nPageRow; row++) {
        nTotal += GetRowHeight(row);
        if (nTotal > m_nPageHeight) {
            nPageCount++;
            nTotal = GetRowHeight(row);
            m_nCurrPrintRow = row;
        }
    }
    if (nPageCount < nPageRow)
        m_nCurrPrintRow = m_nRows;

    m_nCurrPrintCol = m_nFixedCols;
    nPageCount = 0;
    nTotal = 0;
    for (int col = m_nFixedCols; col < m_nCols && nPageCount < nPageCol; col++) {
        nTotal += GetColumnWidth(col);
        if (nTotal > m_nPageWidth) {
            nPageCount++;
            nTotal = GetColumnWidth(col);
            m_nCurrPrintCol = col;
        }
    }
    if (nPageCount < nPageCol)
        m_nCurrPrintCol = m_nCols;
}

void CSheetCtrl::DrawPrintLines(CDC* pDC, const CRect& rect, int nRow, int nCol, BOOL bFirstRow)
{
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        const int nOverlap = nCol == 0 ? 0 : 1;
        pDC->MoveTo(rect.left - nOverlap, rect.bottom);
        pDC->LineTo(rect.right, rect.bottom);
        if (nRow == 0) {
            pDC->MoveTo(rect.left - nOverlap, rect.top);
            pDC->LineTo(rect.right, rect.top);
        }
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        const int nOverlap = bFirstRow ? 0 : 1;
        pDC->MoveTo(rect.right, rect.top - nOverlap);
        pDC->LineTo(rect.right, rect.bottom);
        if (nCol == 0) {
            pDC->MoveTo(rect.left, rect.top - nOverlap);
            pDC->LineTo(rect.left, rect.bottom);
        }
    }
}

void CSheetCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    HGDIOBJ hOldFont = pDC->SelectObject(m_PrinterFont.m_hObject);

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageSize);
    pDC->SetViewportExt(m_PaperSize);
    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, 0);

    pInfo->m_rectDraw.SetRect(
        0, 0, m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx, m_nHeaderHeight * m_CharSize.cy);
    PrintHeader(pDC, pInfo);

    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();
    CPoint org = pDC->GetWindowOrg();
    org.y -= m_nHeaderHeight * m_CharSize.cy + m_nGap * m_CharSize.cy + nFixedRowHeight;
    pDC->SetWindowOrg(org);

    const int nPage = static_cast<int>(pInfo->m_nCurPage);
    LocatePrintPage(nPage);
    const int nPageCol = (nPage - 1) % std::max(1, m_nPageMultiplier);

    PrintRowHeadings(pDC, pInfo);

    if (nPageCol == 0) {
        org.y += nFixedRowHeight;
        pDC->SetWindowOrg(org);
        const int nSavedCol = m_nCurrPrintCol;
        m_nPageWidth += nFixedColWidth;
        m_nCurrPrintCol = 0;
        PrintColumnHeadings(pDC, pInfo);
        m_nPageWidth -= nFixedColWidth;
        m_nCurrPrintCol = nSavedCol;
        org.x -= nFixedColWidth;
        org.y -= nFixedRowHeight;
    } else {
        org.x -= nFixedColWidth;
        org.y += nFixedRowHeight;
        pDC->SetWindowOrg(org);
        PrintColumnHeadings(pDC, pInfo);
        org.y -= nFixedRowHeight;
    }
    pDC->SetWindowOrg(org);

    CPen pen;
    HGDIOBJ hOldPen = SelectGridPen(pDC, pen, m_crGridColour);
    CRect rect;
    rect.bottom = -1;
    const int nFirstRow = m_nCurrPrintRow;
    for (int row = m_nCurrPrintRow; row < m_nRows; row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.bottom > m_nPageHeight)
            break;
        rect.right = -1;
        for (int col = m_nCurrPrintCol; col < m_nCols; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.right > m_nPageWidth)
                break;
            if (CSheetCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            DrawPrintLines(pDC, rect, row, col, row == nFirstRow);
        }
    }
    if (hOldPen != nullptr)
        pDC->SelectObject(hOldPen);

    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, -m_LogicalPageSize.cy + m_nFooterHeight * m_CharSize.cy);
    pInfo->m_rectDraw.bottom = m_nFooterHeight * m_CharSize.cy;
    PrintFooter(pDC, pInfo);

    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(hOldFont);
}

void CSheetCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo*)
{
    HGDIOBJ hOldFont = pDC->SelectObject(m_PrinterFont.m_hObject);
    CPen pen;
    HGDIOBJ hOldPen = SelectGridPen(pDC, pen, m_crGridColour);
    CRect rect;
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        // Close the left side one unit left of the first heading.
        pDC->MoveTo(-1, rect.top);
        pDC->LineTo(-1, rect.bottom + 1);
        for (int col = m_nCurrPrintCol; col < m_nCols; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.right > m_nPageWidth)
                break;
            if (CSheetCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            DrawPrintLines(pDC, rect, row, col, row == 0);
        }
    }
    if (hOldPen != nullptr)
        pDC->SelectObject(hOldPen);
    pDC->SelectObject(hOldFont);
}

void CSheetCtrl::PrintRowHeadings(CDC* pDC, CPrintInfo*)
{
    HGDIOBJ hOldFont = pDC->SelectObject(m_PrinterFont.m_hObject);
    CPen pen;
    HGDIOBJ hOldPen = SelectGridPen(pDC, pen, m_crGridColour);
    CRect rect;
    rect.bottom = -1;
    const int nFirstRow = m_nCurrPrintRow;
    for (int row = m_nCurrPrintRow; row < m_nRows; row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.bottom > m_nPageHeight)
            break;
        rect.right = -1;
        for (int col = 0; col < m_nFixedCols; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (row == nFirstRow) {
                // Close the top one unit above the first heading.
                pDC->MoveTo(rect.left, -1);
                pDC->LineTo(rect.right + 1, -1);
            }
            if (CSheetCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            DrawPrintLines(pDC, rect, row, col, row == nFirstRow);
        }
    }
    if (hOldPen != nullptr)
        pDC->SelectObject(hOldPen);
    pDC->SelectObject(hOldFont);
}

void CSheetCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    CFont boldFont;
    CreateBoldFont(m_PrinterFont, boldFont);
    HGDIOBJ hOldFont = pDC->SelectObject(boldFont.m_hObject);
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    CRect rc(pInfo->m_rectDraw);
    CString strRight;
    strRight.LoadString(AFX_IDS_APP_TITLE);
    if (!strRight.IsEmpty())
        pDC->DrawText(strRight, &rc, DT_RIGHT | HEADER_FLAGS);

    CString strCenter;
    for (CWnd* pParent = GetParent(); pParent != nullptr; pParent = pParent->GetParent()) {
        pParent->GetWindowText(strCenter);
        if (!strCenter.IsEmpty())
            break;
    }
    if (!strCenter.IsEmpty())
        pDC->DrawText(strCenter, &rc, DT_CENTER | HEADER_FLAGS);

    pDC->SetBkMode(nOldBkMode);
    pDC->SelectObject(hOldFont);
    HGDIOBJ hOldPen = pDC->SelectObject(::GetStockObject(BLACK_PEN));
    pDC->MoveTo(rc.left, rc.bottom);
    pDC->LineTo(rc.right, rc.bottom);
    pDC->SelectObject(hOldPen);
}

void CSheetCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    CRect rc(pInfo->m_rectDraw);
    HGDIOBJ hOldPen = pDC->SelectObject(::GetStockObject(BLACK_PEN));
    pDC->MoveTo(rc.left, rc.top);
    pDC->LineTo(rc.right, rc.top);
    pDC->SelectObject(hOldPen);

    CFont boldFont;
    CreateBoldFont(m_PrinterFont, boldFont);
    HGDIOBJ hOldFont = pDC->SelectObject(boldFont.m_hObject);
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    CString strLeft;
    strLeft.Format(L"Page %d of %d", pInfo->m_nCurPage, pInfo->GetMaxPage());
    pDC->DrawText(strLeft, &rc, DT_LEFT | HEADER_FLAGS);
    CString strRight = CTime::GetCurrentTime().Format(L"%c").Left(128);
    pDC->DrawText(strRight, &rc, DT_RIGHT | HEADER_FLAGS);

    pDC->SetBkMode(nOldBkMode);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(hOldFont);
}

void CSheetCtrl::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    m_PrinterFont.DeleteObject();
}
