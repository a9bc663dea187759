// CSheetCtrl: a spreadsheet-like child window of rows and columns of cells
// (fixed header rows and columns that never scroll, then scrollable ones)
// with focus and selection, keyboard and mouse input, in-place editing,
// title tips, clipboard and OLE drag and drop, sorting by a column and
// printing. Dialogs bind a placeholder control of class "SheetCtrl" to it
// with DDX_GridControl.
#pragma once

#include "GridTypes.h"
#include "SheetCell.h"
#include "SheetDropTarget.h"
#include "TitleTip.h"

#include <vector>

#define SHEETCTRL_CLASSNAME L"SheetCtrl"
// Control identifier of the in-place edit window.
constexpr UINT IDC_INPLACE_EDIT = 8;
// Identifier of the auto-scroll timer that runs while the left button is held.
constexpr UINT_PTR GRID_AUTOSCROLL_TIMER = 0x201;

class CSheetCtrl : public CWnd {
    DECLARE_DYNCREATE(CSheetCtrl)
public:
    enum MouseModes {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 6,
        MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8,
        MOUSE_SIZING_COL = 9,
        MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11,
        MOUSE_DRAGGING = 12
    };

    CSheetCtrl();
    ~CSheetCtrl() override;

    // Runs after the placeholder window was subclassed: registers the drop
    // target and creates the title tip window.
    BOOL Initialise();

