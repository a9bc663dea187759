// CCanvasContainer: the frame engine of the show editor. A child window of
// the preview panel that steps through the active segment list frame by
// frame, composes each frame into one 32-bit output image of the project's
// size (view composition: view_compose.h) and sends it, by its mode, to the
// preview canvas, to an AVI file or to an off-line show file.
//
// Preview is paced by a window timer; AVI export and off-line recording by a
// worker thread that posts one WM_NEXT_FRAME at a time and waits until the
// frame has been rendered. Every frame is rendered on the user-interface
// thread under the document's mutex.
//
// The code is split by concern: frame stepping, seeking and playback
// (frame_engine_step.cpp), the window, its layout and mouse
// (frame_engine_window.cpp), AVI export, recording and the worker
// (frame_engine_export.cpp).
#pragma once

#include "color_animation_render.h"
#include "frame_engine_links.h"

#include <afxmt.h>
#include <afxwin.h>

#include <atomic>
#include <functional>

class CEffectPlusRender;
class Program;
class ProgramView;

enum EngineMode {
    ENGINE_MODE_STOPPING = 0, // only while a worker is being stopped
    ENGINE_MODE_PREVIEW = 1,
    ENGINE_MODE_AVI = 2,
    ENGINE_MODE_RECORD = 3,
};

// The play timer's id.
constexpr UINT_PTR kPlayTimerId = 1;

// Language texts (section HINT) of an off-line file or an AVI file that
// could not be written.
constexpr int kRecordWriteFailedHint = 70;
constexpr int kAviWriteFailedHint = 71;

// The AVI path as the export uses it: folder (without the closing
// backslash) and file name without its ".avi"; a file name without that
// extension gets ".avi" appended to file.
void SplitAviPath(CString& file, CString& folder, CString& baseName);

class CCanvasContainer : public CStatic {
    DECLARE_DYNAMIC(CCanvasContainer)

public:
    using ExportDialogFactory = std::function<CAviExportDialog*(CCanvasContainer*, CEngineDocument*)>;

    // Seeds the C runtime's generator through the colour renderer.
    CCanvasContainer();
    ~CCanvasContainer() override;

    CCanvasContainer(const CCanvasContainer&) = delete;
    CCanvasContainer& operator=(const CCanvasContainer&) = delete;

    // Surroundings; set before the window is created. The canvas, the
    // libraries and the dialog factory default to none, the libraries and none.
    void SetDocument(CEngineDocument* document) { m_document = document; }
    CEngineDocument* GetDocument() const { return m_document; }
    void SetCanvas(CPreviewCanvas* canvas) { m_canvas = canvas; }
    CPreviewCanvas* GetCanvas() const { return m_canvas; }
    void SetAviWriter(CEngineAviWriter* writer) { m_aviWriter = writer != nullptr ? writer : &LibraryAviWriter(); }
    void SetRecorder(CEngineRecorder* recorder) { m_recorder = recorder != nullptr ? recorder : &LibraryRecorder(); }
    void SetDecoders(CEngineDecoders* decoders) { m_decoders = decoders != nullptr ? decoders : &LibraryDecoders(); }
    CEngineDecoders& Decoders() const { return *m_decoders; }
    void SetExportDialogFactory(ExportDialogFactory factory) { m_exportDialogFactory = std::move(factory); }

    // Operations of the preview panel and the document.
    void StartPlay();
    void StopPlay();
    void PrevSegment();
    void NextSegment();
    void SeekToFrame(int frame);
    void ResetCanvas();
    // Closes the decoders of a view's video, SWF and TOL programs, so that
    // they open again on the view's present buffer (after the buffers were
    // made anew, the old device context is gone).
    void CloseViewDecoders(ProgramView* view, bool clearEnvironment = false);
    void UpdateTrackerVisibility();

    // One frame step (timer, WM_NEXT_FRAME, seek).
    void StepFrame();
    void RebuildFrameBuffers();
    void RelayoutCentred();
    void RelayoutInPlace();

    // The output image (null before the frame buffers exist).
    CDC* GetOutputDC() const { return m_outputValid ? const_cast<CDC*>(&m_outputDC) : nullptr; }
    DWORD* GetOutputBits() const { return m_outputBits; }
    int GetFrameWidth() const { return m_frameWidth; }
    int GetFrameHeight() const { return m_frameHeight; }
    void ClearOutput(COLORREF colour);

    // Renderers and state read by the view composition.
    CCriticalSection& FrameMutex() { return m_frameMutex; }
    CCColorAnimationRender& ColourRenderer() { return m_colourRenderer; }
    // The Zazez Urad renderer (null while it is not built in).
    CEffectPlusRender* PlusRenderer() const { return m_plusRenderer; }
    void SetCurrentProgram(Program* program) { m_currentProgram.store(program); }
    Program* GetCurrentProgram() const { return m_currentProgram.load(); }

