// CDlgRecordCtrl: the screen recorder's control window and capture worker.
#include "screen_recorder_dlg.h"

#include <afxdlgs.h>

#include <cwchar>

namespace {

const wchar_t* const kRates[] = { L"5FPS", L"10FPS", L"12FPS", L"15FPS", L"18FPS", L"20FPS", L"25FPS", L"30FPS" };

} // namespace

BEGIN_MESSAGE_MAP(CDlgRecordCtrl, CDialog)
ON_COMMAND_RANGE(IDC_REC_RECORD, IDC_REC_STOP, OnButton)
ON_MESSAGE(WM_CAPTURE_RECT_CHANGED, OnRectChanged)
ON_MESSAGE(WM_CAPTURE_FRAME_COUNT, OnFrameCount)
ON_MESSAGE(WM_CAPTURE_FAILED, OnCaptureFailed)
ON_MESSAGE(WM_CAPTURE_WRITE_FAILED, OnCaptureWriteFailed)
ON_MESSAGE(WM_CAPTURE_BLINK, OnBlink)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgRecordCtrl::CDlgRecordCtrl(CWnd* pParent)
    : CDialog(IDD, pParent)
{
    m_wakeEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

CDlgRecordCtrl::~CDlgRecordCtrl()
{
    EndWorker();
    m_encoder.Release();
    if (m_capture.m_hWnd != nullptr)
        m_capture.DestroyWindow();
    FreeSurface();
    if (m_wakeEvent != nullptr)
        ::CloseHandle(m_wakeEvent);
}

int CDlgRecordCtrl::FrameRateFromText(const CString& text)
{
    // Leading integer; bounded so that a long digit run cannot overflow.
    const long value = std::wcstol(text.GetString(), nullptr, 10);
    if (value < 0)
        return 0;
    return value > 1000 ? 1000 : static_cast<int>(value);
}

void CDlgRecordCtrl::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_REC_RECORD, m_buttonChoice);
}

BOOL CDlgRecordCtrl::OnInitDialog()
{
    CDialog::OnInitDialog();
    const HINSTANCE instance = AfxGetResourceHandle();
    const int iconIds[3] = { IDI_RECORD_RECORD, IDI_RECORD_PAUSE, IDI_RECORD_STOP };
    const int buttonIds[3] = { IDC_REC_RECORD, IDC_REC_PAUSE, IDC_REC_STOP };
    for (int i = 0; i < 3; ++i) {
        m_icons[i] = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(iconIds[i]), IMAGE_ICON, 16, 16, 0));
        ::SendDlgItemMessageW(m_hWnd, buttonIds[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_icons[i]));
    }
    m_recordButton = ::GetDlgItem(m_hWnd, IDC_REC_RECORD);
    m_iconShown = true;

    const HWND rate = ::GetDlgItem(m_hWnd, IDC_REC_RATE);
    for (const wchar_t* entry : kRates)
        ::SendMessageW(rate, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    ::SendMessageW(rate, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"25FPS"));
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    m_capture.Create(CCaptureDlg::IDD, this);
    m_capture.m_color = RGB(255, 0, 0);
    m_capture.m_border = 3;
    m_capture.m_left = 0;
    m_capture.m_top = 0;
    m_capture.m_width = ::GetSystemMetrics(SM_CXSCREEN) / 4;
    m_capture.m_height = ::GetSystemMetrics(SM_CYSCREEN) / 4;
    m_capture.PlaceFrame();
    m_capture.ShapeFrame();
    m_capture.ShowWindow(SW_SHOWNOACTIVATE);
    OnRectChanged(0, 0);
    return TRUE;
}

