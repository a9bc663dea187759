// The layout document: opening either format by its magic (a scrambled
// archive is read in memory and left unscrambled on disk), refusing bad
// files with the language message and no change, saving in the current
// format, and the WM_COPYDATA reply to the caller window after each save.
#include "ArchiveTestUtil.h"

#include <memory>

#include "FileScrambler.h"
#include "LayoutLangText.h"
#include "PannexDoc.h"
#include "PannexSession.h"
#include "fw_testing.h"

using namespace archivetest;

namespace {

// The layout view as the document sees it, without a window.
class CTestDocView : public CView, public ILayoutDocView {
public:
    void OnDraw(CDC*) override { }
    CLayoutProjectSettings& GetLayoutSettings() override { return m_settings; }
    void ResizeLayout(int width, int height) override
    {
        ++m_resizes;
        LayoutWidth = width;
        LayoutHeight = height;
    }
    void OnLayoutLoaded() override { ++m_loadedCalls; }

    CLayoutProjectSettings m_settings;
    int m_resizes = 0;
    int m_loadedCalls = 0;
};

// The scripted host, also keeping each message box's caption.
class CCaptionHost : public fwtest::CScriptedUiHost {
public:
    int MessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override
    {
        m_captions.push_back(lpszCaption != nullptr ? lpszCaption : L"");
        return CScriptedUiHost::MessageBox(hWndOwner, lpszText, lpszCaption, nType);
    }
    std::vector<CString> m_captions;
};

// One WM_COPYDATA as the caller window got it.
struct CReceivedRecord {
    WPARAM wParam = 0;
    ULONG_PTR data = 0;
    DWORD size = 0;
    std::vector<BYTE> bytes;
};

std::vector<CReceivedRecord> g_received;

LRESULT CALLBACK ReceiverProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        CReceivedRecord received;
        received.wParam = wParam;
        received.data = record->dwData;
        received.size = record->cbData;
        const BYTE* data = static_cast<const BYTE*>(record->lpData);
        received.bytes.assign(data, data + record->cbData);
        g_received.push_back(received);
        return TRUE;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A message-only window standing in for the calling program's window.
class CReceiverWindow {
public:
    CReceiverWindow()
    {
        static const ATOM atom = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &ReceiverProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"LayoutArchiveTestCaller";
            return ::RegisterClassW(&wc);
        }();
        EXPECT_NE(atom, 0);
        m_hWnd = ::CreateWindowExW(0, L"LayoutArchiveTestCaller", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
            ::GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(m_hWnd, nullptr);
        g_received.clear();
    }
    ~CReceiverWindow() { ::DestroyWindow(m_hWnd); }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

// The record a save must send: {0, (length + 1) x 2, the path and its zero}.
std::vector<BYTE> PathRecord(const CString& path)
{
    std::vector<BYTE> bytes;
    for (int i = 0; i <= path.GetLength(); ++i) {
        const wchar_t ch = i < path.GetLength() ? path[i] : L'\0';
        bytes.push_back(static_cast<BYTE>(ch & 0xFF));
        bytes.push_back(static_cast<BYTE>(ch >> 8));
    }
    return bytes;
}

CString NotOpenedText()
{
    return GetLangText(L"LAYOUT", 168);
}

class PannexDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCallerWindow(nullptr);
        SetStartupFilePending(false);
        m_doc = std::make_unique<CPannexDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_doc->AddView(&m_view);
        BuildRichLayout(m_doc->GetLayout(), m_view.m_settings);
        m_doc->GetLayout().m_modified = 1;

        // A different layout for the files to hold.
        m_source.m_width = 20;
        m_source.m_height = 12;
        m_source.ResetPorts(3, 16, CString(L"RGB"), 0);
        for (int i = 0; i < 5; ++i) {
            CLPoint lamp(i * 3, 11 - i);
            lamp.m_normX = (lamp.x + 0.5) / 20;
            lamp.m_normY = (lamp.y + 0.5) / 12;
            m_source.GetPort(i % 3).InsertPoints(&lamp, 1);
        }
        m_source.RebuildUsedPorts();
        m_sourceSettings.SetControllers(1, 3);
        m_sourceSettings.m_controllerModel = L"source";
    }

    void TearDown() override
    {
        m_doc->RemoveView(&m_view);
        m_doc.reset();
        SetCallerWindow(nullptr);
        SetStartupFilePending(false);
    }