    // State, for the panel and for tests.
    int GetMode() const { return m_mode.load(); }
    int GetSegmentIndex() const { return m_segmentIndex; }
    unsigned GetFrameInSegment() const { return m_frameInSegment; }
    int GetRunningFrame() const { return m_runningFrame; }
    BOOL IsPumpRunning() const { return m_pumpRunning.load() != 0; }
    BOOL HasPumpExited() const { return m_pumpExited.load() != 0; }
    int GetCanvasWidth() const { return m_canvasWidth; }
    int GetCanvasHeight() const { return m_canvasHeight; }
    int GetZoomPercent() const { return m_zoomPercent; }
    int GetDotLayoutType() const { return m_dotLayoutType; }
    int GetDotGap() const { return m_dotGap; }
    const CString& GetBackgroundPath() const { return m_backgroundPath; }

    // Message handlers (public so that the panel may forward to them).
    LRESULT OnCanvasCommand(WPARAM subCommand, LPARAM value);
    LRESULT OnExportAvi(WPARAM sizeChoice, LPARAM path);
    LRESULT OnRecordOffline(WPARAM request, LPARAM unused);
    LRESULT OnNextFrame(WPARAM, LPARAM);
    LRESULT OnTrackerDone(WPARAM, LPARAM);
    LRESULT OnTrackerMoved(WPARAM, LPARAM);
    LRESULT OnUnusedCommand(WPARAM, LPARAM);

protected:
    int OnCreate(LPCREATESTRUCT create);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnRButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    friend class CFramePumpAccess;

    void Relayout(bool centred);
    void HandFrameToCanvas();
    void ReleaseOutput();
    void OutputFrame();
    int FrameRate(const ProjSet& settings) const;
    void CloseSegmentDecoders(QvSegmentGourp* segment, bool clearEnvironment);

    // Export and recording.
    void StartFramePump();
    void StopFramePump();
    void JoinFramePump();
    static UINT FramePumpThread(LPVOID param);
    // Each returns false when the library reported a failure; the run has
    // then been ended through FailRun.
    bool StartAviFile(const CString& path);
    bool EndAviFile();
    bool WriteAviFrame();
    bool BeginRecordFile();
    bool EndRecordFile(int segmentNumber);
    // Closes the open off-line file with the segment's schedule; the
    // library's result (0 when the file was finished).
    int CloseRecordFile(int segmentNumber);
    bool FinishOutputAtShowEnd();
    // A write, open or close that failed ends the run: the open file is
    // closed (the libraries drop a file whose writing failed), the worker
    // stops, the hardware dialog leaves its generation without a success
    // text and the user is told with the language text HINT hintKey.
    void FailRun(int hintKey);
    // The engine window goes away while a run is on: its files are closed
    // and the worker stops, without questions.
    void EndRunOnDestroy();
    // Both of those: the files of the run in `mode` are closed as well as
    // they can be and the worker stops.
    void AbandonRun(int mode);
    // Progress of a recorded frame; the count that completes the run is held
    // back until the run's last file has been closed.
    void ReportRecordProgress(int frames);

    CEngineDocument* m_document = nullptr;
    CPreviewCanvas* m_canvas = nullptr;
    CEngineAviWriter* m_aviWriter;
    CEngineRecorder* m_recorder;
    CEngineDecoders* m_decoders;
    ExportDialogFactory m_exportDialogFactory;

    int m_rightDragging = 0;
    int m_dragOriginX = 0;
    int m_dragOriginY = 0;
    int m_startupSizeCount = 1;
    int m_startupSizing = 1;
    int m_zoomPercent = 400;
    int m_dotLayoutType = 1;
    int m_canvasWidth = 200;
    int m_canvasHeight = 50;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    int m_dotGap = 1;
    // Held while a frame is handed over or read; a lock inside the process,
    // as a kernel mutex costs a server call per lock.
    CCriticalSection m_frameMutex;

    // The output image.
    CDC m_outputDC;
    HDC m_windowDC = nullptr;
    HBITMAP m_outputBitmap = nullptr;
    HGDIOBJ m_oldOutputBitmap = nullptr;
    DWORD* m_outputBits = nullptr;
    bool m_outputValid = false;

    CString m_backgroundPath;
    int m_fitOnRelayout = 0;
    UINT_PTR m_playTimerId = 0;
    int m_segmentIndex = 0;
    unsigned m_frameInSegment = 0;
    int m_runningFrame = 0;
    std::atomic<int> m_mode { ENGINE_MODE_PREVIEW };
    int m_aviAtFrameSize = 1;
    CString m_offlineFolder;
    CString m_aviFolder;
    CString m_aviBaseName;
    CAviExportDialog* m_exportDialog = nullptr;
    CCColorAnimationRender m_colourRenderer;
    CEffectPlusRender* m_plusRenderer = nullptr; // owned
    int m_firstRecordedSegment = -1;
    std::atomic<Program*> m_currentProgram { nullptr };
    std::atomic<int> m_pumpRunning { 0 };
    std::atomic<int> m_pumpExited { 1 };
    CEvent m_frameEvent;
    // Whether an AVI file or an off-line file is open, so that a run that
    // ends early still finishes what it started, and nothing is finished twice.
    bool m_aviOpen = false;
    bool m_recordFileOpen = false;
    int m_heldProgress = 0; // the completing progress count, posted when the run ends well
    bool m_aviCompleted = false; // the export ended with the show, its file finished
    int m_recordFileSegment = 0; // segment number whose schedule closes the open file
};
