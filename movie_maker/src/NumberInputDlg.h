// The duration input of the sequence labels: one number from 1 to 9999 in an
// edit with a spin.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

namespace quorra {

class CNumberInputDlg : public CDialog {
public:
    explicit CNumberInputDlg(CWnd* pParent = nullptr);

    int m_nValue = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

} // namespace quorra
