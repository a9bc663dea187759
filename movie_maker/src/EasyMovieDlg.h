// CEasyMovieDlg: the colour-sequence dialog of the movie maker. The user
// builds a sequence of colour elements, previews, plays, pauses and stops it
// at the frame rate, builds grey or colour ramps, and exports one pass as an
// AVI file of solid-colour frames through the media library. Export runs on a
// worker that only paces the dialog by posting one step message at a time.
#pragma once

#include "SequenceModel.h"
#include "SequenceView.h"

#include <afxcoll.h>
#include <afxmt.h>
#include <afxwin.h>

#include <initializer_list>

// Worker to dialog: write the next export frame.
constexpr UINT WM_MOVIE_EXPORT_STEP = WM_USER + 1024;

enum MakerMode { MAKER_IDLE = 0, MAKER_PLAYING = 1, MAKER_EXPORTING = 2 };

class CEasyMovieDlg : public CDialog {
public:
    explicit CEasyMovieDlg(CWnd* pParent = nullptr);
    ~CEasyMovieDlg() override;

    void AddColours();
    void RemoveColours();
    void ClearColours();
    void TogglePreview();
    void ExportAvi();
    void OnGreyTest();
    void OnPlay();
    void OnPause();
    void OnStop();
    // One frame of the sequence (timer tick or export step).
    void NextStep();
    void PaintStep(COLORREF colour);
    int CountTotalFrames();
    void StopExportWorker();

    quorra::CMyColorView* m_pView = nullptr;
    int m_nColourCount = 4;
    int m_nFrameRate = 25;
    int m_nWidth = 100;
    int m_nHeight = 20;
    int m_nIndex = 0; // kept in m_stepper; mirrors for readers
    BYTE m_bPreviewing = 0;
    BYTE m_bPaused = 0;
    UINT_PTR m_nTimer = 0;
    int m_nMode = MAKER_IDLE;
    bool m_bHasSequence = false;
    quorra::Sequence m_sequence; // the sequence taken at the start of a run
    quorra::CSequenceStepper m_stepper;
    int m_nFramesWritten = 0;
    int m_nTotalFrames = 0;
    bool m_bWriteFailed = false; // a frame of the running export was not written
    COLORREF m_progressColour = RGB(0x57, 0x57, 0x57);
    CStringArray m_exportedPaths;
    HWND m_hMsgWnd = nullptr;
    CDC* m_pColorOutDC = nullptr;
    CString m_strAviPath;
    CDC m_exportDC;
    HDC m_hScreenDC = nullptr;
    HBITMAP m_hExportBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    void* m_pExportBits = nullptr;
    volatile LONG m_nWorkerRunning = 0;
    volatile LONG m_nWorkerExited = 1;
    CEvent m_workerEvent;
    CStatic m_previewArea;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnExportStep(WPARAM, LPARAM);
    void OnClose();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    bool ReadControls();
    void TakeSequence();
    void LocalizeTexts();
    void PostPlaybackState(int nState) const;
    void StartTimer();
    void KillRunningTimer();
    void EnableOnlyControls(std::initializer_list<int> ids);
    void EnableAllControls();
    bool CreateExportBuffer();
    void FreeExportBuffer();
    void FinishExport();
    // Ends an export whose file could not be started, written or finished:
    // the partial file goes, the user is told, nothing is listed or opened.
    void AbortExport();
    // "At least two colours", from the language file as every other text.
    void ShowTooFewColours();
    static UINT ExportWorkerThread(LPVOID pParam);
    static DWORD WINAPI WorkerEntry(LPVOID pParam);
};
