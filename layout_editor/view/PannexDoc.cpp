// The layout document: open by magic, save in the current format, reply to
// the caller.
#include "PannexDoc.h"

#include "ByteBufferFile.h"
#include "FileScrambler.h"
#include "LayoutArchive.h"
#include "LayoutLangText.h"
#include "LayoutMessageBoxes.h"
#include "PannexResource.h"
#include "PannexSession.h"

IMPLEMENT_DYNCREATE(CPannexDoc, CDocument)

BEGIN_MESSAGE_MAP(CPannexDoc, CDocument)
ON_COMMAND(ID_FILE_EXPORT_BMP, OnExportBmp)
ON_COMMAND(ID_FILE_EXPORT_WIRING, OnExportWiringReport)
END_MESSAGE_MAP()

namespace {

// The archive error that Serialize raises for a lamp off the file's grid.
constexpr int kOffGridCause = CArchiveException::badSchema;

// A file that cannot be opened or read; a lamp off the file's grid is named
// as the reason.
void ShowOpenFailure(LayoutReadResult why = LayoutReadResult::NotOpened)
{
    ShowLayoutMessageBox(GetLangText(L"LAYOUT", why == LayoutReadResult::OffGrid ? 981 : 168), L"Solvane");
}

} // namespace

CPannexDoc::CPannexDoc()
{
    // A failed save tells the user through the layout file code's messages.
    InstallLayoutMessageBoxes();
}

CPannexDoc::~CPannexDoc() = default;

ILayoutDocView* CPannexDoc::GetLayoutView() const
{
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        CView* active = static_cast<CFrameWnd*>(main)->GetActiveView();
        auto* view = dynamic_cast<ILayoutDocView*>(active);
        if (view != nullptr && active->GetDocument() == this)
            return view;
    }
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        auto* view = dynamic_cast<ILayoutDocView*>(GetNextView(pos));
        if (view != nullptr)
            return view;
    }
    return nullptr;
}

void CPannexDoc::Serialize(CArchive& ar)
{
    if (!ar.IsLoading())
        return;
    const LayoutReadResult result = ReadLayoutArchive(GetLayoutView(), ar, m_layout);
    if (result == LayoutReadResult::OffGrid)
        AfxThrowArchiveException(kOffGridCause);
    if (result != LayoutReadResult::Ok)
        AfxThrowArchiveException(
            result == LayoutReadResult::Corrupt ? CArchiveException::badIndex : CArchiveException::genericException);
}

BOOL CPannexDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    // A layout not yet saved is called so in the caption, in the editor's
    // language.
    const CString untitled = GetLangText(L"LAYOUT", 2760);
    SetTitle(untitled.IsEmpty() ? CString(L"Untitled") : untitled);
    return TRUE;
}

BOOL CPannexDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    // The start-up code loads the command-line file itself.
    if (IsStartupFilePending())
        return TRUE;
    return OpenLayoutFile(lpszPathName);
}

BOOL CPannexDoc::OpenLayoutFile(LPCTSTR lpszPathName)
{
    const CString path(lpszPathName);
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes)) {
        ShowOpenFailure();
        return FALSE;
    }
    ILayoutDocView* view = GetLayoutView();
    if (view == nullptr)
        return FALSE;

    if (HasLayoutMagic(bytes.data(), bytes.size())) {
        const LayoutReadResult result = ReadLayoutBytes(view, bytes.data(), bytes.size(), m_layout);
        if (result != LayoutReadResult::Ok) {
            ShowOpenFailure(result);
            return FALSE;
        }
    } else {
        // The archive is unscrambled and read in memory; the file on disk is
        // unscrambled only once the whole layout was read, so a file that
        // fails stays as it was found.
        const bool scrambled = UnscrambleBytes(bytes);
        try {
            CByteBufferFile file(std::move(bytes), path);
            CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
            ar.m_pDocument = this;
            Serialize(ar);
            ar.Close();
        } catch (CException* e) {
            const auto* archiveError = dynamic_cast<CArchiveException*>(e);
            const bool offGrid = archiveError != nullptr && archiveError->m_cause == kOffGridCause;
            e->Delete();
            ShowOpenFailure(offGrid ? LayoutReadResult::OffGrid : LayoutReadResult::Corrupt);
            return FALSE;
        }
        if (scrambled)
            UnscrambleFileInPlace(path);
    }
    view->OnLayoutLoaded();
    m_layout.m_modified = 0;
    return TRUE;
}

CString CPannexDoc::GetSaveModifiedPrompt(const CString& name)
{
    const CString question = GetLangText(L"LAYOUT", 177);
    return question.IsEmpty() ? CDocument::GetSaveModifiedPrompt(name) : question;
}

BOOL CPannexDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    const CString path(lpszPathName);
    ILayoutDocView* view = GetLayoutView();
    const CLayoutProjectSettings noView;
    const CLayoutProjectSettings& settings = view != nullptr ? view->GetLayoutSettings() : noView;
    // The writer has told the user why; the caller must not copy a file that
    // was not written.
    if (WriteLayoutFile(m_layout, path, settings) != LayoutWriteResult::Ok)
        return FALSE;
    m_layout.m_modified = 0;
    m_strSavedPath = path;
    SetPathName(path, FALSE);
    SendTextToCaller(path);
    return TRUE;
}
