// The card copying tool's dialog.
#include "DuplaneDlg.h"

#include "CardwellText.h"
#include "afxdlgs.h"

#include <dbt.h>

namespace {
const wchar_t kNoDriveText[] = L"插入设备或刷新设备列表!";
const wchar_t kNoGroupText[] = L"请先添加文件!";
const wchar_t kNoFolderSelectedText[] = L"请选择一个目录!";
const wchar_t kCardTooSmallText[] = L"SD卡空间不足!";
const wchar_t kSourceOnCardText[] = L"源文件在SD卡上，不能格式化!";
const wchar_t kWriteFailedText[] = L"写入失败!";
const wchar_t kIdleExecuteText[] = L"执行";
const wchar_t kProtectedDriveText[] = L"不能格式化系统盘或程序所在的盘!";
const wchar_t kConfirmFormatText[] = L"格式化将清除 %c: 盘上的全部文件，确定继续吗？";
const wchar_t kFileTooLargeText[] = L"%s 不小于4GB，FAT32格式的SD卡不能存放!";

// Tree item data of a file item; root items carry their group index.
constexpr DWORD_PTR kFileItemData = 1000;
// The log is emptied at the start of a write once it is longer than this.
constexpr int kLogLimit = 32767;

const int kWriteControls[] = { IDC_EXECUTE, IDC_ADD_FOLDER, IDC_REMOVE_FOLDER, IDC_FOLDER_LIST, IDC_GROUP_TREE,
    IDC_DRIVE_LIST, IDC_REFRESH_DRIVES };

HICON LoadSmallIcon(UINT nID)
{
    return static_cast<HICON>(
        ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nID), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

bool FolderExists(const CString& folder)
{
    DWORD attributes = ::GetFileAttributes(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder path without its trailing backslashes (a drive root keeps one).
CString NormalisedFolder(CString folder)
{
    while (folder.GetLength() > 3 && folder.Right(1) == L"\\")
        folder.Delete(folder.GetLength() - 1);
    return folder;
}

ULONGLONG FileSizeOf(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!::GetFileAttributesEx(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
} // namespace

BEGIN_MESSAGE_MAP(CDuplaneDlg, CDialogEx)
ON_BN_CLICKED(IDC_ADD_FOLDER, OnAddFolder)
ON_BN_CLICKED(IDC_REMOVE_FOLDER, OnRemoveFolder)
ON_LBN_SELCHANGE(IDC_FOLDER_LIST, OnSelChangeFolderList)
ON_NOTIFY(NM_CLICK, IDC_GROUP_TREE, OnClickGroupTree)
ON_BN_CLICKED(IDC_REFRESH_DRIVES, OnRefreshDrives)
ON_CBN_SELCHANGE(IDC_DRIVE_LIST, OnFormatOptionChanged)
ON_CBN_SELCHANGE(IDC_FILE_SYSTEM, OnFormatOptionChanged)
ON_BN_CLICKED(IDC_AUTO_FORMAT, OnFormatOptionChanged)
ON_BN_CLICKED(IDC_QUICK_FORMAT, OnFormatOptionChanged)
ON_BN_CLICKED(IDC_NEXT_GROUP, OnNextGroupClicked)
ON_BN_CLICKED(IDC_EJECT_AFTER, OnEjectClicked)
ON_BN_CLICKED(IDC_WRITE_ON_INSERT, OnWriteOnInsertClicked)
ON_BN_CLICKED(IDC_EXECUTE, OnExecute)
ON_WM_CLOSE()
ON_MESSAGE(WM_DRIVES_CHANGED, OnDrivesChanged)
ON_MESSAGE(WM_COPY_REPORT, OnCopyReport)
END_MESSAGE_MAP()

CDuplaneDlg::CDuplaneDlg(ICardDevices& devices, CWnd* pParent)
    : CDialogEx(IDD_CARDWELL_DIALOG, pParent)
    , m_devices(devices)
{
    m_hIcon = AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(IDR_MAINFRAME)
                                     : ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
}

CDuplaneDlg::~CDuplaneDlg()
{
    // The worker holds its own copy of the job; once the window is gone its
    // reports return at once, so waiting for it cannot block.
    WaitForWorker();
    FreeCardGroups(m_groups);
}

void CDuplaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOLDER_LIST, m_lbFolders);
    DDX_Control(pDX, IDC_GROUP_TREE, m_tree);
    DDX_Control(pDX, IDC_DRIVE_LIST, m_cbDrives);
    DDX_Control(pDX, IDC_REFRESH_DRIVES, m_btnRefresh);
    DDX_Control(pDX, IDC_FILE_SYSTEM, m_cbFileSystem);
    DDX_Control(pDX, IDC_EXECUTE, m_btnExecute);
    DDX_Control(pDX, IDC_LOG, m_editLog);
    DDX_Check(pDX, IDC_AUTO_FORMAT, m_bFormat);
    if (m_cbFileSystem.GetCount() > 0)
        DDX_CBString(pDX, IDC_FILE_SYSTEM, m_strFileSystem);
    DDX_Check(pDX, IDC_QUICK_FORMAT, m_bQuickFormat);
    DDX_Check(pDX, IDC_NEXT_GROUP, m_bNextGroup);
    DDX_Check(pDX, IDC_EJECT_AFTER, m_bEject);
    DDX_Check(pDX, IDC_WRITE_ON_INSERT, m_bWriteOnInsert);
}

LRESULT CDuplaneDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVICECHANGE)
        OnDeviceChange(wParam, lParam);
    return CDialogEx::WindowProc(message, wParam, lParam);
}

void CDuplaneDlg::OnDeviceChange(WPARAM wParam, LPARAM lParam)
{
    if (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE)
        return;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return;
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
    if ((volume->dbcv_flags & (DBTF_MEDIA | DBTF_NET)) != 0)
        return;
    if (wParam == DBT_DEVICEARRIVAL) {
        DWORD mask = volume->dbcv_unitmask;
        if (mask == 0)
            return;
        int bit = 0;
        while ((mask & (1u << bit)) == 0)
            ++bit;
        m_cDriveOfInterest = static_cast<wchar_t>(L'A' + bit);
        PostMessage(WM_DRIVES_CHANGED, 1, 0);
    } else {
        m_cDriveOfInterest = L'A';
        PostMessage(WM_DRIVES_CHANGED, 0, 0);
    }
}

BOOL CDuplaneDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    if (m_btnRefresh.SendMessage(BM_GETIMAGE, IMAGE_ICON) == 0)
        m_btnRefresh.SetIcon(LoadSmallIcon(IDI_REFRESH));

