// A folder page of the animation library browser and its thumbnail scan.
#include "dlg_import_dir_ani.h"

#include "media_probe.h"
#include "tile_view.h"

#include <algorithm>

namespace {

constexpr int kThumbSide = 256;
constexpr int kTileSide = 64;

bool IsAnimationFile(const CString& name)
{
    const int dot = name.ReverseFind(L'.');
    if (dot < 0)
        return false;
    CString extension = name.Mid(dot + 1);
    extension.MakeUpper();
    return extension == L"SWF" || extension == L"AVI" || extension == L"TOL";
}

CString Caption(const CString& path)
{
    CString name = path.Mid(path.ReverseFind(L'\\') + 1);
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

// A 256 x 256 picture of the file, or null when no decoder draws it.
CBitmap* RenderThumbnail(const CString& path)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kThumbSide, kThumbSide);
    ::ReleaseDC(nullptr, screen);
    CBitmap* thumb = nullptr;
    if (dc != nullptr && bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        const int drawn = RenderMediaThumbnail(path, dc);
        ::SelectObject(dc, old);
        if (drawn != 0) {
            thumb = new CBitmap;
            thumb->Attach(bitmap);
            bitmap = nullptr;
        }
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (dc != nullptr)
        ::DeleteDC(dc);
    return thumb;
}

} // namespace

void CFolderThumbnails::Clear()
{
    for (S_AniPreView* item : m_items) {
        delete item->m_pThumb;
        delete item;
    }
    m_items.clear();
}

void CFolderThumbnails::Add(CBitmap* thumb, const CString& path)
{
    auto* item = new S_AniPreView;
    item->m_pThumb = thumb;
    item->m_path = path;
    m_items.push_back(item);
}

std::vector<CString> ListFolderEntries(const CString& folder)
{
    std::vector<CString> names;
    WIN32_FIND_DATAW found {};
    HANDLE find = ::FindFirstFileW(folder + L"\\*.*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        CString name = found.cFileName;
        if (name.Find(L'.') >= 0 && name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    return names;
}

void DrawFolderAnimations(
    const CString& folder, const std::vector<CString>& names, CFolderThumbnails& out, const std::atomic<bool>* stop)
{
    for (const CString& name : names) {
        if (stop != nullptr && stop->load())
            return;
        const CString path = folder + L"\\" + name;
        // An entry removed since the listing is passed over; the rest of the
        // folder still shows.
        const DWORD attributes = ::GetFileAttributesW(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        if (!IsAnimationFile(name))
            continue;
        if (CBitmap* thumb = RenderThumbnail(path))
            out.Add(thumb, path);
    }
}

void ScanFolderAnimations(const CString& folder, CFolderThumbnails& out, const std::atomic<bool>* stop)
{
    DrawFolderAnimations(folder, ListFolderEntries(folder), out, stop);
}

IMPLEMENT_DYNAMIC(CDlgImportDirAni, CDialogEx)

BEGIN_MESSAGE_MAP(CDlgImportDirAni, CDialogEx)
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_AP_BROWSE, OnBrowse)
ON_MESSAGE(WM_FOLDER_THUMBNAILS_READY, OnThumbnailsReady)
ON_MESSAGE(WM_TILE_SELECTED, OnTileSelected)
END_MESSAGE_MAP()

CDlgImportDirAni::CDlgImportDirAni(const CString& folder)
    : CDialogEx(IDD_IMPORT_DIR_ANI)
    , m_folder(folder)
{
}

CDlgImportDirAni::~CDlgImportDirAni()
{
    StopScan();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CDlgImportDirAni::StopScan()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    // The thread only posts to the page, so waiting here cannot block it.
    m_thread.join();
    m_scanned.reset();
}

BOOL CDlgImportDirAni::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    CRect area;
    if (HWND marker = ::GetDlgItem(m_hWnd, IDC_AP_PAGE_AREA)) {
        ::ShowWindow(marker, SW_HIDE);
        ::GetWindowRect(marker, &area);
        ScreenToClient(&area);
    }
    m_pTileView = new CMyColorView;
    m_pTileView->m_nTileWidth = kTileSide;
    m_pTileView->m_nTileHeight = kTileSide;
    m_pTileView->m_nColumns = std::max(area.Width() / (m_pTileView->m_nMarginX + kTileSide) - 1, 1);
    if (!m_pTileView->Create(
            nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, area, this, IDC_AP_TILE_VIEW, nullptr)) {
        delete m_pTileView;
        m_pTileView = nullptr;
    } else {
        m_pTileView->OnInitialUpdate();
    }
    SetDlgItemText(IDC_AP_FOLDER, m_folder);
    const DWORD attributes = ::GetFileAttributesW(m_folder);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        m_thumbs.Clear();
        if (m_pTileView != nullptr)
            m_pTileView->RemoveAllItems();
        m_stop = false;
        m_scanned = std::make_unique<CFolderThumbnails>();
        HWND page = m_hWnd;
        CFolderThumbnails* out = m_scanned.get();
        const CString folder = m_folder;
        m_thread = std::thread([page, out, folder, this] {
            ScanFolderAnimations(folder, *out, &m_stop);
            ::PostMessageW(page, WM_FOLDER_THUMBNAILS_READY, 0, 0);
        });
        SetDlgItemText(IDC_AP_LOADING, L"Loading");
    }
    return TRUE;
}

