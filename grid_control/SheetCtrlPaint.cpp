// CSheetCtrl painting and geometry: where cells lie given the fixed rows and
// columns and the scroll position, which cell is under a point, and the
// painting of the whole window (through CMemDCEx) and of single cells.
#include "MemDCEx.h"
#include "SheetCtrl.h"

CCellID CSheetCtrl::GetTopleftNonFixedCell() const
{
    const int nVertScroll = GetScrollPos32(SB_VERT);
    const int nHorzScroll = GetScrollPos32(SB_HORZ);

    int nRow = m_nFixedRows;
    if (nVertScroll > 0) {
        int nTop = 0;
        while (nTop < nVertScroll && nRow < m_nRows - 1) {
            nTop += GetRowHeight(nRow);
            nRow++;
        }
    }
    int nCol = m_nFixedCols;
    if (nHorzScroll > 0) {
        int nRight = 0;
        while (nRight < nHorzScroll && nCol < m_nCols - 1) {
            nRight += GetColumnWidth(nCol);
            nCol++;
        }
    }
    return CCellID(nRow, nCol);
}

CCellRange CSheetCtrl::GetVisibleNonFixedCellRange(LPRECT pRect) const
{
    CRect rect;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rect);
    CCellID idTopLeft = GetTopleftNonFixedCell();

    int bottom = GetFixedRowHeight();
    int i = idTopLeft.row;
    for (; i < m_nRows; i++) {
        bottom += GetRowHeight(i);
        if (bottom >= rect.bottom) {
            bottom = rect.bottom;
            break;
        }
    }
    const int maxVisibleRow = std::min(i, m_nRows - 1);

    int right = GetFixedColumnWidth();
    i = idTopLeft.col;
    for (; i < m_nCols; i++) {
        right += GetColumnWidth(i);
        if (right >= rect.right) {
            right = rect.right;
            break;
        }
    }
    const int maxVisibleCol = std::min(i, m_nCols - 1);

    if (pRect != nullptr) {
        pRect->left = pRect->top = 0;
        pRect->right = right;
        pRect->bottom = bottom;
    }
    return CCellRange(idTopLeft.row, idTopLeft.col, maxVisibleRow, maxVisibleCol);
}

BOOL CSheetCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p) const
{
    if (p == nullptr || !IsValid(nRow, nCol))
        return FALSE;
    CCellID idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        idTopLeft = GetTopleftNonFixedCell();
    if (nRow >= m_nFixedRows && nRow < idTopLeft.row)
        return FALSE;
    if (nCol >= m_nFixedCols && nCol < idTopLeft.col)
        return FALSE;

    p->x = 0;
    if (nCol < m_nFixedCols) {
        for (int i = 0; i < nCol; i++)
            p->x += GetColumnWidth(i);
    } else {
        p->x = GetFixedColumnWidth();
        for (int i = idTopLeft.col; i < nCol; i++)
            p->x += GetColumnWidth(i);
    }
    p->y = 0;
    if (nRow < m_nFixedRows) {
        for (int i = 0; i < nRow; i++)
            p->y += GetRowHeight(i);
    } else {
        p->y = GetFixedRowHeight();
        for (int i = idTopLeft.row; i < nRow; i++)
            p->y += GetRowHeight(i);
    }
    return TRUE;
}

