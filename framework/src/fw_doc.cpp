// CDocument: life cycle, save prompt, load and save through CArchive.
#include "afxwin.h"
#include "fw_replacefile.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    m_viewList.clear();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    for (CView* pView : m_viewList) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    TCHAR full[MAX_PATH * 2] = L"";
    if (::GetFullPathName(lpszPathName, MAX_PATH * 2, full, nullptr) == 0)
        wcsncpy(full, lpszPathName, MAX_PATH * 2 - 1);
    m_strPathName = full;
    SetTitle(::PathFindFileName(full));
    if (bAddToMRU && AfxGetApp() != nullptr)
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    auto index = reinterpret_cast<UINT_PTR>(rPosition);
    if (index == 0 || index > m_viewList.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    CView* pView = m_viewList[index - 1];
    rPosition = index < m_viewList.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return pView;
}

void CDocument::AddView(CView* pView)
{
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // A document whose last view went away is closed with it.
    if (m_viewList.empty() && m_bAutoDelete)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    std::vector<CView*> views = m_viewList;
    for (CView* pView : views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT)
{
    CString text;
    text.Format(bSaving ? L"Failed to save document %s." : L"Failed to open document %s.",
        lpszPathName != nullptr ? lpszPathName : L"");
    if (e != nullptr) {
        TCHAR sz[512] = L"";
        if (e->GetErrorMessage(sz, 512) && sz[0] != 0) {
            text += L"\n";
            text += sz;
        }
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, 0);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, 0);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    // Write a temporary file beside the target and replace the target only
    // when the whole document was written.
    CString target(lpszPathName);
    if (!AfxCanReplaceFile(target)) {
        CFileException fe(CFileException::accessDenied, static_cast<LONG>(::GetLastError()), target);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, 0);
        return FALSE;
    }
    CString temp = AfxReplacementTempPath(target);
    CFile file;
    CFileException fe;
    if (!file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, 0);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        ::DeleteFile(temp);
        ReportSaveLoadException(lpszPathName, e, TRUE, 0);
        e->Delete();
        return FALSE;
    }
    if (!AfxCommitReplacement(temp, target)) {
        ReportSaveLoadException(lpszPathName, nullptr, TRUE, 0);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE; // closing the frames must not delete us midway
    std::vector<CView*> views = m_viewList;
    for (CView* pView : views) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && pFrame->m_hWnd != nullptr) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : CString(::PathFindFileName(m_strPathName));
    if (name.IsEmpty())
        name = L"Untitled";
    switch (AfxMessageBox(GetSaveModifiedPrompt(name), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

CString CDocument::GetSaveModifiedPrompt(const CString& name)
{
    CString prompt;
    prompt.Format(L"Save changes to %s?", name.GetString());
    return prompt;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName != nullptr ? lpszPathName : L"";
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (newName.IsEmpty()) {
            newName = m_strTitle;
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt)
                && !ext.IsEmpty() && newName.Find(L'.') < 0)
                newName += ext;
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr || !pApp->DoPromptFileName(newName, 0, OFN_OVERWRITEPROMPT, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributes(m_strPathName);
    if (m_strPathName.IsEmpty()
        || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
