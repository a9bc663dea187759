// The preview program as it starts: its application, main frame, view and
// panes, under an application name of the test's own so that what it
// remembers stays apart from the program's. The left pane docks at the left,
// widens when its edge is dragged and opens again at that width; a layout
// that cannot be read and a document lock not had in time are told.
#include <gtest/gtest.h>

#include "MainFrm.h"
#include "ShowFileWriter.h"
#include "TaviskApp.h"
#include "TaviskDoc.h"
#include "fw_testing.h"
#include "fw_window_picture.h"

#include <thread>

using namespace tavisk_test;

namespace {

constexpr LPCWSTR kRegistryKey = L"Software\\应用程序向导生成的本地应用程序\\TaviskProgramTest";

TestShow OneFrameShow()
{
    TestShow show;
    show.frames.push_back(PackPort(1, { Lamps({ RGB(1, 2, 3), RGB(4, 5, 6) }) }));
    return show;
}

struct TaviskProgram : ::testing::Test {
    fwtest::CScriptedUiHost ui;
    CScratchFolder folder;
    std::unique_ptr<CTaviskApp> app;
    CMainFrame* frame = nullptr;

    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kRegistryKey); }
    void TearDown() override
    {
        Stop();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kRegistryKey);
    }
    void Start()
    {
        app = std::make_unique<CTaviskApp>(L"TaviskProgramTest");
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        ASSERT_TRUE(app->InitInstance());
        frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        fwtest::PumpPending();
    }
    void Stop()
    {
        if (frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        frame = nullptr;
        if (app != nullptr)
            app->ExitInstance();
        app.reset();
        fwtest::PumpPending();
    }
    CTaviskDoc* Doc() const { return frame != nullptr ? frame->m_leftDocker.Content().m_document : nullptr; }
    CLeftDockerContent& Content() const { return frame->m_leftDocker.Content(); }
    CRect InFrame(CWnd& child) const
    {
        CRect rc;
        child.GetWindowRect(&rc);
        frame->ScreenToClient(&rc);
        return rc;
    }
    CRect View() const
    {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST), &rc);
        frame->ScreenToClient(&rc);
        return rc;
    }
    // The user drags the pane's inner edge by dx pixels.
    void DragEdge(int dx) const
    {
        CDockablePane& pane = frame->m_leftDocker;
        const CPoint grab = pane.EdgeRect().CenterPoint();
        pane.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
        pane.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grab.x + dx, grab.y));
        pane.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(grab.x + dx, grab.y));
        fwtest::PumpPending();
    }
    // Width of a listed name in the list's font, and the list's client width.
    int NameWidth(int index) const
    {
        CListBox& list = Content().m_fileList;
        CString name;
        list.GetText(index, name);
        CClientDC dc(&list);
        CFont* font = list.GetFont();
        HGDIOBJ old = font != nullptr ? ::SelectObject(dc.m_hDC, font->GetSafeHandle()) : nullptr;
        SIZE size {};
        ::GetTextExtentPoint32W(dc.m_hDC, name, name.GetLength(), &size);
        if (old != nullptr)
            ::SelectObject(dc.m_hDC, old);
        return size.cx;
    }
    int ListWidth() const
    {
        CRect rc;
        Content().m_fileList.GetClientRect(&rc);
        return rc.Width();
    }
    // The user checks the layout mode and picks path; told, when given, is
    // the message that follows.
    void ChooseLayout(const CString& path, LPCWSTR told = nullptr)
    {
        ui.ExpectFileOpen({ path });
        if (told != nullptr)
            ui.ExpectMessageBox(IDOK, told);
        Content().CheckDlgButton(IDC_LAYOUT_MODE, BST_CHECKED);
        fwtest::ClickButton(Content(), IDC_LAYOUT_MODE);
    }
};

} // namespace

