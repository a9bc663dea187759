// CInPlaceEdit: the in-place edit window of a grid cell.
#include "InPlaceEdit.h"

IMPLEMENT_DYNAMIC(CInPlaceEdit, CEdit)

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
ON_WM_KILLFOCUS()
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_MESSAGE(WM_SYSCHAR, OnSysChar)
END_MESSAGE_MAP()

namespace {
// One end of edit at a time, across all edit windows: ending moves the focus,
// which would end the edit again.
bool g_bEnding = false;

bool IsNavigationKey(UINT nChar)
{
    return nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_DOWN || nChar == VK_UP || nChar == VK_RIGHT
        || nChar == VK_LEFT;
}
} // namespace

CInPlaceEdit::CInPlaceEdit(
    CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, CString sInitText, UINT nFirstChar)
    : m_nRow(nRow)
    , m_nColumn(nColumn)
    , m_sInitText(sInitText)
    , m_bExitOnArrows(nFirstChar != VK_LBUTTON)
    , m_Rect(rect)
{
    DWORD dwEditStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | dwStyle;
    if (!CreateControl(WC_EDIT, L"", dwEditStyle, rect, pParent, nID))
        return;
    SendMessage(WM_SETFONT, static_cast<WPARAM>(pParent->SendMessage(WM_GETFONT)), 0);
    SetWindowText(sInitText);
    SetFocus();

    const int nLength = sInitText.GetLength();
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        SetSel(nLength, -1);
        return;
    case VK_BACK:
        SetSel(nLength, -1);
        break;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        SetSel(0, -1);
        return;
    default:
        SetSel(0, -1);
        break;
    }
    SendMessage(WM_CHAR, nFirstChar);
}

CInPlaceEdit::~CInPlaceEdit() = default;

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

LRESULT CInPlaceEdit::OnSysChar(WPARAM, LPARAM)
{
    return 0;
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (IsNavigationKey(nChar) && (m_bExitOnArrows || ::GetKeyState(VK_CONTROL) < 0)) {
        m_nLastChar = nChar;
        ::SetFocus(::GetParent(m_hWnd));
        return;
    }
    Default();
}

void CInPlaceEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        m_nLastChar = nChar;
        ::SetFocus(::GetParent(m_hWnd));
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        m_nLastChar = nChar;
        ::SetFocus(::GetParent(m_hWnd));
        return;
    }
    Default();

    // Widen the window to the text typed so far, within the grid.
    CString str;
    GetWindowText(str);
    str += L"  ";
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == nullptr)
        return;
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    SIZE size {};
    ::GetTextExtentPoint32W(hDC, str, str.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);

    CRect parentRect;
    ::GetClientRect(::GetParent(m_hWnd), &parentRect);
    if (size.cx > m_Rect.Width()) {
        if (size.cx + m_Rect.left < parentRect.right)
            m_Rect.right = m_Rect.left + size.cx;
        else
            m_Rect.right = parentRect.right;
        MoveWindow(&m_Rect);
    }
}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::OnKillFocus(CWnd*)
{
    Default();
    EndEdit();
}

void CInPlaceEdit::EndEdit()
{
    if (g_bEnding)
        return;
    g_bEnding = true;

    CString str;
    GetWindowText(str);
    GV_DISPINFO dispinfo {};
    dispinfo.hdr.hwndFrom = m_hWnd;
    dispinfo.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    dispinfo.hdr.code = LVN_ENDLABELEDITW;
    dispinfo.item.mask = LVIF_TEXT | LVIF_PARAM;
    dispinfo.item.row = m_nRow;
    dispinfo.item.col = m_nColumn;
    dispinfo.item.strText = str;
    dispinfo.item.lParam = static_cast<LPARAM>(m_nLastChar);

    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&dispinfo));
    if (::IsWindow(m_hWnd))
        PostMessage(WM_CLOSE);
    g_bEnding = false;
}

void CInPlaceEdit::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    delete this;
}
