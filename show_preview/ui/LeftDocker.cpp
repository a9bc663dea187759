// The preview's left pane (see LeftDocker.h).
#include "LeftDocker.h"

#include <afxdlgs.h>

#include "Magnifier.h"
#include "TaviskView.h"

#include <algorithm>

namespace {

CString FileNameOf(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash > 0 ? path.Mid(slash + 1) : path;
}

} // namespace

BEGIN_MESSAGE_MAP(CLeftDockerContent, CDialog)
ON_NOTIFY(NM_CLICK, IDC_OPEN_LINK, OnOpenLink)
ON_NOTIFY(NM_RETURN, IDC_OPEN_LINK, OnOpenLink)
ON_BN_CLICKED(IDC_AUTO_PLAY, OnAutoPlay)
ON_BN_CLICKED(IDC_LAYOUT_MODE, OnLayoutMode)
ON_LBN_SELCHANGE(IDC_FILE_LIST, OnFileSelected)
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CLeftDockerContent::CLeftDockerContent()
    : CDialog(IDD_LEFT_CONTENT)
{
}

void CLeftDockerContent::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_LIST, m_fileList);
    DDX_Check(pDX, IDC_AUTO_PLAY, m_autoPlay);
    DDX_Check(pDX, IDC_LAYOUT_MODE, m_layoutMode);
}

BOOL CLeftDockerContent::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_drawnWidth = client.Width();
    for (Stretch& item : m_stretch) {
        if (CWnd* control = GetDlgItem(item.id)) {
            control->GetWindowRect(&item.drawn);
            ScreenToClient(&item.drawn);
        }
    }
    m_magnifier.SubclassDlgItem(IDC_MAGNIFIER, this);
    m_linkFont.CreateFont(24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"楷体");
    if (CWnd* link = GetDlgItem(IDC_OPEN_LINK))
        link->SetFont(&m_linkFont);
    m_timer = SetTimer(1, 40, nullptr);
    return TRUE;
}

void CLeftDockerContent::OnOpenLink(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"Program Files(*.arm;*.ARM)|*.arm;*.ARM||", this);
    if (dialog.DoModal() != IDOK)
        return;
    // A layout that stays because the document was busy would be drawn
    // under a file it was not chosen for: nothing changes then.
    if (m_document != nullptr && m_document->SetLayoutFile(CString()) == LayoutChoice::Busy)
        return;
    SetDlgItemText(IDC_LAYOUT_NAME, L"");
    m_layoutMode = 0;
    CheckDlgButton(IDC_LAYOUT_MODE, BST_UNCHECKED);
    ListShowFolder(dialog.GetPathName());
}

void CLeftDockerContent::OnAutoPlay()
{
    m_autoPlay = IsDlgButtonChecked(IDC_AUTO_PLAY) == BST_CHECKED ? 1 : 0;
    if (m_document != nullptr)
        m_document->m_autoPlay = m_autoPlay;
}

void CLeftDockerContent::OnLayoutMode()
{
    m_layoutMode = IsDlgButtonChecked(IDC_LAYOUT_MODE) == BST_CHECKED ? 1 : 0;
    if (m_layoutMode == 0) {
        if (m_document != nullptr && m_document->SetLayoutFile(CString()) == LayoutChoice::Busy) {
            // The layout is still drawn: the check says so.
            m_layoutMode = 1;
            CheckDlgButton(IDC_LAYOUT_MODE, BST_CHECKED);
            return;
        }
        SetDlgItemText(IDC_LAYOUT_NAME, L"");
        return;
    }
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"Pix Files(*.lpx)|*.lpx||", this);
    if (dialog.DoModal() != IDOK)
        return; // the check stays set
    const CString path = dialog.GetPathName();
    const LayoutChoice choice = m_document != nullptr ? m_document->SetLayoutFile(path) : LayoutChoice::Loaded;
    if (choice == LayoutChoice::Loaded) {
        SetDlgItemText(IDC_LAYOUT_NAME, FileNameOf(path));
        return;
    }
    // Refused (the picture is raw now) or busy (the document kept what it
    // had): the pane shows what the document draws.
    const bool drawn = m_document != nullptr && m_document->LayoutLoaded();
    m_layoutMode = drawn ? 1 : 0;
    CheckDlgButton(IDC_LAYOUT_MODE, drawn ? BST_CHECKED : BST_UNCHECKED);
    if (!drawn)
        SetDlgItemText(IDC_LAYOUT_NAME, L"");
}

void CLeftDockerContent::OnFileSelected()
{
    OpenListedFile(m_fileList.GetCurSel());
}

