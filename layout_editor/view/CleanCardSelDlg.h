// CCleanCardSelDlg: the range of controllers whose wiring "clear all
// wiring" clears when the project has two or more controllers (dialog
// 319). The arrows keep 1 <= first <= last <= count; OK refuses typed
// numbers outside that range with the framework's range message, so the
// caller only ever gets a range of existing controllers.
#pragma once

#include <afxwin.h>

class CCleanCardSelDlg : public CDialogEx {
    DECLARE_DYNAMIC(CCleanCardSelDlg)
public:
    explicit CCleanCardSelDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    // One arrow step of an up-down control: delta -1 raises, +1 lowers.
    void StepFirst(int delta);
    void StepLast(int delta);

    int m_nFirst = 1;
    int m_nLast = 1;
    int m_nCount = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDeltaFirst(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaLast(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // Reads both edits into the fields as the C library's atoi would.
    void ReadEdits();
    void WriteEdits();
};