    // --- counts and structure
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);
    BOOL DeleteAllItems();

    // --- sizes
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int height);
    BOOL SetColumnWidth(int nCol, int width);
    int GetVirtualHeight() const;
    int GetVirtualWidth() const;
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    BOOL AutoSizeColumn(int nCol);
    BOOL AutoSizeRow(int nRow);
    int GetDefCellHeight() const { return m_nDefCellHeight; }
    int GetDefCellWidth() const { return m_nDefCellWidth; }
    void SetDefCellHeight(int nHeight) { m_nDefCellHeight = nHeight; }
    void SetDefCellWidth(int nWidth) { m_nDefCellWidth = nWidth; }

    // --- cells and items
    CSheetCellBase* GetCell(int nRow, int nCol) const;
    BOOL SetItem(const GridItem* pItem);
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    UINT GetItemFormat(int nRow, int nCol) const;
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified() const { return m_bModified; }
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CCellRange& range) const;
    BOOL IsCellSelected(int nRow, int nCol) const { return (GetItemState(nRow, nCol) & GVIS_SELECTED) != 0; }
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.col); }
    // The cell class the grid creates (a class derived from CSheetCellBase).
    void SetDefaultCellType(CRuntimeClass* pRuntimeClass) { m_pRtcDefault = pRuntimeClass; }
    CRuntimeClass* GetDefaultCellType() const { return m_pRtcDefault; }

    // --- colours, fonts and settings
    COLORREF GetTextColor() const { return m_crTextColour; }
    void SetTextColor(COLORREF clr) { m_crTextColour = clr; }
    COLORREF GetBkColor() const { return m_crBkColour; }
    void SetBkColor(COLORREF clr) { m_crBkColour = clr; }
    COLORREF GetTextBkColor() const { return m_crBkColour; }
    COLORREF GetOutsideColor() const { return m_crOutsideColour; }
    void SetOutsideColor(COLORREF clr) { m_crOutsideColour = clr; }
    COLORREF GetFixedTextColor() const { return m_crFixedTextColour; }
    void SetFixedTextColor(COLORREF clr) { m_crFixedTextColour = clr; }
    COLORREF GetFixedBkColor() const { return m_crFixedBkColour; }
    void SetFixedBkColor(COLORREF clr) { m_crFixedBkColour = clr; }
    COLORREF GetGridColor() const { return m_crGridColour; }
    void SetGridColor(COLORREF clr) { m_crGridColour = clr; }
    COLORREF GetTitleTipBackClr() const { return m_crTTipBackClr; }
    COLORREF GetTitleTipTextClr() const { return m_crTTipTextClr; }
    void SetTitleTipColors(COLORREF crText, COLORREF crBack)
    {
        m_crTTipTextClr = crText;
        m_crTTipBackClr = crBack;
    }
    int GetGridLines() const { return m_nGridLines; }
    void SetGridLines(int nWhichLines) { m_nGridLines = nWhichLines; }
    const LOGFONT* GetGridFont() const { return &m_Logfont; }
    CImageList* GetImageList() const { return m_pImageList; }
    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL GetListMode() const { return m_bListMode; }
    void SetListMode(BOOL bEnableListMode = TRUE) { m_bListMode = bEnableListMode; }
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void EnableSelection(BOOL bEnable = TRUE);
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    BOOL GetSortOnClick() const { return m_bSortOnClick; }
    void SetSortOnClick(BOOL bSort) { m_bSortOnClick = bSort; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetHandleTabKey(BOOL bHandle = TRUE) { m_bHandleTabKey = bHandle; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    BOOL GetRedraw() const { return m_bAllowDraw; }
    void SetAllowDraw(BOOL bAllow) { m_bAllowDraw = bAllow; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
    BOOL GetColumnResize() const { return m_bAllowColumnResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
    UINT GetMouseWheelLines() const { return m_nRowsPerWheelNotch; }
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bAscending; }
    int GetMouseMode() const { return m_MouseMode; }
    BOOL IsOleInitialisedHere() const { return m_bMustUninitOLE; }
    BOOL GetPrintColour() const { return m_bPrintColour; }
    void SetPrintColour(BOOL bColour) { m_bPrintColour = bColour; }
    BOOL GetWysiwygPrinting() const { return m_bWysiwygPrinting; }
    void SetWysiwygPrinting(BOOL bWysiwyg) { m_bWysiwygPrinting = bWysiwyg; }
    const CSheetDropTarget& GetDropTarget() const { return m_DropTarget; }
    BOOL IsDropTargetRegistered() const { return m_bDropTargetRegistered; }
    CTitleTip& GetTitleTip() { return m_TitleTip; }

    // --- geometry
    CCellID GetTopleftNonFixedCell() const;
    CCellRange GetVisibleNonFixedCellRange(LPRECT pRect = nullptr) const;
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p) const;
    BOOL GetCellOrigin(const CCellID& cell, LPPOINT p) const { return GetCellOrigin(cell.row, cell.col, p); }
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect) const;
    BOOL GetCellRect(const CCellID& cell, LPRECT pRect) const { return GetCellRect(cell.row, cell.col, pRect); }
    CCellID GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE) const;
    CPoint GetPointRelativeToCell(const CCellID& cell, CPoint point) const;
    BOOL IsCellVisible(int nRow, int nCol) const;
    BOOL IsCellVisible(const CCellID& cell) const { return IsCellVisible(cell.row, cell.col); }
    BOOL InvalidateCellRect(int nRow, int nCol);
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
    void ResetScrollBars();
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE) const;
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetVScrollMax() const { return m_nVScrollMax; }
    int GetHScrollMax() const { return m_nHScrollMax; }

    // --- focus and selection
    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol);
    void SetSelectedRange(const CCellRange& range)
    {
        SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol());
    }
    CCellRange GetSelectedCellRange() const;
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.GetCount()); }
    void ResetSelectedRange();
    void SelectAll();
    void SelectColumns(CCellID currentCell);
    void SelectRows(CCellID currentCell);
    void SelectCells(CCellID currentCell);
    void OnSelecting(const CCellID& currentCell);
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }

    // --- sorting
    BOOL SortTextItems(int nCol, BOOL bAscending);
    BOOL SortTextItems(int nCol, BOOL bAscending, int low, int high);

    // --- drag and drop (called by CSheetDropTarget and the mouse handling)
    void OnBeginDrag();
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    void OnDragLeave();
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    CCellID GetLastDragOverCell() const { return m_LastDragOverCell; }

    // Sends WM_NOTIFY with an NM_GRIDVIEW record to the owner (or parent).
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;

    // --- virtual operations
    virtual void CutSelectedText();
    virtual COleDataSource* CopyTextFromGrid();
    virtual BOOL PasteTextToGrid(CCellID cell, COleDataObject* pDataObject);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintRowHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual CImageList* CreateDragImage(CPoint* pHotSpot);
    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void OnFixedRowClick(CCellID& cell);
    virtual void OnEndEditCell(int nRow, int nCol, CString str);
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void EndEditing();
    virtual void OnDraw(CDC* pDC);
    virtual CSheetCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);

    // Print layout computed by OnBeginPrinting.
    int GetPrintPageCount() const { return m_nNumPages; }
    int GetPrintPagesAcross() const { return m_nPageMultiplier; }
    int GetPrintPageHeight() const { return m_nPageHeight; }
    int GetPrintPageWidth() const { return m_nPageWidth; }
    CSize GetPrintLogicalPageSize() const { return m_LogicalPageSize; }
    CSize GetPrintCharSize() const { return m_CharSize; }
    int GetPrintFirstRow() const { return m_nCurrPrintRow; }
    int GetPrintFirstColumn() const { return m_nCurrPrintCol; }

