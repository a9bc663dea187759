// CExportDxfDlg (dialog 332): the output path and the lamp-number option of
// the DXF export.
#pragma once

#include <afxwin.h>

#include "PannexDialogsResource.h"

class CExportDxfDlg : public CDialogEx {
    DECLARE_DYNAMIC(CExportDxfDlg)
public:
    enum { IDD = IDD_EXPORT_DXF };

    explicit CExportDxfDlg(CWnd* parent = nullptr);
    ~CExportDxfDlg() override;

    CString m_strPath; // edit 1078
    int m_lampNumbers = 0; // check 1040: write each lamp's number too

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnBrowse();
    DECLARE_MESSAGE_MAP()
};
