// The animation library browser.
#include "dlg_ani_preview.h"

#include "dlg_import_dir_ani.h"
#include "fw_ctxmenu.h"
#include "media_probe.h"
#include "program_video.h"
#include "show_messages.h"
#include "tile_view.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr int kTileSide = 64;

CString FileCaption(const CString& path)
{
    CString name = path.Mid(path.ReverseFind(L'\\') + 1);
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

CString LastComponent(CString folder)
{
    folder.TrimRight(L'\\');
    return folder.Mid(folder.ReverseFind(L'\\') + 1);
}

// The "add" tab's picture: a green plus on a transparent square.
HIMAGELIST MakeTabImages()
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (list == nullptr)
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    ::ReleaseDC(nullptr, screen);
    if (dc != nullptr && bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        const RECT all = { 0, 0, 16, 16 };
        const RECT across = { 2, 6, 14, 10 };
        const RECT down = { 6, 2, 10, 14 };
        HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
        HBRUSH green = ::CreateSolidBrush(RGB(0, 150, 0));
        ::FillRect(dc, &all, magenta);
        ::FillRect(dc, &across, green);
        ::FillRect(dc, &down, green);
        ::DeleteObject(magenta);
        ::DeleteObject(green);
        ::SelectObject(dc, old);
        ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (dc != nullptr)
        ::DeleteDC(dc);
    return list;
}

} // namespace

IMPLEMENT_DYNAMIC(CDlgAniPreview, CEffectEditorDialog)

BEGIN_MESSAGE_MAP(CDlgAniPreview, CEffectEditorDialog)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_NOTIFY(TCN_SELCHANGE, IDC_AP_TAB, OnTabChanged)
ON_NOTIFY(NM_RCLICK, IDC_AP_TAB, OnTabRightClick)
ON_COMMAND(ID_AP_DELETE_FOLDER, OnDeleteFolder)
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
END_MESSAGE_MAP()

CDlgAniPreview::CDlgAniPreview()
    : CEffectEditorDialog(IDD_ANI_PREVIEW, IDD_EDITOR_ANI_PREVIEW)
{
    auto* video = new ProgramVideo;
    video->m_programType = PROGRAM_TYPE_MEDIA;
    video->m_vTiles = 1;
    video->m_hTiles = 1;
    video->m_startFrame = 1;
    video->m_startSpeed = 1.0f;
    video->m_endSpeed = 1.0f;
    m_pWorkingCopy = video;
}

CDlgAniPreview::~CDlgAniPreview()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    DestroyPages();
    if (m_images != nullptr)
        ImageList_Destroy(m_images);
}

ProgramVideo* CDlgAniPreview::PreviewProgram() const
{
    return static_cast<ProgramVideo*>(m_pWorkingCopy);
}

CDlgImportDirAni* CDlgAniPreview::Page(int index) const
{
    return index >= 0 && index < PageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

void CDlgAniPreview::DoDataExchange(CDataExchange* pDX)
{
    CEffectEditorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AP_TAB, m_tab);
}

CRect CDlgAniPreview::PageArea() const
{
    CRect area;
    if (HWND marker = ::GetDlgItem(m_hWnd, IDC_AP_PAGE_AREA)) {
        ::GetWindowRect(marker, &area);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    }
    return area;
}

