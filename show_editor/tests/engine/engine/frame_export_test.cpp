// AVI export and off-line recording: the worker's pacing (one frame message
// at a time), the stop handshake, the files opened and closed per segment,
// recorder failures, and a real AVI file written through Grenvik.
#include "JpegEncoder.h"
#include "TestSupport.h"
#include "fw_testing.h"
#include "frame_engine_fixture.h"
#include "program_video.h"
#include "show_messages.h"

#include <vfw.h>

namespace enginetest {
namespace {

constexpr DWORD kRed = 0xFF0000;
constexpr DWORD kGreen = 0x00FF00;

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

class FrameExportTest : public EngineFixture {
protected:
    void TwoSegments(int first = 3, int second = 2)
    {
        AddView(m_doc.AddSegment(first), CRect(0, 0, 8, 4), { SolidEffect(RGB(255, 0, 0), first) });
        AddView(m_doc.AddSegment(second), CRect(0, 0, 8, 4), { SolidEffect(RGB(0, 255, 0), second) });
        m_doc.CountFrames();
        CreateEngine();
    }
    // Pumps until the run has ended (the engine is back in preview and its
    // worker has left).
    bool RunToEnd()
    {
        return fwtest::PumpUntil(
            [this] { return m_engine->GetMode() == ENGINE_MODE_PREVIEW && m_engine->HasPumpExited(); }, 20000);
    }
    void ExportAvi(const CString& path, WPARAM sizeChoice = 0)
    {
        m_engine->SendMessage(WM_EXPORT_AVI, sizeChoice, reinterpret_cast<LPARAM>(&path));
    }
};

// A clip of busy 1280 x 720 MJPEG pictures (each takes the decoder a while)
// whose frame i carries clipgen::FrameColour(i) in its top-left corner: the
// export writes each of its frames once, in order, none twice or left out.
TEST_F(FrameExportTest, AviExportOfAVideoWritesEveryPictureOfTheClip)
{
    constexpr int kFrames = 24;
    clipgen::CTempFolder folder(L"engine_export_video");
    const std::wstring path = folder.File(L"numbered.avi");
    {
        clipgen::CJpegEncoder encoder;
        ASSERT_TRUE(encoder.Ready());
        clipgen::AviStream stream { clipgen::StreamKind::Mjpeg, 1280, 720, {} };
        for (int i = 0; i < kFrames; ++i)
            stream.chunks.push_back(encoder.Encode(clipgen::TexturedPicture(1280, 720, i)));
        ASSERT_TRUE(clipgen::WriteFileBytes(path, clipgen::BuildAvi({ stream }, 25)));
    }
    m_doc.m_settings.m_width = 320;
    m_doc.m_settings.m_height = 180;
    ProgramVideo* video = MediaProgram(MEDIA_VIDEO, path.c_str(), kFrames);
    AddView(m_doc.AddSegment(kFrames), CRect(0, 0, 320, 180), { video });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->SetDecoders(nullptr); // the video library itself

    ExportAvi(L"C:\\out\\clip.avi");
    ASSERT_TRUE(RunToEnd());
    std::vector<int> written;
    for (DWORD pixel : m_avi.m_frames) {
        written.push_back(clipgen::FrameIndexOf({ static_cast<int>((pixel >> 16) & 0xFF),
            static_cast<int>((pixel >> 8) & 0xFF), static_cast<int>(pixel & 0xFF) }));
    }
    std::vector<int> expected;
    for (int i = 0; i < kFrames; ++i)
        expected.push_back(i);
    EXPECT_EQ(expected, written);
}

TEST_F(FrameExportTest, AviExportWritesEveryFrameOnce)
{
    TwoSegments();
    ExportAvi(L"C:\\out\\show.avi");
    EXPECT_EQ(ENGINE_MODE_AVI, m_engine->GetMode());
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(std::vector<std::wstring>({ L"C:\\out\\show.avi" }), m_avi.m_paths);
    EXPECT_EQ(8, m_avi.m_width);
    EXPECT_EQ(4, m_avi.m_height);
    EXPECT_EQ(32, m_avi.m_bits);
    EXPECT_EQ(25, m_avi.m_rate);
    EXPECT_EQ(std::vector<DWORD>({ kRed, kRed, kRed, kGreen, kGreen }), m_avi.m_frames);
    EXPECT_EQ(1, m_avi.m_ends) << "the file is finished when the show ends";
    EXPECT_TRUE(m_canvas.m_frames.empty()) << "nothing goes to the preview";
    EXPECT_EQ(nullptr, m_engine->GetCurrentProgram());
}

TEST_F(FrameExportTest, AviPerSegmentOpensOneFilePerSegment)
{
    TwoSegments();
    m_doc.m_aviPerSegment = TRUE;
    ExportAvi(L"C:\\out\\show.avi");
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(std::vector<std::wstring>({ L"C:\\out\\show_01.avi", L"C:\\out\\show_02.avi" }), m_avi.m_paths);
    EXPECT_EQ(2, m_avi.m_ends);
    EXPECT_EQ(5u, m_avi.m_frames.size());
}

TEST_F(FrameExportTest, ExportLongerThanTheShowStillFinishesItsFile)
{
    TwoSegments();
    m_doc.m_settings.m_playFrames = 50;
    ExportAvi(L"C:\\out\\long.avi");
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(5u, m_avi.m_frames.size());
    EXPECT_EQ(1, m_avi.m_ends);
}

TEST_F(FrameExportTest, AviThroughGrenvikReadsBack)
{
    TwoSegments();
    m_engine->SetAviWriter(nullptr); // the library itself
    wchar_t folder[MAX_PATH] {};
    ::GetTempPathW(MAX_PATH, folder);
    const CString path = CString(folder) + L"engine_export.avi";
    ::DeleteFileW(path);
    ExportAvi(path);
    ASSERT_TRUE(RunToEnd());

    ::AVIFileInit();
    PAVIFILE file = nullptr;
    ASSERT_EQ(AVIERR_OK, ::AVIFileOpenW(&file, path, OF_READ, nullptr));
    PAVISTREAM stream = nullptr;
    ASSERT_EQ(AVIERR_OK, ::AVIFileGetStream(file, &stream, streamtypeVIDEO, 0));
    AVISTREAMINFOW info {};
    ::AVIStreamInfoW(stream, &info, sizeof(info));
    EXPECT_EQ(25u, info.dwRate / info.dwScale);
    ASSERT_EQ(5, ::AVIStreamLength(stream));
    const DWORD expected[] = { kRed, kRed, kRed, kGreen, kGreen };
    for (LONG i = 0; i < 5; ++i) {
        DWORD pixels[8 * 4] {};
        ::AVIStreamRead(stream, i, 1, pixels, sizeof(pixels), nullptr, nullptr);
        EXPECT_EQ(expected[i], pixels[0] & 0xFFFFFF) << "frame " << i;
        EXPECT_EQ(expected[i], pixels[31] & 0xFFFFFF) << "frame " << i;
    }
    ::AVIStreamRelease(stream);
    ::AVIFileRelease(file);
    ::AVIFileExit();
    ::DeleteFileW(path);
}

TEST_F(FrameExportTest, RecordingOpensAndClosesAFilePerSegment)
{
    TwoSegments();
    CProgressWindow main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    m_doc.m_mainWindow = main.GetSafeHwnd();
    m_doc.m_segments[0]->m_pSegmentInfo->m_timePlay.m_durationSeconds = 11;
    m_doc.m_segments[1]->m_pSegmentInfo->m_timePlay.m_durationSeconds = 22;
    m_doc.m_segments[1]->m_fourColorMode = 3;
    m_doc.m_segments[1]->m_whiteValue = 9;
    m_doc.m_encryption = TRUE;
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(RunToEnd());
    const std::vector<std::wstring> expected = {
        L"security 0",
        L"init 1 C:\\offline\\OFF001.arm 25",
        L"stop 11 13 abcd",
        L"security 0",
        L"init 1 C:\\offline\\OFF002.arm 25",
        L"stop 22 13 abcd",
    };
    EXPECT_EQ(expected, m_recorder.m_log);
    EXPECT_EQ(5, m_recorder.m_frames);
    EXPECT_EQ(std::vector<int>({ 0, 3009 }), m_doc.m_fourColor);
    fwtest::PumpPending();
    EXPECT_EQ(std::vector<int>({ 1, 2, 3, 4, 5 }), main.m_progress);
    main.DestroyWindow();
}

TEST_F(FrameExportTest, OneFileRunsEachOpenTheirOwnFile)
{
    TwoSegments();
    m_doc.m_filePerSegment = FALSE;
    m_doc.m_settings.m_colorMode = 11;
    m_doc.m_settings.m_whiteValue = 77;
    for (int run = 0; run < 2; ++run) {
        m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
        ASSERT_TRUE(RunToEnd());
    }
    const std::vector<std::wstring> one = {
        L"security 0",
        L"init 1 C:\\offline\\OFF001.arm 25",
        L"fourcolor 1 11 77",
        L"stop 0 13 none",
    };
    std::vector<std::wstring> expected = one;
    expected.insert(expected.end(), one.begin(), one.end());
    EXPECT_EQ(expected, m_recorder.m_log);
}

TEST_F(FrameExportTest, SizeLimitSplitsTheRecording)
{
    AddView(m_doc.AddSegment(2), CRect(0, 0, 8, 4), { SolidEffect(RGB(255, 0, 0), 2) });
    m_doc.CountFrames();
    CreateEngine();
    m_doc.m_sizeLimit = 1;
    m_recorder.m_reportedSize = 1024.0;
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(RunToEnd());
    const std::vector<std::wstring> expected = {
        L"security 0",
        L"init 1 C:\\offline\\OFF001.arm 25",
        L"stop 0 13 none",
        L"security 0",
        L"init 1 C:\\offline\\OFF002.arm 25",
        L"stop 0 13 none",
        L"security 0",
        L"init 1 C:\\offline\\OFF003.arm 25",
        L"stop 0 13 none",
    };
    EXPECT_EQ(expected, m_recorder.m_log);

    // "No Limit" never splits.
    m_recorder.m_log.clear();
    m_doc.m_sizeLimit = 65535;
    m_recorder.m_reportedSize = 1e9;
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(3u, m_recorder.m_log.size());
}

TEST_F(FrameExportTest, RecorderFailureStopsTheRunWithAMessage)
{
    TwoSegments();
    m_recorder.m_initResult = -3;
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"HINT 12");
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(RunToEnd());
    fwtest::PumpPending();
    EXPECT_EQ(0, m_recorder.m_frames) << "nothing is recorded";
    EXPECT_EQ(0u, host.PendingCount());
    EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
}

TEST_F(FrameExportTest, UnbuiltLibraryRecorderIsAFailureToo)
{
    TwoSegments();
    m_engine->SetRecorder(nullptr); // the controller library itself
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"HINT 12");
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(RunToEnd());
    fwtest::PumpPending();
    EXPECT_EQ(0u, host.PendingCount());
    EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
}

