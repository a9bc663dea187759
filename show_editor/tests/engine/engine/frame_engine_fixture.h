// Fakes and builders of the frame engine tests: a document of tiny projects,
// a canvas, AVI writer, recorder and decoders that record what the engine
// hands them, and an engine window inside a hidden host window.
#pragma once

#include "frame_engine.h"
#include "proj_set.h"
#include "show_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace enginetest {

class CFakeDocument : public CEngineDocument {
public:
    CFakeDocument();
    ~CFakeDocument() override;

    CMutex& Mutex() override { return m_mutex; }
    int GetPlayState() override { return m_playState; }
    unsigned GetZoomPercent() override { return m_zoom; }
    int GetListSelector() override { return m_selector; }
    SegmentList* GetActiveSegments() override { return m_selector != 0 ? &m_segments : &m_previewSegments; }
    ProjSet* GetActiveSettings() override { return m_selector != 0 ? &m_settings : &m_previewSettings; }
    SegmentList& GetProjectSegments() override { return m_segments; }
    ProjSet& GetProjectSettings() override { return m_settings; }
    int GetScreen() override { return m_screen; }
    CString GetOfflineFolder() override { return m_offlineFolder; }
    BOOL GetAviPerSegment() override { return m_aviPerSegment; }
    BOOL GetFilePerSegment() override { return m_filePerSegment; }
    BOOL GetOfflineEncryption() override { return m_encryption; }
    const BYTE* GetOfflinePassword() override { return m_password; }
    int GetFileSizeLimit() override { return m_sizeLimit; }
    int& OfflineFileCounter() override { return m_fileCounter; }
    int& RegionEditing() override { return m_regionEditing; }
    const NodeInfo* GetCurrentViewNode() override { return nullptr; }
    void SetDotGap(int dotGap) override { m_dotGap = dotGap; }
    void NotifySegmentPlaying(int number) override { m_notified.push_back(number); }
    void PostSelectSegment(int number) override { m_selected.push_back(number); }
    int ApplyFourColorMode(int mode, BYTE white) override
    {
        m_fourColor.push_back(mode * 1000 + white);
        return 0;
    }
    void RecomputeViewCanvasRects() override { }
    void SetZoom(unsigned zoom) override { m_zoom = zoom; }
    void RefreshWindowTitle() override { }
    void BroadcastLanguageChanged() override { }
    void ApplyTrackedViewRect(const CRect&, int) override { }
    void ShowTrackedRectText(const CRect&) override { }
    HWND GetMainWindow() override { return m_mainWindow; }
    CString GetLangText(LPCTSTR section, int key) override;

    // A segment of totalFrames frames appended to the project list.
    QvSegmentGourp* AddSegment(int totalFrames);
    // Sets the project's play frames to the sum of the segments' frames.
    void CountFrames();

    CMutex m_mutex;
    SegmentList m_segments;
    ProjSet m_settings;
    SegmentList m_previewSegments;
    ProjSet m_previewSettings;
    int m_playState = 2;
    unsigned m_zoom = 100;
    int m_selector = 1;
    int m_screen = 1;
    CString m_offlineFolder = L"C:\\offline";
    BOOL m_aviPerSegment = FALSE;
    BOOL m_filePerSegment = TRUE;
    BOOL m_encryption = FALSE;
    BYTE m_password[4] = { 'a', 'b', 'c', 'd' };
    int m_sizeLimit = 65535;
    int m_fileCounter = 0;
    int m_regionEditing = 0;
    int m_dotGap = 0;
    HWND m_mainWindow = nullptr;
    std::vector<int> m_notified;
    std::vector<int> m_selected;
    std::vector<int> m_fourColor;
};

// A view covering rect with the given programs (the view owns them).
ProgramView* AddView(QvSegmentGourp* segment, const CRect& rect, std::initializer_list<Program*> programs);
// A colour effect that paints the whole view in one colour for frames of
// the given length (style 0 on one solid template).
ProgramColorEffect* SolidEffect(COLORREF colour, int frames);
// A video, SWF or TOL program of the given frames.
ProgramVideo* MediaProgram(int mediaKind, const CString& path, int frames);

// Records the frames the engine writes.
class CFakeAviWriter : public CEngineAviWriter {
public:
    int Init(LPCWSTR path, int width, int height, int bits, int framesPerSecond) override;
    int WriteFrameDC(HDC dc) override;
    int End() override;

