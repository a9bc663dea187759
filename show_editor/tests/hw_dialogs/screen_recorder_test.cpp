// The screen-area recorder: frame rates from the combo text, the AVI
// encoder's file read back through AVIFile, the capture frame's placement
// and dragging with the recorder's caption, and recordings driven through
// the record, pause and stop buttons with the frame count checked in the
// file.
#include "AviMainHeader.h"
#include "hw_test_support.h"
#include "screen_recorder_avi.h"
#include "screen_recorder_dlg.h"

#include <cstring>
#include <vector>

using fwtest::CScriptedUiHost;
using namespace hwtest;

namespace {

struct AviFacts {
    bool read = false;
    LONG frames = 0;
    DWORD rate = 0;
    DWORD scale = 0;
    DWORD microSecPerFrame = 0; // of the file's main header
    LONG width = 0;
    LONG height = 0;
    WORD bits = 0;
    std::vector<BYTE> firstFrame;
};

AviFacts ReadAvi(const CString& path)
{
    AviFacts facts;
    ::AVIFileInit();
    PAVIFILE file = nullptr;
    if (SUCCEEDED(::AVIFileOpenW(&file, path, OF_READ | OF_SHARE_DENY_WRITE, nullptr))) {
        PAVISTREAM stream = nullptr;
        if (SUCCEEDED(::AVIFileGetStream(file, &stream, streamtypeVIDEO, 0))) {
            facts.read = true;
            facts.frames = ::AVIStreamLength(stream);
            AVISTREAMINFOW info {};
            ::AVIStreamInfoW(stream, &info, sizeof(info));
            facts.rate = info.dwRate;
            facts.scale = info.dwScale;
            BITMAPINFOHEADER header {};
            LONG size = sizeof(header);
            ::AVIStreamReadFormat(stream, 0, &header, &size);
            facts.width = header.biWidth;
            facts.height = header.biHeight;
            facts.bits = header.biBitCount;
            if (header.biCompression == BI_RGB && facts.frames > 0) {
                LONG bytes = 0;
                ::AVIStreamRead(stream, 0, 1, nullptr, 0, &bytes, nullptr);
                facts.firstFrame.resize(static_cast<size_t>(bytes));
                ::AVIStreamRead(stream, 0, 1, facts.firstFrame.data(), bytes, nullptr, nullptr);
            }
            ::AVIStreamRelease(stream);
        }
        ::AVIFileRelease(file);
    }
    ::AVIFileExit();
    facts.microSecPerFrame = GetAviMicroSecPerFrame(path);
    return facts;
}

CString Caption(CWnd& wnd)
{
    CString text;
    wnd.GetWindowTextW(text);
    return text;
}

int FrameCaption(CWnd& wnd)
{
    const CString text = Caption(wnd);
    return text.Find(L" FRAME") > 0 ? _wtoi(text) : -1;
}

} // namespace

TEST(ScreenRecorder, FrameRateIsTheLeadingNumberOfTheText)
{
    const struct {
        LPCWSTR text;
        int rate;
        int paced;
    } cases[] = { { L"25FPS", 25, 25 }, { L"5FPS", 5, 5 }, { L"7", 7, 7 }, { L"0", 0, 25 }, { L"fast", 0, 25 },
        { L"-3", 0, 25 }, { L"99999999999999", 1000, 1000 } };
    for (const auto& c : cases) {
        EXPECT_EQ(c.rate, CDlgRecordCtrl::FrameRateFromText(c.text)) << CStringA(c.text).GetString();
        EXPECT_EQ(c.paced, CDlgRecordCtrl::EffectiveFrameRate(CDlgRecordCtrl::FrameRateFromText(c.text)));
    }
}

