// The About dialog: the product title and version from the settings file,
// and the caption and second line from the language file when it has them.
#pragma once

#include <afxwin.h>

class CAboutDlg : public CDialogEx {
public:
    CAboutDlg();
    BOOL OnInitDialog() override;
};
