// The start-up splash window.
#include "splash_screen.h"

#include "resource.h"
#include "shell_services.h"

namespace {

const LPCWSTR kItems[CSplashScreen::kItemCount] = { L"Corvane.dll", L"Quorra.dll", L"Harnix.dll", L"Grenvik.dll",
    L"Reelcore.dll", L"Flossar.dll", L"Netrove.dll", L"zlib1d.dll", L"Mirelle.dll", L"avcodec-56.dll",
    L"avformat-56.dll", L"swscale-3.dll", L"Tarvex.dll", L"atl100.dll", L"swresample-1.dll", L"Checking Update" };

constexpr UINT_PTR kTimerId = 1;

} // namespace

BEGIN_MESSAGE_MAP(CSplashScreen, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashScreen::CSplashScreen()
    : CDialog(IDD_SPLASH)
{
    for (LPCWSTR item : kItems)
        m_items.Add(item);
}

CSplashScreen::~CSplashScreen() = default;

CString CSplashScreen::LineText(int index)
{
    if (index < 0 || index >= kItemCount)
        return CString();
    if (index == kItemCount - 1)
        return kItems[index];
    return CString(L"Loading ") + kItems[index] + L"...";
}

BOOL CSplashScreen::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_timerId = SetTimer(kTimerId, 3000 / kItemCount, nullptr);

    if (m_background.LoadBitmap(IDB_SPLASH)) {
        BITMAP info {};
        m_background.GetBitmap(&info);
        SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (CWnd* picture = GetDlgItem(IDC_SPLASH_PICTURE))
            picture->SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CWnd* bar = GetDlgItem(IDC_SPLASH_PROGRESS);
    if (bar != nullptr) {
        bar->GetWindowRect(&m_barRect);
        ScreenToClient(&m_barRect);
        // The window took the picture's size: a bar (and the line above it)
        // left below its bottom edge would never be seen.
        CRect client;
        GetClientRect(&client);
        const int lowest = client.bottom - m_barRect.left;
        if (m_barRect.bottom > lowest) {
            m_barRect.OffsetRect(0, lowest - m_barRect.bottom);
            bar->SetWindowPos(nullptr, m_barRect.left, m_barRect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    LOGFONT lf {};
    lf.lfHeight = 16;
    wcscpy_s(lf.lfFaceName, L"Courier New");
    m_font.CreateFontIndirect(&lf);
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_font);
        CSize extent = dc.GetTextExtent(L"Hello");
        dc.SelectObject(old);
        m_textX = m_barRect.left + 2;
        m_textY = m_barRect.top - extent.cy - 2;
    }
    if (bar != nullptr) {
        CRect client;
        GetClientRect(&client);
        bar->SetWindowPos(nullptr, 0, 0, client.Width() - 2 * m_barRect.left, m_barRect.Height(),
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CSplashScreen::OnTimer(UINT_PTR)
{
    if (m_timerId != 0 && m_nextIndex >= kItemCount) {
        KillTimer(m_timerId);
        m_timerId = 0;
        EndDialog(IDCANCEL);
        return;
    }
    CWnd* picture = GetDlgItem(IDC_SPLASH_PICTURE);
    CWnd* bar = GetDlgItem(IDC_SPLASH_PROGRESS);
    if (m_nextIndex >= kItemCount || picture == nullptr || bar == nullptr)
        return;
    if (m_nextIndex == kItemCount - 1)
        m_updateResult = ShellServices().CheckUpdate();
    DrawLine(LineText(m_nextIndex));
    bar->SendMessage(PBM_SETPOS, static_cast<WPARAM>(ProgressOf(m_nextIndex)), 0);
    ++m_nextIndex;
}

void CSplashScreen::DrawLine(const CString& line)
{
    CWnd* picture = GetDlgItem(IDC_SPLASH_PICTURE);
    if (picture == nullptr)
        return;
    // The line goes into a copy of the picture that the control then shows:
    // drawn straight onto the control it vanished with the control's next
    // paint, and the list seemed empty.
    CClientDC screen(picture);
    CRect area;
    picture->GetClientRect(&area);
    BITMAP info {};
    if (m_background.GetSafeHandle() != nullptr && m_background.GetBitmap(&info))
        area.SetRect(0, 0, info.bmWidth, info.bmHeight);
    CBitmap image;
    if (area.IsRectEmpty() || !image.CreateCompatibleBitmap(&screen, area.Width(), area.Height()))
        return;
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap* oldImage = memory.SelectObject(&image);
    if (m_background.GetSafeHandle() != nullptr) {
        CDC source;
        source.CreateCompatibleDC(&screen);
        CBitmap* oldSource = source.SelectObject(&m_background);
        memory.BitBlt(0, 0, area.Width(), area.Height(), &source, 0, 0, SRCCOPY);
        source.SelectObject(oldSource);
    } else {
        memory.FillSolidRect(area, ::GetSysColor(COLOR_BTNFACE));
    }
    CFont* oldFont = memory.SelectObject(&m_font);
    memory.SetBkMode(TRANSPARENT);
    memory.TextOut(m_textX, m_textY, line);
    memory.SelectObject(oldFont);
    memory.SelectObject(oldImage);
    picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image.GetSafeHandle()));
    // The control shows the new image; the one it showed before is ours to free
    // (the first, from the resource, the control keeps).
    m_lineImage.DeleteObject();
    m_lineImage.Attach(image.Detach());
    picture->RedrawWindow();
}