TEST_F(FrameExportTest, AFailedRecordingIsClosedReportedAndNeverAnnouncedAsDone)
{
    struct Case {
        const char* name;
        int failFrameAt; // recording of this frame fails
        int failStopAt; // this close fails (0 first file)
        bool filePerSegment;
        std::vector<int> progress; // counts posted to the main window
        bool failed;
        int playFrames = 5;
    };
    const Case cases[] = {
        { "all written", -1, -1, true, { 1, 2, 3, 4, 5 }, false },
        { "one file, all written", -1, -1, false, { 1, 2, 3, 4, 5 }, false },
        { "second frame fails", 1, -1, true, { 1, -1 }, true },
        { "first file cannot be closed", -1, 0, true, { 1, 2, 3, -1 }, true },
        { "last file cannot be closed", -1, 1, true, { 1, 2, 3, 4, -1 }, true },
        { "the one file cannot be closed", -1, 0, false, { 1, 2, 3, 4, -1 }, true },
        // The show ends before the frames asked for: the run is complete.
        { "more frames asked than the show has", -1, -1, true, { 1, 2, 3, 4, 5, 50 }, false, 50 },
    };
    TwoSegments();
    CProgressWindow main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    m_doc.m_mainWindow = main.GetSafeHwnd();
    m_doc.m_sizeLimit = 65535;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_recorder = CFakeRecorder();
        m_recorder.m_failFrameAt = c.failFrameAt;
        m_recorder.m_failStopAt = c.failStopAt;
        m_doc.m_filePerSegment = c.filePerSegment;
        m_doc.m_settings.m_playFrames = c.playFrames;
        main.m_progress.clear();
        fwtest::CScriptedUiHost host;
        if (c.failed)
            host.ExpectMessageBox(IDOK, L"HINT 70");
        m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
        ASSERT_TRUE(RunToEnd());
        fwtest::PumpPending();
        EXPECT_EQ(c.progress, main.m_progress);
        EXPECT_EQ(0u, host.PendingCount());
        // Every file opened was closed.
        int inits = 0;
        int stops = 0;
        for (const std::wstring& line : m_recorder.m_log) {
            inits += line.rfind(L"init ", 0) == 0 ? 1 : 0;
            stops += line.rfind(L"stop ", 0) == 0 ? 1 : 0;
        }
        EXPECT_EQ(inits, stops);
        EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
        EXPECT_TRUE(m_engine->HasPumpExited());
    }
}