BOOL CSheetCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect) const
{
    CPoint origin;
    if (pRect == nullptr || !GetCellOrigin(nRow, nCol, &origin))
        return FALSE;
    pRect->left = origin.x;
    pRect->top = origin.y;
    pRect->right = origin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = origin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

CCellID CSheetCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck) const
{
    CCellID cellID;
    CCellID idTopLeft = GetTopleftNonFixedCell();
    if (!IsValid(idTopLeft))
        return cellID;

    const int fixedColWidth = GetFixedColumnWidth();
    if (point.x < 0 || (!bAllowFixedCellCheck && point.x < fixedColWidth)) {
        cellID.col = -1;
    } else if (point.x < fixedColWidth) {
        int xpos = 0;
        int col = 0;
        for (; col < m_nFixedCols; col++) {
            xpos += GetColumnWidth(col);
            if (xpos > point.x)
                break;
        }
        cellID.col = col;
    } else {
        int xpos = fixedColWidth;
        int col = idTopLeft.col;
        for (; col < m_nCols; col++) {
            xpos += GetColumnWidth(col);
            if (xpos > point.x)
                break;
        }
        cellID.col = col >= m_nCols ? -1 : col;
    }

    const int fixedRowHeight = GetFixedRowHeight();
    if (point.y < 0 || (!bAllowFixedCellCheck && point.y < fixedRowHeight)) {
        cellID.row = -1;
    } else if (point.y < fixedRowHeight) {
        int ypos = 0;
        int row = 0;
        for (; row < m_nFixedRows; row++) {
            ypos += GetRowHeight(row);
            if (ypos > point.y)
                break;
        }
        cellID.row = row;
    } else {
        int ypos = fixedRowHeight;
        int row = idTopLeft.row;
        for (; row < m_nRows; row++) {
            ypos += GetRowHeight(row);
            if (ypos > point.y)
                break;
        }
        cellID.row = row >= m_nRows ? -1 : row;
    }
    return cellID;
}

CPoint CSheetCtrl::GetPointRelativeToCell(const CCellID& cell, CPoint point) const
{
    CPoint origin;
    if (!GetCellOrigin(cell, &origin))
        return CPoint(0, 0);
    return CPoint(point.x - origin.x, point.y - origin.y);
}

BOOL CSheetCtrl::IsCellVisible(int nRow, int nCol) const
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    CRect rect;
    GetClientRect(&rect);
    CCellID idTopLeft = GetTopleftNonFixedCell();

    if (nCol < m_nFixedCols) {
        int x = 0;
        for (int i = 0; i <= nCol; i++) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    } else {
        if (nCol < idTopLeft.col)
            return FALSE;
        int x = GetFixedColumnWidth();
        for (int i = idTopLeft.col; i <= nCol; i++) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    }

    if (nRow < m_nFixedRows) {
        int y = 0;
        for (int i = 0; i <= nRow; i++) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    } else {
        if (nRow < idTopLeft.row)
            return FALSE;
        int y = GetFixedRowHeight();
        for (int i = idTopLeft.row; i <= nRow; i++) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    }
    return TRUE;
}

BOOL CSheetCtrl::InvalidateCellRect(int nRow, int nCol)
{
    if (GetSafeHwnd() == nullptr || !m_bAllowDraw || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

BOOL CSheetCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;

    bool bMustReleaseDC = false;
    if (pDC == nullptr) {
        pDC = GetDC();
        if (pDC == nullptr) {
            InvalidateRect(&rect, TRUE);
            return TRUE;
        }
        bMustReleaseDC = true;
    }

    BOOL bResult = TRUE;
    if (CSheetCellBase* pCell = GetCell(nRow, nCol))
        bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);
    if (nRow >= m_nFixedRows && nCol >= m_nFixedCols) {
        CPen pen;
        if (pen.CreatePen(PS_SOLID, 0, m_crGridColour)) {
            CSelectGuard guard(*pDC, pen);
            if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
        }
    }
    if (bMustReleaseDC)
        ReleaseDC(pDC);
    return bResult;
}

void CSheetCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemDCEx memDC(&dc);
        OnDraw(&memDC);
    } else {
        OnDraw(&dc);
    }
}