LRESULT CDlgRecordCtrl::OnRectChanged(WPARAM, LPARAM)
{
    const CCaptureDlg& c = m_capture;
    CString caption;
    caption.Format(L"x=%d,y=%d,cx=%d,cy=%d", c.m_left, c.m_top, c.m_left + c.m_width, c.m_top + c.m_height);
    SetWindowTextW(caption);
    CRect frame;
    ::GetWindowRect(c.m_hWnd, &frame);
    CRect self;
    ::GetWindowRect(m_hWnd, &self);
    const int left = frame.right + c.m_border;
    const int top = frame.bottom - c.m_border - self.Height();
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CDlgRecordCtrl::OnFrameCount(WPARAM count, LPARAM)
{
    CString caption;
    caption.Format(L"%d FRAME", static_cast<int>(count));
    SetWindowTextW(caption);
    return 0;
}

LRESULT CDlgRecordCtrl::OnCaptureFailed(WPARAM, LPARAM)
{
    // The worker has ended; the record button starts a new attempt.
    EndWorker();
    m_recording = 0;
    m_paused = 0;
    AfxMessageBox(m_createFailedText, MB_ICONEXCLAMATION);
    return 0;
}

LRESULT CDlgRecordCtrl::OnCaptureWriteFailed(WPARAM, LPARAM)
{
    // The worker stopped at the failed frame and closed the file with the
    // frames before it; the recording ends as a stop would.
    EndWorker();
    m_recording = 0;
    m_paused = 0;
    AfxMessageBox(m_writeFailedText, MB_ICONEXCLAMATION);
    EndDialog(IDOK);
    return 0;
}

bool CDlgRecordCtrl::WriteCapturedFrame(const void* pixels)
{
    return m_encoder.WriteFrame(pixels);
}

void CDlgRecordCtrl::OnButton(UINT nID)
{
    UpdateData(TRUE);
    switch (nID) {
    case IDC_REC_RECORD:
        Record();
        break;
    case IDC_REC_PAUSE:
        Pause();
        break;
    case IDC_REC_STOP:
        Stop();
        break;
    default:
        break;
    }
}

void CDlgRecordCtrl::Record()
{
    if (m_recording)
        return;
    CString text;
    GetDlgItemTextW(IDC_REC_RATE, text);
    const int rate = FrameRateFromText(text);
    if (!m_paused) {
        // A worker of an earlier, failed attempt has ended by now.
        EndWorker();
        m_frameRate = rate;
        m_blinkCounter = EffectiveFrameRate(rate) / 2;
        m_frameCount = 0;
        m_recording = 1;
        m_ended = 0;
        m_worker = std::thread(CaptureThreadProc, this);
    }
    m_paused = 0;
    m_recording = 1;
}

void CDlgRecordCtrl::Pause()
{
    if (!m_recording)
        return;
    ::SendMessageW(m_recordButton, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_icons[0]));
    m_iconShown = true;
    m_recording = 0;
    m_paused = 1;
}

void CDlgRecordCtrl::Stop()
{
    // A worker that has started but not yet opened its file counts as
    // alive too, or the stop would leave it running.
    if (m_worker.joinable() && !m_ended) {
        ::SendMessageW(m_recordButton, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_icons[0]));
        m_iconShown = true;
        m_recording = 0;
        m_paused = 0;
        EndWorker();
        EndDialog(IDOK);
        return;
    }
    m_recording = 0;
    m_paused = 0;
}

void CDlgRecordCtrl::EndWorker()
{
    if (!m_worker.joinable())
        return;
    const bool pump = ::GetCurrentThreadId() == ::GetWindowThreadProcessId(m_hWnd, nullptr);
    while (!m_ended) {
        m_alive = 0;
        m_paused = 0;
        m_active = 0;
        ::SetEvent(m_wakeEvent);
        if (pump) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            // Only sent messages are wanted (the worker's icon changes);
            // PM_QS_SENDMESSAGE delivers them without taking input away
            // from the dialog's own loop.
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else {
            ::Sleep(1);
        }
    }
    m_worker.join();
}

void CDlgRecordCtrl::OnDestroy()
{
    // Escape or the close box: the worker must not outlive the window it
    // reports to.
    EndWorker();
    if (m_capture.m_hWnd != nullptr)
        m_capture.DestroyWindow();
    for (HICON& icon : m_icons) {
        if (icon != nullptr)
            ::DestroyIcon(icon);
        icon = nullptr;
    }
    CDialog::OnDestroy();
}

void CDlgRecordCtrl::CaptureThreadProc(CDlgRecordCtrl* self)
{
    self->CaptureLoop();
}