TEST(AviEncoder, FramesReadBackWithTheirCountRateAndPixels)
{
    CTempFolder folder;
    const CString path = folder.File(L"frames.avi");
    const int width = 8;
    const int height = 4;
    bool compressed = false;
    {
        CAviEncoder encoder;
        ASSERT_TRUE(encoder.Open(32, path, width, height, 10, "msvc"));
        std::vector<BYTE> pixels(width * height * 4);
        for (int frame = 0; frame < 5; ++frame) {
            for (size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = static_cast<BYTE>(i * 7 + frame);
            EXPECT_TRUE(encoder.WriteFrame(pixels.data()));
        }
        EXPECT_EQ(5, encoder.FrameIndex());
        compressed = encoder.IsCompressed();
        encoder.Close();
        EXPECT_FALSE(encoder.IsOpen());
    }
    const AviFacts facts = ReadAvi(path);
    ASSERT_TRUE(facts.read);
    EXPECT_EQ(5, facts.frames);
    EXPECT_EQ(10u, facts.rate / facts.scale);
    EXPECT_EQ(100000u, facts.microSecPerFrame); // the main header says the same
    EXPECT_EQ(width, facts.width);
    EXPECT_EQ(height, facts.height);
    // Without the compressor the frames are stored as they came.
    EXPECT_EQ(compressed, facts.firstFrame.empty());
    if (!facts.firstFrame.empty()) {
        ASSERT_EQ(static_cast<size_t>(width * height * 4), facts.firstFrame.size());
        for (size_t i = 0; i < facts.firstFrame.size(); ++i)
            ASSERT_EQ(static_cast<BYTE>(i * 7), facts.firstFrame[i]) << i;
    }
}

TEST(AviEncoder, RefusesFilesItCannotCreateAndBadSizes)
{
    CTempFolder folder;
    CAviEncoder encoder;
    EXPECT_FALSE(encoder.Open(32, folder.File(L"no such folder\\x.avi"), 8, 8, 25, "msvc"));
    EXPECT_FALSE(encoder.IsOpen());
    EXPECT_FALSE(encoder.Open(32, folder.File(L"zero.avi"), 0, 8, 25, "msvc"));
    EXPECT_FALSE(encoder.Open(32, folder.File(L"rate.avi"), 8, 8, 0, "msvc"));
    EXPECT_FALSE(encoder.WriteFrame(nullptr));
}

class Recorder : public ::testing::Test {
protected:
    Recorder() { m_dlg.m_outputPath = m_folder.File(L"screen.avi"); }

    CScriptedUiHost m_host;
    CTempFolder m_folder;
    CDlgRecordCtrl m_dlg;
};

TEST_F(Recorder, OpeningPlacesTheFrameOnTheTopLeftQuarterAndTheRecorderBesideIt)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN) / 4;
    const int cy = ::GetSystemMetrics(SM_CYSCREEN) / 4;
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        CString expected;
        expected.Format(L"x=0,y=0,cx=%d,cy=%d", cx, cy);
        EXPECT_EQ(expected, Caption(live));
        CRect frame;
        ::GetWindowRect(m_dlg.m_capture.m_hWnd, &frame);
        EXPECT_EQ(CRect(-3, -3, cx + 3, cy + 3), frame);
        EXPECT_EQ(RGB(255, 0, 0), m_dlg.m_capture.m_color);
        EXPECT_TRUE(::GetWindowLongW(m_dlg.m_capture.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(::GetWindowLongW(m_dlg.m_capture.m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        CRect self;
        ::GetWindowRect(live.m_hWnd, &self);
        EXPECT_EQ(frame.right + 3, self.left);
        EXPECT_EQ(frame.bottom - 3, self.bottom);

        EXPECT_EQ(8, ComboCount(live, IDC_REC_RATE));
        EXPECT_EQ(CString(L"25FPS"), fwtest::GetItemText(live, IDC_REC_RATE));
        // The ring is the only visible part: its region holds the border,
        // not the inside.
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(ERROR, ::GetWindowRgn(m_dlg.m_capture.m_hWnd, region));
        EXPECT_TRUE(::PtInRegion(region, 1, 1));
        EXPECT_FALSE(::PtInRegion(region, 10, 10));
        ::DeleteObject(region);

        // Stop before any recording leaves the recorder open.
        fwtest::ClickButton(live, IDC_REC_STOP);
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        EXPECT_FALSE(m_dlg.IsWorkerRunning());
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(Recorder, DraggingMovesAndResizesTheAreaAndTheTopStaysOnScreen)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        CCaptureDlg& frame = m_dlg.m_capture;
        const auto drag = [&](CPoint screenFrom, CSize by) {
            frame.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screenFrom.x, screenFrom.y));
            CPoint client = screenFrom;
            ::ScreenToClient(frame.m_hWnd, &client);
            frame.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
            frame.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x + by.cx, client.y + by.cy));
            frame.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x + by.cx, client.y + by.cy));
            fwtest::PumpPending();
        };
        const int w = frame.m_width;
        const int h = frame.m_height;
        // The real pointer away from the frame: over it, Wine's own hit tests
        // after each release would replace the code the drags set.
        ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        // Border, not the corner: a move.
        drag(CPoint(-2, 10), CSize(40, 30));
        EXPECT_EQ(1, frame.m_hitCode);
        CString expected;
        expected.Format(L"x=40,y=30,cx=%d,cy=%d", 40 + w, 30 + h);
        EXPECT_EQ(expected, Caption(live));
        CRect window;
        ::GetWindowRect(frame.m_hWnd, &window);
        EXPECT_EQ(CRect(37, 27, 43 + w, 33 + h), window);
        CRect self;
        ::GetWindowRect(live.m_hWnd, &self);
        EXPECT_EQ(window.right + 3, self.left);
        EXPECT_EQ(window.bottom - 3, self.bottom);

        // The bottom-right corner resizes.
        drag(CPoint(window.right - 2, window.bottom - 2), CSize(20, 10));
        EXPECT_EQ(CCaptureDlg::kHitResize, frame.m_hitCode);
        expected.Format(L"x=40,y=30,cx=%d,cy=%d", 60 + w, 40 + h);
        EXPECT_EQ(expected, Caption(live));
        ::GetWindowRect(frame.m_hWnd, &window);
        EXPECT_EQ(CSize(w + 26, h + 16), window.Size());

        // Above the top of the screen: the area's top goes back to 0.
        drag(CPoint(window.left + 1, window.top + 20), CSize(0, -100));
        EXPECT_EQ(0, frame.m_top);
        EXPECT_EQ(40, frame.m_left);
        ::GetWindowRect(frame.m_hWnd, &window);
        EXPECT_EQ(-3, window.top);
        EXPECT_EQ(0, Caption(live).Find(L"x=40,y=0,"));

        // Shrinking far below zero keeps a small area.
        drag(CPoint(window.right - 2, window.bottom - 2), CSize(-5000, -5000));
        EXPECT_EQ(CCaptureDlg::kMinSize, frame.m_width);
        EXPECT_EQ(CCaptureDlg::kMinSize, frame.m_height);
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(Recorder, RecordPauseRecordStopWritesEveryCountedFrame)
{
    int pausedAt = 0;
    const INT_PTR result = fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REC_RECORD);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return FrameCaption(live) >= 4; }, 10000));
        // The record button blinks while recording.
        EXPECT_TRUE(fwtest::PumpUntil(
            [&] { return ::SendMessageW(Item(live, IDC_REC_RECORD), BM_GETIMAGE, IMAGE_ICON, 0) == 0; }, 10000));
        fwtest::ClickButton(live, IDC_REC_PAUSE);
        EXPECT_EQ(0, m_dlg.m_recording.load());
        EXPECT_EQ(1, m_dlg.m_paused.load());
        // Pause gives the blinking record button its icon back.
        EXPECT_NE(0, ::SendMessageW(Item(live, IDC_REC_RECORD), BM_GETIMAGE, IMAGE_ICON, 0));
        fwtest::PumpUntil([] { return false; }, 200);
        pausedAt = m_dlg.m_frameCount;
        fwtest::PumpUntil([] { return false; }, 200);
        EXPECT_EQ(pausedAt, m_dlg.m_frameCount.load());
        EXPECT_EQ(pausedAt, FrameCaption(live));

        // Record again continues the same file and count.
        fwtest::ClickButton(live, IDC_REC_RECORD);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return FrameCaption(live) >= pausedAt + 3; }, 10000));
        fwtest::ClickButton(live, IDC_REC_STOP);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(m_dlg.IsWorkerRunning());
    EXPECT_EQ(1, m_dlg.m_ended.load());
    const int frames = m_dlg.m_frameCount;
    EXPECT_GE(frames, pausedAt + 3);
    const AviFacts facts = ReadAvi(m_dlg.m_outputPath);
    ASSERT_TRUE(facts.read);
    EXPECT_EQ(frames, facts.frames);
    EXPECT_EQ(25u, facts.rate / facts.scale);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 4, facts.width);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN) / 4, facts.height);
    EXPECT_EQ(32, facts.bits);
}

