// Control bars: toolbar and status bar over the common controls, and the
// docking of bars to the edges of a frame's client area.
#include "afxwin.h"
#include "fw_bars.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

// --- layout ----------------------------------------------------------------

void AFXAPI AfxRepositionBars(CWnd* pParent, UINT nIDLeftOver)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return;
    CRect rc;
    pParent->GetClientRect(&rc);
    for (HWND hChild = ::GetWindow(pParent->m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        auto* pBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(hChild));
        // The bar's own visibility: the frame may not be shown yet.
        if (pBar == nullptr || (::GetWindowLong(hChild, GWL_STYLE) & WS_VISIBLE) == 0)
            continue;
        const DWORD align = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        if (align == CBRS_ALIGN_LEFT || align == CBRS_ALIGN_RIGHT) {
            CSize size = pBar->CalcFixedLayout(TRUE, FALSE);
            int cx = std::clamp(static_cast<int>(size.cx), 0, std::max(0, static_cast<int>(rc.Width())));
            if (align == CBRS_ALIGN_RIGHT) {
                ::MoveWindow(hChild, rc.right - cx, rc.top, cx, rc.Height(), TRUE);
                rc.right -= cx;
            } else {
                ::MoveWindow(hChild, rc.left, rc.top, cx, rc.Height(), TRUE);
                rc.left += cx;
            }
            continue;
        }
        CSize size = pBar->CalcFixedLayout(TRUE, TRUE);
        int cy = std::min(static_cast<int>(size.cy), static_cast<int>(rc.Height()));
        if ((align & CBRS_ALIGN_BOTTOM) != 0) {
            ::MoveWindow(hChild, rc.left, rc.bottom - cy, rc.Width(), cy, TRUE);
            rc.bottom -= cy;
        } else {
            ::MoveWindow(hChild, rc.left, rc.top, rc.Width(), cy, TRUE);
            rc.top += cy;
        }
    }
    HWND hLeftOver = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nIDLeftOver));
    if (hLeftOver != nullptr)
        ::MoveWindow(hLeftOver, rc.left, rc.top, std::max(0, static_cast<int>(rc.Width())),
            std::max(0, static_cast<int>(rc.Height())), TRUE);
}

void CControlBar::SetBarColor(COLORREF clr)
{
    m_clrBar = clr;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CControlBar::OnUpdateCmdUI(CCmdTarget*, BOOL) { }

// --- toolbar control ---------------------------------------------------------

DWORD CToolBarCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(dwExStyle)));
}

DWORD CToolBarCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0));
}

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    HIMAGELIST hList = pImageList != nullptr ? pImageList->GetSafeHandle() : nullptr;
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hList));
    return nullptr; // the previous list is not tracked
}

HIMAGELIST CToolBarCtrl::GetImageListHandle() const
{
    return reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, TB_GETIMAGELIST, 0, 0));
}

int CToolBarCtrl::GetButtonCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

BOOL CToolBarCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)));
}

// --- toolbar -----------------------------------------------------------------

BOOL AFXAPI AfxParseToolBarResource(const void* pData, DWORD cb, std::vector<UINT>& ids, SIZE& sizeImage)
{
    // The resource compiler of the Windows SDK writes 16-bit words (version
    // 1, bitmap width and height, item count, one command id per item), GNU
    // windres 32-bit words (width, height, count, ids). 0 is a separator.
    ids.clear();
    if (pData == nullptr)
        return FALSE;
    const auto* words = static_cast<const WORD*>(pData);
    const auto* dwords = static_cast<const DWORD*>(pData);
    if (cb >= 8 && words[0] == 1 && cb == 8u + 2u * words[3]) {
        sizeImage = { words[1], words[2] };
        for (DWORD i = 0; i < words[3]; ++i)
            ids.push_back(words[4 + i]);
        return TRUE;
    }
    if (cb >= 12 && dwords[2] <= 4096 && cb == 12u + 4u * dwords[2]) {
        sizeImage = { static_cast<LONG>(dwords[0]), static_cast<LONG>(dwords[1]) };
        for (DWORD i = 0; i < dwords[2]; ++i)
            ids.push_back(dwords[3 + i]);
        return TRUE;
    }
    return FALSE;
}

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CToolBar::OnEraseBkgnd(CDC* pDC)
{
    // A flat toolbar is see-through, and frames do not erase under their
    // panes: paint the bar's face here.
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GetBarFaceColor());
    return TRUE;
}

