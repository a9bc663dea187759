// CSplitterWnd: a static splitter window that lays out a grid of panes (at
// most 16 x 16) with bars between them that the user drags to resize. Panes
// are views made from a run-time class and bound to a document through a
// creation context, or any child window with the pane id (a nested splitter).
#pragma once

#include "fw_frame.h"

#include <vector>

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd() = default;
    ~CSplitterWnd() override = default;

    static constexpr int kMaxPanes = 16;

    BOOL CreateStatic(
        CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
    // Creates the pane (row, col) from a view class; sizeInit becomes the
    // ideal width of the column and the ideal height of the row.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_cols.size()); }
    // Current size (after the last layout) and minimum of a row or column.
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    int IdFromRowCol(int row, int col) const;
    CWnd* GetPane(int row, int col) const;
    // Places the panes: every row and column but the last gets its ideal
    // size (never below its minimum); the last takes what is left.
    virtual void RecalcLayout();

    // Kinds of splitter parts passed to OnDrawSplitter.
    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    // Draws one part; derived classes draw their own look.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);

    // Geometry: width of the bars between panes and of the border around
    // each pane, horizontally and vertically. The owner may set them before
    // the first layout.
    int m_cxSplitter = 7;
    int m_cySplitter = 7;
    int m_cxBorder = 2;
    int m_cyBorder = 2;

    // Commands and notifications of the panes go on to the parent.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    struct Info {
        int nIdealSize = 0;
        int nMinSize = 0;
        int nCurSize = 0;
        int nStart = 0; // client coordinate of the pane's first pixel
    };
    // Works out the current sizes and starts of one axis.
    void LayoutAxis(std::vector<Info>& infos, int total, int border, int bar) const;
    // The bar under a point: column (vertical bars) or row, or -1.
    int HitColumnBar(CPoint point) const;
    int HitRowBar(CPoint point) const;

    std::vector<Info> m_rows;
    std::vector<Info> m_cols;
    int m_dragCol = -1;
    int m_dragRow = -1;
};