    m_treeImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 1);
    for (UINT id : { IDI_CARD_GROUP, IDI_CONFIG_FILE, IDI_SHOW_FILE }) {
        HICON hIcon = LoadSmallIcon(id);
        m_treeImages.Add(hIcon);
        if (hIcon != nullptr)
            ::DestroyIcon(hIcon);
    }
    m_tree.SetImageList(m_treeImages, TVSIL_NORMAL);
    m_tree.ModifyStyle(0, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS);

    m_cbFileSystem.AddString(L"NTFS");
    m_cbFileSystem.AddString(L"FAT");
    m_cbFileSystem.AddString(L"FAT32");
    m_cbFileSystem.SetCurSel(2);
    m_strFileSystem = L"FAT32";
    m_bFormat = TRUE;
    m_bQuickFormat = TRUE;
    m_bNextGroup = TRUE;
    UpdateData(FALSE);

    m_fontExecute.CreateFont(24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"楷体");
    m_btnExecute.SetFont(&m_fontExecute);

    // Only the first start folder is used.
    if (m_arrStartFolders.GetSize() > 0) {
        CString folder = m_arrStartFolders[0];
        if (FolderExists(folder)) {
            m_lbFolders.AddString(folder);
            if (m_lbFolders.GetCount() == 1) {
                m_lbFolders.SetCurSel(0);
                ScanFolder(folder);
            }
        }
    }
    return TRUE;
}

