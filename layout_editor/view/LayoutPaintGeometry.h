// The pixel geometry of one paint of the layout view: zoom, the layout's
// rectangle in the client area, and where a lamp's square and centre fall.
#pragma once

#include <afxwin.h>

#include "EditorSettings.h"
#include "LPoint.h"

// Pixel geometry of one drawing call.
struct LayoutPaintGeometry {
    double z = 1;
    CRect L;
    double wp = 0;
    double hp = 0;
    double half = 0;
    int cx = 0; // cell-centre origin
    int cy = 0;
    CRect visible;

    // Left and top edge of a lamp's square.
    CPoint CellPos(const CLPoint& p) const
    {
        if (AlignToGrid)
            return CPoint(static_cast<int>(L.left + z * p.x), static_cast<int>(L.top + z * p.y));
        return CPoint(
            static_cast<int>(L.left + wp * p.m_normX - half), static_cast<int>(L.top + hp * p.m_normY - half));
    }
    CRect Square(const CLPoint& p) const
    {
        const CPoint tl = CellPos(p);
        return CRect(tl.x, tl.y, static_cast<int>(tl.x + z), static_cast<int>(tl.y + z));
    }
    CPoint Centre(const CLPoint& p) const
    {
        if (AlignToGrid)
            return CPoint(static_cast<int>(cx + z * p.x), static_cast<int>(cy + z * p.y));
        return CPoint(static_cast<int>(cx + wp * p.m_normX - half), static_cast<int>(cy + hp * p.m_normY - half));
    }
    bool Visible(int x, int y) const
    {
        return visible.left <= x && x <= visible.right && visible.top <= y && y <= visible.bottom;
    }
    bool Visible(const CPoint& p) const { return Visible(p.x, p.y); }
    // The port's bounding rectangle meets the visible cells.
    bool Meets(const CRect& bounds) const
    {
        CRect cells = visible;
        CRect hit;
        return hit.IntersectRect(&bounds, &cells) != FALSE;
    }
};
