// The DMX address tool's dialog: chip type, fixture number and channels per
// fixture, and the command that writes the DMX address file.
#pragma once

#include "afxcmn.h"

#include "pellox_resource.h"

class CPELLOXDlg : public CDialogEx {
public:
    enum { IDD = IDD_PELLOX_DIALOG };

    explicit CPELLOXDlg(CWnd* pParent = nullptr);

    HICON m_hIcon = nullptr;
    int m_nFixtureNumber = 3;
    int m_nChannels = 3;
    CComboBox m_cbChipType;
    CSpinButtonCtrl m_spinFixture;
    CSpinButtonCtrl m_spinChannels;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnGenerate();
    DECLARE_MESSAGE_MAP()
};
