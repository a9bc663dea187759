// CSheetCtrl core: window class and binding, construction and destruction,
// rows, columns and the cell store, items, sizes, fonts and colours, scroll
// ranges and the notifications to the parent.
#include "SheetCtrl.h"

IMPLEMENT_DYNCREATE(CSheetCtrl, CWnd)

BEGIN_MESSAGE_MAP(CSheetCtrl, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_MOUSEWHEEL()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_CAPTURECHANGED()
ON_WM_DESTROY()
ON_MESSAGE(WM_SETFONT, OnSetFont)
ON_MESSAGE(WM_GETFONT, OnGetFont)
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
ON_NOTIFY(LVN_ENDLABELEDITW, IDC_INPLACE_EDIT, OnEndInPlaceEdit)
ON_COMMAND(ID_EDIT_CUT, OnCmdEditCut)
ON_COMMAND(ID_EDIT_COPY, OnCmdEditCopy)
ON_COMMAND(ID_EDIT_PASTE, OnCmdEditPaste)
ON_COMMAND(ID_EDIT_SELECT_ALL, OnCmdEditSelectAll)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

namespace {
// One size change at a time across all grids: showing a scroll bar while
// handling a size change sends another one.
bool g_bInOnSize = false;

UINT ReadWheelScrollLines()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 3;
    BYTE buffer[256] = {};
    DWORD dwType = 0;
    DWORD dwSize = sizeof(buffer) - sizeof(wchar_t);
    LONG result = ::RegQueryValueEx(hKey, L"WheelScrollLines", nullptr, &dwType, buffer, &dwSize);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return 3;
    return static_cast<UINT>(wcstoul(reinterpret_cast<const wchar_t*>(buffer), nullptr, 10));
}
} // namespace

CSheetCtrl::CSheetCtrl()
    : m_pRtcDefault(RUNTIME_CLASS(CSheetCell))
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wndcls {};
    if (!::GetClassInfo(hInst, SHEETCTRL_CLASSNAME, &wndcls)) {
        wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wndcls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
        wndcls.lpszClassName = SHEETCTRL_CLASSNAME;
        if (!::RegisterClass(&wndcls))
            AfxThrowResourceException();
    }

    if (!AfxOleIsThreadInitialized()) {
        if (FAILED(::OleInitialize(nullptr))) {
            AfxMessageBox(L"OLE initialization failed. Make sure that the OLE libraries are the correct version");
            m_bMustUninitOLE = FALSE;
        } else {
            m_bMustUninitOLE = TRUE;
        }
    }

    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crTextColour = m_crWindowText;
    m_crBkColour = m_crWindowColour;
    m_crOutsideColour = m_crShadow;
    m_crFixedTextColour = m_crWindowText;
    m_crFixedBkColour = m_cr3DFace;

    m_nRowsPerWheelNotch = ReadWheelScrollLines();

    NONCLIENTMETRICS ncm {};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_Logfont = ncm.lfMessageFont;

    SetRowCount(0);
    SetColumnCount(0);
    SetFixedRowCount(0);
    SetFixedColumnCount(0);
    m_SelectedCellMap.RemoveAll();
    m_PrevSelectedCellMap.RemoveAll();
}

CSheetCtrl::~CSheetCtrl()
{
    DeleteAllItems();
    if (m_TitleTip.GetSafeHwnd() != nullptr)
        m_TitleTip.DestroyWindow();
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_Font.DeleteObject();
    // Data we put on the clipboard must outlive this grid and its program.
    if (COleDataSource::GetClipboardOwner() != nullptr)
        COleDataSource::FlushClipboard();
    if (m_bMustUninitOLE)
        ::OleUninitialize();
}

BOOL CSheetCtrl::Initialise()
{
    if (!m_bDropTargetRegistered && m_DropTarget.Register(this))
        m_bDropTargetRegistered = TRUE;
    if (m_bTitleTips && m_TitleTip.GetSafeHwnd() == nullptr)
        m_TitleTip.Create(this);
    return TRUE;
}

