// The About dialog: the product title and version from the settings file,
// and the caption from the language file when it has one.
#pragma once

#include <afxwin.h>

class CAboutDlg : public CDialogEx {
public:
    CAboutDlg();
    BOOL OnInitDialog() override;
};