void CDlgAniPreview::InsertTab(int index, const CString& text, int image)
{
    TCITEMW item {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPWSTR>(text.GetString());
    item.iImage = image;
    m_tab.SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void CDlgAniPreview::SetTabText(int index, const CString& text)
{
    TCITEMW item {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(text.GetString());
    m_tab.SendMessage(TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

BOOL CDlgAniPreview::OnInitDialog()
{
    CEffectEditorDialog::OnInitDialog();
    m_images = MakeTabImages();
    m_tab.SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    InsertTab(0, L"内置效果", -1);
    InsertTab(1, L"添加", 0);

    const CRect area = PageArea();
    m_pBuiltIn = new CMyColorView;
    m_pBuiltIn->m_nTileWidth = kTileSide;
    m_pBuiltIn->m_nTileHeight = kTileSide;
    m_pBuiltIn->m_nColumns = std::max(area.Width() / (m_pBuiltIn->m_nMarginX + kTileSide) - 1, 1);
    if (!m_pBuiltIn->Create(
            nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, area, this, IDC_AP_TILE_VIEW, nullptr)) {
        delete m_pBuiltIn;
        m_pBuiltIn = nullptr;
    } else {
        m_pBuiltIn->OnInitialUpdate();
        if (m_pDoc != nullptr) {
            CSingleLock lock(&m_pDoc->m_mutex, TRUE);
            const AniPreviewList& library = m_pDoc->m_animationPreviews;
            for (INT_PTR i = 0; i < library.GetSize(); ++i)
                m_pBuiltIn->AddNamedItem(
                    library.GetAt(i)->m_pThumb, FileCaption(library.GetAt(i)->m_path), static_cast<int>(i));
        }
    }

    CStringArray folders;
    if (m_pDoc != nullptr)
        m_pDoc->Host().LoadUserDirs(folders);
    for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
        if (!folders.GetAt(i).IsEmpty())
            AddPage(folders.GetAt(i));
    }
    m_tab.SetCurSel(0);
    OnTabSelection();
    BuildPreviewSegment();
    LocalizeLabels();
    return TRUE;
}

CDlgImportDirAni* CDlgAniPreview::AddPage(const CString& folder)
{
    auto* page = new CDlgImportDirAni(folder);
    if (!page->Create(IDD_IMPORT_DIR_ANI, this)) {
        delete page;
        return nullptr;
    }
    const CRect area = PageArea();
    page->MoveWindow(area);
    page->ShowWindow(SW_SHOW);
    m_pages.push_back(page);
    InsertTab(PageCount(), LastComponent(folder), -1);
    return page;
}

void CDlgAniPreview::SaveFolders()
{
    if (m_pDoc == nullptr)
        return;
    CStringArray folders;
    for (CDlgImportDirAni* page : m_pages)
        folders.Add(page->Folder());
    m_pDoc->Host().SaveUserDirs(folders);
}

void CDlgAniPreview::BuildPreviewSegment()
{
    MakePreviewSegment();
}

void CDlgAniPreview::LocalizeLabels()
{
    const CtrlLabel labels[] = { { IDOK, L"ITEM_TITLE", 33 }, { IDCANCEL, L"ITEM_TITLE", 34 } };
    LocalizeItems(labels);
    CString caption = LangText(L"ITEM_TITLE", 108);
    if (!caption.IsEmpty())
        SetWindowText(caption);
    CString builtIn = LangText(L"KVMENU", 122);
    if (!builtIn.IsEmpty())
        SetTabText(0, builtIn);
    CString add = LangText(L"ITEM_TITLE", 162);
    if (!add.IsEmpty())
        SetTabText(AddTabIndex(), add);
}

void CDlgAniPreview::OnTabSelection()
{
    if (m_pBuiltIn != nullptr)
        m_pBuiltIn->ShowWindow(SW_HIDE);
    for (CDlgImportDirAni* page : m_pages)
        page->ShowWindow(SW_HIDE);
    const int tab = m_tab.GetCurSel();
    if (tab == AddTabIndex()) {
        CString folder;
        if (!AfxGetUiHost().PickFolder(m_hWnd, L"DIR", folder) || folder.IsEmpty() || AddPage(folder) == nullptr) {
            m_tab.SetCurSel(0);
            if (m_pBuiltIn != nullptr)
                m_pBuiltIn->ShowWindow(SW_SHOW);
            return;
        }
        m_tab.SetCurSel(PageCount());
        SaveFolders();
        return;
    }
    if (CDlgImportDirAni* page = Page(tab - 1))
        page->ShowWindow(SW_SHOW);
    else if (m_pBuiltIn != nullptr)
        m_pBuiltIn->ShowWindow(SW_SHOW);
}

void CDlgAniPreview::OnTabChanged(NMHDR*, LRESULT* result)
{
    OnTabSelection();
    *result = 0;
}

void CDlgAniPreview::OnTabRightClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    const DWORD position = ::GetMessagePos();
    CPoint screen(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    TCHITTESTINFO hit {};
    hit.pt = screen;
    ::ScreenToClient(m_tab.GetSafeHwnd(), &hit.pt);
    const int tab = static_cast<int>(m_tab.SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // The tab under the cursor becomes current; the page shown stays.
    if (tab >= 0 && tab != AddTabIndex())
        m_tab.SetCurSel(tab);
    const int current = m_tab.GetCurSel();
    if (current < 1 || current >= AddTabIndex())
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_ANI_FOLDER_MENU))
        return;
    HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    if (popup == nullptr)
        return;
    CString remove = LangText(L"KVMENU", 19);
    if (!remove.IsEmpty())
        ::ModifyMenuW(popup, ID_AP_DELETE_FOLDER, MF_BYCOMMAND | MF_STRING, ID_AP_DELETE_FOLDER, remove);
    // The chosen command comes back to this dialog as WM_COMMAND.
    CContextMenuManager menus;
    menus.TrackPopupMenu(popup, screen.x, screen.y, this);
}

void CDlgAniPreview::OnDeleteFolder()
{
    const int tab = m_tab.GetCurSel();
    CDlgImportDirAni* page = Page(tab - 1);
    if (page == nullptr)
        return;
    m_pages.erase(m_pages.begin() + (tab - 1));
    // Deleting the page stops its scan first.
    delete page;
    m_tab.DeleteItem(tab);
    m_tab.SetCurSel(0);
    OnTabSelection();
    SaveFolders();
}

CString CDlgAniPreview::HintNoSelection() const
{
    CString text = LangText(L"HINT", 1);
    return text.IsEmpty() ? CString(L"Select an animation first.") : text;
}

LRESULT CDlgAniPreview::OnTileSelected(WPARAM wParam, LPARAM)
{
    const int n = static_cast<int>(wParam);
    if (n >= 0) {
        if (m_pDoc == nullptr)
            return 0;
        CSingleLock lock(&m_pDoc->m_mutex, TRUE);
        if (n >= m_pDoc->m_animationPreviews.GetSize())
            return 0;
        m_chosenPath = m_pDoc->m_animationPreviews.GetAt(n)->m_path;
    } else if (CDlgImportDirAni* page = Page(m_tab.GetCurSel() - 1)) {
        CString path = page->GetSelectedFile(HintNoSelection());
        if (path.IsEmpty())
            return 0;
        m_chosenPath = path;
    }
    Preview();
    return 0;
}

void CDlgAniPreview::Preview()
{
    if (m_chosenPath.IsEmpty() || m_pDoc == nullptr)
        return;
    ProgramVideo* video = PreviewProgram();
    video->m_filePath = m_chosenPath;
    const MediaFileKind kind = MediaKindOfPath(m_chosenPath);
    video->m_mediaKind = static_cast<int>(kind);
    HDC dc = ::GetDC(m_hWnd);
    int frames = kind == MEDIA_FILE_SWF ? GetSwfFrameCount(dc, m_chosenPath)
        : kind == MEDIA_FILE_TOL        ? GetTolFrameCount(dc, m_chosenPath)
                                        : GetVideoFrameCount(dc, m_chosenPath);
    ::ReleaseDC(m_hWnd, dc);
    frames = std::max(frames, 0);
    video->m_orgFrames = frames;
    video->m_endFrame = frames;
    // Only the browser's own preview: when its segment was dropped the
    // program is kept up to date and nothing plays.
    const int played = std::max(video->m_endFrame - video->m_startFrame + 1, 0);
    if (SetPreviewFrames(played, played, false))
        RestartPreview();
}

void CDlgAniPreview::OnOK()
{
    if (m_pDoc == nullptr)
        return;
    const int tab = m_tab.GetCurSel();
    if (tab == 0) {
        const int selected = m_pBuiltIn != nullptr ? m_pBuiltIn->m_nCurSel : -1;
        if (selected < 0) {
            AfxMessageBox(HintNoSelection());
            return;
        }
        if (selected >= m_pDoc->m_animationPreviews.GetSize())
            return;
        m_chosenPath = m_pDoc->m_animationPreviews.GetAt(selected)->m_path;
    } else if (CDlgImportDirAni* page = Page(tab - 1)) {
        CString path = page->GetSelectedFile(HintNoSelection());
        if (path.IsEmpty())
            return;
        m_chosenPath = path;
    } else if (m_chosenPath.IsEmpty()) {
        AfxMessageBox(HintNoSelection());
        return;
    }
    m_pDoc->OnEffectDialogClosed(0);
    // The browser stays, hidden, until the next command shows it again.
    EndDialog(IDOK);
    m_pDoc->AddVideoFile(m_chosenPath);
}

void CDlgAniPreview::OnCancel()
{
    if (m_pDoc != nullptr)
        m_pDoc->OnEffectDialogClosed(0);
    EndDialog(IDCANCEL);
}

void CDlgAniPreview::OnClose()
{
    OnCancel();
}

void CDlgAniPreview::DestroyPages()
{
    for (CDlgImportDirAni* page : m_pages)
        delete page;
    m_pages.clear();
}

void CDlgAniPreview::OnDestroy()
{
    DestroyPages();
    CEffectEditorDialog::OnDestroy();
}
