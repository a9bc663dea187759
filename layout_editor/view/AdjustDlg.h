// CAdjustDlg (dialog 338): the point-by-point adjustment of one port. Its
// list shows one checkable row per output channel of the port with the
// channel's brightness percent and gamma curve; buttons set values for the
// checked channels, copy a port's tables to another, and add or edit the
// user gamma curves. Modeless, owned by the list panel, which loads the
// port chosen in its tree.
//
// The dialog keeps port indexes, not pointers: every use resolves them in
// the active layout again, and a layout whose ports were rebuilt reloads
// the list (or empties it when the port is gone).
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <functional>
#include <vector>

#include "LampSelectDlgs.h"
#include "PannexDialogsResource.h"

class CLayoutData;
class LayoutPort;

class CAdjustDlg : public CDialogEx {
public:
    enum { IDD = IDD_ADJUST };

    explicit CAdjustDlg(CWnd* parent = nullptr);

    // Creates the dialog hidden (with its quick-edit window).
    BOOL CreateHidden(CWnd* parent);

    // Shows port p (a global index) in the list; nothing without a layout.
    void LoadPort(int port);
    // The layout's ports may have been inserted, removed or re-created (the
    // panel's tree was rebuilt): the list is emptied when its port is gone,
    // reloaded when its row count changed, else its values refreshed (the
    // checks stay); a copied port that is gone is forgotten.
    void OnPortsRestructured();
    // Checks rows from..to (counted from 1, held to the list).
    void CheckRange(int from, int to);

    // The buttons, callable without clicking (the handlers call them).
    void SetBrightnessOfChecked(int percent);
    void SetCurveOfChecked(int curve);
    void SelectSetChannels();
    void CopyPort();
    // Pastes after asking; false when there is nothing to paste.
    bool PastePort();
    // Copies the checked channels' values to the given ports.
    void ApplyToPorts(const std::vector<int>& ports);

    int GetPortIndex() const { return m_nPort; }
    int GetCopyPortIndex() const { return m_nCopyPort; }
    int GetRowCount() const { return m_listChannels.GetSafeHwnd() != nullptr ? m_listChannels.GetItemCount() : 0; }

    // Told after a port's tables changed; without it the list panel's
    // tree is rebuilt and the shown port selected.
    std::function<void(int port)> m_onPortChanged;
    // Picks the ports "apply to other ports" copies to; false on Cancel.
    // Without it the port selection dialog (340) asks.
    std::function<bool(CWnd& owner, std::vector<int>& ports)> m_choosePorts;

    CListCtrl m_listChannels;
    int m_nInterval = 1; // edit 1109
    int m_nCoefficient = 100; // edit 1108
    CComboBox m_cbCurve;
    CFromToPixDlg m_dlgQuickEdit;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override { }
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnSelectAll();
    void OnDeselectAll();
    void OnInterval();
    void OnInvert();
    void OnQuickEdit();
    void OnSelectSet();
    void OnCopy();
    void OnPaste();
    void OnSetBrightness();
    void OnSetCurve();
    void OnCurveChanged();
    void OnAddCurve();
    void OnEditCurve();
    void OnApplyOthers();
    DECLARE_MESSAGE_MAP()

private:
    // The shown port in the active layout, or nullptr.
    LayoutPort* ResolvePort(int index) const;
    void FillCurveCombo();
    void WriteRow(int row, const LayoutPort& port);
    // Rows that exist both in the list and in the port's tables now.
    int UsableRows(const LayoutPort& port) const;
    void PortChanged(int index);

    int m_nPort = -1;
    int m_nCopyPort = -1;
    // Set while this dialog has the tree rebuilt after its own change.
    bool m_bChanging = false;
};

// The active layout of the editor (the main frame's document), or nullptr.
CLayoutData* ActiveLayoutModel();
