// Shared helpers of the layout editor application tests: a window standing
// in for the calling program, which records every WM_COPYDATA it gets, and
// an in-process run of the application object.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "MainFrm.h"
#include "PannexApp.h"
#include "PannexDoc.h"
#include "PannexView.h"
#include "fw_dialog_driver.h"
#include "fw_testing.h"

namespace pannextest {

// The text a WM_COPYDATA carried, with its record fields.
struct Reply {
    WPARAM wParam = 0;
    ULONG_PTR data = 0;
    DWORD size = 0;
    std::vector<BYTE> bytes;
};

inline std::vector<Reply>& Replies()
{
    static std::vector<Reply> replies;
    return replies;
}

inline LRESULT CALLBACK CallerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        Reply reply;
        reply.wParam = wParam;
        reply.data = record->dwData;
        reply.size = record->cbData;
        const BYTE* bytes = static_cast<const BYTE*>(record->lpData);
        reply.bytes.assign(bytes, bytes + record->cbData);
        Replies().push_back(reply);
        return TRUE;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A message-only window of the "calling program".
class CCallerWindow {
public:
    CCallerWindow()
    {
        static const ATOM atom = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &CallerProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"PannexTestCaller";
            return ::RegisterClassW(&wc);
        }();
        EXPECT_NE(atom, 0);
        m_hWnd = ::CreateWindowExW(
            0, L"PannexTestCaller", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        Replies().clear();
    }
    ~CCallerWindow() { ::DestroyWindow(m_hWnd); }
    HWND Get() const { return m_hWnd; }
    CString Handle() const
    {
        CString s;
        s.Format(L"%d", static_cast<int>(reinterpret_cast<INT_PTR>(m_hWnd)));
        return s;
    }

private:
    HWND m_hWnd = nullptr;
};

// The record bytes of a text: UTF-16 with its terminating zero.
inline std::vector<BYTE> TextRecord(const CString& text)
{
    std::vector<BYTE> bytes;
    for (int i = 0; i <= text.GetLength(); ++i) {
        const wchar_t ch = i < text.GetLength() ? text[i] : L'\0';
        bytes.push_back(static_cast<BYTE>(ch & 0xFF));
        bytes.push_back(static_cast<BYTE>(ch >> 8));
    }
    return bytes;
}

inline CString TempFile(LPCWSTR name)
{
    WCHAR temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    return CString(temp) + name;
}

// Keeps a settings file's bytes and puts them back at the end of a test.
class CFileKeeper {
public:
    explicit CFileKeeper(const CString& path)
        : m_path(path)
    {
        std::vector<BYTE> bytes;
        CFile file;
        if (file.Open(path, CFile::modeRead)) {
            m_bytes.resize(static_cast<size_t>(file.GetLength()));
            if (!m_bytes.empty())
                file.Read(m_bytes.data(), static_cast<UINT>(m_bytes.size()));
            m_existed = true;
        }
    }
    ~CFileKeeper()
    {
        if (!m_existed) {
            ::DeleteFileW(m_path);
            return;
        }
        CFile file;
        if (file.Open(m_path, CFile::modeCreate | CFile::modeWrite) && !m_bytes.empty())
            file.Write(m_bytes.data(), static_cast<UINT>(m_bytes.size()));
    }

private:
    CString m_path;
    std::vector<BYTE> m_bytes;
    bool m_existed = false;
};

// A 32-bit top-down picture the view paints into.
class CCanvas {
public:
    CCanvas(int width, int height)
        : m_width(width)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const DWORD*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
    }
    ~CCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    CDC* Dc() { return &m_dc; }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const DWORD v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int m_width;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    const DWORD* m_bits = nullptr;
};

// One lamp at cell (x, y) of a port; an empty model gets two ports of 64.
inline void AddModelLamp(CLayoutData& model, int port, int x, int y)
{
    if (model.GetPortCount() == 0)
        model.ResetPorts(2, 64, L"RGB", 0);
    CLPoint p(x, y);
    p.m_normX = (x + 0.5) / model.m_width;
    p.m_normY = (y + 0.5) / model.m_height;
    model.GetPort(port).InsertPoints(&p, 1);
    model.GetPort(port).UpdateBounds();
    model.RebuildUsedPorts();
}

// One lamp in port 0 of a one-controller project, so that there is
// something to save.
inline void AddLamp(CPannexDoc& doc, CPannexView& view, int x, int y)
{
    CLayoutData& model = doc.GetLayout();
    if (view.GetLayoutSettings().m_controllers.GetSize() == 0) {
        ASSERT_TRUE(model.ResetPorts(2, 16, L"RGB", 0));
        view.GetLayoutSettings().SetControllers(1, 2);
    }
    AddModelLamp(model, 0, x, y);
}

// Drives the next dialog that reaches its message loop; the drive must end
// it, and a driver that saw no dialog fails the test.
using CDriveNext = fwtest::CDialogDriver;

// The application run in-process without a message loop.
struct CPannexSession {
    CPannexApp app;
    HWND hFrame = nullptr;
    BOOL started = FALSE;

    // How the modal dialogs of the start (the project settings of a new
    // layout) are answered: by default OK on the values they were opened
    // with. A test that drives them itself (a CDialogScript made before
    // the session) passes kOwnStartDialogs.
    enum StartAnswer { kAcceptStartDialogs, kOwnStartDialogs };

    explicit CPannexSession(std::vector<CString> args, StartAnswer answer = kAcceptStartDialogs)
    {
        LightBoxMode = 0;
        app.m_arrArgs = std::move(args);
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        if (answer == kAcceptStartDialogs)
            AfxSetDialogInitHook([](CDialog& live) {
                if (live.IsModal())
                    fwtest::ClickButton(live, IDOK);
            });
        started = app.InitInstance();
        if (answer == kAcceptStartDialogs)
            AfxSetDialogInitHook(nullptr);
        if (Frame() != nullptr)
            hFrame = Frame()->GetSafeHwnd();
    }
    ~CPannexSession()
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        fwtest::PumpPending();
        app.ExitInstance();
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(app.m_pMainWnd); }
    CPannexDoc* Doc() const { return Frame() != nullptr ? Frame()->GetPannexDoc() : nullptr; }
    CPannexView* View() const { return Frame() != nullptr ? Frame()->GetPannexView() : nullptr; }
};

} // namespace pannextest