void CToolBar::SetBarColor(COLORREF clr)
{
    CControlBar::SetBarColor(clr);
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_hWnd == nullptr)
        return -1;
    POINT pt = point;
    const int index = static_cast<int>(::SendMessage(m_hWnd, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
    if (index < 0 || index >= GetCount())
        return -1;
    const UINT nID = GetItemID(index);
    if (nID == ID_SEPARATOR)
        return -1;
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uId = nID;
        GetItemRect(index, &pTI->rect);
        // The string resource holds "status prompt\ntooltip".
        CString text;
        text.LoadString(nID);
        const int newline = text.Find(L'\n');
        if (newline >= 0)
            text = text.Mid(newline + 1);
        const size_t bytes = (static_cast<size_t>(text.GetLength()) + 1) * sizeof(WCHAR);
        auto* copy = static_cast<LPWSTR>(malloc(bytes));
        if (copy != nullptr)
            memcpy(copy, text.GetString(), bytes);
        pTI->lpszText = copy;
    }
    return static_cast<INT_PTR>(nID);
}

CString CToolBar::GetToolTipText(UINT nID) const
{
    const int index = CommandToIndex(nID);
    if (index < 0)
        return CString();
    CRect rc;
    GetItemRect(index, &rc);
    TOOLINFO info {};
    info.cbSize = sizeof(info);
    const INT_PTR hit = OnToolHitTest(rc.CenterPoint(), &info);
    CString text;
    if (hit != -1 && info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACK)
        text = info.lpszText;
    if (info.lpszText != LPSTR_TEXTCALLBACK)
        free(info.lpszText);
    return text;
}

BOOL CToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr || (pNMHDR->code != TTN_GETDISPINFOW && pNMHDR->code != TTN_GETDISPINFOA))
        return CControlBar::OnNotify(wParam, lParam, pResult);
    // The toolbar registers its buttons with the tooltip by command id.
    const bool ansi = pNMHDR->code == TTN_GETDISPINFOA;
    const UINT flags
        = ansi ? reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags : reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags;
    if ((flags & TTF_IDISHWND) != 0)
        return CControlBar::OnNotify(wParam, lParam, pResult);
    m_strTipText = GetToolTipText(static_cast<UINT>(pNMHDR->idFrom));
    if (ansi) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        m_strTipTextA = CStringA(m_strTipText);
        info->lpszText = const_cast<LPSTR>(m_strTipTextA.GetString());
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        info->lpszText = const_cast<LPWSTR>(m_strTipText.GetString());
        info->hinst = nullptr;
    }
    // Tips may be long (language texts): let them wrap instead of running
    // off the screen.
    ::SendMessage(pNMHDR->hwndFrom, TTM_SETMAXTIPWIDTH, 0, 400);
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    SetBarStyle(dwStyle);
    // The bar styles are ours; the control gets window styles and its own.
    // The frame's layout places the bar, so the control neither moves nor
    // sizes itself.
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if ((dwStyle & CBRS_TOOLTIPS) != 0)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    CRect rc(0, 0, 100, 30);
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr, dwWndStyle | WS_CHILD, rc, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_ctrl.m_hWnd = m_hWnd;
    return TRUE;
}

void CToolBar::PostNcDestroy()
{
    m_ctrl.m_hWnd = nullptr;
    CControlBar::PostNcDestroy();
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    m_ctrl.m_hWnd = m_hWnd;
    return m_ctrl;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    return LoadToolBarResource(AfxGetResourceHandle(), lpszResourceName);
}

BOOL CToolBar::LoadToolBarResource(HINSTANCE hInst, LPCTSTR lpszResourceName)
{
    HRSRC hRes = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(241));
    if (hRes == nullptr || m_hWnd == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    std::vector<UINT> ids;
    SIZE sizeImage = { 16, 15 };
    if (!AfxParseToolBarResource(::LockResource(hGlobal), ::SizeofResource(hInst, hRes), ids, sizeImage))
        return FALSE;
    int count = static_cast<int>(ids.size());

    // The bitmap of the same id is optional: images may come from an image list.
    if (::FindResource(hInst, lpszResourceName, RT_BITMAP) != nullptr) {
        int images = 0;
        for (UINT id : ids)
            images += id != ID_SEPARATOR ? 1 : 0;
        TBADDBITMAP add { hInst, reinterpret_cast<UINT_PTR>(lpszResourceName) };
        SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
        SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&add));
    }
    if (!SetButtons(ids.data(), count))
        return FALSE;
    SIZE sizeButton = { sizeImage.cx + 7, sizeImage.cy + 7 };
    SetSizes(sizeButton, sizeImage);
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == nullptr)
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessage(TB_DELETEBUTTON, 0, 0);
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button {};
        UINT id = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
        button.idCommand = static_cast<int>(id);
        if (id == ID_SEPARATOR) {
            button.fsStyle = BTNS_SEP;
            button.iBitmap = 6;
        } else {
            button.fsStyle = BTNS_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = image++;
        }
        button.iString = -1;
        if (!SendMessage(TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button)))
            return FALSE;
    }
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