    void ExpectSourceLoaded()
    {
        const CLayoutData& layout = m_doc->GetLayout();
        EXPECT_EQ(layout.m_width, 20);
        EXPECT_EQ(layout.m_height, 12);
        ASSERT_EQ(layout.GetPortCount(), 3);
        for (int p = 0; p < 3; ++p) {
            ASSERT_EQ(layout.GetPort(p).GetCount(), m_source.GetPort(p).GetCount()) << p;
            for (int i = 0; i < layout.GetPort(p).GetCount(); ++i)
                EXPECT_TRUE(layout.GetPort(p).GetPoint(i).SameCell(m_source.GetPort(p).GetPoint(i)));
        }
        EXPECT_TRUE(m_view.m_settings.m_controllerModel == L"source");
        EXPECT_EQ(m_view.m_loadedCalls, 1);
        EXPECT_FALSE(m_doc->IsModified());
    }

    CEditorValuesGuard m_guard;
    CCaptionHost m_host;
    CTestDocView m_view;
    std::unique_ptr<CPannexDoc> m_doc;
    CLayoutData m_source;
    CLayoutProjectSettings m_sourceSettings;
};

} // namespace

TEST_F(PannexDocTest, OpensTheCurrentFormatAndLeavesTheFileAsItWas)
{
    CTempPath path(L"current");
    static const BYTE kKey[kLayoutKeyBytes] = { 1, 2, 3, 4, 5 };
    ASSERT_EQ(WriteLayoutFile(m_source, path.Path(), m_sourceSettings, kKey), LayoutWriteResult::Ok);
    const std::vector<BYTE> onDisk = FileBytes(path.Path());

    EXPECT_TRUE(m_doc->OnOpenDocument(path.Path()));
    ExpectSourceLoaded();
    EXPECT_EQ(m_view.m_settings.m_loaded, 1);
    EXPECT_EQ(FileBytes(path.Path()), onDisk);
    EXPECT_TRUE(m_host.Transcript().empty());
}

TEST_F(PannexDocTest, OpensAScrambledArchiveAndLeavesItUnscrambled)
{
    CTempPath path(L"scrambled");
    const std::vector<BYTE> archive = WriteArchive(m_source, m_sourceSettings);
    ASSERT_TRUE(WriteFileBytes(path.Path(), archive));
    ASSERT_EQ(ScrambleFileInPlace(path.Path()), 1);
    ASSERT_NE(FileBytes(path.Path()), archive);

    EXPECT_TRUE(m_doc->OnOpenDocument(path.Path()));
    ExpectSourceLoaded();
    EXPECT_EQ(FileBytes(path.Path()), archive);
}

TEST_F(PannexDocTest, OpensAPlainArchiveWithoutTouchingIt)
{
    CTempPath path(L"plain");
    const std::vector<BYTE> archive = WriteArchive(m_source, m_sourceSettings);
    ASSERT_TRUE(WriteFileBytes(path.Path(), archive));

    EXPECT_TRUE(m_doc->OnOpenDocument(path.Path()));
    ExpectSourceLoaded();
    EXPECT_EQ(FileBytes(path.Path()), archive);
}