void AFXAPI DDX_GridControl(CDataExchange* pDX, int nIDC, CSheetCtrl& rControl)
{
    if (rControl.GetSafeHwnd() != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
    if (!rControl.Initialise())
        AfxThrowNotSupportedException();
}

void CSheetCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    HFONT hFont = ::CreateFontIndirect(&m_Logfont);
    if (hFont != nullptr) {
        ApplyFont(hFont);
        ::DeleteObject(hFont);
    }
}

void CSheetCtrl::OnDestroy()
{
    // OLE keeps a reference to the target for as long as it is registered.
    if (m_bDropTargetRegistered)
        m_DropTarget.Revoke();
    Default();
}

// ---------------------------------------------------------------------------
// Counts

BOOL CSheetCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == GetRowCount())
        return TRUE;
    if (nRows < m_nRows) {
        if (m_nFixedRows > nRows)
            m_nFixedRows = nRows;
        if (m_idCurrentCell.row >= nRows)
            SetFocusCell(-1, -1);
        for (int row = nRows; row < m_nRows; row++) {
            for (int col = 0; col < m_nCols; col++)
                DestroyCell(row, col);
        }
    }
    const int nAddedRowsFrom = m_nRows;
    m_nRows = nRows;
    m_RowData.resize(static_cast<size_t>(nRows));
    m_arRowHeights.resize(static_cast<size_t>(nRows));
    for (int row = nAddedRowsFrom; row < nRows; row++) {
        m_arRowHeights[static_cast<size_t>(row)] = static_cast<UINT>(m_nDefCellHeight);
        m_RowData[static_cast<size_t>(row)].assign(static_cast<size_t>(m_nCols), nullptr);
        for (int col = 0; col < m_nCols; col++)
            m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)] = CreateCell(row, col);
    }
    SetModified();
    ResetScrollBars();
    if (GetSafeHwnd() != nullptr && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

BOOL CSheetCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == GetColumnCount())
        return TRUE;
    if (nCols < m_nCols) {
        if (m_nFixedCols > nCols)
            m_nFixedCols = nCols;
        if (m_idCurrentCell.col >= nCols)
            SetFocusCell(-1, -1);
        for (int row = 0; row < m_nRows; row++) {
            for (int col = nCols; col < m_nCols; col++)
                DestroyCell(row, col);
        }
    }
    const int nAddedColsFrom = m_nCols;
    m_nCols = nCols;
    m_arColWidths.resize(static_cast<size_t>(nCols));
    for (int col = nAddedColsFrom; col < nCols; col++)
        m_arColWidths[static_cast<size_t>(col)] = static_cast<UINT>(m_nDefCellWidth);
    for (int row = 0; row < m_nRows; row++) {
        GridRow& rowData = m_RowData[static_cast<size_t>(row)];
        rowData.resize(static_cast<size_t>(nCols), nullptr);
        for (int col = nAddedColsFrom; col < nCols; col++)
            rowData[static_cast<size_t>(col)] = CreateCell(row, col);
    }
    SetModified();
    ResetScrollBars();
    if (GetSafeHwnd() != nullptr && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

BOOL CSheetCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (m_nFixedRows == nFixedRows)
        return TRUE;
    if (nFixedRows > GetRowCount() && !SetRowCount(nFixedRows))
        return FALSE;
    if (m_idCurrentCell.row < nFixedRows)
        SetFocusCell(-1, -1);
    if (nFixedRows > m_nFixedRows) {
        for (int row = m_nFixedRows; row < nFixedRows; row++)
            for (int col = m_nFixedCols; col < m_nCols; col++)
                SetItemState(row, col, GetItemState(row, col) | GVIS_FIXED);
    } else {
        for (int row = nFixedRows; row < m_nFixedRows; row++)
            for (int col = m_nFixedCols; col < m_nCols; col++)
                SetItemState(row, col, GetItemState(row, col) & ~GVIS_FIXED);
    }
    m_nFixedRows = nFixedRows;
    if (GetSafeHwnd() != nullptr && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

BOOL CSheetCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (m_nFixedCols == nFixedCols)
        return TRUE;
    if (nFixedCols > GetColumnCount() && !SetColumnCount(nFixedCols))
        return FALSE;
    if (m_idCurrentCell.col < nFixedCols)
        SetFocusCell(-1, -1);
    const int nFrom = std::min(m_nFixedCols, nFixedCols);
    const int nTo = std::max(m_nFixedCols, nFixedCols);
    const bool bFixing = nFixedCols > m_nFixedCols;
    for (int row = m_nFixedRows; row < m_nRows; row++) {
        for (int col = nFrom; col < nTo; col++) {
            UINT state = GetItemState(row, col);
            SetItemState(row, col, bFixing ? (state | GVIS_FIXED) : (state & ~GVIS_FIXED));
            if (CSheetCellBase* pCell = GetCell(row, col)) {
                pCell->SetBackClr(CLR_GRID_DEFAULT);
                pCell->SetTextClr(CLR_GRID_DEFAULT);
            }
        }
    }
    m_nFixedCols = nFixedCols;
    if (GetSafeHwnd() != nullptr && m_bAllowDraw)
        Invalidate();
    return TRUE;
}

CSheetCellBase* CSheetCtrl::CreateCell(int nRow, int nCol)
{
    if (m_pRtcDefault == nullptr || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CSheetCellBase)))
        return nullptr;
    CObject* pObject = m_pRtcDefault->CreateObject();
    auto* pCell = dynamic_cast<CSheetCellBase*>(pObject);
    if (pCell == nullptr) {
        delete pObject;
        return nullptr;
    }
    pCell->SetGrid(this);
    pCell->SetFont(&m_Logfont);
    pCell->SetCoords(nRow, nCol);
    if (nRow > 0 && nCol >= 0 && nCol < m_nCols)
        pCell->SetFormat(GetItemFormat(nRow - 1, nCol));
    if (nRow < m_nFixedRows || nCol < m_nFixedCols)
        pCell->SetState(pCell->GetState() | GVIS_FIXED);
    return pCell;
}

