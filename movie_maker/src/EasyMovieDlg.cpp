// CEasyMovieDlg: building the sequence, preview and play on a timer, and the
// paced AVI export.
#include "EasyMovieDlg.h"
#include "GraysetArg.h"
#include "MakerLang.h"
#include "Quorra.h"
#include "QuorraResource.h"

#include "Mirelle.h"

#include <afxdlgs.h>

#include <algorithm>
#include <cstdlib>

namespace {
// Built-in texts, used when the language file gives none.
const wchar_t kTooFewColours[] = L"至少添加两种颜色";
const wchar_t kExportFailed[] = L"视频文件写入失败!";
const wchar_t kPreview[] = L"预览";
const wchar_t kStopPreview[] = L"停止预览";

struct SLocalText {
    int nId;
    int nKey;
};
const SLocalText kLocalTexts[] = { { IDC_SEQUENCE_GROUP, 98 }, { IDC_MATERIAL_GROUP, 99 },
    { IDC_COLOUR_COUNT_LABEL, 100 }, { IDC_ADD, 101 }, { IDC_REMOVE, 102 }, { IDC_CLEAR, 103 }, { IDC_GREY_TEST, 277 },
    { IDC_OUTPUT_GROUP, 104 }, { IDC_FRAME_RATE_LABEL, 105 }, { IDC_WIDTH_LABEL, 106 }, { IDC_HEIGHT_LABEL, 107 },
    { IDC_PREVIEW, 108 }, { IDC_EXPORT, 109 }, { IDC_PLAY, 110 }, { IDC_PAUSE, 111 }, { IDC_STOP, 112 } };

// The message of an export that could not be written.
constexpr int kExportFailedKey = 71;

CString TextOr(int nKey, LPCWSTR lpszBuiltIn)
{
    return GetMakerLangTextOr(L"ITEM_TITLE", nKey, lpszBuiltIn);
}
} // namespace

BEGIN_MESSAGE_MAP(CEasyMovieDlg, CDialog)
ON_BN_CLICKED(IDC_ADD, AddColours)
ON_BN_CLICKED(IDC_REMOVE, RemoveColours)
ON_BN_CLICKED(IDC_CLEAR, ClearColours)
ON_BN_CLICKED(IDC_PREVIEW, TogglePreview)
ON_BN_CLICKED(IDC_EXPORT, ExportAvi)
ON_BN_CLICKED(IDC_GREY_TEST, OnGreyTest)
ON_BN_CLICKED(IDC_PLAY, OnPlay)
ON_BN_CLICKED(IDC_PAUSE, OnPause)
ON_BN_CLICKED(IDC_STOP, OnStop)
ON_WM_TIMER()
ON_MESSAGE(WM_MOVIE_EXPORT_STEP, OnExportStep)
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CEasyMovieDlg::CEasyMovieDlg(CWnd* pParent)
    : CDialog(IDD_EASY_MOVIE, pParent)
    , m_workerEvent(FALSE, FALSE)
{
}

CEasyMovieDlg::~CEasyMovieDlg()
{
    StopExportWorker();
    FreeExportBuffer();
}

void CEasyMovieDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COLOUR_COUNT, m_nColourCount);
    DDV_MinMaxInt(pDX, m_nColourCount, 1, 100);
    DDX_Text(pDX, IDC_FRAME_RATE, m_nFrameRate);
    DDV_MinMaxInt(pDX, m_nFrameRate, 1, 60);
    DDX_Text(pDX, IDC_WIDTH, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 10, 1024);
    DDX_Text(pDX, IDC_HEIGHT, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 10, 1024);
}

