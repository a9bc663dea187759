// The DXF import's options: the values the layout view remembers between
// imports (DxfImportOptions) and the dialog that asks for them before a
// drawing is read (CLoadDxfDlg, dialog 326).
#pragma once

#include <afxwin.h>

#include "PannexDialogsResource.h"

// What the view keeps from one import to the next. The endpoint mode and
// the precision are not kept: every import starts with the dialog's own.
struct DxfImportOptions {
    int threeD = 0; // 3-D drawing (the dialog never enables it)
    int threeDView = 1; // 0 front view, 1 top view
    int removeColumnGaps = 0;
    int scaleToPage = 0;
    int radiusBasis = 2; // 0 first lamp's circle, 1 smallest, 2 largest
    int overlap = 0; // lamps of several ports may overlap
    double factor = 1.0; // multiplies the lamp radius
};

// The precision values of the precision combo box.
constexpr double kDxfPrecisionDefault = 0.6;
constexpr double kDxfPrecisionHigh = 1.000000000001;

class CLoadDxfDlg : public CDialogEx {
public:
    enum { IDD = IDD_LOAD_DXF };

    explicit CLoadDxfDlg(CWnd* parent = nullptr);

    // The remembered options and the editor's align-to-grid setting into
    // the dialog (the factor shown with two decimals).
    void SetOptions(const DxfImportOptions& options, int alignToGrid);
    // Everything back after OK; the factor text converted as a number (a
    // text that is no number gives 0).
    void GetOptions(DxfImportOptions& options, int& alignToGrid) const;

    int m_endpointMode = 1;
    int m_alignToGrid = 0;
    CComboBox m_cb3DView;
    int m_threeD = 0;
    int m_threeDView = 1;
    int m_removeColumnGaps = 0;
    int m_scaleToPage = 0;
    int m_radiusBasis = 2;
    CComboBox m_cbRadius;
    int m_overlap = 0;
    CComboBox m_cbPrecision;
    double m_precision = kDxfPrecisionDefault;
    CString m_strFactor = L"1.0";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void On3DClicked();
    void OnEndpointClicked();
    void OnPrecisionChanged();
    DECLARE_MESSAGE_MAP()

private:
    // Enables the 3-D controls (and fixes the endpoint mode) or the 2-D ones.
    void Enable3D(bool on);
};
