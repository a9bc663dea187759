// The running editor with a small layout in a view of fixed size, for tests
// that send mouse and key messages to the live view window.
#pragma once

#include "PannexTestUtil.h"

#include "EditorSettings.h"
#include "LayoutFile.h"

namespace pannextest {

// A started editor showing a 20 x 10 layout of two empty ports, the view
// sized so that a cell is 10 pixels: cell (x, y) is at client (10x + 5,
// 10y + 5).
class PannexEditWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = TempFile(L"pannex edit window.lpx");
        CLayoutData model;
        model.m_width = 20;
        model.m_height = 10;
        ASSERT_TRUE(model.ResetPorts(2, 64, L"RGB", 0));
        CLayoutProjectSettings settings;
        settings.SetControllers(1, 2);
        ASSERT_EQ(WriteLayoutFile(model, m_path, settings), LayoutWriteResult::Ok);
        m_session = std::make_unique<CPannexSession>(std::vector<CString> { L"CMD2-0," + m_path + L",1" });
        ASSERT_TRUE(m_session->started);
        m_view = m_session->View();
        ASSERT_NE(m_view, nullptr);
        ASSERT_NE(m_view->GetSafeHwnd(), nullptr);
        // The frame's layout decides the view's size; fix it for the test.
        HWND hView = m_view->GetSafeHwnd();
        RECT window = {};
        RECT client = {};
        ::GetWindowRect(hView, &window);
        ::GetClientRect(hView, &client);
        const int edgeX = (window.right - window.left) - client.right;
        const int edgeY = (window.bottom - window.top) - client.bottom;
        ::SetWindowPos(hView, nullptr, 0, 0, 200 + edgeX, 100 + edgeY, SWP_NOZORDER | SWP_NOACTIVATE);
        m_view->ResizeLayout(20, 10);
        ASSERT_DOUBLE_EQ(m_view->m_zoom, 10.0);
    }
    void TearDown() override
    {
        m_session.reset();
        ::DeleteFileW(m_path);
        ResetEditorSettings();
    }

    void Send(UINT message, int x, int y, WPARAM flags = 0)
    {
        ::SendMessageW(m_view->GetSafeHwnd(), message, flags, MAKELPARAM(10 * x + 5, 10 * y + 5));
    }
    void Click(int x, int y)
    {
        Send(WM_MOUSEMOVE, x, y);
        Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Send(WM_LBUTTONUP, x, y);
    }
    void Key(UINT message, UINT key) { ::SendMessageW(m_view->GetSafeHwnd(), message, key, 1); }
    CLayoutData& Model() { return m_session->Doc()->GetLayout(); }

    CString m_path;
    std::unique_ptr<CPannexSession> m_session;
    CPannexView* m_view = nullptr;
};

} // namespace pannextest
