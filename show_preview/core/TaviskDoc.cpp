// The preview program's document (see TaviskDoc.h).
#include "TaviskDoc.h"

#include "FrameRender.h"

IMPLEMENT_DYNCREATE(CTaviskDoc, CDocument)

BEGIN_MESSAGE_MAP(CTaviskDoc, CDocument)
ON_COMMAND(ID_PREVIEW_PLAY, OnPreviewCommand)
ON_COMMAND(ID_PREVIEW_PAUSE, OnPreviewCommand)
ON_COMMAND(ID_PREVIEW_STOP, OnPreviewCommand)
END_MESSAGE_MAP()

CTaviskDoc::CTaviskDoc()
    : m_blockA(preview::kHeaderBlockSize)
    , m_blockB(preview::kHeaderBlockSize)
{
}

CTaviskDoc::~CTaviskDoc()
{
    FreePortRecords();
}

BOOL CTaviskDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

void CTaviskDoc::FreePortRecords()
{
    m_layout.records.clear();
}

void CTaviskDoc::FindView()
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* view = GetNextView(pos);
        if (auto* preview = dynamic_cast<IPreviewView*>(view)) {
            m_view = preview;
            return;
        }
    }
}

CString CTaviskDoc::GetCurrentFilePath() const
{
    if (m_currentIndex < 0 || m_currentIndex >= m_fileList.GetSize())
        return CString();
    return m_fileList.GetAt(m_currentIndex);
}

bool CTaviskDoc::OpenShowFile(int index)
{
    if (index < 0 || index >= m_fileList.GetSize())
        return false;
    CSingleLock lock(&m_mutex);
    if (!lock.Lock(kDocumentLockTimeoutMs)) {
        AfxGetUiHost().MessageBox(nullptr, kBusyText, kMessageCaption, MB_OK);
        return false;
    }
    // The reader changes nothing unless the whole open succeeds; the index
    // follows only then, so a failed open leaves the previous show playing.
    const preview::ShowOpenResult result
        = preview::ReadShowFile(m_fileList.GetAt(index), m_blockA, m_blockB, m_frameBuffer, m_geometry);
    if (result != preview::ShowOpenResult::Ok) {
        lock.Unlock();
        AfxGetUiHost().MessageBox(nullptr, kOpenFailedText, kMessageCaption, MB_OK);
        return false;
    }
    m_currentIndex = index;
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr)
        main->PostMessage(WM_PREVIEW_FILE_OPENED);
    if (m_view != nullptr)
        m_view->ResetForFile();
    return true;
}

LayoutChoice CTaviskDoc::SetLayoutFile(const CString& path)
{
    LayoutChoice choice = LayoutChoice::Cleared;
    {
        CSingleLock lock(&m_mutex);
        if (!lock.Lock(kDocumentLockTimeoutMs)) {
            AfxGetUiHost().MessageBox(nullptr, kBusyText, kMessageCaption, MB_OK);
            return LayoutChoice::Busy;
        }
        m_layoutPath = path;
        m_layoutLoaded = 0;
        if (!path.IsEmpty()) {
            // A layout that cannot be read leaves the picture raw rather than
            // drawing an older layout as if it were this one.
            choice = GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES && preview::ReadPreviewLayout(path, m_layout)
                ? LayoutChoice::Loaded
                : LayoutChoice::Refused;
            if (choice == LayoutChoice::Loaded)
                m_layoutLoaded = 1;
            else
                m_layoutPath.Empty();
        }
        if (m_view != nullptr && m_fileList.GetSize() > 0 && m_currentIndex >= 0)
            m_view->ResetForFile();
    }
    // Told once the lock is free: the playback thread goes on meanwhile.
    if (choice == LayoutChoice::Refused)
        AfxGetUiHost().MessageBox(nullptr, kLayoutRefusedText, kMessageCaption, MB_OK);
    return choice;
}

CSize CTaviskDoc::PictureSize() const
{
    return preview::PictureSize(m_geometry, m_layoutLoaded != 0 ? &m_layout : nullptr);
}

bool CTaviskDoc::RenderFrame(
    int frame, const std::function<void(const std::vector<BYTE>& picture, CSize size)>& deliver)
{
    CSingleLock lock(&m_mutex);
    if (!lock.Lock(kDocumentLockTimeoutMs))
        return false;
    const CString path = GetCurrentFilePath();
    if (path.IsEmpty() || frame < 0 || static_cast<std::uint32_t>(frame) >= m_geometry.frameCount)
        return false;
    try {
        if (!preview::ReadShowFrame(path, m_geometry, static_cast<std::uint32_t>(frame), m_frameBuffer))
            return false;
        const CSize size = PictureSize();
        std::vector<BYTE> picture;
        preview::RenderPicture(
            m_frameBuffer.data(), m_geometry, m_layoutLoaded != 0 ? &m_layout : nullptr, size, picture);
        deliver(picture, size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
