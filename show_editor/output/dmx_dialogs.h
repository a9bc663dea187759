// The reset-DMX-address dialogs of the chip parameter page: CPelloxDlg
// computes a fixture's DMX start address and shows a mixed-fixture table of
// segments; CPelloxAdvancedDlg copies the DMX spreadsheet template to a
// chosen file and opens it. Neither writes to controllers or keeps values.
#pragma once

#include <afxcmn.h>
#include <afxdlgs.h>
#include <afxwin.h>

#include "SheetCtrl.h"
#include "hw_dialogs_resource.h"

#include <functional>
#include <vector>

// Texts of the Config language file: (section, key) -> text, empty when
// missing. A label whose text is missing keeps its resource text.
using ConfigTextSource = std::function<CString(LPCTSTR section, int key)>;

class CPelloxAdvancedDlg : public CDialogEx {
public:
    enum { IDD = IDD_DMX_ADVANCED };
    explicit CPelloxAdvancedDlg(CWnd* pParent = nullptr);

    void SetTextSource(ConfigTextSource source) { m_text = std::move(source); }
    // The template copied by "New" (the Config folder's DMX.xls by default).
    void SetTemplatePath(const CString& path) { m_templatePath = path; }
    CString TemplatePath() const;

    CString m_filePath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnNew();
    void OnNoAction() { }
    DECLARE_MESSAGE_MAP()

private:
    ConfigTextSource m_text;
    CString m_templatePath;
};

class CPelloxDlg : public CDialogEx {
public:
    enum { IDD = IDD_DMX_ADDRESS };
    // Largest segment count of the mixed-fixture table: one per DMX channel.
    static constexpr int kMaxSegments = 512;

    explicit CPelloxDlg(CWnd* pParent = nullptr);

    void SetTextSource(ConfigTextSource source);

    CPelloxAdvancedDlg m_advanced;
    int m_fixtureNumber = 1;
    int m_channelsPerFixture = 3;
    int m_dmxAddress = 1;
    CComboBox m_portType;
    int m_specialIndex = 0;
    int m_specialAddress = 0;
    CCheckListBox m_ports;
    CSheetCtrl m_grid;
    int m_segmentCount = 0;
    int m_mixedFixtures = 0;
    std::vector<WORD> m_firstValues;
    std::vector<WORD> m_secondValues;
    int m_startAddress = 1;
    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnFixtureChange();
    void OnChannelsChange();
    void OnMixedClicked();
    void OnSegmentsChange();
    void OnPortsSelChange();
    void OnAdvanced();
    void OnNoAction() { }
    DECLARE_MESSAGE_MAP()

private:
    CString Text(LPCTSTR section, int key) const;
    void UpdateAddress();
    void SetupGrid();
    void FillGrid();
    void ApplyMixedState();
    // Bounds the segment count and sizes the grid and the value arrays.
    void ResizeSegments();

    ConfigTextSource m_text;
    bool m_exchanging = false;
};