BOOL CEasyMovieDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_previewArea.SubclassDlgItem(IDC_PREVIEW_AREA, this);

    CRect rc;
    if (CWnd* pGroup = GetDlgItem(IDC_SEQUENCE_GROUP)) {
        pGroup->GetWindowRect(&rc);
        ScreenToClient(&rc);
    }
    rc.left += 5;
    rc.right -= 5;
    rc.bottom -= 5;
    rc.top += 15;
    m_pView = new quorra::CMyColorView; // deletes itself with its window
    if (!m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, rc, this, 0xE900, nullptr)) {
        m_pView = nullptr;
    } else {
        m_pView->OnInitialUpdate();
    }
    std::srand(255);
    AddColours();
    LocalizeTexts();
    return TRUE;
}

void CEasyMovieDlg::LocalizeTexts()
{
    for (const SLocalText& t : kLocalTexts) {
        CString text = GetMakerLangText(L"ITEM_TITLE", t.nKey);
        if (!text.IsEmpty())
            SetDlgItemText(t.nId, text);
    }
}

bool CEasyMovieDlg::ReadControls()
{
    // A value outside its range has been reported by the framework; the
    // handler stops rather than go on with it (a frame rate of 0 would
    // divide by zero).
    return UpdateData(TRUE) != FALSE;
}

void CEasyMovieDlg::AddColours()
{
    if (m_pView == nullptr || !ReadControls())
        return;
    int n = m_pView->GetCount();
    for (int i = n; i < n + m_nColourCount; ++i)
        m_pView->AddElement(quorra::AddedColour(i, [] { return std::rand(); }), 25);
}

void CEasyMovieDlg::RemoveColours()
{
    if (m_pView == nullptr || !ReadControls())
        return;
    m_pView->RemoveLast(m_nColourCount);
}

void CEasyMovieDlg::ClearColours()
{
    if (m_pView != nullptr)
        m_pView->RemoveAll();
}

void CEasyMovieDlg::TakeSequence()
{
    m_sequence = m_pView != nullptr ? m_pView->GetSequence() : quorra::Sequence();
    m_bHasSequence = true;
}

void CEasyMovieDlg::ShowTooFewColours()
{
    AfxMessageBox(GetMakerLangTextOr(L"SHOW", 5, kTooFewColours));
}

void CEasyMovieDlg::PostPlaybackState(int nState) const
{
    if (m_hMsgWnd != nullptr)
        ::PostMessageW(m_hMsgWnd, WM_MOVIE_PLAYBACK_STATE, static_cast<WPARAM>(nState), 0);
}

void CEasyMovieDlg::StartTimer()
{
    m_nTimer = SetTimer(1, static_cast<UINT>(1000 / std::max(1, m_nFrameRate)));
}

void CEasyMovieDlg::KillRunningTimer()
{
    if (m_nTimer != 0)
        KillTimer(m_nTimer);
    m_nTimer = 0;
}

