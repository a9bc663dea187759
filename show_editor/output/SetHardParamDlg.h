// CSetHardParamDlg: the chip parameter page that the hardware settings
// dialog hosts in its tab. The page object lives as long as that dialog; its
// window exists while the dialog is open. It shows the main frame's
// hardware configuration and writes it back only in CollectHardParams.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "ChipDatabase.h"
#include "output_dialogs_resource.h"

class HardwareConfig;

class CSetHardParamDlg : public CDialog {
public:
    enum { IDD = IDD_CHIP_PAGE };

    CSetHardParamDlg();

    // Set by the hardware settings dialog before the page window is made.
    void SetConfiguration(HardwareConfig* config) { m_pConfig = config; }
    HardwareConfig* GetConfiguration() const { return m_pConfig; }

    // Copies the page into the configuration.
    void CollectHardParams();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override { }
    void OnOK() override { }

    HardwareConfig* m_pConfig = nullptr;
};
