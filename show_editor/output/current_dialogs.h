// The channel current dialogs and the backup output dialog of the chip
// parameter page. The page copies its current indices in before the modal
// run and takes them back after OK; every current is stored as the index of
// its entry in the lists of current_lists.h.
#pragma once

#include <afxwin.h>

#include "dmx_dialogs.h"
#include "hw_dialogs_resource.h"

#include <vector>

// Three channels A, B, C of 10 to 41 mA (TM1829, CX808, GW6230, GW6236).
class CElectricABCDlg : public CDialogEx {
public:
    enum { IDD = IDD_CURRENT_ABC };
    explicit CElectricABCDlg(CWnd* pParent = nullptr);
    void SetTextSource(ConfigTextSource source) { m_text = std::move(source); }

    BYTE m_current[3] = { 0, 0, 0 };

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    ConfigTextSource m_text;
};

// Twelve channels of 2.0 to 20.0 mA.
class CElectricABC1Dlg : public CDialogEx {
public:
    enum { IDD = IDD_CURRENT_12 };
    static const int kComboIds[12];
    explicit CElectricABC1Dlg(CWnd* pParent = nullptr);
    void SetTextSource(ConfigTextSource source) { m_text = std::move(source); }

    BYTE m_current[12] = {};

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    ConfigTextSource m_text;
};

// Four channels R, G, B, W whose list depends on the chip kind (0 TM1814,
// 1 UCS5603 with its 48 mA mode, 2 SM16736, 3 SM16804P).
class CElectricABCDDlg : public CDialogEx {
public:
    enum { IDD = IDD_CURRENT_ABCD };
    static const int kComboIds[4];
    explicit CElectricABCDDlg(CWnd* pParent = nullptr);
    void SetTextSource(ConfigTextSource source) { m_text = std::move(source); }

    BYTE m_kind = 0;
    BYTE m_current[4] = { 27, 27, 27, 27 };
    int m_mode48 = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void On48Clicked();
    DECLARE_MESSAGE_MAP()

private:
    void FillLists();
    ConfigTextSource m_text;
};

// Three channels R, G, B of the SM16803P, whose currents follow the
// resistor on its REXT pin.
class CElectricABCDDlg1 : public CDialogEx {
public:
    enum { IDD = IDD_CURRENT_ABCD1 };
    static const int kComboIds[3];
    explicit CElectricABCDDlg1(CWnd* pParent = nullptr);
    void SetTextSource(ConfigTextSource source) { m_text = std::move(source); }

    BYTE m_kind = 0;
    BYTE m_current[3] = { 27, 27, 27 };
    BYTE m_resistor = 0;

protected:
    BOOL OnInitDialog() override;
    void OnResistorSelChange();
    void OnResistorKillFocus();
    void OnChannelSelChange(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    void FillLists(const std::vector<CString>& list);
    ConfigTextSource m_text;
};

// Backup data line of the CX808: mode 0 both lines, 1 main line, 2 backup
// line; and whether the idle line stays high.
class CCX808Dlg : public CDialogEx {
public:
    enum { IDD = IDD_BACKUP_OUTPUT };
    explicit CCX808Dlg(CWnd* pParent = nullptr);
    void SetTextSource(ConfigTextSource source) { m_text = std::move(source); }

    int m_backupMode = 0;
    int m_idleHigh = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    ConfigTextSource m_text;
};
