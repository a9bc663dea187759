// The SDI skeleton program's classes.
#include "sdi_app.h"

IMPLEMENT_DYNCREATE(CSdiDoc, CDocument)
IMPLEMENT_DYNCREATE(CSdiView, CView)
IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CSdiDoc, CDocument)
ON_COMMAND(ID_EDIT_ADDLINE, OnEditAddLine)
ON_COMMAND(ID_EDIT_CLEARLINES, OnEditClearLines)
ON_UPDATE_COMMAND_UI(ID_EDIT_CLEARLINES, OnUpdateEditClearLines)
END_MESSAGE_MAP()

BOOL CSdiDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_lines.emplace_back(L"New notes");
    return TRUE;
}

void CSdiDoc::DeleteContents()
{
    m_lines.clear();
}

void CSdiDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_lines.size());
        for (const CString& line : m_lines)
            ar << line;
    } else {
        DWORD count = 0;
        ar >> count;
        // A count beyond what the file can hold is a broken file.
        if (count > 100000)
            AfxThrowArchiveException(CArchiveException::badIndex);
        m_lines.clear();
        for (DWORD i = 0; i < count; ++i) {
            CString line;
            ar >> line;
            m_lines.push_back(line);
        }
    }
}

void CSdiDoc::OnEditAddLine()
{
    ++m_nAddLineCalls;
    CString line;
    line.Format(L"Line %d", static_cast<int>(m_lines.size()) + 1);
    m_lines.push_back(line);
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void CSdiDoc::OnEditClearLines()
{
    m_lines.clear();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void CSdiDoc::OnUpdateEditClearLines(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_lines.empty());
}

void CSdiView::OnDraw(CDC* pDC)
{
    CSdiDoc* pDoc = GetDocument();
    if (pDoc == nullptr)
        return;
    int y = 8;
    for (const CString& line : pDoc->m_lines) {
        pDC->TextOut(8, y, line);
        y += 18;
    }
}

void CSdiView::OnInitialUpdate()
{
    ++m_nInitialUpdates;
    CView::OnInitialUpdate();
}

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_COMMAND(ID_VIEW_MARK, OnViewMark)
ON_UPDATE_COMMAND_UI(ID_VIEW_MARK, OnUpdateViewMark)
END_MESSAGE_MAP()

void CMainFrame::OnViewMark()
{
    m_bMark = !m_bMark;
}

void CMainFrame::OnUpdateViewMark(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bMark ? 1 : 0);
}

BEGIN_MESSAGE_MAP(CSdiApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

BOOL CSdiApp::InitInstance()
{
    SetRegistryKey(L"LedSuite Skeletons");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CSdiDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CSdiView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