TEST_F(FrameExportTest, AFailedAviWriteEndsTheFileAndTellsTheUser)
{
    struct Case {
        const char* name;
        int initResult;
        int failWriteAt;
        int endResult;
        size_t framesWritten;
        int ends;
        bool failed;
    };
    const Case cases[] = {
        { "all written", 0, -1, 0, 5, 1, false },
        { "cannot start", -1, -1, 0, 0, 0, true },
        { "third frame fails", 0, 2, 0, 2, 1, true },
        { "cannot finish", 0, -1, -1, 5, 1, true },
    };
    TwoSegments();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_avi = CFakeAviWriter();
        m_avi.m_initResult = c.initResult;
        m_avi.m_failWriteAt = c.failWriteAt;
        m_avi.m_endResult = c.endResult;
        fwtest::CScriptedUiHost host;
        if (c.failed)
            host.ExpectMessageBox(IDOK, L"HINT 71");
        ExportAvi(L"C:\\out\\show.avi");
        ASSERT_TRUE(RunToEnd());
        fwtest::PumpPending();
        EXPECT_EQ(c.framesWritten, m_avi.m_frames.size());
        EXPECT_EQ(c.ends, m_avi.m_ends) << "a started file is ended once";
        EXPECT_EQ(0u, host.PendingCount());
    }
}

