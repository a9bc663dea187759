// CProjLightBoxDlg (dialog 347): the settings of a light-box project - a
// canvas in millimetres (optionally taken from a picture's size), the lamp
// grid, margins and spacings, the wiring style with its four pictures, the
// controller type and lamp format, and the rows or columns of one port.
// Kept by the view for its whole life; the view fills it before DoModal.
#pragma once

#include <afxwin.h>

#include "LightBoxPlan.h"
#include "WiringStyleDlg.h"
#include "ProjectSetupResource.h"

class CProjLightBoxDlg : public CWiringStyleDlg {
    DECLARE_DYNAMIC(CProjLightBoxDlg)
public:
    enum { IDD = IDD_LIGHT_BOX };

    explicit CProjLightBoxDlg(CWnd* parent = nullptr);

    BYTE m_bListStillDefault = 1;
    // Canvas, grid, margins, spacings; the style, Z order and flip are the
    // base's members and are copied in at OK.
    LightBoxValues m_values;
    CString m_strPicturePath;
    CComboBox m_cbControllerType;
    CString m_strControllerType;
    CComboBox m_cbLampFormat;
    CString m_strLampFormat;
    CStringArray m_controllerTypes;
    CStringArray m_lampFormats;
    bool m_bNewLampFormat = false;

    BOOL OnInitDialog() override;
    void OnOK() override;
    // The canvas picture button; public so that tests reach it as the
    // button does.
    void OnCanvasPicture();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};

// The pixel size of a picture file; (0, 0) when it cannot be read.
CSize PictureFileSize(const CString& path);