    std::vector<std::wstring> m_paths;
    int m_initResult = 0;
    int m_failWriteAt = -1; // the frame (from 0) whose write fails; -1 none
    int m_endResult = 0;
    int m_width = 0;
    int m_height = 0;
    int m_bits = 0;
    int m_rate = 0;
    int m_ends = 0;
    // Top-left pixel of every frame written (0x00RRGGBB).
    std::vector<DWORD> m_frames;
};

class CFakeRecorder : public CEngineRecorder {
public:
    int SetSecurityFlag(int flag) override;
    int SetFourColor(int screen, int mode, int whiteValue) override;
    int RecordingInit(int screen, LPCWSTR path, unsigned framesPerSecond) override;
    int RecordingFrameDC(HDC source, int width, int height, int flag, double* sizeMiB) override;
    int RecordingStop(const RecordingSettings& settings) override;

    int m_initResult = 0;
    int m_failFrameAt = -1; // the frame (from 0) whose recording fails; -1 none
    int m_failStopAt = -1; // the close (from 0) that fails; -1 none
    int m_stops = 0;
    double m_reportedSize = 0.0;
    std::vector<std::wstring> m_log; // "init <path>", "frame", "stop <duration> <password>", ...
    int m_frames = 0;
};

class CFakeDecoders : public CEngineDecoders {
public:
    int VideoOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height, int cropLeft, int cropTop, int cropRight,
        int cropBottom) override;
    void VideoClose(int handle) override;
    void VideoForward(int handle) override;
    void VideoSeekTo(int handle, int frame, BOOL draw) override;
    int VideoGetFrame(int handle) override;
    int SwfOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height) override;
    void SwfSeekTo(int handle, int frame) override;
    void SwfForward(int handle) override;
    void SwfClose(int handle) override;
    void SwfClearEnv() override;
    int TolOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height) override;
    void TolSeekTo(int handle, int frame) override;
    void TolForward(int handle) override;
    void TolClose(int handle) override;

    int m_openResult = 7;
    int m_videoFrame = 0;
    std::vector<std::string> m_log;

private:
    void Log(const std::string& line) { m_log.push_back(line); }
};

// A canvas without a window that keeps the frames handed to it.
class CFakeCanvas : public CPreviewCanvas {
public:
    BOOL CreateCanvas(CCanvasContainer*, const CRect&, UINT, CSyncObject*) override { return TRUE; }
    CWnd* GetWindow() override { return nullptr; }
    void SetFrame(CDC* image, int width, int height) override;
    void SetFrameStale(BOOL stale) override { m_stale = stale; }
    void LoadBackground(const CString&) override { }
    void RebuildDotMask() override { }
    CDC* GetCompositionDC() override { return nullptr; }
    CDC* GetDotMaskDC() override { return nullptr; }
    CDC* GetBackgroundDC() override { return nullptr; }
    void SetTrackerVisible(BOOL visible) override { m_trackerVisible = visible; }
    void SetTrackerRect(const CRect&) override { }
    CRect GetTrackerTrueRect() override { return CRect(0, 0, 0, 0); }
    int TrackerHitTest(CPoint) override { return -1; }
    int TrackerHandleHitTest(CPoint) override { return -1; }
    void TrackHandle(int, CPoint, BOOL) override { }
    int GetTrackerHandleCode() override { return -1; }
    BOOL SetTrackerCursor(CWnd*, UINT) override { return FALSE; }

    BOOL m_stale = FALSE;
    BOOL m_trackerVisible = TRUE;
    std::vector<DWORD> m_frames; // top-left pixel of each frame handed over
};

// The engine in a hidden host window, wired to the fakes, with its output
// image built for the document's project size.
class EngineFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Builds the engine window and its frame buffers (after the project is set up).
    void CreateEngine();
    // Pixel of the output image at (x, y) as 0x00RRGGBB.
    DWORD OutputPixel(int x, int y) const;
    // The runningFrame values of the WM_FRAME_SHOWN messages queued for the host.
    std::vector<int> TakeFramesShown();

    CFakeDocument m_doc;
    CFakeCanvas m_canvas;
    CFakeAviWriter m_avi;
    CFakeRecorder m_recorder;
    CFakeDecoders m_decoders;
    CWnd m_host;
    CCanvasContainer* m_engine = nullptr;
};

} // namespace enginetest
