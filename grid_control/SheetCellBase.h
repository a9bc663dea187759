// CSheetCellBase: the cell protocol of the grid as virtual operations, with
// drawing, measuring, printing and the mouse hooks written in terms of it.
// It stores only the state word; CSheetCell adds the attributes.
#pragma once

#include "GridTypes.h"

class CSheetCtrl;

class CSheetCellBase : public CObject {
    DECLARE_DYNCREATE(CSheetCellBase)
public:
    CSheetCellBase();
    ~CSheetCellBase() override;

    // Attribute setters (the base ignores all but the state).
    virtual void SetText(LPCTSTR) { }
    virtual void SetImage(int) { }
    virtual void SetData(LPARAM) { }
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD) { }
    virtual void SetTextClr(COLORREF) { }
    virtual void SetBackClr(COLORREF) { }
    virtual void SetFont(const LOGFONT*) { }
    virtual void SetMargin(UINT) { }
    virtual void SetGrid(CSheetCtrl*) { }
    // Called whenever the cell is created or moved by sorting.
    virtual void SetCoords(int, int) { }

    // Attribute getters (the base has none of its own).
    virtual LPCTSTR GetText() const { return nullptr; }
    virtual LPCTSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const { return -1; }
    virtual LPARAM GetData() const { return 0; }
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const { return 0; }
    virtual COLORREF GetTextClr() const { return 0; }
    virtual COLORREF GetBackClr() const { return 0; }
    virtual LOGFONT* GetFont() const { return nullptr; }
    virtual CSheetCtrl* GetGrid() const { return nullptr; }
    virtual UINT GetMargin() const { return 0; }
    virtual BOOL IsEditing() const { return FALSE; }

    // Copies another cell through its getters into this cell's setters.
    virtual CSheetCellBase& operator=(const CSheetCellBase& cell);
    virtual void Reset();

    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
    virtual CSize GetTextExtent(LPCTSTR str);
    virtual CSize GetCellExtent(CDC* pDC);

    virtual BOOL Edit(int, int, CRect, CPoint, UINT, UINT) { return FALSE; }
    virtual void EndEdit() { }
    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);
    virtual void OnEndEdit() { }

    // Mouse hooks: points are relative to the cell's top-left corner.
    virtual void OnMouseEnter() { }
    virtual void OnMouseOver() { }
    virtual void OnMouseLeave() { }
    virtual void OnClick(CPoint) { }
    virtual void OnClickDown(CPoint) { }
    virtual void OnRClick(CPoint) { }
    virtual void OnDblClick(CPoint) { }
    virtual BOOL OnSetCursor();

    BOOL IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
    BOOL IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
    BOOL IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
    BOOL IsDropHighlighted() const { return (GetState() & GVIS_DROPHILITED) != 0; }
    BOOL IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }

protected:
    // Size of the cell's image in the grid's image list, counted as the image
    // rectangle's right - left + 1 (and likewise down); false without one.
    BOOL GetImageSize(CSize& size) const;
    // The cell's font description for measuring (weight 600 for fixed cells).
    LOGFONT MeasureFont() const;

private:
    DWORD m_nState = 0;
};