TEST_F(PannexDocTest, BadFilesFailWithTheLanguageMessageAndChangeNothing)
{
    const std::vector<BYTE> archive = WriteArchive(m_source, m_sourceSettings);
    std::vector<BYTE> current;
    static const BYTE kKey[kLayoutKeyBytes] = { 7, 7, 7, 7, 7 };
    ASSERT_EQ(BuildLayoutFileBytes(m_source, m_sourceSettings, kKey, current), LayoutWriteResult::Ok);

    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        bool scramble;
    };
    const std::vector<BYTE> garbage(1000, 0x5A);
    const Case cases[] = {
        { "empty file", {}, false },
        { "short header", std::vector<BYTE>(archive.begin(), archive.begin() + 200), false },
        { "archive cut in its body", std::vector<BYTE>(archive.begin(), archive.end() - 3), false },
        { "scrambled archive cut in its body", std::vector<BYTE>(archive.begin(), archive.begin() + 420), true },
        { "scrambled garbage", garbage, true },
        { "current format cut short", std::vector<BYTE>(current.begin(), current.begin() + 60), false },
    };
    const std::vector<BYTE> before = Snapshot(m_doc->GetLayout(), m_view.m_settings);
    const INT_PTR lampTypes = LampTypeList.GetSize();
    for (const Case& c : cases) {
        CTempPath path(L"bad");
        ASSERT_TRUE(WriteFileBytes(path.Path(), c.bytes));
        if (c.scramble) {
            ASSERT_EQ(ScrambleFileInPlace(path.Path()), 1);
        }
        const std::vector<BYTE> onDisk = FileBytes(path.Path());

        m_host.ExpectMessageBox(IDOK, NotOpenedText());
        EXPECT_FALSE(m_doc->OnOpenDocument(path.Path())) << c.what;
        EXPECT_EQ(m_host.PendingCount(), 0u) << c.what;
        ASSERT_FALSE(m_host.m_captions.empty());
        EXPECT_TRUE(m_host.m_captions.back() == L"Solvane") << c.what;
        EXPECT_EQ(Snapshot(m_doc->GetLayout(), m_view.m_settings), before) << c.what;
        EXPECT_EQ(LampTypeList.GetSize(), lampTypes) << c.what;
        EXPECT_TRUE(m_doc->IsModified()) << c.what;
        EXPECT_EQ(m_view.m_loadedCalls, 0) << c.what;
        EXPECT_EQ(m_view.m_resizes, 0) << c.what;
        EXPECT_EQ(FileBytes(path.Path()), onDisk) << c.what << ": the file stays as it was found";
    }

    CTempPath missing(L"missing");
    m_host.ExpectMessageBox(IDOK, NotOpenedText());
    EXPECT_FALSE(m_doc->OnOpenDocument(missing.Path()));
    EXPECT_EQ(Snapshot(m_doc->GetLayout(), m_view.m_settings), before);
}

TEST_F(PannexDocTest, AFileWithALampOffItsGridIsRefusedWithItsOwnMessage)
{
    // The source's last lamp moved one column past its 20-cell grid.
    CLPoint off(20, 3);
    m_source.GetPort(2).InsertPoints(&off, 1);
    std::vector<BYTE> current;
    static const BYTE kKey[kLayoutKeyBytes] = { 3, 1, 4, 1, 5 };
    ASSERT_EQ(BuildLayoutFileBytes(m_source, m_sourceSettings, kKey, current), LayoutWriteResult::Ok);
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        bool scramble;
    };
    const Case cases[] = {
        { "current format", current, false },
        { "archive", WriteArchive(m_source, m_sourceSettings), false },
        { "scrambled archive", WriteArchive(m_source, m_sourceSettings), true },
    };
    const std::vector<BYTE> before = Snapshot(m_doc->GetLayout(), m_view.m_settings);
    for (const Case& c : cases) {
        CTempPath path(L"offgrid");
        ASSERT_TRUE(WriteFileBytes(path.Path(), c.bytes));
        if (c.scramble) {
            ASSERT_EQ(ScrambleFileInPlace(path.Path()), 1);
        }
        const std::vector<BYTE> onDisk = FileBytes(path.Path());
        m_host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 981));
        EXPECT_FALSE(m_doc->OnOpenDocument(path.Path())) << c.what;
        EXPECT_EQ(m_host.PendingCount(), 0u) << c.what;
        EXPECT_EQ(Snapshot(m_doc->GetLayout(), m_view.m_settings), before) << c.what;
        EXPECT_EQ(m_view.m_loadedCalls, 0) << c.what;
        EXPECT_EQ(FileBytes(path.Path()), onDisk) << c.what;
    }
}

TEST_F(PannexDocTest, StartupFileSkipsTheFrameworkOpen)
{
    CTempPath missing(L"startup");
    const std::vector<BYTE> before = Snapshot(m_doc->GetLayout(), m_view.m_settings);
    SetStartupFilePending(true);
    EXPECT_TRUE(m_doc->OnOpenDocument(missing.Path()));
    EXPECT_EQ(Snapshot(m_doc->GetLayout(), m_view.m_settings), before);
    EXPECT_TRUE(m_host.Transcript().empty());
}

TEST_F(PannexDocTest, OpenWithoutALayoutViewFails)
{
    CTempPath path(L"noview");
    ASSERT_TRUE(WriteFileBytes(path.Path(), WriteArchive(m_source, m_sourceSettings)));
    m_doc->RemoveView(&m_view);
    EXPECT_FALSE(m_doc->OnOpenDocument(path.Path()));
    EXPECT_EQ(m_doc->GetLayout().GetPortCount(), 6);
    m_doc->AddView(&m_view);
}

