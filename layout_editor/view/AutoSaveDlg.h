// CAutoSaveDlg: the auto-save settings (dialog 346) that the main frame's
// command 32940 opens: whether auto-save runs, its interval in minutes, and
// whether it writes the default backup file or a file the user chose. The
// frame copies its settings in and takes them back after OK.
#pragma once

#include <afxwin.h>

#include "FrameDialogsResource.h"

class CAutoSaveDlg : public CDialogEx {
    DECLARE_DYNAMIC(CAutoSaveDlg)
public:
    enum { IDD = IDD_AUTO_SAVE };
    explicit CAutoSaveDlg(CWnd* pParent = nullptr);

    int m_nTarget = 0; // 0 the default backup file, 1 the chosen file
    CString m_strFile;
    int m_bEnable = 1;
    int m_nMinutes = 1; // not validated: 0 or less saves on every tick

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowse();
    DECLARE_MESSAGE_MAP()
};
