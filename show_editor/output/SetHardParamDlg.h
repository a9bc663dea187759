// CSetHardParamDlg: the chip parameter page that the hardware settings
// dialog hosts in its tab. The page object lives as long as that dialog, so
// its members keep their values from one opening to the next; its window
// exists while the dialog is open. It shows the main frame's hardware
// configuration when it opens (or applies the database's first chip) and
// writes the configuration back only in CollectHardParams.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "ChipDatabase.h"
#include "dmx_dialogs.h"
#include "output_dialogs_resource.h"

#include <functional>
#include <vector>

class HardwareConfig;

class CSetHardParamDlg : public CDialog {
public:
    enum { IDD = IDD_CHIP_PAGE };
    // Texts of the Config language file: (section, key) -> text, empty when
    // missing.
    using TextSource = std::function<CString(LPCTSTR section, int key)>;

    CSetHardParamDlg();

    // Set by the hardware settings dialog before the page window is made.
    void SetConfiguration(HardwareConfig* config) { m_pConfig = config; }
    HardwareConfig* GetConfiguration() const { return m_pConfig; }
    void SetTextSource(TextSource source) { m_text = std::move(source); }
    // The chip database file (the Config folder's Chip.ini by default).
    void SetChipDatabasePath(const CString& path) { m_chipPath = path; }

    // Copies the page into the configuration.
    void CollectHardParams();
    // Shows ChipParams in the controls with the chip-dependent visibility.
    void ShowChipParams();
    // bits < 0: from the gray combo's text.
    void UpdateInfoLabels(int bits = -1, bool bothLabels = true);
    // grayLevels 0: from the gray combo's text.
    void UpdateRefreshRange(UINT grayLevels = 0);
    // Applies a chip of the database by its menu command.
    BOOL ApplyChipCommand(UINT commandId);
    const std::vector<ChipMenuCategory>& ChipMenu() const { return m_menuModel; }

    int AutoRefresh = 0;
    int DataReverse = 0;
    CString m_info1;
    CString m_info2;
    ChipParams m_chip;
    int OeActiveHigh = 0;
    int IsOE = 0;
    double m_refreshMin = 1.0;
    double RefreshMax = 60.0;
    double RefreshRate = 60.0;
    int BackupMode = 1;
    int BackupIdleHigh = 0;
    BYTE Ucs9812Currents[12] = { 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14 };
    BYTE ChipCurrents[4] = { 27, 27, 27, 27 };
    int Ucs5603HighCurrent = 0;
    int AddressRouted = 0;
    // The reset-DMX-address dialog of button 394, kept with the page.
    CPelloxDlg m_dmxDialog;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override { }
    void OnOK() override { }

    void OnChipDropDown();
    void OnChannelsSelected();
    void OnChannelsEdited();
    void OnGraySelected();
    void OnOePeriodsSelected();
    void OnClockSelected();
    void OnClockEdited();
    void OnInfoListSelected();
    void OnAutoRefresh();
    // The chip's own dialogs: DMX address, channel currents, the UCS9812's
    // twelve currents and the backup output; OK writes their values back.
    void OnResetDmxAddress();
    void OnChannelCurrent();
    void OnTwelveCurrent();
    void OnBackupOutput();
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CString Text(LPCTSTR section, int key) const;
    void FillLists();
    void RestoreFromConfiguration();
    void BuildChipMenu();
    void SetSliderLabel(int labelId, int sliderId, LPCWSTR format);
    void SetRefreshSlider(int position);
    int GrayBitsShown() const;
    CString ComboText(int id) const;
    int ComboSel(int id) const;
    // The list's selection, or `previous` when nothing is selected.
    int SelectionOr(int id, int previous) const;
    void ShowItem(int id, bool show);

    HardwareConfig* m_pConfig = nullptr;
    CMenu m_chipMenu;
    std::vector<ChipMenuCategory> m_menuModel;
    CChipDatabase m_database;
    CString m_chipPath;
    TextSource m_text;
};
