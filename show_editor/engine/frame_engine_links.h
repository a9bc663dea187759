// What the frame engine reaches outside itself, each behind a small
// interface: the project document it reads, the preview window it hands its
// frames to, the AVI export dialog, and the libraries it writes and decodes
// through (the AVI library, the controller library's recorder, the video
// library and the two animation libraries). The program binds the real ones;
// tests bind fakes that capture frames and calls.
#pragma once

#include "segment.h"

#include <afxmt.h>
#include <afxwin.h>

struct RecordingSettings;
class ProjSet;
class CCanvasContainer;

// The document as the engine sees it. Every list and record returned stays
// owned by the document; the engine takes Mutex() (recursive for its owner)
// around every read that can race with the document's editors.
class CEngineDocument {
public:
    virtual ~CEngineDocument() = default;

    virtual CMutex& Mutex() = 0;
    virtual int GetPlayState() = 0; // 0 playing, 1 paused, 2 stopped
    virtual unsigned GetZoomPercent() = 0;
    virtual int GetListSelector() = 0; // 0 the preview list, else the project list
    // The active pair (chosen by the selector); null when there is none.
    virtual SegmentList* GetActiveSegments() = 0;
    virtual ProjSet* GetActiveSettings() = 0;
    // The project's pair, whatever the selector.
    virtual SegmentList& GetProjectSegments() = 0;
    virtual ProjSet& GetProjectSettings() = 0;

    virtual int GetScreen() = 0; // controller screen number
    virtual CString GetOfflineFolder() = 0;
    virtual BOOL GetAviPerSegment() = 0;
    virtual BOOL GetFilePerSegment() = 0;
    virtual BOOL GetOfflineEncryption() = 0;
    virtual const BYTE* GetOfflinePassword() = 0; // four bytes
    virtual int GetFileSizeLimit() = 0; // 1, 2 (GB) or 65535 (none)
    virtual int& OfflineFileCounter() = 0;
    virtual int& RegionEditing() = 0;
    virtual const NodeInfo* GetCurrentViewNode() = 0; // null for none
    virtual void SetDotGap(int dotGap) = 0;

    virtual void NotifySegmentPlaying(int segmentNumber) = 0;
    // Posts WM_SELECT_SEGMENT(number) to the project tree panel.
    virtual void PostSelectSegment(int segmentNumber) = 0;
    virtual int ApplyFourColorMode(int mode, BYTE whiteValue) = 0;
    virtual void RecomputeViewCanvasRects() = 0;
    virtual void SetZoom(unsigned zoomPercent) = 0;
    virtual void RefreshWindowTitle() = 0;
    virtual void BroadcastLanguageChanged() = 0;
    virtual void ApplyTrackedViewRect(const CRect& canvasRect, int handleCode) = 0;
    virtual void ShowTrackedRectText(const CRect& canvasRect) = 0;
    // The main window (gets WM_RECORD_PROGRESS); null for none.
    virtual HWND GetMainWindow() = 0;
    // A text of the current language file; empty when missing.
    virtual CString GetLangText(LPCTSTR section, int key) = 0;
};

// The dot-matrix preview window as the engine drives it.
class CPreviewCanvas {
public:
    virtual ~CPreviewCanvas() = default;

    // Creates the window as a child of the engine; the engine's frame mutex
    // guards every hand-over of the output image.
    virtual BOOL CreateCanvas(CCanvasContainer* engine, const CRect& rect, UINT id, CSyncObject* frameMutex) = 0;
    virtual CWnd* GetWindow() = 0;
    // The composed frame (frameWidth x frameHeight, 32 bits); called with the
    // frame mutex held.
    virtual void SetFrame(CDC* image, int width, int height) = 0;
    // While stale the canvas shows the bare dot pattern.
    virtual void SetFrameStale(BOOL stale) = 0;
    virtual void LoadBackground(const CString& path) = 0;
    virtual void RebuildDotMask() = 0;
    // The composition context of the dot look and its layers (null when the
    // canvas has none).
    virtual CDC* GetCompositionDC() = 0;
    virtual CDC* GetDotMaskDC() = 0;
    virtual CDC* GetBackgroundDC() = 0;

    // The view rectangle tracker.
    virtual void SetTrackerVisible(BOOL visible) = 0;
    virtual void SetTrackerRect(const CRect& rect) = 0;
    virtual CRect GetTrackerTrueRect() = 0;
    // -1 outside the tracked rectangle.
    virtual int TrackerHitTest(CPoint point) = 0;
    // 0 to 8 for a handle, -1 for none.
    virtual int TrackerHandleHitTest(CPoint point) = 0;
    virtual void TrackHandle(int handle, CPoint point, BOOL allowInvert) = 0;
    // The handle the last tracking moved.
    virtual int GetTrackerHandleCode() = 0;
    // TRUE when it set the cursor.
    virtual BOOL SetTrackerCursor(CWnd* window, UINT hitTest) = 0;
};

// The AVI export dialog while it exists.
class CAviExportDialog {
public:
    virtual ~CAviExportDialog() = default;
    // Runs the dialog modally; 1 when it closed through WM_CLOSE.
    virtual INT_PTR RunModal() = 0;
    virtual HWND GetSafeHwnd() const = 0;
    virtual void BeginProgress(int totalFrames) = 0;
    // TRUE when frame equals the total.
    virtual BOOL StepProgress(int frame) = 0;
};

// The outside AVI library.
class CEngineAviWriter {
public:
    virtual ~CEngineAviWriter() = default;
    virtual int Init(LPCWSTR path, int width, int height, int bits, int framesPerSecond);
    virtual int WriteFrameDC(HDC dc);
    virtual int End();
};

// The controller library's recording calls.
class CEngineRecorder {
public:
    virtual ~CEngineRecorder() = default;
    virtual int SetSecurityFlag(int flag);
    virtual int SetFourColor(int screen, int mode, int whiteValue);
    virtual int RecordingInit(int screen, LPCWSTR path, unsigned framesPerSecond);
    virtual int RecordingFrameDC(HDC source, int width, int height, int flag, double* sizeMiB);
    virtual int RecordingStop(const RecordingSettings& settings);
};

// The video library and the two animation libraries.
class CEngineDecoders {
public:
    virtual ~CEngineDecoders() = default;
    virtual int VideoOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height, int cropLeft, int cropTop,
        int cropRight, int cropBottom);
    virtual void VideoClose(int handle);
    virtual void VideoForward(int handle);
    virtual void VideoSeekTo(int handle, int frame, BOOL draw);
    virtual int VideoGetFrame(int handle);
    virtual int SwfOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height);
    virtual void SwfSeekTo(int handle, int frame);
    virtual void SwfForward(int handle);
    virtual void SwfClose(int handle);
    virtual void SwfClearEnv();
    virtual int TolOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height);
    virtual void TolSeekTo(int handle, int frame);
    virtual void TolForward(int handle);
    virtual void TolClose(int handle);
};

// The libraries themselves.
CEngineAviWriter& LibraryAviWriter();
CEngineRecorder& LibraryRecorder();
CEngineDecoders& LibraryDecoders();