void CEasyMovieDlg::EnableOnlyControls(std::initializer_list<int> ids)
{
    for (HWND child = ::GetWindow(GetSafeHwnd(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        int id = ::GetDlgCtrlID(child);
        bool keep = false;
        for (int k : ids)
            keep = keep || k == id;
        ::EnableWindow(child, keep ? TRUE : FALSE);
    }
}

void CEasyMovieDlg::EnableAllControls()
{
    for (HWND child = ::GetWindow(GetSafeHwnd(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        ::EnableWindow(child, TRUE);
}

void CEasyMovieDlg::TogglePreview()
{
    if (!ReadControls())
        return;
    if (m_pView == nullptr || m_pView->GetCount() < 2) {
        ShowTooFewColours();
        return;
    }
    if (m_bPreviewing) {
        KillRunningTimer();
        EnableAllControls();
        m_bPreviewing = 0;
        SetDlgItemText(IDC_PREVIEW, TextOr(108, kPreview));
        return;
    }
    m_stepper.Reset();
    TakeSequence();
    EnableOnlyControls({ IDC_PREVIEW });
    m_nMode = MAKER_PLAYING;
    StartTimer();
    SetDlgItemText(IDC_PREVIEW, TextOr(113, kStopPreview));
    m_bPreviewing = 1;
}

void CEasyMovieDlg::OnPlay()
{
    if (!ReadControls())
        return;
    if (m_pView == nullptr || m_pView->GetCount() < 2) {
        ShowTooFewColours();
        return;
    }
    KillRunningTimer();
    EnableAllControls();
    if (!m_bPaused)
        m_stepper.Reset();
    TakeSequence();
    EnableOnlyControls({ IDC_PAUSE, IDC_STOP });
    StartTimer();
    m_bPaused = 0;
    m_nMode = MAKER_PLAYING;
    PostPlaybackState(2);
}

void CEasyMovieDlg::OnPause()
{
    m_bPaused = 1;
    EnableAllControls();
    if (m_nTimer != 0) {
        KillRunningTimer();
        EnableOnlyControls({ IDC_PLAY, IDC_STOP });
        PostPlaybackState(3);
    }
    m_nMode = MAKER_PLAYING;
}

void CEasyMovieDlg::OnStop()
{
    m_bPaused = 0;
    m_stepper.Reset();
    KillRunningTimer();
    if (m_nMode != MAKER_IDLE)
        PostPlaybackState(4);
    EnableAllControls();
    m_nMode = MAKER_IDLE;
}

void CEasyMovieDlg::OnGreyTest()
{
    GraysetArg dlg(this);
    if (dlg.DoModal() != IDOK || m_pView == nullptr)
        return;
    m_pView->RemoveAll();
    for (const quorra::SequenceElement& e :
        quorra::BuildRamp(dlg.m_startColor, dlg.m_endColor, dlg.m_nLevels, dlg.m_nDuration))
        m_pView->AddElement(e.color, e.duration);
}

void CEasyMovieDlg::OnTimer(UINT_PTR nIDEvent)
{
    NextStep();
    CDialog::OnTimer(nIDEvent);
}

LRESULT CEasyMovieDlg::OnExportStep(WPARAM, LPARAM)
{
    // A step still queued when the export ended must not move the preview.
    if (m_nMode != MAKER_EXPORTING)
        return 0;
    NextStep();
    if (m_bWriteFailed) {
        AbortExport();
        return 0;
    }
    m_workerEvent.SetEvent();
    return 0;
}

void CEasyMovieDlg::NextStep()
{
    if (!m_bHasSequence)
        return;
    COLORREF colour = 0;
    quorra::CSequenceStepper::Step step = m_stepper.Next(m_sequence, colour);
    m_nIndex = m_stepper.Index();
    if (step == quorra::CSequenceStepper::Step::Painted)
        PaintStep(colour);
    else if (step == quorra::CSequenceStepper::Step::Wrapped && m_nMode == MAKER_EXPORTING)
        FinishExport();
}

void CEasyMovieDlg::PaintStep(COLORREF colour)
{
    if (m_nMode == MAKER_PLAYING) {
        if (m_previewArea.GetSafeHwnd() != nullptr) {
            CRect rc;
            m_previewArea.GetClientRect(&rc);
            CClientDC dc(&m_previewArea);
            dc.FillSolidRect(&rc, colour);
        }
        if (m_pColorOutDC != nullptr && m_pColorOutDC->GetSafeHdc() != nullptr) {
            CRect clip;
            m_pColorOutDC->GetClipBox(&clip);
            m_pColorOutDC->FillSolidRect(&clip, colour);
        }
    } else if (m_nMode == MAKER_EXPORTING) {
        ++m_nFramesWritten;
        if (m_hExportBitmap != nullptr) {
            CRect clip;
            m_exportDC.GetClipBox(&clip);
            m_exportDC.FillSolidRect(&clip, colour);
            ::GdiFlush();
            if (CreateAVIWriteFrameDC(m_exportDC.GetSafeHdc()) != 0)
                m_bWriteFailed = true;
        }
        if (m_previewArea.GetSafeHwnd() != nullptr) {
            CRect rc;
            m_previewArea.GetClientRect(&rc);
            CClientDC dc(&m_previewArea);
            dc.FillSolidRect(&rc, m_progressColour);
            CString text;
            text.Format(L"%d/%d", m_nFramesWritten, m_nTotalFrames);
            int oldBk = dc.SetBkMode(TRANSPARENT);
            ::DrawTextW(
                dc.GetSafeHdc(), text.GetString(), text.GetLength(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            dc.SetBkMode(oldBk);
        }
    }
}

int CEasyMovieDlg::CountTotalFrames()
{
    quorra::Sequence sequence = m_bHasSequence ? m_sequence : (m_pView ? m_pView->GetSequence() : quorra::Sequence());
    if (sequence.size() > 1) {
        int pick = std::rand() % static_cast<int>(sequence.size() - 1);
        m_progressColour = sequence[static_cast<size_t>(pick)].color;
    }
    return quorra::CountTotalFrames(sequence);
}

bool CEasyMovieDlg::CreateExportBuffer()
{
    FreeExportBuffer();
    m_hScreenDC = ::GetDC(GetSafeHwnd());
    if (m_hScreenDC == nullptr)
        return false;
    m_exportDC.Attach(::CreateCompatibleDC(m_hScreenDC));
    BITMAPINFO bi {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = m_nWidth;
    bi.bmiHeader.biHeight = m_nHeight; // bottom-up
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    m_hExportBitmap = ::CreateDIBSection(m_hScreenDC, &bi, DIB_RGB_COLORS, &m_pExportBits, nullptr, 0);
    if (m_exportDC.GetSafeHdc() == nullptr || m_hExportBitmap == nullptr) {
        FreeExportBuffer();
        return false;
    }
    m_hOldBitmap = ::SelectObject(m_exportDC.GetSafeHdc(), m_hExportBitmap);
    return true;
}

void CEasyMovieDlg::FreeExportBuffer()
{
    if (m_exportDC.GetSafeHdc() != nullptr) {
        if (m_hOldBitmap != nullptr)
            ::SelectObject(m_exportDC.GetSafeHdc(), m_hOldBitmap);
        ::DeleteDC(m_exportDC.Detach());
    }
    if (m_hExportBitmap != nullptr)
        ::DeleteObject(m_hExportBitmap);
    if (m_hScreenDC != nullptr)
        ::ReleaseDC(GetSafeHwnd(), m_hScreenDC);
    m_hOldBitmap = nullptr;
    m_hExportBitmap = nullptr;
    m_hScreenDC = nullptr;
    m_pExportBits = nullptr;
}

void CEasyMovieDlg::ExportAvi()
{
    if (!ReadControls())
        return;
    if (m_pView == nullptr || m_pView->GetCount() < 2) {
        ShowTooFewColours();
        return;
    }
    TakeSequence();
    CFileDialog dlg(
        FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Video Files(*.AVI)|*.avi||", this);
    if (dlg.DoModal() != IDOK)
        return;
    m_strAviPath = dlg.GetPathName();
    m_bWriteFailed = false;
    if (!CreateExportBuffer() || CreateAVIInit(m_strAviPath.GetString(), m_nWidth, m_nHeight, 32, m_nFrameRate) != 0) {
        FreeExportBuffer();
        m_strAviPath.Empty();
        AfxMessageBox(GetMakerLangTextOr(L"HINT", kExportFailedKey, kExportFailed), MB_ICONEXCLAMATION);
        return;
    }
    m_nFramesWritten = 0;
    m_nTotalFrames = CountTotalFrames();
    m_stepper.Reset();
    m_nIndex = 0;

    // Marked running before the worker starts, so that a stop that comes
    // before the worker's first instruction still waits for it.
    ::InterlockedExchange(&m_nWorkerExited, 0);
    ::InterlockedExchange(&m_nWorkerRunning, 1);
    m_workerEvent.SetEvent();
    HANDLE thread = ::CreateThread(nullptr, 0, &CEasyMovieDlg::WorkerEntry, this, 0, nullptr);
    if (thread == nullptr) {
        ::InterlockedExchange(&m_nWorkerRunning, 0);
        ::InterlockedExchange(&m_nWorkerExited, 1);
    } else {
        ::CloseHandle(thread);
    }
    m_nMode = MAKER_EXPORTING;
    EnableOnlyControls({});
}

DWORD WINAPI CEasyMovieDlg::WorkerEntry(LPVOID pParam)
{
    return ExportWorkerThread(pParam);
}

UINT CEasyMovieDlg::ExportWorkerThread(LPVOID pParam)
{
    auto* pDlg = static_cast<CEasyMovieDlg*>(pParam);
    HWND hWnd = pDlg->GetSafeHwnd();
    HANDLE event = pDlg->m_workerEvent.m_hObject;
    while (::InterlockedCompareExchange(&pDlg->m_nWorkerRunning, 0, 0) != 0) {
        ::WaitForSingleObject(event, INFINITE);
        if (::InterlockedCompareExchange(&pDlg->m_nWorkerRunning, 0, 0) == 0)
            break;
        ::Sleep(1);
        ::PostMessageW(hWnd, WM_MOVIE_EXPORT_STEP, 0, 0);
    }
    ::InterlockedExchange(&pDlg->m_nWorkerRunning, 0);
    ::InterlockedExchange(&pDlg->m_nWorkerExited, 1);
    return 0;
}

void CEasyMovieDlg::StopExportWorker()
{
    while (::InterlockedCompareExchange(&m_nWorkerExited, 0, 0) == 0) {
        ::InterlockedExchange(&m_nWorkerRunning, 0);
        m_workerEvent.SetEvent();
        ::Sleep(0);
    }
    if (m_nMode == MAKER_EXPORTING)
        m_nMode = MAKER_PLAYING;
    m_nFramesWritten = 0;
    m_nTotalFrames = 0;
    m_stepper.Reset();
    m_nIndex = 0;
    FreeExportBuffer();
}

void CEasyMovieDlg::AbortExport()
{
    StopExportWorker();
    CreateAVIEnd();
    if (!m_strAviPath.IsEmpty())
        ::DeleteFileW(m_strAviPath.GetString());
    m_strAviPath.Empty();
    m_bWriteFailed = false;
    m_nMode = MAKER_PLAYING;
    EnableAllControls();
    AfxMessageBox(GetMakerLangTextOr(L"HINT", kExportFailedKey, kExportFailed), MB_ICONEXCLAMATION);
}

void CEasyMovieDlg::FinishExport()
{
    // The last frame's write and the end of the file must both have worked.
    if (m_bWriteFailed || CreateAVIEnd() != 0) {
        AbortExport();
        return;
    }
    StopExportWorker();
    EnableAllControls();
    m_exportedPaths.Add(m_strAviPath);
    int cut = m_strAviPath.ReverseFind(L'\\');
    CString folder = cut >= 0 ? m_strAviPath.Left(cut) : m_strAviPath;
    AfxShellOpen(folder, nullptr, nullptr, SW_SHOWNORMAL);
    m_strAviPath.Empty();
    m_nMode = MAKER_PLAYING;
}

void CEasyMovieDlg::OnClose()
{
    PostPlaybackState(4);
    KillRunningTimer();
    CDialog::OnClose();
}

void CEasyMovieDlg::OnDestroy()
{
    KillRunningTimer();
    if (m_nMode == MAKER_EXPORTING) {
        // Closed in the middle of an export: the unfinished clip is closed
        // and removed rather than left open in the media library.
        StopExportWorker();
        CreateAVIEnd();
        if (!m_strAviPath.IsEmpty())
            ::DeleteFileW(m_strAviPath.GetString());
        m_strAviPath.Empty();
    }
    FreeExportBuffer();
    m_pView = nullptr;
    CDialog::OnDestroy();
}