void CSheetCtrl::OnDraw(CDC* pDC)
{
    if (!m_bAllowDraw || pDC == nullptr)
        return;
    CRect clipRect;
    if (pDC->GetClipBox(&clipRect) == ERROR)
        return;

    CRect visRect;
    CCellRange visCellRange = GetVisibleNonFixedCellRange(&visRect);
    const int nFixedColWidth = GetFixedColumnWidth();
    const int nFixedRowHeight = GetFixedRowHeight();

    CBrush fixedBack, textBack, outsideBack;
    fixedBack.CreateSolidBrush(m_crFixedBkColour);
    textBack.CreateSolidBrush(m_crBkColour);
    outsideBack.CreateSolidBrush(m_crOutsideColour);

    if (clipRect.left < nFixedColWidth && clipRect.top < visRect.bottom) {
        CRect r(clipRect.left, clipRect.top, nFixedColWidth, visRect.bottom);
        pDC->FillRect(&r, &fixedBack);
    }
    if (clipRect.top < nFixedRowHeight && clipRect.right > nFixedColWidth && clipRect.left < visRect.right) {
        CRect r(nFixedColWidth - 1, clipRect.top, visRect.right, nFixedRowHeight);
        pDC->FillRect(&r, &fixedBack);
    }
    CRect cells;
    if (cells.IntersectRect(&visRect, &clipRect)) {
        cells.left = std::max<LONG>(cells.left, nFixedColWidth);
        cells.top = std::max<LONG>(cells.top, nFixedRowHeight);
        if (!cells.IsRectEmpty())
            pDC->FillRect(&cells, &textBack);
    }
    if (visRect.right < clipRect.right) {
        CRect r(visRect.right, clipRect.top, clipRect.right, clipRect.bottom);
        pDC->FillRect(&r, &outsideBack);
    }
    if (visRect.bottom < clipRect.bottom && clipRect.left < visRect.right) {
        CRect r(clipRect.left, visRect.bottom, visRect.right, clipRect.bottom);
        pDC->FillRect(&r, &outsideBack);
    }

    const int minVisibleRow = visCellRange.GetMinRow();
    const int minVisibleCol = visCellRange.GetMinCol();
    const int maxVisibleRow = visCellRange.GetMaxRow();
    const int maxVisibleCol = visCellRange.GetMaxCol();
    CRect rect;

    // Top-left corner: every fixed row with every fixed column.
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < m_nFixedCols; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (CSheetCellBase* pCell = GetCell(row, col))
                pCell->Draw(pDC, row, col, rect, FALSE);
        }
    }

    // Draws rows [row0, row1] x columns [col0, col1] starting at (x0, y0),
    // skipping what lies outside the clip box.
    auto drawBlock = [&](int row0, int row1, int y0, int col0, int col1, int x0) {
        rect.bottom = y0 - 1;
        for (int row = row0; row <= row1; row++) {
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            if (rect.top > clipRect.bottom)
                break;
            if (rect.bottom < clipRect.top)
                continue;
            rect.right = x0 - 1;
            for (int col = col0; col <= col1; col++) {
                rect.left = rect.right + 1;
                rect.right = rect.left + GetColumnWidth(col) - 1;
                if (rect.left > clipRect.right)
                    break;
                if (rect.right < clipRect.left)
                    continue;
                if (CSheetCellBase* pCell = GetCell(row, col))
                    pCell->Draw(pDC, row, col, rect, FALSE);
            }
        }
    };
    // Fixed columns beside the visible rows, fixed rows above the visible
    // columns, then the scrollable cells.
    drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, 0, m_nFixedCols - 1, 0);
    drawBlock(0, m_nFixedRows - 1, 0, minVisibleCol, maxVisibleCol, nFixedColWidth);
    drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, minVisibleCol, maxVisibleCol, nFixedColWidth);

    CPen pen;
    if (pen.CreatePen(PS_SOLID, 0, m_crGridColour)) {
        HGDIOBJ hOldPen = pDC->SelectObject(pen.m_hObject);
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
            int x = nFixedColWidth;
            for (int col = minVisibleCol; col <= maxVisibleCol; col++) {
                x += GetColumnWidth(col);
                pDC->MoveTo(x - 1, nFixedRowHeight);
                pDC->LineTo(x - 1, visRect.bottom);
            }
        }
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
            int y = nFixedRowHeight;
            for (int row = minVisibleRow; row <= maxVisibleRow; row++) {
                y += GetRowHeight(row);
                pDC->MoveTo(nFixedColWidth, y - 1);
                pDC->LineTo(visRect.right, y - 1);
            }
        }
        pDC->SelectObject(::GetStockObject(NULL_PEN));
        (void)hOldPen;
    }
}