int CToolBar::GetCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return static_cast<int>(::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button {};
    if (!::SendMessage(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button {};
    if (!::SendMessage(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return static_cast<UINT>(button.fsStyle) | (static_cast<UINT>(button.fsState) << 16);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTONINFO info {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = static_cast<BYTE>(nStyle & 0xFF);
    info.fsState = static_cast<BYTE>((nStyle >> 16) & 0xFF);
    SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    CString text = lpszText != nullptr ? lpszText : L"";
    TBBUTTONINFO info {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = const_cast<LPTSTR>(text.GetString());
    if (!SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info)))
        return FALSE;
    FitButtonsToTexts();
    return TRUE;
}

void CToolBar::FitButtonsToTexts()
{
    CClientDC dc(this);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
    HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(dc.m_hDC, hFont) : nullptr;
    int widest = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CString text = GetButtonText(i);
        if (text.IsEmpty())
            continue;
        SIZE extent {};
        ::GetTextExtentPoint32(dc.m_hDC, text, text.GetLength(), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
    }
    if (hOld != nullptr)
        ::SelectObject(dc.m_hDC, hOld);
    bool beside = (GetStyle() & TBSTYLE_LIST) != 0;
    int cx = beside ? m_sizeImage.cx + widest + 16 : std::max(static_cast<int>(m_sizeImage.cx), widest) + 8;
    if (widest > 0 && cx > m_sizeButton.cx) {
        m_sizeButton.cx = cx;
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_sizeButton.cx, m_sizeButton.cy));
    }
    SendMessage(TB_AUTOSIZE, 0, 0);
    Invalidate();
}

CString CToolBar::GetButtonText(int nIndex) const
{
    WCHAR buffer[256] = L"";
    TBBUTTONINFO info {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = buffer;
    info.cchText = static_cast<int>(std::size(buffer));
    if (::SendMessage(m_hWnd, TB_GETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info)) < 0)
        return CString();
    buffer[std::size(buffer) - 1] = 0;
    return CString(buffer);
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL)
{
    // The tallest button plus a small margin above and below.
    int cy = 0;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        CRect rc;
        GetItemRect(i, &rc);
        cy = std::max(cy, static_cast<int>(rc.bottom));
    }
    if (cy == 0)
        cy = HIWORD(static_cast<DWORD>(::SendMessage(m_hWnd, TB_GETBUTTONSIZE, 0, 0)));
    return CSize(32767, cy + 4);
}

namespace {
// Command UI of one toolbar button (m_nIndex of the bar in m_pOther).
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT enabled = static_cast<UINT>(TBSTATE_ENABLED) << 16;
        UINT style = Bar().GetButtonStyle(static_cast<int>(m_nIndex));
        Restyle(bOn ? (style | enabled) : (style & ~enabled));
    }
    void SetCheck(int nCheck) override
    {
        // The control draws a checked button pressed only with the check style.
        UINT marks = static_cast<UINT>(TBSTATE_CHECKED | TBSTATE_INDETERMINATE) << 16;
        UINT style = Bar().GetButtonStyle(static_cast<int>(m_nIndex)) & ~marks;
        if (nCheck == 1)
            style |= static_cast<UINT>(TBSTATE_CHECKED) << 16;
        else if (nCheck == 2)
            style |= static_cast<UINT>(TBSTATE_INDETERMINATE) << 16;
        Restyle(style | BTNS_CHECK);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override { } // buttons keep their own texts

private:
    CToolBar& Bar() const { return *static_cast<CToolBar*>(m_pOther); }
    void Restyle(UINT style) const
    {
        // Only real changes: every change repaints the button.
        if (style != Bar().GetButtonStyle(static_cast<int>(m_nIndex)))
            Bar().SetButtonStyle(static_cast<int>(m_nIndex), style);
    }
};

// Command UI of one status bar pane.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT style = Bar().GetPaneStyle(static_cast<int>(m_nIndex));
        Bar().SetPaneStyle(static_cast<int>(m_nIndex), bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        UINT style = Bar().GetPaneStyle(static_cast<int>(m_nIndex));
        Bar().SetPaneStyle(static_cast<int>(m_nIndex), nCheck != 0 ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override
    {
        CString text = lpszText != nullptr ? lpszText : L"";
        if (Bar().GetPaneText(static_cast<int>(m_nIndex)) != text)
            Bar().SetPaneText(static_cast<int>(m_nIndex), text);
    }

private:
    CStatusBar& Bar() const { return *static_cast<CStatusBar*>(m_pOther); }
};
} // namespace

void CToolBar::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_hWnd == nullptr || pTarget == nullptr)
        return;
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        UINT style = GetButtonStyle(static_cast<int>(state.m_nIndex)) & 0xFF;
        if ((style & BTNS_SEP) != 0)
            continue;
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        BOOL bDropDown = (style & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) != 0;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !bDropDown);
    }
}

