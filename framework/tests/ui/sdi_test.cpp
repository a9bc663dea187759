// The SDI skeleton: command routing, OnInitialUpdate on New and Open,
// command UI of menu items, and a full open/edit/save/close session with
// the save prompt answered by the scripted host.
#include "fw_testing.h"
#include "sdi_app.h"

#include <gtest/gtest.h>

using fwtest::CScriptedUiHost;

namespace {
CString TempPath(LPCTSTR name)
{
    TCHAR dir[MAX_PATH] = L"";
    ::GetTempPath(MAX_PATH, dir);
    CString path;
    path.Format(L"%sfwui_%lu_%s", dir, ::GetCurrentProcessId(), name);
    return path;
}

std::vector<CString> ReadLines(LPCTSTR path)
{
    CFile file(path, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CSdiDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.Serialize(ar);
    return doc.m_lines;
}

// Starts the skeleton's application object without a message loop.
struct SdiSession {
    CSdiApp app;
    CMainFrame* frame = nullptr;
    HWND hFrame = nullptr;

    SdiSession()
    {
        app.m_arrArgs = { L"-nologo" };
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        EXPECT_TRUE(app.InitInstance());
        frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
        hFrame = frame != nullptr ? frame->m_hWnd : nullptr;
    }
    ~SdiSession()
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        app.ExitInstance();
        fwtest::PumpPending();
    }
    CSdiDoc* Doc() const { return dynamic_cast<CSdiDoc*>(frame->GetActiveDocument()); }
};

TEST(SdiSkeleton, CommandsRouteThroughViewDocumentFrameAndApplication)
{
    CScriptedUiHost host;
    SdiSession s;
    ASSERT_NE(s.frame, nullptr);
    CSdiDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    struct Case {
        UINT id;
        CCmdTarget* target;
    };
    const Case cases[] = {
        { ID_EDIT_ADDLINE, doc },
        { ID_FILE_SAVE, doc },
        { ID_VIEW_MARK, s.frame },
        { ID_FILE_NEW, &s.app },
    };
    for (const Case& c : cases) {
        AFX_CMDHANDLERINFO info;
        EXPECT_TRUE(s.frame->OnCmdMsg(c.id, CN_COMMAND, nullptr, &info)) << c.id;
        EXPECT_EQ(info.pTarget, c.target) << c.id;
    }
    AFX_CMDHANDLERINFO none;
    EXPECT_FALSE(s.frame->OnCmdMsg(40000, CN_COMMAND, nullptr, &none));

    // A menu command sent to the frame reaches the document's handler.
    fwtest::SendCommand(*s.frame, ID_EDIT_ADDLINE);
    EXPECT_EQ(doc->m_nAddLineCalls, 1);
    EXPECT_EQ(doc->m_lines.size(), 2u);
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(FALSE);
}

TEST(SdiSkeleton, UpdateCommandUIEnablesAndChecksMenuItems)
{
    CScriptedUiHost host;
    SdiSession s;
    ASSERT_NE(s.frame, nullptr);
    CMenu* menu = s.frame->GetMenu();
    ASSERT_NE(menu, nullptr);
    CMenu* edit = menu->GetSubMenu(1);
    CMenu* view = menu->GetSubMenu(2);
    // An item no one handles is disabled by the frame's automatic enabling.
    edit->AppendMenu(MF_STRING, 40000, L"Nobody");
    auto popup = [&](CMenu* m, int index) {
        s.frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m->m_hMenu), MAKELPARAM(index, FALSE));
    };
    popup(edit, 1);
    EXPECT_EQ(edit->GetMenuState(ID_EDIT_CLEARLINES, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(edit->GetMenuState(ID_EDIT_ADDLINE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(edit->GetMenuState(40000, MF_BYCOMMAND) & MF_GRAYED, 0u);

    fwtest::SendCommand(*s.frame, ID_EDIT_CLEARLINES);
    popup(edit, 1);
    EXPECT_NE(edit->GetMenuState(ID_EDIT_CLEARLINES, MF_BYCOMMAND) & MF_GRAYED, 0u);
    // A disabled command is not run, even when sent directly.
    CSdiDoc* doc = s.Doc();
    doc->SetModifiedFlag(FALSE);
    fwtest::SendCommand(*s.frame, ID_EDIT_CLEARLINES);
    EXPECT_FALSE(doc->IsModified());

    popup(view, 2);
    EXPECT_EQ(view->GetMenuState(ID_VIEW_MARK, MF_BYCOMMAND) & MF_CHECKED, 0u);
    fwtest::SendCommand(*s.frame, ID_VIEW_MARK);
    popup(view, 2);
    EXPECT_NE(view->GetMenuState(ID_VIEW_MARK, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

// A frame with two views side by side, to see every view get OnInitialUpdate.
class CTwoViewFrame : public CMainFrame {
    DECLARE_DYNCREATE(CTwoViewFrame)
public:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr
            && CreateView(pContext, AFX_IDW_PANE_FIRST + 1) != nullptr;
    }
};
IMPLEMENT_DYNCREATE(CTwoViewFrame, CMainFrame)

class CTwoViewApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        AddDocTemplate(new CSingleDocTemplate(
            IDR_MAINFRAME, RUNTIME_CLASS(CSdiDoc), RUNTIME_CLASS(CTwoViewFrame), RUNTIME_CLASS(CSdiView)));
        return TRUE;
    }
};

std::vector<int> InitialUpdates(CDocument* doc)
{
    std::vector<int> counts;
    for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;)
        counts.push_back(static_cast<CSdiView*>(doc->GetNextView(pos))->m_nInitialUpdates);
    return counts;
}

TEST(SdiSkeleton, OnInitialUpdateReachesEveryViewOnNewAndOpen)
{
    CScriptedUiHost host;
    CTwoViewApp app;
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    ASSERT_TRUE(app.InitInstance());
    app.OnFileNew();
    auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    CDocument* doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(InitialUpdates(doc), (std::vector<int> { 1, 1 }));

    CString path = TempPath(L"views.skn");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    host.ExpectFileOpen({ path });
    app.OnFileOpen();
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(InitialUpdates(doc), (std::vector<int> { 2, 2 }));

    app.OnFileNew();
    EXPECT_EQ(InitialUpdates(doc), (std::vector<int> { 3, 3 }));
    ::DestroyWindow(frame->m_hWnd);
    fwtest::PumpPending();
    ::DeleteFile(path);
}

TEST(SdiSkeleton, OpensEditsSavesAndClosesThroughItsCommands)
{
    CString path = TempPath(L"session.skn");
    ::DeleteFile(path);
    CScriptedUiHost host;
    SdiSession s;
    ASSERT_NE(s.frame, nullptr);
    CSdiDoc* doc = s.Doc();
    CString title;
    s.frame->GetWindowText(title);
    EXPECT_EQ(title, L"Notes - Skeleton");

    fwtest::SendCommand(*s.frame, ID_EDIT_ADDLINE);
    host.ExpectFileSave(path);
    fwtest::SendCommand(*s.frame, ID_FILE_SAVE);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName().CompareNoCase(path), 0);
    EXPECT_EQ(ReadLines(path), (std::vector<CString> { L"New notes", L"Line 2" }));
    s.frame->GetWindowText(title);
    EXPECT_EQ(title, CString(::PathFindFileName(path)) + L" - Skeleton");

    // Edit, then open the saved file without saving the edit.
    fwtest::SendCommand(*s.frame, ID_EDIT_ADDLINE);
    host.ExpectFileOpen({ path });
    host.ExpectMessageBox(IDNO, L"Save changes to");
    fwtest::SendCommand(*s.frame, ID_FILE_OPEN);
    EXPECT_EQ(s.Doc(), doc);
    EXPECT_EQ(doc->m_lines.size(), 2u);
    EXPECT_FALSE(doc->IsModified());

    // Edit again and leave: the prompt's Yes saves to the same file.
    fwtest::SendCommand(*s.frame, ID_EDIT_ADDLINE);
    host.ExpectMessageBox(IDYES, L"Save changes to");
    fwtest::SendCommand(*s.frame, ID_APP_EXIT);
    EXPECT_FALSE(::IsWindow(s.hFrame));
    EXPECT_EQ(s.app.m_pMainWnd, nullptr);
    EXPECT_EQ(ReadLines(path), (std::vector<CString> { L"New notes", L"Line 2", L"Line 3" }));

    CString name = ::PathFindFileName(path);
    std::vector<CString> expected = {
        L"FileSave: Notes.skn",
        L"FileOpen: Skeleton Notes (*.skn)|*.skn|All Files (*.*)|*.*||",
        L"MessageBox: Save changes to " + name + L"?",
        L"MessageBox: Save changes to " + name + L"?",
    };
    EXPECT_EQ(host.Transcript(), expected);
    ::DeleteFile(path);
}

TEST(SdiSkeleton, CancelAtTheSavePromptKeepsTheProgramOpen)
{
    CScriptedUiHost host;
    SdiSession s;
    ASSERT_NE(s.frame, nullptr);
    fwtest::SendCommand(*s.frame, ID_EDIT_ADDLINE);
    host.ExpectMessageBox(IDCANCEL, L"Save changes to Notes?");
    s.frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(s.hFrame));
    EXPECT_TRUE(s.Doc()->IsModified());
    s.Doc()->SetModifiedFlag(FALSE);
}

TEST(SdiSkeleton, BrokenFileIsRefusedAndTheDocumentKept)
{
    CString path = TempPath(L"broken.skn");
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        DWORD hugeCount = 0x7FFFFFFF;
        f.Write(&hugeCount, sizeof(hugeCount));
    }
    CScriptedUiHost host;
    SdiSession s;
    ASSERT_NE(s.frame, nullptr);
    host.ExpectMessageBox(IDOK, L"Failed to open document");
    EXPECT_EQ(s.app.OpenDocumentFile(path), nullptr);
    CSdiDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    // The failed load cleared the old content, so a new document took its place.
    EXPECT_EQ(doc->m_lines, (std::vector<CString> { L"New notes" }));
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    ::DeleteFile(path);
}
} // namespace
