// The card copying tool's dialog: folders of generated files, their card
// groups, the removable drives and the options of a write; a worker thread
// formats the card and copies a group onto it while the log shows progress.
#pragma once

#include "afxcmn.h"

#include "CardDevices.h"
#include "CardGroup.h"
#include "CardWriteJob.h"
#include "cardwell_resource.h"

// Posted by the dialog to itself: a card arrived (1) or was removed (0).
#define WM_DRIVES_CHANGED (WM_USER + 100)
// Sent by the write worker: first parameter a report code (CardReport),
// second a text (LPCTSTR) or a number.
#define WM_COPY_REPORT (WM_USER + 101)

class CDuplaneDlg : public CDialogEx {
public:
    enum { IDD = IDD_CARDWELL_DIALOG };

    explicit CDuplaneDlg(ICardDevices& devices, CWnd* pParent = nullptr);
    ~CDuplaneDlg() override;
    CDuplaneDlg(const CDuplaneDlg&) = delete;
    CDuplaneDlg& operator=(const CDuplaneDlg&) = delete;

    wchar_t m_cDriveOfInterest = L'A';
    wchar_t m_cTargetDrive = 0;
    int m_nCurrentGroup = -1;
    CQvTreeNodeArray m_groups;
    CImageList m_treeImages;
    CString m_strFormatCommand;
    CString m_strLog;
    HICON m_hIcon = nullptr;
    CStringArray m_arrStartFolders;

    CListBox m_lbFolders;
    CTreeCtrl m_tree;
    CComboBox m_cbDrives;
    CButton m_btnRefresh;
    CComboBox m_cbFileSystem;
    CButton m_btnExecute;
    CEdit m_editLog;
    BOOL m_bFormat = TRUE;
    CString m_strFileSystem = L"FAT32";
    BOOL m_bQuickFormat = TRUE;
    BOOL m_bNextGroup = TRUE;
    BOOL m_bEject = FALSE;
    BOOL m_bWriteOnInsert = FALSE;
    CFont m_fontExecute;

    bool IsWriting() const { return m_bWriting; }

    void AddFolder();
    void ScanFolder(const CString& strFolder);
    void BuildGroupTree();
    void SelectGroup(int nGroup);
    void RefreshDriveList();
    void BuildFormatCommand();
    // Starts a write of the selected group onto the listed card. A start by
    // the user asks before formatting; a write on a card's arrival was asked
    // for by the option itself.
    void StartCardWrite(bool bAskBeforeFormat = false);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Where the last click in the group tree happened, in screen coordinates.
    virtual CPoint GetTreeClickPoint() const;

    void OnAddFolder();
    void OnRemoveFolder();
    void OnSelChangeFolderList();
    void OnClickGroupTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRefreshDrives();
    void OnFormatOptionChanged();
    void OnNextGroupClicked();
    void OnEjectClicked();
    void OnWriteOnInsertClicked();
    void OnExecute();
    void OnClose();
    LRESULT OnDrivesChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyReport(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void OnDeviceChange(WPARAM wParam, LPARAM lParam);
    void SetWriteControlsEnabled(BOOL bEnable);
    void FinishWrite(int nFailures);
    void ShowLog();
    void ClearGroupSelection();
    void WaitForWorker();
    // Whether the drive text still names the same card the system lists now.
    bool IsListedDriveCurrent(const CString& strDriveText);
    // The bytes the current group needs on the target card.
    bool CheckCardSpace(wchar_t cDrive, const CCardWriteJob& job);
    static UINT WorkerProc(LPVOID pParam);

    ICardDevices& m_devices;
    bool m_bWriting = false;
    CCardWriteJob m_job;
    CWinThread* m_pWorker = nullptr;
};
