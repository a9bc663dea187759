// CDlgRecordCtrl: the screen recorder's small top-most tool window with
// record, pause and stop buttons and the frame-rate choice. It owns the
// capture frame, the capture worker thread and the AVI encoder; the worker
// copies the framed screen area into a DIB and writes it as the next frame
// at the chosen rate. The dialog ends (OK) when a running recording stops.
#pragma once

#include <afxwin.h>

#include "hw_dialogs_resource.h"
#include "screen_recorder_avi.h"
#include "screen_recorder_capture.h"

#include <atomic>
#include <thread>

// Posted by the worker after every frame with the new count.
#define WM_CAPTURE_FRAME_COUNT (WM_USER + 200)
// Posted by the worker when the AVI file could not be created.
#define WM_CAPTURE_FAILED (WM_USER + 201)
// Posted by the worker when the record button's icon is due to blink.
#define WM_CAPTURE_BLINK (WM_USER + 202)
// Posted by the worker when a frame could not be written: it has stopped.
#define WM_CAPTURE_WRITE_FAILED (WM_USER + 203)

class CDlgRecordCtrl : public CDialog {
public:
    enum { IDD = IDD_RECORD_CTRL };
    explicit CDlgRecordCtrl(CWnd* pParent = nullptr);
    ~CDlgRecordCtrl() override;

    // The frame rate that a combo text names: its leading integer.
    static int FrameRateFromText(const CString& text);
    // The pacing rate: 25 when the chosen rate is not positive.
    static int EffectiveFrameRate(int frameRate) { return frameRate > 0 ? frameRate : 25; }

    // The failure messages, in the user's language; the recorder's own
    // Chinese texts unless the owner gives others.
    CString m_createFailedText = L"节目文件创建失败!";
    CString m_writeFailedText = L"节目文件写入失败!";

    std::atomic<int> m_recording { 0 };
    int m_blinkCounter = 0;
    int m_frameRate = 25;
    CCaptureDlg m_capture;
    CString m_outputPath;
    int m_captureLeft = 0;
    int m_captureTop = 0;
    int m_captureRight = 0;
    int m_captureBottom = 0;
    std::atomic<int> m_frameCount { 0 };
    HDC m_memDC = nullptr;
    HDC m_refDC = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    void* m_dibBits = nullptr;
    CAviEncoder m_encoder;
    std::atomic<int> m_active { 0 };
    std::atomic<int> m_paused { 0 };
    std::atomic<int> m_alive { 0 };
    std::atomic<int> m_ended { 1 };
    HANDLE m_wakeEvent = nullptr;
    int m_buttonChoice = 2;

    void Record();
    void Pause();
    void Stop();
    bool IsWorkerRunning() const { return m_worker.joinable(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnButton(UINT nID);
    LRESULT OnRectChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnFrameCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureFailed(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureWriteFailed(WPARAM wParam, LPARAM lParam);
    LRESULT OnBlink(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    // Writes one captured frame (on the worker); false when it failed. The
    // encoder's; tests stand in for a full disk here.
    virtual bool WriteCapturedFrame(const void* pixels);
    DECLARE_MESSAGE_MAP()

private:
    static void CaptureThreadProc(CDlgRecordCtrl* self);
    void CaptureLoop();
    bool StartCapture();
    void StopCapture();
    void FreeSurface();
    void BlinkRecordButton();
    // Ends the worker; delivers messages sent to this thread while it
    // waits, so that nothing the worker sends can block the hand-over.
    void EndWorker();

    HICON m_icons[3] = {};
    HWND m_recordButton = nullptr;
    bool m_iconShown = true;
    std::thread m_worker;
};
