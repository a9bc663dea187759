// The card copying tool's application: runs the dialog with the folders
// given on the command line; the program ends with the dialog.
#pragma once

#include "afxwin.h"

#include "CardDevices.h"

#include <memory>

class CDuplaneApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    // The disks the dialog works on (the real ones in the program).
    virtual std::unique_ptr<ICardDevices> CreateDevices();
};