TEST_F(TaviskProgram, TheLeftPaneWidensByItsEdgeAndOpensAgainAtThatWidth)
{
    const CString name = L"OFF001 night rehearsal of the harbour bridge show, full length.arm";
    WriteBytes(folder.Path(name), ShowBytes(OneFrameShow()));
    Start();
    ASSERT_NE(Doc(), nullptr);
    CLeftDocker& pane = frame->m_leftDocker;
    EXPECT_TRUE(pane.IsKindOf(RUNTIME_CLASS(CDockablePane)));
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(InFrame(pane), CRect(0, 50, 240, client.bottom));
    EXPECT_EQ(View().left, 240);
    Content().ListShowFolder(folder.Path(name));
    ASSERT_EQ(Content().m_fileList.GetCount(), 1);
    EXPECT_GT(NameWidth(0), ListWidth()); // cut at the first width

    DragEdge(300);
    EXPECT_EQ(pane.GetPaneWidth(), 540);
    EXPECT_EQ(InFrame(pane).Width(), 540);
    EXPECT_EQ(View().left, 540);
    // The content follows: the list and the boxes reach the pane's edge.
    CRect content;
    Content().GetClientRect(&content);
    EXPECT_EQ(content.Width(), 540 - CDockablePane::kEdgeWidth);
    EXPECT_GE(ListWidth(), NameWidth(0));
    CRect layoutName;
    Content().GetDlgItem(IDC_LAYOUT_NAME)->GetWindowRect(&layoutName);
    Content().ScreenToClient(&layoutName);
    EXPECT_GT(layoutName.right, content.right - 30);

    // Closed and started again, the pane keeps the width it was given.
    Stop();
    Start();
    EXPECT_EQ(frame->m_leftDocker.GetPaneWidth(), 540);
    EXPECT_EQ(View().left, 540);
    DragEdge(-100);
    Stop();
    Start();
    EXPECT_EQ(frame->m_leftDocker.GetPaneWidth(), 440);
}

TEST_F(TaviskProgram, ARememberedWidthOfAnyValueOpensAPaneWithinItsLimits)
{
    const struct {
        DWORD stored;
        int width;
    } cases[] = {
        { 0, CDockablePane::kMinWidth },
        { 0xFFFFFFFB, CDockablePane::kMinWidth }, // -5
        { 0x80000000, CDockablePane::kMinWidth },
        { 2147483647, CLeftDocker::kMaxWidth },
        { 300, 300 },
    };
    for (const auto& c : cases) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, CString(kRegistryKey) + L"\\Settings", 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr),
            ERROR_SUCCESS);
        ::RegSetValueExW(
            key, L"LeftPaneWidth", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&c.stored), sizeof(c.stored));
        ::RegCloseKey(key);
        Start();
        EXPECT_EQ(frame->m_leftDocker.GetPaneWidth(), c.width) << c.stored;
        // The view keeps to the window whatever the pane's width.
        CRect client;
        frame->GetClientRect(&client);
        EXPECT_GE(View().left, 0) << c.stored;
        EXPECT_LE(View().right, client.right) << c.stored;
        EXPECT_LE(InFrame(frame->m_leftDocker).right, client.right) << c.stored;
        Stop();
    }
}

TEST_F(TaviskProgram, ALayoutThatCannotBeReadIsToldAndThePaneShowsThePictureRaw)
{
    WriteBytes(folder.Path(L"OFF001.arm"), ShowBytes(OneFrameShow()));
    TestLayout layout;
    layout.width = 4;
    layout.height = 3;
    layout.controllers = { { { { CLPoint(3, 0), CLPoint(1, 2) } } } };
    WriteBytes(folder.Path(L"good.lpx"), CurrentLayoutBytes(layout));
    WriteBytes(folder.Path(L"bad.lpx"), { 'Q', 'V', 'T', 'N', 'L', 'A', 'Y', 'O', 'U', 'T', 6 });
    Start();
    Content().ListShowFolder(folder.Path(L"OFF001.arm"));

    ChooseLayout(folder.Path(L"good.lpx"));
    EXPECT_TRUE(Doc()->LayoutLoaded());
    EXPECT_EQ(fwtest::GetItemText(Content(), IDC_LAYOUT_NAME), CString(L"good.lpx"));

    for (LPCWSTR refused : { L"bad.lpx", L"gone.lpx" }) {
        ChooseLayout(folder.Path(refused), kLayoutRefusedText);
        EXPECT_EQ(ui.PendingCount(), 0u) << CStringA(refused).GetString();
        EXPECT_EQ(ui.m_strLastMessageBoxCaption, CString(L"Tip"));
        EXPECT_FALSE(Doc()->LayoutLoaded());
        EXPECT_EQ(Doc()->PictureSize(), CSize(2, 1));
        EXPECT_EQ(Content().IsDlgButtonChecked(IDC_LAYOUT_MODE), static_cast<UINT>(BST_UNCHECKED));
        EXPECT_EQ(Content().m_layoutMode, 0);
        EXPECT_EQ(fwtest::GetItemText(Content(), IDC_LAYOUT_NAME), CString());
    }
}

