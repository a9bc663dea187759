// Driving the dialogs that the code under test runs itself.
#include "fw_dialog_driver.h"

#include <gtest/gtest.h>

namespace fwtest {

CDialogDriver::CDialogDriver(std::function<void(CDialog&)> drive, Mode mode)
    : m_drive(std::move(drive))
    , m_mode(mode)
{
    AfxSetDialogInitHook([this](CDialog& live) {
        if (m_mode == Mode::Next) {
            if (m_nCount > 0)
                return;
            // A modal dialog shows once its queue first runs empty; show it
            // now so that "still open" reads the same to the test at any time.
            live.ShowWindow(SW_SHOW);
        }
        ++m_nCount;
        m_drive(live);
    });
}

CDialogDriver::~CDialogDriver()
{
    AfxSetDialogInitHook(nullptr);
    if (m_mode == Mode::Next) {
        EXPECT_GT(m_nCount, 0) << "no dialog reached its message loop";
    }
}

} // namespace fwtest
