// CDlgHardSet: the hardware settings and off-line output dialog. The main
// frame makes one when it is created, keeps it for its life and runs it
// modally for the active document (SetDocument, then DoModal); it hands
// every WM_RECORD_PROGRESS count to OnOfflineProgress. The dialog hosts the
// chip parameter page, chooses the controller model, the synchronisation and
// output options and the file size limit, starts the off-line generation and
// hides the off-line encryption setting behind a typed key sequence.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "OfflineGeneration.h"
#include "SetHardParamDlg.h"
#include "output_dialogs_resource.h"

#include <vector>

class CDornelDoc;
class HardwareConfig;

// The four letter keys that open the off-line encryption setting.
extern const char kHiddenKeySequence[];

class CDlgHardSet : public CDialogEx {
public:
    enum { IDD = IDD_HARD_SET };

    explicit CDlgHardSet(HardwareConfig& config, CWnd* parent = nullptr);

    void SetDocument(CDornelDoc* doc) { m_pDoc = doc; }
    CDornelDoc* GetDocument() const { return m_pDoc; }
    // The configuration writer and the card copying call (tests replace them).
    void SetOutputHost(COfflineOutputHost* host) { m_pHost = host != nullptr ? host : &DefaultOfflineOutputHost(); }

    // A frame count of the running recording (from the main frame).
    void OnOfflineProgress(int framesWritten);

    // The key filter of the hidden sequence; exposed for the message filter
    // and for tests. Returns TRUE when the sequence was completed.
    BOOL HiddenKeyFilter(const MSG* msg);
    BOOL IsHiddenKeySequence() const;
    const CStringA& KeyBuffer() const { return m_keyBuffer; }

    // Texts of the Config language file for the chip page's labels and lists.
    void SetConfigTextSource(CSetHardParamDlg::TextSource source) { m_page.SetTextSource(std::move(source)); }

    CSetHardParamDlg& Page() { return m_page; }
    int m_gpsSync = 0;
    int m_btsSync = 0;
    int m_cardTool = 0;
    int m_bySegment = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnGenerateOfflineFiles();
    void OnControllerModelChanged();
    void OnSyncPlay();
    void OnCardTool();
    void OnBySegment();
    void OnConfigOnly();
    void OnClose();
    void OnDestroy();
    LRESULT OnOfflineEncryption(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CString LangText(LPCTSTR section, int key) const;
    void SetLabel(int id, LPCTSTR section, int key);
    void EnableItem(int id, BOOL enable);
    void SetButtonsEnabled(BOOL enable);
    BOOL IsGenerating() const;

    CDornelDoc* m_pDoc = nullptr;
    CString m_outputFolder;
    int m_totalFrames = 0;
    int m_progressPos = 0;
    std::vector<HWND> m_disabledPageControls;
    CStringA m_keyBuffer;
    CTabCtrl m_tab;
    CSetHardParamDlg m_page;
    HardwareConfig* m_pConfig;
    int m_controllerCount = 0;
    CProgressCtrl m_progress;
    CComboBox m_model;
    CComboBox m_sizeLimit;
    COfflineOutputHost* m_pHost;
};
