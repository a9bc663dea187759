// CProjInfoDlg (dialog 327): the statistics of the open layout that the
// view's project information command shows - controllers in use, lamps on
// the canvas, overlapping cells, total and vacant channels (counted by
// CountProjectInfo). It changes nothing.
#pragma once

#include <afxwin.h>

#include "ProjectSetupResource.h"

class CProjInfoDlg : public CDialogEx {
public:
    enum { IDD = IDD_PROJECT_INFO };

    explicit CProjInfoDlg(CWnd* parent = nullptr);

    // The five shown lines, "label: count"; empty until the dialog starts.
    CString m_strControllers;
    CString m_strLamps;
    CString m_strOverlaps;
    CString m_strChannels;
    CString m_strVacant;

protected:
    bool m_counted = false; // the lines hold counts of a layout
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
