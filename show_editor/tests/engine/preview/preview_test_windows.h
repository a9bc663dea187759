// Windows for the preview tests: a top-level host that stands in for the
// frame engine and records the tracker messages posted to it.
#pragma once

#include "show_messages.h"

#include <afxwin.h>

#include <vector>

namespace previewtest {

struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A visible popup window at (x, y) of width x height that records
// WM_TRACKER_MOVED and WM_TRACKER_DONE.
class CHostWindow : public CWnd {
public:
    CHostWindow(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE)
    {
        CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), L"preview host", style, x, y, width,
            height, nullptr, nullptr);
    }
    ~CHostWindow() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }

    int Count(UINT message) const
    {
        int count = 0;
        for (const PostedMessage& posted : m_messages)
            count += posted.message == message ? 1 : 0;
        return count;
    }

    std::vector<PostedMessage> m_messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TRACKER_MOVED || message == WM_TRACKER_DONE)
            m_messages.push_back({ message, wParam, lParam });
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// One host for the whole run: under Xvfb without a window manager Wine waits
// about two seconds whenever a visible top-level window goes away.
inline CHostWindow& SharedHost()
{
    static CHostWindow host(0, 0, 700, 500);
    host.m_messages.clear();
    return host;
}

} // namespace previewtest
