// CSheetCtrl clipboard and drag and drop: the selection as text (a tab
// between fields, a line feed between rows), cut, paste, the edit commands
// and their update queries, and the grid's side of OLE drags.
#include "SheetCtrl.h"

#include <vector>

namespace {
// Splits a line into fields at any of tab, comma and line feed; runs of
// separators count as one, so empty fields take no cell.
std::vector<CString> SplitFields(const CString& line)
{
    std::vector<CString> fields;
    CString field;
    for (int i = 0; i < line.GetLength(); i++) {
        wchar_t ch = line[i];
        if (ch == L'\t' || ch == L',' || ch == L'\n') {
            if (!field.IsEmpty())
                fields.push_back(field);
            field.Empty();
        } else {
            field += ch;
        }
    }
    if (!field.IsEmpty())
        fields.push_back(field);
    return fields;
}
} // namespace

void CSheetCtrl::CutSelectedText()
{
    if (!m_bEditable)
        return;
    std::vector<CCellID> cells;
    for (POSITION pos = m_SelectedCellMap.GetStartPosition(); pos != nullptr;) {
        DWORD key = 0;
        CCellID cell;
        m_SelectedCellMap.GetNextAssoc(pos, key, cell);
        cells.push_back(cell);
    }
    for (const CCellID& cell : cells) {
        CSheetCellBase* pCell = GetCell(cell.row, cell.col);
        if (pCell == nullptr || pCell->IsReadOnly() || GetRowHeight(cell.row) == 0 || GetColumnWidth(cell.col) == 0)
            continue;
        SendMessageToParent(cell.row, cell.col, LVN_BEGINLABELEDITW);
        pCell->SetText(L"");
        SetModified(TRUE, cell.row, cell.col);
        SendMessageToParent(cell.row, cell.col, LVN_ENDLABELEDITW);
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

COleDataSource* CSheetCtrl::CopyTextFromGrid()
{
    CCellRange selection = GetSelectedCellRange();
    if (!IsValid(selection))
        return nullptr;

    // Each row is converted to the ANSI code page and written as a whole.
    CStringA text;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); row++) {
        if (GetRowHeight(row) == 0)
            continue;
        CString line;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); col++) {
            if (GetColumnWidth(col) == 0)
                continue;
            CSheetCellBase* pCell = GetCell(row, col);
            if (pCell != nullptr && pCell->IsSelected() && pCell->GetText() != nullptr)
                line += pCell->GetText();
            if (col != selection.GetMaxCol())
                line += L"\t";
        }
        if (row != selection.GetMaxRow())
            line += L"\n";
        text += CStringA(line);
    }

    const SIZE_T nBytes = static_cast<SIZE_T>(text.GetLength()) + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
    if (hMem == nullptr)
        return nullptr;
    void* pMem = ::GlobalLock(hMem);
    if (pMem == nullptr) {
        ::GlobalFree(hMem);
        return nullptr;
    }
    memcpy(pMem, text.GetString(), nBytes);
    ::GlobalUnlock(hMem);

    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hMem);
    return pSource;
}

BOOL CSheetCtrl::PasteTextToGrid(CCellID cell, COleDataObject* pDataObject)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || pDataObject == nullptr || !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    HGLOBAL hMem = pDataObject->GetGlobalData(CF_TEXT);
    if (hMem == nullptr)
        return FALSE;

    // The block comes from another program: read no further than its size,
    // whether or not it carries its NUL.
    CStringA bytes;
    const SIZE_T nSize = ::GlobalSize(hMem);
    if (const char* p = static_cast<const char*>(::GlobalLock(hMem))) {
        SIZE_T nLength = 0;
        while (nLength < nSize && p[nLength] != '\0')
            nLength++;
        bytes = CStringA(p, static_cast<int>(nLength));
        ::GlobalUnlock(hMem);
    }
    ::GlobalFree(hMem);
    CString text(bytes);

    std::vector<CString> lines;
    int nStart = 0;
    for (;;) {
        int nEnd = text.Find(L'\n', nStart);
        if (nEnd < 0) {
            lines.push_back(text.Mid(nStart));
            break;
        }
        CString line = text.Mid(nStart, nEnd - nStart);
        lines.push_back(line.IsEmpty() ? CString(L" ") : line);
        nStart = nEnd + 1;
    }

    int nRowVis = cell.row;
    for (const CString& line : lines) {
        while (nRowVis < m_nRows && GetRowHeight(nRowVis) == 0)
            nRowVis++;
        const int targetRow = nRowVis++;
        int nColVis = cell.col;
        for (CString field : SplitFields(line)) {
            while (nColVis < m_nCols && GetColumnWidth(nColVis) == 0)
                nColVis++;
            const int targetCol = nColVis++;
            CSheetCellBase* pCell = GetCell(targetRow, targetCol);
            if (pCell == nullptr || pCell->IsReadOnly())
                continue;
            field.Trim();
            SendMessageToParent(targetRow, targetCol, LVN_BEGINLABELEDITW);
            pCell->SetText(field);
            SetModified(TRUE, targetRow, targetCol);
            SendMessageToParent(targetRow, targetCol, LVN_ENDLABELEDITW);
            SetItemState(targetRow, targetCol, GetItemState(targetRow, targetCol) & ~GVIS_SELECTED);
        }
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

void CSheetCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == nullptr)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CSheetCtrl::OnEditCopy()
{
    if (COleDataSource* pSource = CopyTextFromGrid())
        pSource->SetClipboard();
}

void CSheetCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    CCellID cell = GetFocusCell();
    if (!IsValid(cell))
        cell = GetTopleftNonFixedCell();
    if (!IsValid(cell))
        return;
    COleDataObject obj;
    if (obj.AttachClipboard())
        PasteTextToGrid(cell, &obj);
}

void CSheetCtrl::OnEditSelectAll()
{
    SelectAll();
}

void CSheetCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsValid(GetSelectedCellRange()));
}

void CSheetCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bEditable && IsValid(GetSelectedCellRange()));
}

void CSheetCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    CCellID cell = GetFocusCell();
    pCmdUI->Enable(IsValid(cell) && IsCellEditable(cell) && ::IsClipboardFormatAvailable(CF_TEXT));
}

void CSheetCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bEnableSelection);
}

CImageList* CSheetCtrl::CreateDragImage(CPoint* pHotSpot)
{
    CRect rect;
    if (!GetCellRect(m_idCurrentCell, &rect))
        return nullptr;
    CDC* pDC = GetDC();
    if (pDC == nullptr)
        return nullptr;
    rect.OffsetRect(-rect.left, -rect.top);
    auto* pList = new CImageList;
    if (!pList->Create(rect.Width(), rect.Height(), ILC_COLOR | ILC_MASK, 1, 1)) {
        delete pList;
        ReleaseDC(pDC);
        return nullptr;
    }
    CDC memDC;
    CBitmap bitmap;
    if (memDC.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height())) {
        HGDIOBJ hOld = memDC.SelectObject(bitmap.m_hObject);
        memDC.FillSolidRect(&rect, m_crBkColour);
        if (CSheetCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->Draw(&memDC, m_idCurrentCell.row, m_idCurrentCell.col, rect, TRUE);
        memDC.SelectObject(hOld);
        pList->Add(&bitmap, m_crBkColour);
    }
    ReleaseDC(pDC);
    if (pHotSpot != nullptr) {
        pHotSpot->x = rect.Width();
        pHotSpot->y = rect.Height();
    }
    return pList;
}

// ---------------------------------------------------------------------------
// Drag and drop

void CSheetCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == nullptr)
        return;
    CCellID topLeft = GetSelectedCellRange().GetTopLeft();
    SendMessageToParent(topLeft.row, topLeft.col, LVN_BEGINDRAG);
    m_MouseMode = MOUSE_DRAGGING;
    DROPEFFECT dropEffect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (dropEffect & DROPEFFECT_MOVE)
        CutSelectedText();
    pSource->InternalRelease();
}

DROPEFFECT CSheetCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || pDataObject == nullptr || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    m_LastDragOverCell = GetCellFromPt(point, FALSE);
    if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return DROPEFFECT_NONE;
    SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
        GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) | GVIS_DROPHILITED);
    RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CSheetCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !m_bEditable || pDataObject == nullptr || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    CCellID cell = GetCellFromPt(point, FALSE);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_LastDragOverCell = CCellID(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (GetItemState(cell.row, cell.col) & GVIS_READONLY)
        return DROPEFFECT_NONE;
    if (cell != m_LastDragOverCell) {
        if (IsValid(m_LastDragOverCell)) {
            SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) & ~GVIS_DROPHILITED);
            RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
        }
        m_LastDragOverCell = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
        RedrawCell(cell.row, cell.col);
    }
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CSheetCtrl::OnDragLeave()
{
    if (IsValid(m_LastDragOverCell)) {
        SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
            GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) & ~GVIS_DROPHILITED);
        RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
    }
}

BOOL CSheetCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT, CPoint)
{
    if (!m_bAllowDragAndDrop || !m_bEditable
        || (GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) & GVIS_READONLY))
        return FALSE;
    m_MouseMode = MOUSE_NOTHING;
    OnDragLeave();
    return PasteTextToGrid(m_LastDragOverCell, pDataObject);
}
