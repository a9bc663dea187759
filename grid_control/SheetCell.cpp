// CSheetCell: the default cell with stored attributes and in-place editing.
#include "SheetCell.h"

#include "InPlaceEdit.h"
#include "SheetCtrl.h"

IMPLEMENT_DYNCREATE(CSheetCell, CSheetCellBase)

namespace {
constexpr DWORD DEFAULT_FORMAT = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr UINT DEFAULT_MARGIN = 3;
} // namespace

CSheetCell::CSheetCell()
    : m_nFormat(DEFAULT_FORMAT)
    , m_nImage(-1)
    , m_crBkClr(CLR_GRID_DEFAULT)
    , m_crFgClr(CLR_GRID_DEFAULT)
    , m_lParam(0)
    , m_lfFont {}
    , m_nMargin(DEFAULT_MARGIN)
    , m_bEditing(FALSE)
    , m_pGrid(nullptr)
    , m_pEditWnd(nullptr)
{
}

CSheetCell::~CSheetCell() = default;

void CSheetCell::SetFont(const LOGFONT* plf)
{
    if (plf != nullptr)
        m_lfFont = *plf;
}

void CSheetCell::Reset()
{
    CSheetCellBase::Reset();
    m_nFormat = DEFAULT_FORMAT;
    m_strText.Empty();
    m_nImage = -1;
    m_crBkClr = CLR_GRID_DEFAULT;
    m_crFgClr = CLR_GRID_DEFAULT;
    m_lParam = 0;
    m_nMargin = DEFAULT_MARGIN;
    m_bEditing = FALSE;
    m_pGrid = nullptr;
    m_pEditWnd = nullptr;
}

BOOL CSheetCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (m_pGrid == nullptr)
        return FALSE;
    DWORD dwStyle = ES_LEFT;
    if ((m_nFormat & DT_RIGHT) != 0)
        dwStyle = ES_RIGHT;
    else if ((m_nFormat & DT_CENTER) != 0)
        dwStyle = ES_CENTER;
    m_bEditing = TRUE;
    m_pEditWnd = new CInPlaceEdit(m_pGrid, rect, dwStyle, nID, nRow, nCol, m_strText, nChar);
    return TRUE;
}

void CSheetCell::EndEdit()
{
    if (m_pEditWnd != nullptr)
        m_pEditWnd->EndEdit();
}

void CSheetCell::OnEndEdit()
{
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}