void CSheetCtrl::DestroyCell(int nRow, int nCol)
{
    SetItemState(nRow, nCol, 0);
    if (nRow < 0 || nCol < 0 || static_cast<size_t>(nRow) >= m_RowData.size())
        return;
    GridRow& row = m_RowData[static_cast<size_t>(nRow)];
    if (static_cast<size_t>(nCol) >= row.size())
        return;
    delete row[static_cast<size_t>(nCol)];
    row[static_cast<size_t>(nCol)] = nullptr;
}

BOOL CSheetCtrl::DeleteAllItems()
{
    m_PrevSelectedCellMap.RemoveAll();
    ResetSelectedRange();
    m_arColWidths.clear();
    m_arRowHeights.clear();
    for (int row = 0; row < static_cast<int>(m_RowData.size()); row++) {
        for (int col = 0; col < static_cast<int>(m_RowData[static_cast<size_t>(row)].size()); col++)
            DestroyCell(row, col);
    }
    m_RowData.clear();
    m_idCurrentCell = CCellID(-1, -1);
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_SelectedCellMap.RemoveAll();
    ResetScrollBars();
    SetModified();
    return TRUE;
}

void CSheetCtrl::EnableSelection(BOOL bEnable)
{
    m_PrevSelectedCellMap.RemoveAll();
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    m_bEnableSelection = bEnable;
    m_PrevSelectedCellMap.RemoveAll();
    ResetSelectedRange();
    SetFocusCell(-1, -1);
}

// ---------------------------------------------------------------------------
// Cells and items

BOOL CSheetCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

BOOL CSheetCtrl::IsValid(const CCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0
        && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow()
        && range.GetMinCol() <= range.GetMaxCol();
}

CSheetCellBase* CSheetCtrl::GetCell(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol) || static_cast<size_t>(nRow) >= m_RowData.size())
        return nullptr;
    const GridRow& row = m_RowData[static_cast<size_t>(nRow)];
    if (static_cast<size_t>(nCol) >= row.size())
        return nullptr;
    return row[static_cast<size_t>(nCol)];
}