TEST_F(TaviskProgram, AnOpenOrALayoutThatWaitsInVainForTheDocumentIsToldAndChangesNothing)
{
    WriteBytes(folder.Path(L"OFF001.arm"), ShowBytes(OneFrameShow()));
    WriteBytes(folder.Path(L"OFF002.arm"), ShowBytes(OneFrameShow()));
    TestLayout layout;
    layout.width = 4;
    layout.height = 3;
    layout.controllers = { { { { CLPoint(3, 0) } } } };
    WriteBytes(folder.Path(L"good.lpx"), CurrentLayoutBytes(layout));
    Start();
    Content().ListShowFolder(folder.Path(L"OFF001.arm"));
    ASSERT_EQ(Doc()->m_currentIndex, 0);

    // Another thread holds the document longer than anyone waits for it.
    CEvent held(FALSE, TRUE);
    CEvent release(FALSE, TRUE);
    std::thread holder([&] {
        CSingleLock lock(&Doc()->Mutex(), TRUE);
        held.SetEvent();
        ::WaitForSingleObject(release.m_hObject, 20000);
    });
    ASSERT_EQ(::WaitForSingleObject(held.m_hObject, 5000), WAIT_OBJECT_0);

    ui.ExpectMessageBox(IDOK, kBusyText);
    Content().m_fileList.SetCurSel(1);
    Content().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, LBN_SELCHANGE),
        reinterpret_cast<LPARAM>(Content().m_fileList.GetSafeHwnd()));
    EXPECT_EQ(ui.PendingCount(), 0u);
    EXPECT_EQ(Doc()->m_currentIndex, 0);

    ChooseLayout(folder.Path(L"good.lpx"), kBusyText);
    EXPECT_EQ(ui.PendingCount(), 0u);
    EXPECT_FALSE(Doc()->LayoutLoaded());
    EXPECT_EQ(Content().IsDlgButtonChecked(IDC_LAYOUT_MODE), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(fwtest::GetItemText(Content(), IDC_LAYOUT_NAME), CString());
    release.SetEvent();
    holder.join();

    // Free again: the layout is taken; unchecking while the document is held
    // keeps it drawn and the check set.
    ChooseLayout(folder.Path(L"good.lpx"));
    EXPECT_TRUE(Doc()->LayoutLoaded());
    release.ResetEvent();
    held.ResetEvent();
    std::thread again([&] {
        CSingleLock lock(&Doc()->Mutex(), TRUE);
        held.SetEvent();
        ::WaitForSingleObject(release.m_hObject, 20000);
    });
    ASSERT_EQ(::WaitForSingleObject(held.m_hObject, 5000), WAIT_OBJECT_0);
    ui.ExpectMessageBox(IDOK, kBusyText);
    Content().CheckDlgButton(IDC_LAYOUT_MODE, BST_UNCHECKED);
    fwtest::ClickButton(Content(), IDC_LAYOUT_MODE);
    release.SetEvent();
    again.join();
    EXPECT_EQ(ui.PendingCount(), 0u);
    EXPECT_TRUE(Doc()->LayoutLoaded());
    EXPECT_EQ(Content().IsDlgButtonChecked(IDC_LAYOUT_MODE), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(fwtest::GetItemText(Content(), IDC_LAYOUT_NAME), CString(L"good.lpx"));
}

// With TAVISK_GALLERY naming a folder, the program with a widened left pane
// listing long file names is saved there as a picture for a person to look
// at. Skipped otherwise.
TEST_F(TaviskProgram, Gallery)
{
    const wchar_t* gallery = _wgetenv(L"TAVISK_GALLERY");
    if (gallery == nullptr || *gallery == 0)
        GTEST_SKIP() << "TAVISK_GALLERY not set";
    const LPCWSTR names[] = { L"OFF001 night rehearsal of the harbour bridge show.arm",
        L"OFF002 harbour bridge show, second half with fireworks.arm", L"OFF003.arm" };
    for (LPCWSTR name : names)
        WriteBytes(folder.Path(name), ShowBytes(OneFrameShow()));
    Start();
    frame->ShowWindow(SW_SHOW);
    Content().ListShowFolder(folder.Path(names[1]));
    fwtest::SaveWindowPicture(frame->m_hWnd, CString(gallery) + L"\\tavisk_pane_240.bmp");
    DragEdge(220);
    fwtest::SaveWindowPicture(frame->m_hWnd, CString(gallery) + L"\\tavisk_pane_460.bmp");
}
