// Small types shared by the grid control: cell addresses and ranges, the item
// description of SetItem, the notification records sent to the parent, and
// the cell state bits.
#pragma once

#include "afxole.h"

#include <algorithm>

// Cell state bits (one word per cell, the same in every cell class).
constexpr UINT GVIS_FOCUSED = 0x01;
constexpr UINT GVIS_SELECTED = 0x02;
constexpr UINT GVIS_DROPHILITED = 0x04;
constexpr UINT GVIS_READONLY = 0x08;
constexpr UINT GVIS_FIXED = 0x10;
constexpr UINT GVIS_MODIFIED = 0x20;

// Which fields of a GridItem apply.
constexpr UINT GVIF_TEXT = 0x001;
constexpr UINT GVIF_IMAGE = 0x002;
constexpr UINT GVIF_PARAM = 0x004;
constexpr UINT GVIF_STATE = 0x008;
constexpr UINT GVIF_BKCLR = 0x010;
constexpr UINT GVIF_FGCLR = 0x020;
constexpr UINT GVIF_FORMAT = 0x040;
constexpr UINT GVIF_FONT = 0x080;
constexpr UINT GVIF_MARGIN = 0x100;

// A colour field holding this value has no colour of its own.
constexpr COLORREF CLR_GRID_DEFAULT = 0xFF000000;

// Grid-line modes.
constexpr int GVL_NONE = 0;
constexpr int GVL_HORZ = 1;
constexpr int GVL_VERT = 2;
constexpr int GVL_BOTH = 3;

// A cell address; -1 in either part means no cell.
class CCellID {
public:
    int row;
    int col;

    explicit CCellID(int nRow = -1, int nCol = -1)
        : row(nRow)
        , col(nCol)
    {
    }
    bool operator==(const CCellID& other) const { return row == other.row && col == other.col; }
    bool operator!=(const CCellID& other) const { return !(*this == other); }
};

// A block of cells from (minRow, minCol) to (maxRow, maxCol), inclusive.
class CCellRange {
public:
    CCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
        : m_nMinRow(nMinRow)
        , m_nMinCol(nMinCol)
        , m_nMaxRow(nMaxRow)
        , m_nMaxCol(nMaxCol)
    {
    }
    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    BOOL IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 && m_nMinRow <= m_nMaxRow
            && m_nMinCol <= m_nMaxCol;
    }
    BOOL InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }
    bool operator==(const CCellRange& o) const
    {
        return m_nMinRow == o.m_nMinRow && m_nMinCol == o.m_nMinCol && m_nMaxRow == o.m_nMaxRow
            && m_nMaxCol == o.m_nMaxCol;
    }

private:
    int m_nMinRow, m_nMinCol, m_nMaxRow, m_nMaxCol;
};

// The description passed to CSheetCtrl::SetItem.
struct GridItem {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT nState = 0;
    UINT nFormat = 0;
    CString strText;
    int iImage = -1;
    COLORREF crBkClr = CLR_GRID_DEFAULT;
    COLORREF crFgClr = CLR_GRID_DEFAULT;
    LPARAM lParam = 0;
    LOGFONT lfFont {};
    UINT nMargin = 0;
};

// WM_NOTIFY record of the grid to its parent.
struct NM_GRIDVIEW {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// WM_NOTIFY record of the in-place edit to the grid at the end of an edit:
// item.strText is the edited text, item.lParam the key that ended the edit.
struct GV_DISPINFO {
    NMHDR hdr;
    GridItem item;
};