void CDuplaneDlg::OnOK()
{
    // Enter lands on the execute button; nothing closes the dialog but Close.
}

void CDuplaneDlg::OnCancel()
{
    // Closing while the worker writes would pull the groups from under it and
    // leave a half-written card.
    if (m_bWriting)
        return;
    CDialogEx::OnCancel();
}

void CDuplaneDlg::OnClose()
{
    if (m_bWriting)
        return;
    FreeCardGroups(m_groups);
    CDialogEx::OnCancel();
}

CPoint CDuplaneDlg::GetTreeClickPoint() const
{
    DWORD pos = ::GetMessagePos();
    return CPoint(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
}

// --- folders and groups ------------------------------------------------------

void CDuplaneDlg::OnAddFolder()
{
    AddFolder();
}

void CDuplaneDlg::AddFolder()
{
    CFolderPickerDialog picker(nullptr, 0, this);
    picker.m_strTitle = L"请选择目录：";
    if (picker.DoModal() != IDOK)
        return;
    CString folder = picker.GetPathName();
    if (folder.IsEmpty())
        return;
    // The same folder is listed once; a folder whose name merely begins
    // another listed one ("show" beside "show2") is a different folder.
    CString wanted = NormalisedFolder(folder);
    for (int i = 0; i < m_lbFolders.GetCount(); ++i) {
        CString listed;
        m_lbFolders.GetText(i, listed);
        if (NormalisedFolder(listed).CompareNoCase(wanted) == 0)
            return;
    }
    m_lbFolders.AddString(folder);
    if (m_lbFolders.GetCount() == 1) {
        m_lbFolders.SetCurSel(0);
        ScanFolder(folder);
    }
}

void CDuplaneDlg::OnRemoveFolder()
{
    if (m_lbFolders.GetCount() == 0)
        return;
    int selected = m_lbFolders.GetCurSel();
    if (selected < 0) {
        AfxMessageBox(kNoFolderSelectedText);
        return;
    }
    m_lbFolders.DeleteString(static_cast<UINT>(selected));
    ClearGroupSelection();
}

void CDuplaneDlg::OnSelChangeFolderList()
{
    int selected = m_lbFolders.GetCurSel();
    if (selected < 0)
        return;
    CString folder;
    m_lbFolders.GetText(selected, folder);
    ScanFolder(folder);
}

void CDuplaneDlg::ScanFolder(const CString& strFolder)
{
    CStringArray paths;
    if (!ListFolderFiles(strFolder, paths))
        return;
    FreeCardGroups(m_groups);
    BuildCardGroups(paths, m_groups);
    if (m_groups.GetSize() > 0)
        BuildGroupTree();
    else
        ClearGroupSelection(); // the old tree would name groups that are gone
}

void CDuplaneDlg::ClearGroupSelection()
{
    m_tree.DeleteAllItems();
    m_nCurrentGroup = -1;
    m_btnExecute.SetWindowText(kIdleExecuteText);
}

void CDuplaneDlg::BuildGroupTree()
{
    m_tree.SendMessage(WM_SETREDRAW, FALSE);
    m_tree.DeleteAllItems();
    for (INT_PTR i = 0; i < m_groups.GetSize(); ++i) {
        const CQvTreeNodeItem* group = m_groups[i];
        HTREEITEM root = m_tree.InsertItem(GroupLabel(static_cast<int>(i), group->GetFileCount()), 0, 0);
        m_tree.SetItemData(root, static_cast<DWORD_PTR>(i));
        if (!group->m_strConfigFile.IsEmpty()) {
            HTREEITEM item = m_tree.InsertItem(FileNameOfPath(group->m_strConfigFile), 1, 1, root);
            m_tree.SetItemData(item, kFileItemData);
        }
        for (INT_PTR j = 0; j < group->m_arrShowFiles.GetSize(); ++j) {
            HTREEITEM item = m_tree.InsertItem(FileNameOfPath(group->m_arrShowFiles[j]), 2, 2, root);
            m_tree.SetItemData(item, kFileItemData);
        }
        m_tree.Expand(root, TVE_EXPAND);
    }
    m_tree.SendMessage(WM_SETREDRAW, TRUE);
    m_tree.Invalidate();
    m_tree.SelectItem(m_tree.GetRootItem());
    m_btnExecute.SetWindowText(ExecuteLabel(0));
    m_nCurrentGroup = 0;
}

void CDuplaneDlg::OnClickGroupTree(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point = GetTreeClickPoint();
    m_tree.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_tree.HitTest(point, &flags);
    if (item == nullptr)
        return;
    DWORD_PTR data = m_tree.GetItemData(item);
    if (data == kFileItemData) {
        item = m_tree.GetParentItem(item);
        if (item == nullptr)
            return;
        data = m_tree.GetItemData(item);
    }
    SelectGroup(static_cast<int>(data));
}

void CDuplaneDlg::SelectGroup(int nGroup)
{
    if (nGroup < 0 || nGroup >= m_groups.GetSize())
        nGroup = 0;
    for (HTREEITEM root = m_tree.GetRootItem(); root != nullptr; root = m_tree.GetNextSiblingItem(root)) {
        if (m_tree.GetItemData(root) == static_cast<DWORD_PTR>(nGroup)) {
            m_tree.SelectItem(root);
            m_btnExecute.SetWindowText(ExecuteLabel(nGroup));
            m_nCurrentGroup = nGroup;
            return;
        }
    }
}

// --- drives and options ------------------------------------------------------

void CDuplaneDlg::OnRefreshDrives()
{
    RefreshDriveList();
}

void CDuplaneDlg::RefreshDriveList()
{
    m_cbDrives.ResetContent();
    int select = -1;
    for (const CRemovableDrive& drive : m_devices.ListRemovableDrives()) {
        int index = m_cbDrives.AddString(FormatDriveEntry(drive));
        if (select < 0 && drive.cLetter == m_cDriveOfInterest)
            select = index;
    }
    if (m_cbDrives.GetCount() > 0)
        m_cbDrives.SetCurSel(select >= 0 ? select : 0);
    BuildFormatCommand();
}

void CDuplaneDlg::OnFormatOptionChanged()
{
    BuildFormatCommand();
}

void CDuplaneDlg::BuildFormatCommand()
{
    m_strFormatCommand.Empty();
    CString driveText;
    m_cbDrives.GetWindowText(driveText);
    if (driveText.IsEmpty())
        return;
    UpdateData(TRUE);
    m_strFormatCommand = BuildFormatCommandLine(driveText, m_strFileSystem, m_bQuickFormat);
}

void CDuplaneDlg::OnNextGroupClicked()
{
    UpdateData(TRUE);
}

void CDuplaneDlg::OnEjectClicked()
{
    UpdateData(TRUE);
    m_bWriteOnInsert = FALSE;
    UpdateData(FALSE);
}

void CDuplaneDlg::OnWriteOnInsertClicked()
{
    UpdateData(TRUE);
    m_bEject = FALSE;
    UpdateData(FALSE);
}

LRESULT CDuplaneDlg::OnDrivesChanged(WPARAM wParam, LPARAM)
{
    RefreshDriveList();
    // One write at a time: a card that arrives during a write is only listed.
    if (wParam == 1 && m_bWriteOnInsert && !m_bWriting)
        StartCardWrite();
    return 0;
}

// --- writing -----------------------------------------------------------------

void CDuplaneDlg::OnExecute()
{
    StartCardWrite(true);
}

bool CDuplaneDlg::IsListedDriveCurrent(const CString& strDriveText)
{
    for (const CRemovableDrive& drive : m_devices.ListRemovableDrives()) {
        if (FormatDriveEntry(drive) == strDriveText)
            return true;
    }
    return false;
}

bool CDuplaneDlg::CheckCardSpace(wchar_t cDrive, const CCardWriteJob& job)
{
    ULONGLONG total = 0, free = 0;
    if (!m_devices.GetDiskSpace(cDrive, total, free))
        return true; // unknown: the copy itself will tell
    ULONGLONG needed = 0;
    ULONGLONG available = job.bFormat ? total : free;
    for (const CString& source : job.files) {
        needed += FileSizeOf(source);
        ULONGLONG replaced = 0;
        if (!job.bFormat && m_devices.GetCardFileSize(cDrive, FileNameOfPath(source), replaced))
            available += replaced;
    }
    return needed <= available;
}

void CDuplaneDlg::StartCardWrite(bool bAskBeforeFormat)
{
    if (m_bWriting)
        return;
    if (m_cbDrives.GetCount() == 0) {
        AfxMessageBox(kNoDriveText);
        return;
    }
    // Groups left over from a folder that was removed are not a choice.
    if (m_groups.GetSize() == 0 || m_nCurrentGroup < 0 || m_nCurrentGroup >= m_groups.GetSize()) {
        AfxMessageBox(kNoGroupText);
        return;
    }
    CString driveText;
    m_cbDrives.GetWindowText(driveText);
    if (driveText.IsEmpty() || driveText[0] == L'A' || m_strFormatCommand.IsEmpty())
        return;

    // The list may be older than the card in the slot: never format a card
    // the user did not see listed.
    if (!IsListedDriveCurrent(driveText)) {
        RefreshDriveList();
        AfxMessageBox(kNoDriveText);
        return;
    }
    UpdateData(TRUE);
    CCardWriteJob job;
    job.cTarget = driveText[0];
    job.nGroup = m_nCurrentGroup;
    job.bFormat = m_bFormat;
    job.strFormatCommand = m_strFormatCommand;
    job.files = m_groups[m_nCurrentGroup]->GetCopyOrder();
    const int folder = m_lbFolders.GetCurSel();
    if (folder >= 0)
        m_lbFolders.GetText(folder, job.strSourceFolder);
    if (job.bFormat) {
        switch (CheckFormatTarget(job.cTarget, m_devices, job.files, job.strSourceFolder)) {
        case FormatRefusal::None:
            break;
        case FormatRefusal::SourceDrive:
            AfxMessageBox(kSourceOnCardText);
            return;
        case FormatRefusal::ProtectedDrive:
            AfxMessageBox(kProtectedDriveText);
            return;
        case FormatRefusal::NotRemovable:
            RefreshDriveList();
            AfxMessageBox(kNoDriveText);
            return;
        }
    }
    if (!CheckCardSpace(job.cTarget, job)) {
        AfxMessageBox(kCardTooSmallText);
        return;
    }
    // A card formatted as FAT32 cannot take a file of 4 GiB: say so before
    // anything is erased or copied.
    if (job.bFormat && m_strFileSystem.CompareNoCase(L"NTFS") != 0) {
        const CString large = FirstFileTooLargeForFat(job.files);
        if (!large.IsEmpty()) {
            CString text;
            text.Format(kFileTooLargeText, FileNameOfPath(large).GetString());
            AfxMessageBox(text);
            return;
        }
    }
    if (job.bFormat && bAskBeforeFormat) {
        CString text;
        text.Format(kConfirmFormatText, job.cTarget);
        if (AfxMessageBox(text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
            return;
    }

    WaitForWorker();
    m_cTargetDrive = job.cTarget;
    if (m_strLog.GetLength() > kLogLimit)
        m_strLog.Empty();
    m_strLog += LogWriteStartLine(LogTimeStamp(), job.nGroup);
    ShowLog();

    m_job = job;
    SetWriteControlsEnabled(FALSE);
    m_bWriting = true;
    m_pWorker = AfxBeginThread(WorkerProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pWorker == nullptr) {
        FinishWrite(1);
        return;
    }
    m_pWorker->m_bAutoDelete = FALSE;
    m_pWorker->ResumeThread();
}

UINT CDuplaneDlg::WorkerProc(LPVOID pParam)
{
    auto* dlg = static_cast<CDuplaneDlg*>(pParam);
    HWND hWnd = dlg->m_hWnd;
    // The job is not touched by the dialog until report 21 has been handled.
    const CCardWriteJob& job = dlg->m_job;
    RunCardWrite(job, dlg->m_devices, [hWnd](int nCode, const CString& strText, int nNumber) {
        LPARAM lParam = nCode == kReportCopyProgress || nCode == kReportWriteFinished
            ? static_cast<LPARAM>(nNumber)
            : reinterpret_cast<LPARAM>(strText.GetString());
        ::SendMessage(hWnd, WM_COPY_REPORT, static_cast<WPARAM>(nCode), lParam);
    });
    return 0;
}

void CDuplaneDlg::WaitForWorker()
{
    if (m_pWorker == nullptr)
        return;
    ::WaitForSingleObject(m_pWorker->m_hThread, INFINITE);
    delete m_pWorker;
    m_pWorker = nullptr;
}

LRESULT CDuplaneDlg::OnCopyReport(WPARAM wParam, LPARAM lParam)
{
    int code = static_cast<int>(wParam);
    int group = m_job.nGroup;
    CString stamp = LogTimeStamp();
    switch (code) {
    case kReportFormatStarted:
    case kReportFormatFinished:
        m_strLog += LogPrefix(stamp, group) + reinterpret_cast<LPCTSTR>(lParam) + L"\r\n";
        break;
    case kReportCopyStarted:
        m_strLog += LogCopyLine(stamp, group, reinterpret_cast<LPCTSTR>(lParam));
        break;
    case kReportCopyProgress:
        AppendLogProgress(m_strLog, static_cast<int>(lParam));
        break;
    case kReportCopyFailed:
        m_strLog += LogPrefix(stamp, group) + FileNameOfPath(reinterpret_cast<LPCTSTR>(lParam)) + L" 拷贝失败!\r\n";
        break;
    case kReportWriteFinished: {
        int failures = static_cast<int>(lParam);
        FinishWrite(failures);
        // The line names the group that was written, not the one selected next.
        m_strLog += LogPrefix(stamp, group) + (failures == 0 ? L"拷贝结束!" : kWriteFailedText) + L"\r\n";
        ShowLog();
        if (failures != 0)
            AfxMessageBox(kWriteFailedText);
        return 0;
    }
    default:
        return 0;
    }
    ShowLog();
    return 0;
}

void CDuplaneDlg::FinishWrite(int nFailures)
{
    m_bWriting = false;
    // A card that was not completely written stays in the slot and its group
    // stays selected, so the user can try again.
    if (nFailures == 0) {
        if (m_bNextGroup)
            SelectGroup(m_nCurrentGroup + 1);
        if (m_bEject)
            m_devices.EjectDrive(m_cTargetDrive);
    }
    SetWriteControlsEnabled(TRUE);
}

void CDuplaneDlg::SetWriteControlsEnabled(BOOL bEnable)
{
    for (int id : kWriteControls) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(bEnable);
    }
}

void CDuplaneDlg::ShowLog()
{
    m_editLog.SetWindowText(m_strLog);
    int length = m_editLog.GetWindowTextLength();
    m_editLog.SetSel(length, length);
    m_editLog.SendMessage(EM_SCROLLCARET);
}