BOOL CSheetCtrl::SetItem(const GridItem* pItem)
{
    if (pItem == nullptr || !IsValid(pItem->row, pItem->col))
        return FALSE;
    CSheetCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (pCell == nullptr)
        return FALSE;
    SetModified(TRUE, pItem->row, pItem->col);
    if (pItem->mask & GVIF_TEXT)
        pCell->SetText(pItem->strText);
    if (pItem->mask & GVIF_PARAM)
        pCell->SetData(pItem->lParam);
    if (pItem->mask & GVIF_IMAGE)
        pCell->SetImage(pItem->iImage);
    if (pItem->mask & GVIF_STATE)
        pCell->SetState(pItem->nState);
    if (pItem->mask & GVIF_FORMAT)
        pCell->SetFormat(pItem->nFormat);
    if (pItem->mask & GVIF_BKCLR)
        pCell->SetBackClr(pItem->crBkClr);
    if (pItem->mask & GVIF_FGCLR)
        pCell->SetTextClr(pItem->crFgClr);
    if (pItem->mask & GVIF_FONT)
        pCell->SetFont(&pItem->lfFont);
    if (pItem->mask & GVIF_MARGIN)
        pCell->SetMargin(pItem->nMargin);
    return TRUE;
}

BOOL CSheetCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    CSheetCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetText(str);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

CString CSheetCtrl::GetItemText(int nRow, int nCol) const
{
    CSheetCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || pCell->GetText() == nullptr)
        return CString();
    return CString(pCell->GetText());
}

BOOL CSheetCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    CSheetCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    const BOOL bSelectedNow = (pCell->GetState() & GVIS_SELECTED) != 0;
    if (bSelectedNow && (state & GVIS_SELECTED) == 0)
        m_SelectedCellMap.RemoveKey(CellKey(nRow, nCol));
    else if (!bSelectedNow && (state & GVIS_SELECTED) != 0)
        m_SelectedCellMap.SetAt(CellKey(nRow, nCol), CCellID(nRow, nCol));
    pCell->SetState(state);
    return TRUE;
}

UINT CSheetCtrl::GetItemState(int nRow, int nCol) const
{
    CSheetCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetState() : 0;
}

UINT CSheetCtrl::GetItemFormat(int nRow, int nCol) const
{
    CSheetCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetFormat() : 0;
}

BOOL CSheetCtrl::IsCellEditable(int nRow, int nCol) const
{
    return m_bEditable && (GetItemState(nRow, nCol) & GVIS_READONLY) == 0;
}

void CSheetCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    m_nSortColumn = -1; // any change removes the sort arrow
    if (nRow > 0 && nCol > 0) {
        if (bModified) {
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GVIS_MODIFIED);
            m_bModified = TRUE;
        } else {
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~GVIS_MODIFIED);
        }
    } else {
        m_bModified = bModified;
    }
    if (!m_bModified) {
        for (int row = 0; row < m_nRows; row++)
            for (int col = 0; col < m_nCols; col++)
                SetItemState(row, col, GetItemState(row, col) & ~GVIS_MODIFIED);
    }
}

// ---------------------------------------------------------------------------
// Sizes

int CSheetCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return -1;
    return static_cast<int>(m_arRowHeights[static_cast<size_t>(nRow)]);
}

int CSheetCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    return static_cast<int>(m_arColWidths[static_cast<size_t>(nCol)]);
}

BOOL CSheetCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return FALSE;
    m_arRowHeights[static_cast<size_t>(nRow)] = static_cast<UINT>(height);
    ResetScrollBars();
    return TRUE;
}

BOOL CSheetCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths[static_cast<size_t>(nCol)] = static_cast<UINT>(width);
    ResetScrollBars();
    return TRUE;
}

int CSheetCtrl::GetVirtualHeight() const
{
    int nHeight = 0;
    for (UINT h : m_arRowHeights)
        nHeight += static_cast<int>(h);
    return nHeight;
}