TEST_F(Recorder, RateTypedAsZeroRecordsAtTwentyFive)
{
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        ::SetWindowTextW(Item(live, IDC_REC_RATE), L"0");
        fwtest::ClickButton(live, IDC_REC_RECORD);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return FrameCaption(live) >= 2; }, 10000));
        fwtest::ClickButton(live, IDC_REC_STOP);
    });
    EXPECT_EQ(0, m_dlg.m_frameRate);
    const AviFacts facts = ReadAvi(m_dlg.m_outputPath);
    ASSERT_TRUE(facts.read);
    EXPECT_EQ(25u, facts.rate / facts.scale);
    EXPECT_EQ(m_dlg.m_frameCount.load(), facts.frames);
}

TEST_F(Recorder, EscapeWhileRecordingEndsTheWorkerAndKeepsTheFile)
{
    const INT_PTR result = fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REC_RECORD);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return FrameCaption(live) >= 2; }, 10000));
        live.SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(m_dlg.IsWorkerRunning());
    EXPECT_EQ(nullptr, m_dlg.m_capture.m_hWnd);
    const AviFacts facts = ReadAvi(m_dlg.m_outputPath);
    ASSERT_TRUE(facts.read);
    EXPECT_EQ(m_dlg.m_frameCount.load(), facts.frames);
}

