// CDocTemplate and CSingleDocTemplate.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(
    UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource)
    , m_pDocClass(pDocClass)
    , m_pFrameClass(pFrameClass)
    , m_pViewClass(pViewClass)
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int i = 0; i < static_cast<int>(index); ++i) {
        int nl = m_strDocStrings.Find(L'\n', start);
        if (nl < 0)
            return FALSE;
        start = nl + 1;
    }
    int end = m_strDocStrings.Find(L'\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr)
        return nullptr;
    CObject* pObject = m_pDocClass->CreateObject();
    auto* pDoc = dynamic_cast<CDocument*>(pObject);
    if (pDoc == nullptr) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (m_pFrameClass == nullptr)
        return nullptr;
    CObject* pObject = m_pFrameClass->CreateObject();
    auto* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        // The failed frame deleted itself in PostNcDestroy.
        return nullptr;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc != nullptr && !pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc != nullptr)
            pDoc->OnCloseDocument();
    }
}

// ---------------------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(
    UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr) {
        CDocument* pDoc = m_pOnlyDoc;
        m_pOnlyDoc = nullptr;
        pDoc->m_pDocTemplate = nullptr;
        pDoc->OnCloseDocument();
    }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != nullptr ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos != nullptr ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = L"Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = nullptr;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    BOOL bWasModified = FALSE;
    if (m_pOnlyDoc != nullptr) {
        pDoc = m_pOnlyDoc;
        if (!pDoc->SaveModified())
            return nullptr;
        POSITION pos = pDoc->GetFirstViewPosition();
        CView* pView = pDoc->GetNextView(pos);
        pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
        bWasModified = pDoc->IsModified();
    } else {
        pDoc = CreateNewDocument();
        if (pDoc == nullptr) {
            AfxMessageBox(L"Failed to create empty document.", MB_ICONEXCLAMATION);
            return nullptr;
        }
        bCreated = TRUE;
    }
    BOOL bFrameCreated = FALSE;
    if (pFrame == nullptr) {
        // The document must not die with a frame that fails half-way.
        BOOL bAutoDelete = pDoc->m_bAutoDelete;
        pDoc->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDoc, nullptr);
        pDoc->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr) {
            AfxMessageBox(L"Failed to create empty document.", MB_ICONEXCLAMATION);
            if (bCreated)
                delete pDoc;
            return nullptr;
        }
        bFrameCreated = TRUE;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == nullptr)
            pApp->m_pMainWnd = pFrame;
    }
    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDoc);
        if (!pDoc->OnNewDocument()) {
            if (bFrameCreated)
                pFrame->DestroyWindow();
            return nullptr;
        }
    } else {
        if (!pDoc->OnOpenDocument(lpszPathName)) {
            if (bFrameCreated) {
                pFrame->DestroyWindow();
            } else if (!pDoc->IsModified()) {
                // The old content is untouched: keep it as it was.
                pDoc->SetModifiedFlag(bWasModified);
            } else {
                // The failed load cleared the old content: start a new one.
                SetDefaultTitle(pDoc);
                pDoc->OnNewDocument();
            }
            return nullptr;
        }
        pDoc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
