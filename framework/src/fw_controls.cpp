// Control wrappers: owner-draw reflection, the check list box and the
// members that need more than one message.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

// An owner-drawn list or combo box draws and measures its own items; FALSE
// for any other message.
template <class TBox> BOOL ReflectOwnerDrawItem(TBox& box, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
        box.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        box.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return FALSE;
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

} // namespace

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM && (GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0
        && ReflectOwnerDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

int CListBox::GetText(int nIndex, CString& rString) const
{
    int n = GetTextLen(nIndex);
    if (n == LB_ERR) {
        rString.Empty();
        return LB_ERR;
    }
    LPTSTR buf = rString.GetBufferSetLength(n);
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buf));
    rString.ReleaseBuffer();
    return rString.GetLength();
}

// --- check list box ---------------------------------------------------------

int CCheckListBox::CheckBoxSize() const
{
    return ::GetSystemMetrics(SM_CYMENUCHECK);
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    SetItemData(nIndex, static_cast<DWORD_PTR>(nCheck & 0xFFFF) | (GetItemData(nIndex) & 0x10000));
    RECT rc;
    if (GetItemRect(nIndex, &rc) != LB_ERR)
        InvalidateRect(&rc);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    DWORD_PTR data = GetItemData(nIndex);
    return data == static_cast<DWORD_PTR>(LB_ERR) ? 0 : static_cast<int>(data & 0xFFFF);
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    DWORD_PTR data = GetItemData(nIndex) & 0xFFFF;
    SetItemData(nIndex, bEnabled ? data : (data | 0x10000));
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(CheckBoxSize() + 2);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (dis->itemID == static_cast<UINT>(-1))
        return;
    HDC hdc = dis->hDC;
    RECT rc = dis->rcItem;
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    ::FillRect(hdc, &rc, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int box = CheckBoxSize();
    RECT rcBox = { rc.left + 1, rc.top + (rc.bottom - rc.top - box) / 2, rc.left + 1 + box, 0 };
    rcBox.bottom = rcBox.top + box;
    int check = static_cast<int>(dis->itemData & 0xFFFF);
    UINT state = DFCS_BUTTONCHECK | (check == 1 ? DFCS_CHECKED : 0) | (check == 2 ? DFCS_CHECKED | DFCS_INACTIVE : 0);
    if ((dis->itemData & 0x10000) != 0)
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(hdc, &rcBox, DFC_BUTTON, state);
    CString text;
    GetText(static_cast<int>(dis->itemID), text);
    RECT rcText = rc;
    rcText.left = rcBox.right + 3;
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::DrawText(hdc, text, text.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((dis->itemState & ODS_FOCUS) != 0)
        ::DrawFocusRect(hdc, &rc);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        POINT pt = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
        DWORD hit = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
        int index = LOWORD(hit);
        if (HIWORD(hit) == 0 && pt.x < CheckBoxSize() + 2 && (GetItemData(index) & 0x10000) == 0) {
            int check = GetCheck(index);
            int next = m_nStyle == BS_AUTO3STATE ? (check + 1) % 3 : (check == 0 ? 1 : 0);
            SetCheck(index, next);
            ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                reinterpret_cast<LPARAM>(m_hWnd));
        }
    } else if (message == WM_CHAR && wParam == VK_SPACE) {
        int index = GetCurSel();
        if (index != LB_ERR && (GetItemData(index) & 0x10000) == 0) {
            SetCheck(index, GetCheck(index) == 0 ? 1 : 0);
            ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                reinterpret_cast<LPARAM>(m_hWnd));
            return 0;
        }
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

// --- combo box --------------------------------------------------------------

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = GetLBTextLen(nIndex);
    if (n == CB_ERR) {
        rString.Empty();
        return;
    }
    LPTSTR buf = rString.GetBufferSetLength(n);
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buf));
    rString.ReleaseBuffer();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0
        && ReflectOwnerDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// --- tree -------------------------------------------------------------------

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT;
    tvis.item.pszText = const_cast<LPTSTR>(lpszItem);
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(
    LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = const_cast<LPTSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    return InsertItem(&tvis);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    TCHAR buf[1024] = L"";
    TVITEM item {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buf;
    item.cchTextMax = 1024;
    SendMessage(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return buf;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    TVITEM item {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    SendMessage(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEM item {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    TVITEM item {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.stateMask = TVIS_STATEIMAGEMASK;
    SendMessage(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return ((item.state >> 12) - 1) > 0;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    TVITEM item {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1);
    return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info {};
    info.pt = pt;
    auto hItem = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return hItem;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
}

// --- list view --------------------------------------------------------------

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN col {};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = const_cast<LPTSTR>(lpszColumnHeading);
    col.fmt = nFormat;
    if (nWidth != -1) {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    if (nSubItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = nSubItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    LVITEM item {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    TCHAR buf[1024] = L"";
    LVITEM item {};
    item.iSubItem = nSubItem;
    item.pszText = buf;
    item.cchTextMax = 1024;
    SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
    return buf;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEM item {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item {};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info {};
    info.pt = pt;
    int nItem = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return nItem;
}

// --- tabs, tooltips -----------------------------------------------------------

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    TCITEM item {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | dwStyle,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, AfxSafeHwnd(pParentWnd), nullptr);
}

void CToolTipCtrl::FillInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = TOOLINFO {};
    ti.cbSize = sizeof(TOOLINFO);
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(AfxSafeHwnd(pWnd));
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.uId = reinterpret_cast<UINT_PTR>(AfxSafeHwnd(pWnd));
    } else {
        ti.hwnd = AfxSafeHwnd(pWnd);
        ti.uFlags = TTF_SUBCLASS;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}
