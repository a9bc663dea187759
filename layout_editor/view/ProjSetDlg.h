// CProjSetDlg (dialog 312): the settings of a plain layout project - grid
// size, display options, controller type, lamp format, controllers used,
// port data offset and the editing modes. The view keeps one for its whole
// life (so the lamp format list's first-OK rule holds across showings),
// copies its settings in before DoModal and takes them back after IDOK. A
// colour picked in the swatch is applied to the view at once.
#pragma once

#include <afxwin.h>

#include "ProjectSetupResource.h"
#include "StaticColorBtn.h"

#include "ControllerType.h"

// Shows a LAYOUT text with the caption "Solvane" on the editor's main window.
void ShowSolvaneMessage(int key);

// The start that the OK of both settings dialogs shares: an empty lamp
// format ends the dialog as cancelled (LAYOUT 183); the controls are read
// (a non-number keeps the dialog open); the chosen controller type is
// parsed, and one that names ports or channels the set-up cannot use is
// refused.
enum class SettingsOkStart { Cancelled, Stay, TypeRefused, Read };
SettingsOkStart ReadSettingsForOk(
    CDialog& dlg, CComboBox& lampFormat, const CString& controllerType, ControllerTypeValues& type);

class CProjSetDlg : public CDialogEx {
    DECLARE_DYNAMIC(CProjSetDlg)
public:
    enum { IDD = IDD_PROJECT_SETTINGS };

    explicit CProjSetDlg(CWnd* parent = nullptr);

    BYTE m_bListStillDefault = 1;
    CStringArray m_controllerTypes;
    CStringArray m_lampFormats;
    CString m_strLampFormat;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_bShowGrid = 1;
    int m_bOverlap = 0;
    int m_bAllowMax = 0;
    CComboBox m_cbControllerType;
    CString m_strControllerType;
    CComboBox m_cbLampFormat;
    int m_nControllers = 1;
    int m_bAlignToGrid = 1;
    int m_bScaleToPage = 0;
    int m_nLampChip = 0;
    CComboBox m_cbLampChip;
    int m_bShowXY = 0;
    int m_bRandomColours = 0;
    COLORREF m_crColour = RGB(0, 0, 255);
    CStaticColorBtn m_swatch;
    int m_bDoubleSided = 0;
    int m_nDataOffset = 0;
    CComboBox m_cbDataOffset;
    int m_bWireDirectly = 0;
    int m_bManualTracing = 0;
    // Set by the opener at the start of a new layout, which cannot be left
    // without controllers: OK then refuses a controller type it cannot read
    // (LAYOUT 171) instead of leaving the ports to the caller unchanged.
    bool m_bNeedReadableType = false;
    // The smallest grid that holds the layout's lamps, set by the opener: OK
    // refuses a smaller size unless the lamps are scaled to it (LAYOUT 984),
    // so no lamp is ever left outside the grid.
    CSize m_lampsExtent { 0, 0 };
    // Set by OnOK: the chosen lamp format was not in the list.
    bool m_bNewLampFormat = false;

    BOOL OnInitDialog() override;
    void OnOK() override;
    // Events, public so that tests reach them as the controls do.
    void OnCountSpin(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLampChipChanged();
    void OnSwatchClicked();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    CString m_strOffsetText;
};