TEST_F(PannexDocTest, EverySaveSendsTheSavedPathToTheCaller)
{
    CReceiverWindow caller;
    SetCallerWindow(caller.Get());
    CTempPath first(L"save1");
    CTempPath second(L"save2");

    EXPECT_TRUE(m_doc->OnSaveDocument(first.Path()));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_TRUE(m_doc->GetSavedPath() == first.Path());
    EXPECT_TRUE(m_doc->GetPathName().CompareNoCase(first.Path()) == 0);
    EXPECT_TRUE(FileHasLayoutMagic(first.Path()));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].wParam, 0u);
    EXPECT_EQ(g_received[0].data, 0u);
    EXPECT_EQ(g_received[0].size, static_cast<DWORD>((first.Path().GetLength() + 1) * 2));
    EXPECT_EQ(g_received[0].bytes, PathRecord(first.Path()));

    // A save under a new name makes that the document's path.
    m_doc->SetModifiedFlag(TRUE);
    EXPECT_TRUE(m_doc->OnSaveDocument(second.Path()));
    EXPECT_TRUE(m_doc->GetSavedPath() == second.Path());
    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[1].bytes, PathRecord(second.Path()));

    // The saved file holds the layout.
    CLayoutData loaded;
    CReaderView view;
    ASSERT_EQ(ReadLayoutFile(&view, second.Path(), loaded), LayoutReadResult::Ok);
    EXPECT_EQ(loaded.GetPortCount(), 6);
    EXPECT_EQ(loaded.GetPort(5).GetCount(), 40);
    EXPECT_TRUE(m_host.Transcript().empty());
}

TEST_F(PannexDocTest, SaveWithoutACallerSendsNothing)
{
    CReceiverWindow caller;
    CTempPath path(L"nocaller");
    EXPECT_TRUE(m_doc->OnSaveDocument(path.Path()));
    EXPECT_TRUE(g_received.empty());
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(PannexDocTest, FailedSaveKeepsTheModifiedStateAndSendsNothing)
{
    CReceiverWindow caller;
    SetCallerWindow(caller.Get());
    const CString path = TempFolder() + L"layoutarchive_no_such_folder\\layout.lpx";

    m_host.ExpectMessageBox(IDOK, NotOpenedText());
    EXPECT_FALSE(m_doc->OnSaveDocument(path));
    EXPECT_EQ(m_host.PendingCount(), 0u);
    ASSERT_FALSE(m_host.m_captions.empty());
    EXPECT_TRUE(m_host.m_captions.back() == L"Solvane");
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(m_doc->GetSavedPath().IsEmpty());
    EXPECT_TRUE(g_received.empty());

    // A layout the current format cannot hold (the controllers do not add up
    // to the ports) is not written either.
    CTempPath target(L"unwritable");
    const std::vector<BYTE> old = { 'o', 'l', 'd' };
    ASSERT_TRUE(WriteFileBytes(target.Path(), old));
    m_view.m_settings.m_controllers.Add(4);
    // The message says that the format cannot hold it, not that the file
    // could not be written.
    m_host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 901));
    EXPECT_FALSE(m_doc->OnSaveDocument(target.Path()));
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(g_received.empty());
    EXPECT_EQ(FileBytes(target.Path()), old);
}

TEST_F(PannexDocTest, TheDocumentNeverStoresThroughAnArchive)
{
    CByteBufferFile file;
    CArchive ar(&file, CArchive::store);
    m_doc->Serialize(ar);
    ar.Close();
    EXPECT_TRUE(file.Bytes().empty());
}

TEST_F(PannexDocTest, IsCreatedThroughItsRuntimeClass)
{
    std::unique_ptr<CObject> object(RUNTIME_CLASS(CPannexDoc)->CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CDocument)));
    auto* doc = static_cast<CPannexDoc*>(object.get());
    doc->m_bAutoDelete = FALSE;
    doc->SetModifiedFlag(TRUE);
    EXPECT_EQ(doc->GetLayout().m_modified, 1);
    doc->SetModifiedFlag(FALSE);
    EXPECT_FALSE(doc->IsModified());
}
