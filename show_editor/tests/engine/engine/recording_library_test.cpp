// Off-line recording through the controller library itself: a run stopped by
// the user leaves a complete show file that the show preview's reader plays,
// and a target that cannot take the finished file is reported and never
// announced as done.
#include "Corvane.h"
#include "LayoutData.h"
#include "LayoutFileFormat.h"
#include "LayoutProjectSettings.h"
#include "ShowFile.h"
#include "frame_engine_fixture.h"
#include "fw_temp_folder.h"
#include "fw_testing.h"
#include "show_messages.h"

#include <vector>

namespace enginetest {
namespace {

// A layout of one controller with two ports of two lamps each, 4 x 2 lamps.
std::vector<BYTE> TinyLayoutBytes()
{
    CLayoutData model;
    CLayoutProjectSettings settings;
    model.ResetPorts(2, 2, CString(L"RGB"), 0);
    model.m_width = 4;
    model.m_height = 2;
    settings.SetControllers(1, 0);
    settings.m_controllers.SetAt(0, 2);
    for (int y = 0; y < 2; ++y) {
        LayoutPort port;
        port.Allocate(2);
        port.m_lampFormat = L"RGB";
        const CLPoint lamps[2] = { CLPoint(0, y), CLPoint(1, y) };
        port.InsertPoints(lamps, 2);
        model.AppendLoadedPort(port);
    }
    settings.m_lampFormat = L"RGB";
    settings.m_channelsPerPort = 3072;
    CStringArray types;
    types.Add(L"RGB");
    CGammaCurveTables curves;
    LayoutWriteSource source;
    source.model = &model;
    source.settings = &settings;
    source.lampTypes = &types;
    source.curves = &curves;
    const BYTE key[kLayoutKeyBytes] = { 0x11, 0x22, 0x33, 0x44, 0x55 };
    std::vector<BYTE> bytes;
    EXPECT_EQ(BuildLayoutBytes(source, key, bytes), LayoutWriteResult::Ok);
    return bytes;
}

// A window that keeps the first parameter of every WM_RECORD_PROGRESS.
class CProgressWindow : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_RECORD_PROGRESS)
            m_progress.push_back(static_cast<int>(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<int> m_progress;
};

class RecordingLibraryTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        const CString layout = m_folder.File(L"tiny.lpx");
        const std::vector<BYTE> bytes = TinyLayoutBytes();
        CFile file(layout, CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
        m_screen = LEDNewScreen();
        ASSERT_GT(m_screen, 0);
        ASSERT_EQ(LEDSetLayout(m_screen, layout), 0);
        m_doc.m_screen = m_screen;
        m_doc.m_offlineFolder = m_folder.Path();
        ASSERT_TRUE(m_main.CreateEx(0, nullptr, L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        m_doc.m_mainWindow = m_main.GetSafeHwnd();
    }
    void TearDown() override
    {
        m_main.DestroyWindow();
        EngineFixture::TearDown();
    }
    bool RunToEnd()
    {
        return fwtest::PumpUntil(
            [this] { return m_engine->GetMode() == ENGINE_MODE_PREVIEW && m_engine->HasPumpExited(); }, 20000);
    }

    fwtest::CTempFolder m_folder;
    CProgressWindow m_main;
    int m_screen = 0;
};

TEST_F(RecordingLibraryTest, AStoppedRecordingLeavesAFileThePreviewPlays)
{
    AddView(m_doc.AddSegment(100000), CRect(0, 0, 4, 2), { SolidEffect(RGB(255, 0, 0), 100) });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->SetRecorder(nullptr); // the controller library itself
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(fwtest::PumpUntil([this] { return m_main.m_progress.size() >= 3; }, 10000));
    m_engine->SendMessage(WM_RECORD_OFFLINE, 1, 0); // the user stops
    ASSERT_TRUE(RunToEnd());
    fwtest::PumpPending();

    const CString path = m_folder.File(L"OFF001.arm");
    std::vector<BYTE> a;
    std::vector<BYTE> b;
    std::vector<BYTE> frame;
    preview::ShowGeometry geometry;
    ASSERT_EQ(preview::ReadShowFile(path, a, b, frame, geometry), preview::ShowOpenResult::Ok);
    EXPECT_GE(geometry.frameCount, 3u);
    EXPECT_EQ(static_cast<int>(geometry.frameCount), m_main.m_progress.back()) << "every reported frame is in it";
    for (std::uint32_t f = 0; f < geometry.frameCount; ++f)
        ASSERT_TRUE(preview::ReadShowFrame(path, geometry, f, frame)) << f;
}

TEST_F(RecordingLibraryTest, ATargetThatCannotTakeTheFileIsReportedWithoutSuccess)
{
    AddView(m_doc.AddSegment(3), CRect(0, 0, 4, 2), { SolidEffect(RGB(0, 255, 0), 3) });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->SetRecorder(nullptr);
    const CString target = m_folder.File(L"OFF001.arm");
    // A read-only file of the first file's name, then a folder of that name.
    for (bool folder : { false, true }) {
        SCOPED_TRACE(folder ? "folder" : "read-only file");
        if (folder) {
            ::SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL);
            ASSERT_TRUE(::DeleteFileW(target));
            ASSERT_TRUE(::CreateDirectoryW(target, nullptr));
        } else {
            CFile file(target, CFile::modeCreate | CFile::modeWrite);
            file.Write("old", 3);
            file.Close();
            ASSERT_TRUE(::SetFileAttributesW(target, FILE_ATTRIBUTE_READONLY));
        }
        m_main.m_progress.clear();
        fwtest::CScriptedUiHost host;
        host.ExpectMessageBox(IDOK, L"HINT 12");
        m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
        ASSERT_TRUE(RunToEnd());
        fwtest::PumpPending();
        EXPECT_EQ(0u, host.PendingCount());
        EXPECT_EQ(m_main.m_progress, (std::vector<int> { -1 })) << "the dialog ends without success";
    }
    EXPECT_NE(::GetFileAttributesW(target) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ::RemoveDirectoryW(target);
}

} // namespace
} // namespace enginetest
