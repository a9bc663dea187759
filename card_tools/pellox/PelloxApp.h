// The DMX address tool's application: runs the dialog; the program ends with it.
#pragma once

#include "afxwin.h"

class CPELLOXApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