void CLeftDockerContent::ListShowFolder(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    CString folder = slash >= 0 ? path.Left(slash) : CString();
    const DWORD attributes = GetFileAttributes(folder.IsEmpty() ? CString(L".") : folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return;
    if (m_document == nullptr)
        return;
    m_document->m_fileList.RemoveAll();
    m_fileList.ResetContent();

    if (folder.IsEmpty() || folder.Right(1) != L"\\")
        folder += L"\\";
    CFileFind finder;
    BOOL more = finder.FindFile(folder + L"*.*");
    while (more) {
        more = finder.FindNextFile();
        const CString found = finder.GetFilePath();
        if (!finder.IsDirectory() && found.Find(L".arm") >= 0)
            m_document->m_fileList.Add(found);
    }
    int selection = 0;
    for (INT_PTR i = 0; i < m_document->m_fileList.GetSize(); ++i) {
        const CString name = FileNameOf(m_document->m_fileList.GetAt(i));
        m_fileList.AddString(name);
        if (path.Find(name) >= 0)
            selection = static_cast<int>(i);
    }
    if (m_document->m_fileList.GetSize() > 0) {
        m_fileList.SetCurSel(selection);
        OpenListedFile(selection);
    }
}

void CLeftDockerContent::OpenListedFile(int index)
{
    if (m_document != nullptr && m_document->OpenShowFile(index)) {
        CString text;
        text.Format(L"%d", m_document->m_geometry.portCount);
        SetDlgItemText(IDC_PORT_COUNT, text);
        text.Format(L"%d", m_document->m_geometry.firstPort);
        SetDlgItemText(IDC_FIRST_PORT, text);
    }
    m_magnifierX = 0;
    m_magnifierY = 0;
}

void CLeftDockerContent::UpdateMagnifier(int x, int y)
{
    if (!m_magnifier.BackBuffer().Exists() || m_document == nullptr)
        return;
    auto* view = dynamic_cast<CTaviskView*>(m_document->m_view);
    if (view == nullptr || !view->Canvas().BackBuffer().Exists())
        return;
    CBackBuffer& canvas = view->Canvas().BackBuffer();
    CDC* dc = CDC::FromHandle(m_magnifier.BackBuffer().DC());
    CRect client;
    m_magnifier.GetClientRect(&client);
    preview::DrawMagnifier(*dc, client, canvas.Pixels(), canvas.Size(), CPoint(x, y));
    m_magnifier.Invalidate(FALSE);
}

void CLeftDockerContent::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == 1)
        UpdateMagnifier(m_magnifierX, m_magnifierY);
}

void CLeftDockerContent::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    StretchToWidth(cx);
    if (m_magnifier.GetSafeHwnd() != nullptr)
        m_magnifier.RebuildBackBuffer();
    CWnd* group = GetDlgItem(IDC_FILE_GROUP);
    if (group == nullptr || m_fileList.GetSafeHwnd() == nullptr)
        return;
    CRect box;
    group->GetWindowRect(&box);
    ScreenToClient(&box);
    box.bottom = cy - 2;
    if (box.bottom > box.top)
        group->MoveWindow(&box);
    CRect list;
    m_fileList.GetWindowRect(&list);
    ScreenToClient(&list);
    list.bottom = cy - 4;
    if (list.bottom > list.top)
        m_fileList.MoveWindow(&list);
}

void CLeftDockerContent::StretchToWidth(int cx)
{
    if (m_drawnWidth <= 0)
        return;
    const int extra = std::max(0, cx - m_drawnWidth);
    for (const Stretch& item : m_stretch) {
        CWnd* control = GetDlgItem(item.id);
        if (control == nullptr || item.drawn.IsRectEmpty())
            continue;
        CRect now;
        control->GetWindowRect(&now);
        ScreenToClient(&now);
        now.right = item.drawn.right + extra;
        control->MoveWindow(&now);
    }
}

void CLeftDockerContent::OnDestroy()
{
    if (m_timer != 0)
        KillTimer(m_timer);
    m_timer = 0;
    CDialog::OnDestroy();
}

BEGIN_MESSAGE_MAP(CLeftDocker, CDockablePane)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CLeftDocker::Create(CWnd* parent, UINT id, int width)
{
    const int cx = std::clamp(width, kMinWidth, kMaxWidth);
    return CDockablePane::Create(L"Setting", parent, CRect(0, 0, cx, 200), TRUE, id, WS_CHILD | WS_VISIBLE | CBRS_LEFT,
        AFX_CBRS_REGULAR_TABS, AFX_DEFAULT_DOCKING_PANE_STYLE);
}

int CLeftDocker::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CDockablePane::OnCreate(lpcs) == -1)
        return -1;
    if (!m_content.Create(IDD_LEFT_CONTENT, this))
        return -1;
    SetContent(&m_content);
    return 0;
}

void CLeftDocker::OnDestroy()
{
    SetContent(static_cast<HWND>(nullptr));
    if (m_content.GetSafeHwnd() != nullptr)
        m_content.DestroyWindow();
    CDockablePane::OnDestroy();
}