TEST_F(FrameExportTest, TheAviNameLosesItsExtensionAtTheDot)
{
    struct Case {
        LPCWSTR typed;
        LPCWSTR file;
        LPCWSTR folder;
        LPCWSTR base;
    };
    for (const Case& c : { Case { L"C:\\out\\show.avi", L"C:\\out\\show.avi", L"C:\\out", L"show" },
             Case { L"C:\\out\\Show.AVI", L"C:\\out\\Show.AVI", L"C:\\out", L"Show" },
             Case { L"C:\\out\\ab", L"C:\\out\\ab.avi", L"C:\\out", L"ab" },
             Case { L"C:\\out\\v1.2.avi", L"C:\\out\\v1.2.avi", L"C:\\out", L"v1.2" },
             Case { L"C:\\out\\night.show", L"C:\\out\\night.show.avi", L"C:\\out", L"night.show" } }) {
        CString file = c.typed;
        CString folder;
        CString base;
        SplitAviPath(file, folder, base);
        EXPECT_EQ(file, CString(c.file)) << c.typed;
        EXPECT_EQ(folder, CString(c.folder)) << c.typed;
        EXPECT_EQ(base, CString(c.base)) << c.typed;
    }
    // One file per segment of a name typed without an extension.
    TwoSegments();
    m_doc.m_aviPerSegment = TRUE;
    ExportAvi(L"C:\\out\\ab");
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(std::vector<std::wstring>({ L"C:\\out\\ab_01.avi", L"C:\\out\\ab_02.avi" }), m_avi.m_paths);
}

TEST_F(FrameExportTest, DestroyingTheEngineEndsARunningRecording)
{
    AddView(m_doc.AddSegment(100000), CRect(0, 0, 8, 4), { SolidEffect(RGB(255, 0, 0), 100) });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(fwtest::PumpUntil([this] { return m_recorder.m_frames > 0; }, 5000));
    m_engine->DestroyWindow();
    EXPECT_TRUE(m_engine->HasPumpExited());
    EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
    ASSERT_FALSE(m_recorder.m_log.empty());
    EXPECT_EQ(m_recorder.m_log.back().rfind(L"stop ", 0), 0u) << "the open file is closed";
    const int frames = m_recorder.m_frames;
    fwtest::PumpPending();
    EXPECT_EQ(frames, m_recorder.m_frames);
}

