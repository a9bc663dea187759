// Message map walking for commands and window messages; CCmdUI.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, nullptr, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->pnRegistered != nullptr) {
                if (*e->pnRegistered == message && message != 0)
                    return e;
            } else if (e->nMessage == message && message != WM_COMMAND && message != WM_NOTIFY) {
                return e;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return DispatchCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CCmdTarget::DispatchCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI && HIWORD(static_cast<UINT>(nCode)) == WM_NOTIFY) {
        message = WM_NOTIFY;
        code = LOWORD(static_cast<UINT>(nCode));
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->pnRegistered != nullptr || e->nMessage != message || e->nCode != code)
                continue;
            if (nID < e->nID || nID > e->nLastID)
                continue;
            if (pHandlerInfo != nullptr) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pEntry = e;
                return TRUE;
            }
            AFX_MSGCALL call;
            call.message = message;
            call.nID = nID;
            call.nCode = nCode;
            call.pExtra = pExtra;
            if (e->pfn(this, call))
                return TRUE;
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    m_hPrevCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor()
{
    ::SetCursor(m_hPrevCursor != nullptr ? m_hPrevCursor : ::LoadCursor(nullptr, IDC_ARROW));
    m_hPrevCursor = nullptr;
}

void CCmdTarget::RestoreWaitCursor()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

// ---------------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pMenu != nullptr) {
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        // Disabling the focused control would leave the dialog without focus.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            ::SendMessage(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        MENUITEMINFO mii {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        ::GetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
        mii.fType |= MFT_RADIOCHECK;
        mii.fState = bOn ? (mii.fState | MFS_CHECKED) : (mii.fState & ~MFS_CHECKED);
        ::SetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != nullptr) {
        MENUITEMINFO mii {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPTSTR>(lpszText);
        ::SetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
    } else if (m_pOther != nullptr) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