// A recorder whose disk fills up after a number of frames.
class CFullDiskRecorder : public CDlgRecordCtrl {
public:
    int m_writable = 0;

protected:
    bool WriteCapturedFrame(const void* pixels) override
    {
        if (m_writable <= 0)
            return false;
        --m_writable;
        return CDlgRecordCtrl::WriteCapturedFrame(pixels);
    }
};

TEST(RecorderWrites, TheFirstFailedWriteStopsAndTellsAndAnEmptyClipIsNotKept)
{
    for (int writable : { 0, 3 }) {
        CScriptedUiHost host;
        CTempFolder folder;
        CFullDiskRecorder dlg;
        dlg.m_outputPath = folder.File(L"screen.avi");
        dlg.m_writable = writable;
        host.ExpectMessageBox(IDOK, L"节目文件写入失败!");
        const INT_PTR result = fwtest::RunModal(dlg, [&](CDialog& live) {
            fwtest::ClickButton(live, IDC_REC_RECORD);
            // The recorder tells and ends by itself.
            EXPECT_TRUE(fwtest::PumpUntil([&] { return host.PendingCount() == 0; }, 10000));
            fwtest::PumpPending();
        });
        EXPECT_EQ(IDOK, result) << writable;
        EXPECT_EQ(0u, host.PendingCount()) << writable;
        EXPECT_FALSE(dlg.IsWorkerRunning());
        EXPECT_EQ(writable, dlg.m_frameCount.load()) << "no frame counted that was not written";
        if (writable == 0) {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(dlg.m_outputPath)) << "no empty clip to import";
        } else {
            const AviFacts facts = ReadAvi(dlg.m_outputPath);
            ASSERT_TRUE(facts.read);
            EXPECT_EQ(writable, facts.frames);
        }
    }
}

TEST_F(Recorder, FileThatCannotBeCreatedIsReportedAndNothingIsCaptured)
{
    m_dlg.m_outputPath = m_folder.File(L"missing folder\\screen.avi");
    m_host.ExpectMessageBox(IDOK, L"节目文件创建失败!");
    fwtest::RunModal(m_dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REC_RECORD);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return m_host.PendingCount() == 0; }, 10000));
        EXPECT_EQ(0, m_dlg.m_recording.load());
        EXPECT_EQ(0, m_dlg.m_frameCount.load());
        EXPECT_FALSE(m_dlg.IsWorkerRunning());
        // The recorder stays for another attempt.
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        live.EndDialog(IDCANCEL);
    });
}