int CSheetCtrl::GetVirtualWidth() const
{
    int nWidth = 0;
    for (UINT w : m_arColWidths)
        nWidth += static_cast<int>(w);
    return nWidth;
}

int CSheetCtrl::GetFixedRowHeight() const
{
    int nHeight = 0;
    for (int i = 0; i < m_nFixedRows; i++)
        nHeight += GetRowHeight(i);
    return nHeight;
}

int CSheetCtrl::GetFixedColumnWidth() const
{
    int nWidth = 0;
    for (int i = 0; i < m_nFixedCols; i++)
        nWidth += GetColumnWidth(i);
    return nWidth;
}

BOOL CSheetCtrl::AutoSizeColumn(int nCol)
{
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) < 1)
        return FALSE;
    CDC* pDC = GetDC();
    if (pDC == nullptr)
        return FALSE;
    int nWidth = 0;
    for (int row = 0; row < m_nRows; row++) {
        if (CSheetCellBase* pCell = GetCell(row, nCol))
            nWidth = std::max(nWidth, static_cast<int>(pCell->GetCellExtent(pDC).cx));
    }
    m_arColWidths[static_cast<size_t>(nCol)] = static_cast<UINT>(nWidth);
    ReleaseDC(pDC);
    ResetScrollBars();
    return TRUE;
}

BOOL CSheetCtrl::AutoSizeRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) < 1)
        return FALSE;
    CDC* pDC = GetDC();
    if (pDC == nullptr)
        return FALSE;
    int nHeight = 0;
    for (int col = 0; col < m_nCols; col++) {
        if (CSheetCellBase* pCell = GetCell(nRow, col))
            nHeight = std::max(nHeight, static_cast<int>(pCell->GetCellExtent(pDC).cy));
    }
    m_arRowHeights[static_cast<size_t>(nRow)] = static_cast<UINT>(nHeight);
    ReleaseDC(pDC);
    ResetScrollBars();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Fonts and colours

LRESULT CSheetCtrl::OnSetFont(WPARAM wParam, LPARAM)
{
    LRESULT result = Default();
    ApplyFont(reinterpret_cast<HFONT>(wParam));
    return result;
}

void CSheetCtrl::ApplyFont(HFONT hFont)
{
    // lf lives in a block of its own: with it at function scope, GCC 12 at -O3
    // splits this function after the copy below and then reports the copy as a
    // use of a dangling lf (-Wdangling-pointer), although the copy is reached
    // only through the successful GetObject, where lf is alive; the warning's
    // own dump shows no end of lf's life on that path. The narrower scope is
    // the same code and does not trip it.
    {
        LOGFONT lf {};
        if (hFont == nullptr || ::GetObject(hFont, sizeof(lf), &lf) == 0)
            return;
        m_Logfont = lf;
    }
    for (int row = 0; row < m_nRows; row++)
        for (int col = 0; col < m_nCols; col++)
            if (CSheetCellBase* pCell = GetCell(row, col))
                pCell->SetFont(&m_Logfont);
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(&m_Logfont);

    if (GetSafeHwnd() != nullptr) {
        if (CDC* pDC = GetDC()) {
            HGDIOBJ hOld = pDC->SelectObject(m_Font.m_hObject);
            TEXTMETRIC tm {};
            pDC->GetTextMetrics(&tm);
            m_nMargin = pDC->GetTextExtent(L" ", 1).cx;
            pDC->SelectObject(hOld);
            ReleaseDC(pDC);
            m_nDefCellHeight = tm.tmHeight + tm.tmExternalLeading + tm.tmHeight / 4;
            m_nDefCellWidth = tm.tmAveCharWidth * 12 + 2 * m_nMargin;
        }
        Invalidate();
    }
}

LRESULT CSheetCtrl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_Font.m_hObject);
}