void CDlgRecordCtrl::FreeSurface()
{
    if (m_memDC != nullptr) {
        if (m_oldBitmap != nullptr)
            ::SelectObject(m_memDC, m_oldBitmap);
        ::DeleteDC(m_memDC);
    }
    if (m_dib != nullptr)
        ::DeleteObject(m_dib);
    if (m_refDC != nullptr)
        ::ReleaseDC(nullptr, m_refDC);
    m_memDC = nullptr;
    m_dib = nullptr;
    m_oldBitmap = nullptr;
    m_dibBits = nullptr;
    m_refDC = nullptr;
}

bool CDlgRecordCtrl::StartCapture()
{
    FreeSurface();
    m_captureLeft = m_capture.m_left;
    m_captureTop = m_capture.m_top;
    m_captureRight = m_capture.m_left + m_capture.m_width;
    m_captureBottom = m_capture.m_top + m_capture.m_height;
    const int width = m_captureRight - m_captureLeft;
    const int height = m_captureBottom - m_captureTop;

    m_refDC = ::GetDC(nullptr);
    m_memDC = ::CreateCompatibleDC(m_refDC);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dib = ::CreateDIBSection(m_refDC, &info, DIB_RGB_COLORS, &m_dibBits, nullptr, 0);
    if (m_dib == nullptr || m_dibBits == nullptr)
        return false;
    m_oldBitmap = ::SelectObject(m_memDC, m_dib);
    // The file declares the pace the capture keeps.
    return m_encoder.Open(32, m_outputPath, width, height, EffectiveFrameRate(m_frameRate), "msvc");
}

void CDlgRecordCtrl::StopCapture()
{
    m_encoder.Close();
    // A clip without a single frame is no clip: it is not left behind to be
    // imported.
    if (m_frameCount == 0)
        ::DeleteFileW(m_outputPath);
    FreeSurface();
    m_alive = 0;
    m_ended = 1;
}

void CDlgRecordCtrl::BlinkRecordButton()
{
    if (m_blinkCounter > EffectiveFrameRate(m_frameRate) / 2) {
        // The window thread toggles the icon, so that a pause or stop that
        // has just put the icon back is never undone by a late blink.
        ::PostMessageW(m_hWnd, WM_CAPTURE_BLINK, 0, 0);
        m_blinkCounter = 0;
    } else {
        ++m_blinkCounter;
    }
}

LRESULT CDlgRecordCtrl::OnBlink(WPARAM, LPARAM)
{
    if (!m_recording)
        return 0;
    m_iconShown = !m_iconShown;
    ::SendMessageW(
        m_recordButton, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_iconShown ? m_icons[0] : nullptr));
    return 0;
}

void CDlgRecordCtrl::CaptureLoop()
{
    if (!StartCapture()) {
        m_encoder.Close();
        ::DeleteFileW(m_outputPath); // whatever the failed start left
        FreeSurface();
        m_alive = 0;
        m_ended = 1;
        ::PostMessageW(m_hWnd, WM_CAPTURE_FAILED, 0, 0);
        return;
    }
    m_active = 1;
    m_paused = 0;
    m_alive = 1;
    m_ended = 0;
    const int width = m_captureRight - m_captureLeft;
    const int height = m_captureBottom - m_captureTop;
    while (m_alive && !m_ended) {
        if (!m_active) {
            ::WaitForSingleObject(m_wakeEvent, 100);
            continue;
        }
        if (m_paused) {
            ::WaitForSingleObject(m_wakeEvent, 1);
            continue;
        }
        BlinkRecordButton();
        ::BitBlt(m_memDC, 0, 0, width, height, m_refDC, m_captureLeft, m_captureTop, SRCCOPY);
        ::GdiFlush();
        const DWORD period = 1000u / static_cast<DWORD>(EffectiveFrameRate(m_frameRate));
        const DWORD start = ::GetTickCount();
        if (!WriteCapturedFrame(m_dibBits)) {
            // The first failed write ends the recording: going on would
            // count frames the file does not hold.
            StopCapture();
            ::PostMessageW(m_hWnd, WM_CAPTURE_WRITE_FAILED, 0, 0);
            return;
        }
        const DWORD spent = ::GetTickCount() - start;
        if (spent < period)
            ::WaitForSingleObject(m_wakeEvent, period - spent);
        const int count = ++m_frameCount;
        ::PostMessageW(m_hWnd, WM_CAPTURE_FRAME_COUNT, static_cast<WPARAM>(count), 0);
    }
    StopCapture();
}