TEST_F(FrameExportTest, StopRequestsEndTheWorkerWithoutDeadlock)
{
    AddView(m_doc.AddSegment(100000), CRect(0, 0, 8, 4), { SolidEffect(RGB(255, 0, 0), 100) });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->SendMessage(WM_RECORD_OFFLINE, 1, 0); // outside a recording: nothing
    EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
    for (int run = 0; run < 30; ++run) {
        m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
        if (run % 2 == 1)
            fwtest::PumpUntil([this] { return m_recorder.m_frames > 0; }, 2000);
        m_engine->SendMessage(WM_RECORD_OFFLINE, 1, 0);
        EXPECT_TRUE(m_engine->HasPumpExited()) << "run " << run;
        EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
    }
    // A frame message still queued after the stop renders nothing.
    const int frames = m_recorder.m_frames;
    fwtest::PumpPending();
    EXPECT_EQ(frames, m_recorder.m_frames);
    EXPECT_TRUE(TakeFramesShown().empty());
}

TEST_F(FrameExportTest, QuittingARecordingClosesItsOpenFile)
{
    AddView(m_doc.AddSegment(100000), CRect(0, 0, 8, 4), { SolidEffect(RGB(255, 0, 0), 100) });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    ASSERT_TRUE(fwtest::PumpUntil([this] { return m_recorder.m_frames > 0; }, 5000));
    m_engine->SendMessage(WM_RECORD_OFFLINE, 1, 0);
    ASSERT_FALSE(m_recorder.m_log.empty());
    int inits = 0;
    for (const std::wstring& line : m_recorder.m_log)
        inits += line.rfind(L"init ", 0) == 0 ? 1 : 0;
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(m_recorder.m_log.back().rfind(L"stop ", 0), 0u) << "the open file is closed";
    EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
}

TEST_F(FrameExportTest, WorkerKeepsOneFrameMessageInFlight)
{
    AddView(m_doc.AddSegment(100000), CRect(0, 0, 8, 4), { SolidEffect(RGB(255, 0, 0), 100) });
    m_doc.CountFrames();
    CreateEngine();
    m_engine->SendMessage(WM_RECORD_OFFLINE, 0, 0);
    // Without the message loop no frame is rendered, so the worker posts one
    // message and waits.
    ::Sleep(200);
    MSG msg;
    int queued = 0;
    while (::PeekMessageW(&msg, m_engine->GetSafeHwnd(), WM_NEXT_FRAME, WM_NEXT_FRAME, PM_REMOVE))
        ++queued;
    EXPECT_EQ(1, queued);
    m_engine->SendMessage(WM_NEXT_FRAME, 0, 0);
    ::Sleep(200);
    queued = 0;
    while (::PeekMessageW(&msg, m_engine->GetSafeHwnd(), WM_NEXT_FRAME, WM_NEXT_FRAME, PM_REMOVE))
        ++queued;
    EXPECT_EQ(1, queued);
    EXPECT_EQ(1, m_recorder.m_frames);
    m_engine->SendMessage(WM_RECORD_OFFLINE, 1, 0);
    EXPECT_TRUE(m_engine->HasPumpExited());
}

} // namespace
} // namespace enginetest

namespace enginetest {
namespace {

// An export dialog that the user closes at once with the given result.
class CClosedExportDialog : public CAviExportDialog {
public:
    explicit CClosedExportDialog(INT_PTR result)
        : m_result(result)
    {
    }
    INT_PTR RunModal() override { return m_result; }
    HWND GetSafeHwnd() const override { return nullptr; }
    void BeginProgress(int) override { }
    BOOL StepProgress(int) override { return FALSE; }

private:
    INT_PTR m_result;
};

TEST_F(FrameExportTest, ACancelledExportDialogDoesNotBlockTheNextExport)
{
    TwoSegments();
    int made = 0;
    m_engine->SetExportDialogFactory([&made](CCanvasContainer*, CEngineDocument*) -> CAviExportDialog* {
        ++made;
        return new CClosedExportDialog(made == 1 ? 2 : 1);
    });
    m_engine->SendMessage(WM_EXPORT_AVI, 0, 0);
    m_engine->SendMessage(WM_EXPORT_AVI, 0, 0);
    EXPECT_EQ(2, made);
    EXPECT_EQ(ENGINE_MODE_PREVIEW, m_engine->GetMode());
}

} // namespace
} // namespace enginetest
