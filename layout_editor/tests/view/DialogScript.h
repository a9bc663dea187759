// Drives the modal dialogs that a command opens on its own: each dialog
// that starts while the script lives is handed to the next step, which sets
// its controls and ends it. A dialog the script did not expect fails the
// test and is ended with IDABORT; a step left over fails it too.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "fw_testing.h"

namespace pannextest {

class CDialogScript {
public:
    using Step = std::function<void(CDialog&)>;

    CDialogScript()
    {
        AfxSetDialogInitHook([this](CDialog& live) { Run(live); });
    }
    ~CDialogScript()
    {
        AfxSetDialogInitHook(nullptr);
        EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " expected dialog(s) never opened";
    }
    CDialogScript(const CDialogScript&) = delete;
    CDialogScript& operator=(const CDialogScript&) = delete;

    // The next dialog must be a T; drive gets it live.
    template <class T> void Expect(std::function<void(T&)> drive)
    {
        m_steps.push_back([drive](CDialog& live) {
            T* dlg = dynamic_cast<T*>(&live);
            if (dlg == nullptr) {
                ADD_FAILURE() << "another dialog opened than the one expected";
                live.EndDialog(IDABORT);
                return;
            }
            drive(*dlg);
        });
    }
    int Opened() const { return m_opened; }

private:
    void Run(CDialog& live)
    {
        // Modeless windows of the program (made with Create) are not ours.
        if (!live.IsModal())
            return;
        ++m_opened;
        if (m_steps.empty()) {
            ADD_FAILURE() << "a dialog opened that the test did not expect";
            live.EndDialog(IDABORT);
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        live.ShowWindow(SW_SHOW);
        step(live);
        if (::IsWindow(live.m_hWnd) && ::IsWindowVisible(live.m_hWnd)) {
            ADD_FAILURE() << "the dialog was left open by the test";
            live.EndDialog(IDABORT);
        }
    }

    std::deque<Step> m_steps;
    int m_opened = 0;
};

} // namespace pannextest