// --- status bar --------------------------------------------------------------

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    SetBarStyle(dwStyle);
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    CRect rc(0, 0, 100, 20);
    return CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, dwWndStyle | WS_CHILD, rc, pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    CClientDC dc(this);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
    HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(dc.m_hDC, hFont) : nullptr;
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane;
        pane.nID = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
        if (pane.nID == ID_SEPARATOR) {
            pane.nStyle = SBPS_STRETCH | SBPS_NOBORDERS;
        } else {
            pane.strText.LoadString(pane.nID);
            SIZE extent {};
            ::GetTextExtentPoint32(dc.m_hDC, pane.strText, pane.strText.GetLength(), &extent);
            pane.cxText = extent.cx + 8;
        }
        m_panes.push_back(pane);
    }
    if (hOld != nullptr)
        ::SelectObject(dc.m_hDC, hOld);
    UpdateParts();
    return TRUE;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_panes[static_cast<size_t>(nIndex)].nID;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].nID == nIDFind)
            return i;
    }
    return -1;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_panes[static_cast<size_t>(nIndex)].strText = lpszNewText != nullptr ? lpszNewText : L"";
    ShowPaneText(nIndex);
    if (bUpdate) {
        CRect rc;
        GetItemRect(nIndex, &rc);
        InvalidateRect(&rc);
    }
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CString();
    return m_panes[static_cast<size_t>(nIndex)].strText;
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_panes[static_cast<size_t>(nIndex)].nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[static_cast<size_t>(nIndex)].nStyle == nStyle)
        return;
    m_panes[static_cast<size_t>(nIndex)].nStyle = nStyle;
    ShowPaneText(nIndex);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    if (m_hWnd == nullptr)
        return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    UINT flags = static_cast<UINT>(nIndex) | ((pane.nStyle & SBPS_NOBORDERS) != 0 ? SBT_NOBORDERS : 0)
        | ((pane.nStyle & SBPS_POPOUT) != 0 ? SBT_POPOUT : 0);
    LPCTSTR text = (pane.nStyle & SBPS_DISABLED) != 0 ? L"" : pane.strText.GetString();
    SendMessage(SB_SETTEXT, flags, reinterpret_cast<LPARAM>(text));
}

void CStatusBar::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL)
{
    if (m_hWnd == nullptr || pTarget == nullptr)
        return;
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        // A pane is no command: a pane nobody updates keeps its text.
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

void CStatusBar::UpdateParts()
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    CRect rc;
    GetClientRect(&rc);
    // Fixed panes sit at the right; stretching panes share what is left.
    int fixed = 0;
    int stretching = 0;
    for (const Pane& pane : m_panes) {
        if ((pane.nStyle & SBPS_STRETCH) != 0)
            ++stretching;
        else
            fixed += pane.cxText;
    }
    int room = std::max(0, static_cast<int>(rc.Width()) - fixed);
    std::vector<int> rights;
    int x = 0;
    for (const Pane& pane : m_panes) {
        x += (pane.nStyle & SBPS_STRETCH) != 0 ? room / std::max(1, stretching) : pane.cxText;
        rights.push_back(x);
    }
    rights.back() = -1;
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (int i = 0; i < GetCount(); ++i)
        ShowPaneText(i);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    Default();
    (void)nType;
    (void)cx;
    (void)cy;
    UpdateParts();
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(0, cxWidth);
    UpdateParts();
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetBarColor(COLORREF clr)
{
    CControlBar::SetBarColor(clr);
    if (m_hWnd != nullptr)
        SendMessage(SB_SETBKCOLOR, 0, static_cast<LPARAM>(clr));
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    // The bar's font height with room for the pane borders.
    CClientDC dc(this);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
    HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(dc.m_hDC, hFont) : nullptr;
    TEXTMETRIC tm {};
    ::GetTextMetrics(dc.m_hDC, &tm);
    if (hOld != nullptr)
        ::SelectObject(dc.m_hDC, hOld);
    return CSize(32767, tm.tmHeight + 8);
}
