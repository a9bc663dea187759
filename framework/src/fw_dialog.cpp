// CDialog and CDialogEx.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

namespace {
AFX_DIALOG_INIT_HOOK& InitHook()
{
    static AFX_DIALOG_INIT_HOOK hook;
    return hook;
}

UINT DriveMessage()
{
    static const UINT msg = ::RegisterWindowMessage(L"FwDialogInitHook");
    return msg;
}

// Dialog procedure of every framework dialog: the subclassed window procedure
// handles everything, so the dialog manager's defaults apply.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
} // namespace

void AFXAPI AfxSetDialogInitHook(AFX_DIALOG_INIT_HOOK hook)
{
    InitHook() = std::move(hook);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate))
    , m_nIDHelp(nIDTemplate)
    , m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName)
    , m_pParentWnd(pParentWnd)
{
}

LPCDLGTEMPLATE CDialog::LoadTemplate(LPCTSTR lpszTemplateName) const
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    if (hRes == nullptr)
        return nullptr;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    return hGlobal != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hGlobal)) : nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    LPCDLGTEMPLATE pTemplate = LoadTemplate(lpszTemplateName);
    if (pTemplate == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_bModal = FALSE;
    HWND hParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    if (hParent == nullptr && AfxGetMainWnd() != this)
        hParent = AfxSafeHwnd(AfxGetMainWnd());
    AfxHookWindowCreate(this);
    m_bCreatedHere = true;
    HWND hWnd = ::CreateDialogIndirectParam(
        AfxGetResourceHandle(), pTemplate, hParent, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        m_bCreatedHere = false;
        return FALSE;
    }
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE pTemplate = LoadTemplate(m_lpszTemplateName);
    if (pTemplate == nullptr)
        return -1;
    HWND hParent = nullptr;
    CWnd::GetSafeOwner(m_pParentWnd, &hParent);
    m_bModal = TRUE;
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::DialogBoxIndirectParam(
        AfxGetResourceHandle(), pTemplate, hParent, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    AfxUnhookWindowCreate();
    m_bModal = FALSE;
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_hWnd == nullptr)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
    // A failed exchange at start-up leaves the controls as the template made them.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        BOOL bResult = OnInitDialog();
        if (InitHook())
            ::PostMessage(m_hWnd, DriveMessage(), 0, 0);
        return bResult;
    }
    if (message == DriveMessage() && message != 0) {
        if (AFX_DIALOG_INIT_HOOK hook = InitHook())
            hook(*this);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != nullptr && !m_bModal && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && static_cast<CCmdTarget*>(pApp) != this)
        return pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return FALSE;
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
ON_WM_CTLCOLOR()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CDialogEx::~CDialogEx()
{
    if (m_hBkBrush != nullptr)
        ::DeleteObject(m_hBkBrush);
}

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL bRepaint)
{
    if (m_hBkBrush != nullptr)
        ::DeleteObject(m_hBkBrush);
    m_hBkBrush = ::CreateSolidBrush(color);
    if (bRepaint && m_hWnd != nullptr)
        Invalidate();
}

HBRUSH CDialogEx::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_hBkBrush != nullptr && (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC)) {
        LOGBRUSH lb {};
        ::GetObject(m_hBkBrush, sizeof(lb), &lb);
        pDC->SetBkColor(lb.lbColor);
        return m_hBkBrush;
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CDialogEx::OnEraseBkgnd(CDC* pDC)
{
    if (m_hBkBrush != nullptr) {
        RECT rc;
        GetClientRect(&rc);
        ::FillRect(pDC->m_hDC, &rc, m_hBkBrush);
        return TRUE;
    }
    return CDialog::OnEraseBkgnd(pDC);
}