protected:
    void PreSubclassWindow() override;
    // The steps of WM_SETFONT after the default processing.
    void ApplyFont(HFONT hFont);
    BOOL MouseOverRowResizeArea(CPoint point) const;
    BOOL MouseOverColumnResizeArea(CPoint point) const;
    // Width and height of the client area as if no scroll bar were shown.
    CRect GetFullClientRect() const;
    // Position of page n (1-based) in the print pagination.
    void LocatePrintPage(int nPage);
    void DrawPrintLines(CDC* pDC, const CRect& rect, int nRow, int nCol, BOOL bFirstRow);
    void RemoveFromMaps(int nRow, int nCol);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    UINT OnGetDlgCode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnTimer(UINT_PTR nIDEvent);
    void OnCaptureChanged(CWnd* pWnd);
    void OnDestroy();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    void OnCmdEditCut() { OnEditCut(); }
    void OnCmdEditCopy() { OnEditCopy(); }
    void OnCmdEditPaste() { OnEditPaste(); }
    void OnCmdEditSelectAll() { OnEditSelectAll(); }

protected:
    using GridRow = std::vector<CSheetCellBase*>;
    using CellMap = CMap<DWORD, DWORD, CCellID, const CCellID&>;
    static DWORD CellKey(int nRow, int nCol) { return (static_cast<DWORD>(nCol) << 16) | (nRow & 0xFFFF); }

    // Colours, with the system colours they were taken from.
    COLORREF m_crTextColour, m_crBkColour, m_crOutsideColour, m_crFixedTextColour, m_crFixedBkColour;
    COLORREF m_crGridColour = RGB(0xC0, 0xC0, 0xC0);
    COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
    COLORREF m_crTTipBackClr = CLR_GRID_DEFAULT;
    COLORREF m_crTTipTextClr = CLR_GRID_DEFAULT;

    int m_nGridLines = GVL_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bSortOnClick = TRUE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    BOOL m_bWysiwygPrinting = FALSE;

    int m_nRows = 0, m_nFixedRows = 0, m_nCols = 0, m_nFixedCols = 0;
    std::vector<UINT> m_arRowHeights;
    std::vector<UINT> m_arColWidths;
    int m_nMargin = 0; // width of a space in the grid font
    int m_nDefCellWidth = 30;
    int m_nDefCellHeight = 10;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;

    LOGFONT m_Logfont {};
    CFont m_Font;
    CFont m_PrinterFont;
    CImageList* m_pImageList = nullptr;
    std::vector<GridRow> m_RowData;

    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    CPoint m_LeftClickDownPoint;
    CPoint m_LastMousePoint;
    CCellID m_LeftClickDownCell;
    CCellID m_SelectionStartCell;
    CCellID m_idCurrentCell;
    UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    UINT m_nRowsPerWheelNotch = 3;
    CellMap m_SelectedCellMap;
    CellMap m_PrevSelectedCellMap;
    CRuntimeClass* m_pRtcDefault;
    CTitleTip m_TitleTip;
    BOOL m_bMustUninitOLE = FALSE;
    CCellID m_LastDragOverCell;
    CSheetDropTarget m_DropTarget;
    BOOL m_bDropTargetRegistered = FALSE;

    // Printing.
    CSize m_CharSize;
    CSize m_LogicalPageSize;
    CSize m_PaperSize;
    int m_nPageHeight = 0;
    int m_nPageWidth = 0;
    int m_nCurrPrintRow = 0;
    int m_nCurrPrintCol = 0;
    int m_nNumPages = 0;
    int m_nPageMultiplier = 0;
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    BOOL m_bPrintColour = TRUE;
    int m_nHeaderHeight = 2, m_nFooterHeight = 2;
    int m_nLeftMargin = 4, m_nRightMargin = 4;
    int m_nTopMargin = 1, m_nBottomMargin = 1;
    int m_nGap = 1;

    friend class CSheetDropTarget;
    DECLARE_MESSAGE_MAP()
};

// Binds a dialog's "SheetCtrl" placeholder control to a grid object.
void AFXAPI DDX_GridControl(CDataExchange* pDX, int nIDC, CSheetCtrl& rControl);
