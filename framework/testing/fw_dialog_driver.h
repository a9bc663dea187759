// Test support: driving the dialogs that the code under test runs itself.
#pragma once

#include "afxdlgs.h"

#include <functional>

namespace fwtest {
// Drives dialogs that the code under test makes and runs itself. With
// Mode::Next, the next dialog that reaches its message loop while the driver
// lives is shown and handed to drive, which sets controls and ends it; a
// driver that saw no dialog fails the test when it goes. With Mode::Every,
// every dialog that starts goes to drive as it is (drive picks its own).
class CDialogDriver {
public:
    enum class Mode { Next, Every };
    explicit CDialogDriver(std::function<void(CDialog&)> drive, Mode mode = Mode::Next);
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;
    // How many dialogs were handed to drive.
    int Count() const { return m_nCount; }
    bool Driven() const { return m_nCount > 0; }

private:
    std::function<void(CDialog&)> m_drive;
    Mode m_mode;
    int m_nCount = 0;
};
} // namespace fwtest