LRESULT CSheetCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (m_crTextColour == m_crWindowText)
        m_crTextColour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (m_crBkColour == m_crWindowColour)
        m_crBkColour = ::GetSysColor(COLOR_WINDOW);
    if (m_crOutsideColour == m_crShadow)
        m_crOutsideColour = ::GetSysColor(COLOR_3DSHADOW);
    if (m_crFixedTextColour == m_crWindowText)
        m_crFixedTextColour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (m_crFixedBkColour == m_cr3DFace)
        m_crFixedBkColour = ::GetSysColor(COLOR_3DFACE);
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crShadow = ::GetSysColor(COLOR_3DSHADOW);
    return result;
}

// ---------------------------------------------------------------------------
// Window messages

void CSheetCtrl::OnSize(UINT, int, int)
{
    if (GetSafeHwnd() == nullptr || g_bInOnSize)
        return;
    g_bInOnSize = true;
    EndEditing();
    Default();
    ResetScrollBars();
    g_bInOnSize = false;
}

UINT CSheetCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && ::GetKeyState(VK_CONTROL) >= 0)
        nCode |= DLGC_WANTTAB;
    return nCode;
}

BOOL CSheetCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSheetCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() == GetSafeHwnd())
        return;
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    if (m_MouseMode == MOUSE_DRAGGING)
        m_MouseMode = MOUSE_NOTHING;
}

// ---------------------------------------------------------------------------
// Scroll ranges

CRect CSheetCtrl::GetFullClientRect() const
{
    CRect rect;
    GetClientRect(&rect);
    const DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    return rect;
}

int CSheetCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos) const
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!::GetScrollInfo(m_hWnd, nBar, &si))
        return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CSheetCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = nPos;
    ::SetScrollInfo(m_hWnd, nBar, &si, bRedraw);
    return TRUE;
}

void CSheetCtrl::ResetScrollBars()
{
    if (!m_bAllowDraw || GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CRect full = GetFullClientRect();
    const int nFixedWidth = GetFixedColumnWidth();
    const int nFixedHeight = GetFixedRowHeight();
    CRect area(full.left + nFixedWidth, full.top + nFixedHeight, full.right, full.bottom);
    if (area.IsRectEmpty() || area.right <= area.left || area.bottom <= area.top) {
        ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
        return;
    }

    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE;
    si.nPage = static_cast<UINT>(full.Width() - nFixedWidth);
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, FALSE);
    si.nPage = static_cast<UINT>(full.Height() - nFixedHeight);
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, FALSE);

    const int nScrollHeight = GetVirtualHeight() - nFixedHeight;
    const int nScrollWidth = GetVirtualWidth() - nFixedWidth;
    int nUsableWidth = full.Width();
    int nUsableHeight = full.Height();
    if (nScrollHeight > full.Height() - nFixedHeight)
        nUsableWidth -= ::GetSystemMetrics(SM_CXVSCROLL);
    const bool bNeedHorz = nScrollWidth > nUsableWidth - nFixedWidth;
    if (bNeedHorz)
        nUsableHeight -= ::GetSystemMetrics(SM_CYHSCROLL);

    if (nScrollHeight > nUsableHeight - nFixedHeight) {
        ::ShowScrollBar(m_hWnd, SB_VERT, TRUE);
        m_nVScrollMax = nScrollHeight - 1;
    } else {
        m_nVScrollMax = 0;
    }
    if (bNeedHorz) {
        ::ShowScrollBar(m_hWnd, SB_HORZ, TRUE);
        m_nHScrollMax = nScrollWidth - 1;
    } else {
        m_nHScrollMax = 0;
    }
    ::SetScrollRange(m_hWnd, SB_VERT, 0, m_nVScrollMax, TRUE);
    ::SetScrollRange(m_hWnd, SB_HORZ, 0, m_nHScrollMax, TRUE);
}

// ---------------------------------------------------------------------------
// Notifications

LRESULT CSheetCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    NM_GRIDVIEW nmgv {};
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    nmgv.hdr.hwndFrom = m_hWnd;
    nmgv.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nmgv.hdr.code = static_cast<UINT>(nMessage);
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, nmgv.hdr.idFrom, reinterpret_cast<LPARAM>(&nmgv));
}