void CDlgImportDirAni::OnDestroy()
{
    StopScan();
    CDialogEx::OnDestroy();
}

LRESULT CDlgImportDirAni::OnThumbnailsReady(WPARAM, LPARAM)
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_scanned != nullptr) {
        m_thumbs.Clear();
        m_thumbs.m_items.swap(m_scanned->m_items);
        m_scanned.reset();
    }
    SetDlgItemText(IDC_AP_LOADING, L"");
    FillTiles();
    return 0;
}

void CDlgImportDirAni::FillTiles()
{
    if (m_pTileView == nullptr)
        return;
    m_pTileView->RemoveAllItems();
    for (size_t i = 0; i < m_thumbs.m_items.size(); ++i) {
        S_AniPreView* item = m_thumbs.m_items[i];
        m_pTileView->AddNamedItem(item->m_pThumb, Caption(item->m_path), static_cast<int>(i));
    }
}

void CDlgImportDirAni::LoadFolderAnimations(const CString& folder)
{
    StopScan();
    if (m_pTileView != nullptr)
        m_pTileView->RemoveAllItems();
    m_thumbs.Clear();
    SetDlgItemText(IDC_AP_LOADING, L"");
    ScanFolderAnimations(folder, m_thumbs);
    FillTiles();
}

void CDlgImportDirAni::OnBrowse()
{
    CString folder;
    if (!AfxGetUiHost().PickFolder(m_hWnd, L"Select Dir", folder) || folder.IsEmpty())
        return;
    SetDlgItemText(IDC_AP_FOLDER, folder);
    LoadFolderAnimations(folder);
}

LRESULT CDlgImportDirAni::OnTileSelected(WPARAM, LPARAM)
{
    // The browser previews the page's selected tile.
    if (HWND browser = ::GetParent(m_hWnd))
        ::SendMessageW(browser, WM_TILE_SELECTED, static_cast<WPARAM>(-1), 0);
    return 0;
}

CString CDlgImportDirAni::GetSelectedFile(const CString& noSelectionText)
{
    const int selected = m_pTileView != nullptr ? m_pTileView->m_nCurSel : -1;
    if (selected < 0) {
        AfxMessageBox(noSelectionText);
        return CString();
    }
    if (selected < static_cast<int>(m_thumbs.m_items.size()))
        return m_thumbs.m_items[static_cast<size_t>(selected)]->m_path;
    return CString();
}
