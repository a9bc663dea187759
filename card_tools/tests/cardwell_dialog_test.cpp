// The card copying tool's dialog driven through its controls: folders and
// groups, the drive list, writes onto fake cards with their log, the refusals,
// and device-change notifications of arriving and leaving cards.
#include "DuplaneApp.h"
#include "DuplaneDlg.h"
#include "FakeCardDevices.h"
#include "fw_testing.h"

#include <dbt.h>
#include <gtest/gtest.h>

using fwtest::CScriptedUiHost;

namespace {
// The dialog with the position of a tree click set by the test.
class CTestDuplaneDlg : public CDuplaneDlg {
public:
    using CDuplaneDlg::CDuplaneDlg;
    CPoint m_ptClick;

    void ClickTreeItem(HTREEITEM item)
    {
        CRect rect;
        ASSERT_TRUE(m_tree.GetItemRect(item, &rect, TRUE));
        m_ptClick = rect.CenterPoint();
        m_tree.ClientToScreen(&m_ptClick);
        NMHDR header {};
        header.hwndFrom = m_tree.m_hWnd;
        header.idFrom = IDC_GROUP_TREE;
        header.code = NM_CLICK;
        SendMessage(WM_NOTIFY, IDC_GROUP_TREE, reinterpret_cast<LPARAM>(&header));
    }

protected:
    CPoint GetTreeClickPoint() const override { return m_ptClick; }
};

std::vector<CString> RootLabels(CTreeCtrl& tree)
{
    std::vector<CString> labels;
    for (HTREEITEM root = tree.GetRootItem(); root != nullptr; root = tree.GetNextSiblingItem(root))
        labels.push_back(tree.GetItemText(root));
    return labels;
}

std::vector<CString> ChildLabels(CTreeCtrl& tree, HTREEITEM root)
{
    std::vector<CString> labels;
    for (HTREEITEM child = tree.GetChildItem(root); child != nullptr; child = tree.GetNextSiblingItem(child))
        labels.push_back(tree.GetItemText(child));
    return labels;
}

// The log's lines without their time stamps.
std::vector<CString> LogLines(const CString& log)
{
    std::vector<CString> lines;
    int start = 0;
    while (start < log.GetLength()) {
        int end = log.Find(L"\r\n", start);
        if (end < 0)
            end = log.GetLength();
        CString line = log.Mid(start, end - start);
        // "YYYY-MM-DD HH:MM:SS " is 20 characters.
        lines.push_back(line.GetLength() > 20 && line[4] == L'-' && line[13] == L':' ? line.Mid(20) : line);
        start = end + 2;
    }
    return lines;
}

bool Enabled(CWnd& dlg, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != FALSE;
}

void Check(CWnd& dlg, int id)
{
    // BM_CLICK toggles an automatic check box and notifies the dialog.
    ::SendDlgItemMessage(dlg.m_hWnd, id, BM_CLICK, 0, 0);
}

bool Checked(CWnd& dlg, int id)
{
    return ::IsDlgButtonChecked(dlg.m_hWnd, id) == BST_CHECKED;
}

void SendVolumeChange(CWnd& dlg, WPARAM event, wchar_t letter, WORD flags = 0)
{
    DEV_BROADCAST_VOLUME volume {};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - L'A');
    volume.dbcv_flags = flags;
    dlg.SendMessage(WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
}

class CardwellDialog : public ::testing::Test {
protected:
    CardwellDialog()
        : devices(temp.Path())
        , dlg(devices)
    {
        out = temp.MakeFolder(L"out");
        for (const wchar_t* name : { L"CFG_001.bfm", L"CFG_002.bfm", L"OFF001.arm", L"OFF002.arm", L"OFF003.arm" })
            temp.MakeFile(CString(L"out\\") + name, 2000);
        dlg.m_arrStartFolders.Add(out);
    }

    // Starts a write with the execute button and waits until it has ended.
    void Execute(CDialog& live)
    {
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_TRUE(fwtest::PumpUntil([&] { return !dlg.IsWriting(); }, 20000));
        fwtest::PumpPending();
    }

    CTempFolder temp;
    CFakeCardDevices devices;
    CTestDuplaneDlg dlg;
    CString out;
};

TEST_F(CardwellDialog, OpensWithItsOptionsAndTheStartFolderScanned)
{
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"插入设备或刷新设备列表!");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        EXPECT_EQ(fwtest::GetItemText(live, IDC_FILE_SYSTEM), L"FAT32");
        EXPECT_EQ(::SendDlgItemMessage(live.m_hWnd, IDC_FILE_SYSTEM, CB_GETCOUNT, 0, 0), 3);
        EXPECT_TRUE(Checked(live, IDC_AUTO_FORMAT));
        EXPECT_TRUE(Checked(live, IDC_QUICK_FORMAT));
        EXPECT_TRUE(Checked(live, IDC_NEXT_GROUP));
        EXPECT_FALSE(Checked(live, IDC_EJECT_AFTER));
        EXPECT_FALSE(Checked(live, IDC_WRITE_ON_INSERT));
        EXPECT_NE(::SendDlgItemMessage(live.m_hWnd, IDC_REFRESH_DRIVES, BM_GETIMAGE, IMAGE_ICON, 0), 0);
        EXPECT_EQ(dlg.m_treeImages.GetImageCount(), 3);

        // The start folder is listed, selected and scanned.
        EXPECT_EQ(dlg.m_lbFolders.GetCount(), 1);
        EXPECT_EQ(dlg.m_lbFolders.GetCurSel(), 0);
        EXPECT_EQ(RootLabels(dlg.m_tree), (std::vector<CString> { L"ROM_001 (4 files)", L"ROM_002 (4 files)" }));
        HTREEITEM second = dlg.m_tree.GetNextSiblingItem(dlg.m_tree.GetRootItem());
        EXPECT_EQ(ChildLabels(dlg.m_tree, second),
            (std::vector<CString> { L"CFG_002.bfm", L"OFF001.arm", L"OFF002.arm", L"OFF003.arm" }));
        EXPECT_EQ(dlg.m_tree.GetSelectedItem(), dlg.m_tree.GetRootItem());
        EXPECT_EQ(fwtest::GetItemText(live, IDC_EXECUTE), L"写入[ROM_001]");
        EXPECT_EQ(dlg.m_nCurrentGroup, 0);

        // The drive list stays empty until a refresh or an arriving card.
        devices.InsertCard(L'E');
        EXPECT_EQ(dlg.m_cbDrives.GetCount(), 0);
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_TRUE(devices.Operations().empty());
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(CardwellDialog, FoldersAreAddedOnceAndRemovedWithTheirGroups)
{
    dlg.m_arrStartFolders.RemoveAll();
    CString show2 = temp.MakeFolder(L"show2");
    temp.MakeFile(L"show2\\OFF001.arm");
    CString show = temp.MakeFolder(L"show");
    CScriptedUiHost host;
    host.ExpectFolder(show2);
    host.ExpectFolder(show); // its name begins "show2" but it is another folder
    CString sameAgain = show2 + L"\\";
    sameAgain.MakeUpper();
    host.ExpectFolder(sameAgain);
    host.ExpectCancel(CScriptedUiHost::Kind::Folder);
    host.ExpectMessageBox(IDOK, L"请选择一个目录!");
    host.ExpectMessageBox(IDOK, L"插入设备或刷新设备列表!");
    host.ExpectMessageBox(IDOK, L"请先添加文件!");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REMOVE_FOLDER); // empty list: nothing at all
        fwtest::ClickButton(live, IDC_ADD_FOLDER);
        EXPECT_EQ(dlg.m_lbFolders.GetCount(), 1);
        EXPECT_EQ(RootLabels(dlg.m_tree), (std::vector<CString> { L"ROM_001 (1 files)" }));
        fwtest::ClickButton(live, IDC_ADD_FOLDER);
        EXPECT_EQ(dlg.m_lbFolders.GetCount(), 2);
        fwtest::ClickButton(live, IDC_ADD_FOLDER);
        fwtest::ClickButton(live, IDC_ADD_FOLDER);
        EXPECT_EQ(dlg.m_lbFolders.GetCount(), 2);

        dlg.m_lbFolders.SetCurSel(-1);
        fwtest::ClickButton(live, IDC_REMOVE_FOLDER);
        EXPECT_EQ(dlg.m_lbFolders.GetCount(), 2);
        dlg.m_lbFolders.SetCurSel(0);
        fwtest::ClickButton(live, IDC_REMOVE_FOLDER);
        EXPECT_EQ(dlg.m_lbFolders.GetCount(), 1);
        EXPECT_EQ(dlg.m_tree.GetCount(), 0u);
        EXPECT_EQ(dlg.m_nCurrentGroup, -1);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_EXECUTE), L"执行");

        // The groups of the removed folder are no longer a choice.
        fwtest::ClickButton(live, IDC_EXECUTE);
        devices.InsertCard(L'E');
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_TRUE(devices.Operations().empty());
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
    ASSERT_FALSE(host.Transcript().empty());
    EXPECT_EQ(host.Transcript()[0], L"Folder: 请选择目录：");
}

TEST_F(CardwellDialog, SelectingAFolderScansItAndTreeClicksChooseGroups)
{
    CString empty = temp.MakeFolder(L"configs_only");
    temp.MakeFile(L"configs_only\\CFG_001.bfm");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        HTREEITEM first = dlg.m_tree.GetRootItem();
        HTREEITEM second = dlg.m_tree.GetNextSiblingItem(first);
        dlg.ClickTreeItem(second);
        EXPECT_EQ(dlg.m_nCurrentGroup, 1);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_EXECUTE), L"写入[ROM_002]");
        EXPECT_EQ(dlg.m_tree.GetSelectedItem(), second);
        // A file stands for its group.
        dlg.ClickTreeItem(dlg.m_tree.GetChildItem(first));
        EXPECT_EQ(dlg.m_nCurrentGroup, 0);
        EXPECT_EQ(dlg.m_tree.GetSelectedItem(), first);

        // A folder without show files leaves no group behind.
        dlg.m_lbFolders.AddString(empty);
        dlg.m_lbFolders.SetCurSel(1);
        live.SendMessage(
            WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(dlg.m_lbFolders.m_hWnd));
        EXPECT_EQ(dlg.m_tree.GetCount(), 0u);
        EXPECT_EQ(dlg.m_nCurrentGroup, -1);
        dlg.m_lbFolders.SetCurSel(0);
        live.SendMessage(
            WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(dlg.m_lbFolders.m_hWnd));
        EXPECT_EQ(RootLabels(dlg.m_tree).size(), 2u);
        EXPECT_EQ(dlg.m_nCurrentGroup, 0);
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(CardwellDialog, WritesTheGroupFormatCopiesThenMovesOnAndEjects)
{
    CString card = devices.InsertCard(L'E');
    temp.MakeFile(L"card_E\\stale.arm");
    CScriptedUiHost host;
    // Each start by the user that formats asks first.
    host.ExpectMessageBox(IDYES, L"格式化将清除 E: 盘上的全部文件");
    host.ExpectMessageBox(IDYES, L"格式化将清除 E: 盘上的全部文件");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_DRIVE_LIST), L"E:\\ Fake SD[8.00G]");
        EXPECT_EQ(dlg.m_strFormatCommand, L"CMD.exe /C FORMAT E: /FS:FAT32 /Q /Y");

        // While the worker writes, what could change the groups or the drive
        // is disabled and the dialog does not close.
        devices.HoldCopies();
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_TRUE(dlg.IsWriting());
        EXPECT_TRUE(fwtest::PumpUntil([&] { return !devices.Operations().empty(); }));
        for (int id : { IDC_EXECUTE, IDC_ADD_FOLDER, IDC_REMOVE_FOLDER, IDC_FOLDER_LIST, IDC_GROUP_TREE, IDC_DRIVE_LIST,
                 IDC_REFRESH_DRIVES })
            EXPECT_FALSE(Enabled(live, id)) << id;
        EXPECT_TRUE(Enabled(live, IDC_NEXT_GROUP));
        live.SendMessage(WM_CLOSE);
        fwtest::ClickButton(live, IDCANCEL);
        EXPECT_TRUE(live.IsWindowVisible());
        devices.ReleaseCopies();
        EXPECT_TRUE(fwtest::PumpUntil([&] { return !dlg.IsWriting(); }, 20000));
        fwtest::PumpPending();

        std::vector<CString> expected = { L"format CMD.exe /C FORMAT E: /FS:FAT32 /Q /Y", L"copy CFG_001.bfm",
            L"copy OFF001.arm", L"copy OFF002.arm", L"copy OFF003.arm" };
        EXPECT_EQ(devices.Operations(), expected);
        EXPECT_EQ(ReadFileBytes(card + L"\\CFG_001.bfm"), ReadFileBytes(out + L"\\CFG_001.bfm"));
        EXPECT_EQ(ReadFileBytes(card + L"\\OFF003.arm"), ReadFileBytes(out + L"\\OFF003.arm"));
        EXPECT_EQ(::GetFileAttributes(card + L"\\stale.arm"), INVALID_FILE_ATTRIBUTES);

        std::vector<CString> log = LogLines(dlg.m_strLog);
        std::vector<CString> expectedLog = { L"[ROM_001] " + CString(L'-', 40), L"[ROM_001] 开始格式化 E:",
            L"[ROM_001] 格式化完成 E:", L"[ROM_001] CFG_001.bfm---100%", L"[ROM_001] OFF001.arm---100%",
            L"[ROM_001] OFF002.arm---100%", L"[ROM_001] OFF003.arm---100%", L"[ROM_001] 拷贝结束!" };
        EXPECT_EQ(log, expectedLog);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_LOG), dlg.m_strLog);

        // The next group is selected and the controls are back.
        EXPECT_EQ(dlg.m_nCurrentGroup, 1);
        EXPECT_EQ(fwtest::GetItemText(live, IDC_EXECUTE), L"写入[ROM_002]");
        EXPECT_TRUE(Enabled(live, IDC_EXECUTE));
        EXPECT_TRUE(Enabled(live, IDC_GROUP_TREE));

        // The second card: ejected after its write, and the selection wraps.
        devices.ClearOperations();
        Check(live, IDC_EJECT_AFTER);
        Check(live, IDC_QUICK_FORMAT);
        EXPECT_EQ(dlg.m_strFormatCommand, L"CMD.exe /C FORMAT E: /FS:FAT32 /Y");
        Execute(live);
        expected = { L"format CMD.exe /C FORMAT E: /FS:FAT32 /Y", L"copy CFG_002.bfm", L"copy OFF001.arm",
            L"copy OFF002.arm", L"copy OFF003.arm", L"eject E" };
        EXPECT_EQ(devices.Operations(), expected);
        EXPECT_EQ(dlg.m_nCurrentGroup, 0);
        EXPECT_EQ(LogLines(dlg.m_strLog).back(), L"[ROM_002] 拷贝结束!");

        // Without format, the card keeps what it had.
        devices.ClearOperations();
        Check(live, IDC_AUTO_FORMAT);
        Execute(live);
        EXPECT_EQ(devices.Operations().front(), L"copy CFG_001.bfm");
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(CardwellDialog, RefusesSmallCardsFailedCopiesAndFormattingTheSourceDrive)
{
    CFakeCardDevices::Card small;
    small.nTotalBytes = 5000; // the group needs 8000 bytes
    small.nFreeBytes = 5000;
    devices.InsertCard(L'E', small);
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"SD卡空间不足!");
    host.ExpectMessageBox(IDYES, L"格式化将清除 E:");
    host.ExpectMessageBox(IDOK, L"写入失败!");
    host.ExpectMessageBox(IDOK, L"源文件在SD卡上，不能格式化!");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_FALSE(dlg.IsWriting());
        EXPECT_TRUE(devices.Operations().empty());

        // A copy that fails is named in the log; the group stays selected and
        // the card is not ejected.
        devices.InsertCard(L'E');
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        devices.FailCopyOf(L"OFF002.arm");
        Check(live, IDC_EJECT_AFTER);
        Execute(live);
        std::vector<CString> log = LogLines(dlg.m_strLog);
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(log[log.size() - 2], L"[ROM_001] OFF003.arm---100%");
        EXPECT_NE(std::find(log.begin(), log.end(), L"[ROM_001] OFF002.arm 拷贝失败!"), log.end());
        EXPECT_EQ(log.back(), L"[ROM_001] 写入失败!");
        EXPECT_EQ(dlg.m_nCurrentGroup, 0);
        for (const CString& op : devices.Operations())
            EXPECT_NE(op.Left(5), L"eject");

        // A card that holds the files being written is never formatted: here
        // the fake card takes the letter of the drive the files are on.
        devices.ClearOperations();
        devices.RemoveCard(L'E');
        devices.InsertCard(static_cast<wchar_t>(::towupper(out[0])));
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_TRUE(devices.Operations().empty());
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(CardwellDialog, FormattingIsConfirmedAndNeverTouchesTheSystemDrive)
{
    devices.InsertCard(L'E');
    devices.InsertCard(L'S');
    devices.SetProtectedDrives({ L'S' });
    CScriptedUiHost host;
    host.ExpectMessageBox(IDNO, L"格式化将清除 E: 盘上的全部文件");
    host.ExpectMessageBox(IDOK, L"不能格式化系统盘或程序所在的盘!");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        // "No" leaves the card as it is.
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_FALSE(dlg.IsWriting());
        EXPECT_TRUE(devices.Operations().empty());

        // The system drive is refused even when listed as removable.
        ::SendDlgItemMessage(live.m_hWnd, IDC_DRIVE_LIST, CB_SETCURSEL, 1, 0);
        live.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(::GetDlgItem(live.m_hWnd, IDC_DRIVE_LIST)));
        EXPECT_EQ(dlg.m_strFormatCommand.Find(L"FORMAT S:"), 11);
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_FALSE(dlg.IsWriting());
        EXPECT_TRUE(devices.Operations().empty());
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(CardwellDialog, AStaleDriveEntryIsRefreshedNotFormatted)
{
    devices.InsertCard(L'E');
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"插入设备或刷新设备列表!");
    fwtest::RunModal(dlg, [&](CDialog& live) {
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        CFakeCardDevices::Card other;
        other.strProduct = L"Other Disk";
        devices.InsertCard(L'E', other);
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_TRUE(devices.Operations().empty());
        EXPECT_EQ(fwtest::GetItemText(live, IDC_DRIVE_LIST), L"E:\\ Other Disk[8.00G]");

        // Drive "A" is never written, silently.
        devices.RemoveCard(L'E');
        devices.InsertCard(L'A');
        fwtest::ClickButton(live, IDC_REFRESH_DRIVES);
        EXPECT_TRUE(dlg.m_strFormatCommand.IsEmpty());
        fwtest::ClickButton(live, IDC_EXECUTE);
        EXPECT_TRUE(devices.Operations().empty());
        live.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(CardwellDialog, ArrivingCardsAreListedAndWrittenWhenAsked)
{
    devices.InsertCard(L'E');
    fwtest::RunModal(dlg, [&](CDialog& live) {
        // An arrival lists the drives and selects the new card.
        devices.InsertCard(L'G');
        SendVolumeChange(live, DBT_DEVICEARRIVAL, L'G');
        EXPECT_EQ(dlg.m_cDriveOfInterest, L'G');
        EXPECT_TRUE(fwtest::PumpUntil([&] { return dlg.m_cbDrives.GetCount() == 2; }));
        EXPECT_EQ(fwtest::GetItemText(live, IDC_DRIVE_LIST), L"G:\\ Fake SD[8.00G]");
        EXPECT_TRUE(devices.Operations().empty()); // write on insertion is off

        // Media and network notifications are not card arrivals.
        SendVolumeChange(live, DBT_DEVICEARRIVAL, L'E', DBTF_MEDIA);
        EXPECT_EQ(dlg.m_cDriveOfInterest, L'G');

        // Removal: the drive of interest goes back to "A" and the list follows.
        devices.RemoveCard(L'G');
        SendVolumeChange(live, DBT_DEVICEREMOVECOMPLETE, L'G');
        EXPECT_EQ(dlg.m_cDriveOfInterest, L'A');
        EXPECT_TRUE(fwtest::PumpUntil([&] { return dlg.m_cbDrives.GetCount() == 1; }));
        EXPECT_EQ(fwtest::GetItemText(live, IDC_DRIVE_LIST), L"E:\\ Fake SD[8.00G]");

        // With write on insertion set, a new card is written at once.
        Check(live, IDC_WRITE_ON_INSERT);
        devices.InsertCard(L'H');
        SendVolumeChange(live, DBT_DEVICEARRIVAL, L'H');
        EXPECT_TRUE(fwtest::PumpUntil([&] { return !devices.Operations().empty(); }));
        EXPECT_TRUE(fwtest::PumpUntil([&] { return !dlg.IsWriting(); }, 20000));
        fwtest::PumpPending();
        EXPECT_EQ(devices.Operations().front(), L"format CMD.exe /C FORMAT H: /FS:FAT32 /Q /Y");
        EXPECT_EQ(devices.Operations().size(), 5u);
        EXPECT_NE(::GetFileAttributes(devices.CardFolder(L'H') + L"\\OFF003.arm"), INVALID_FILE_ATTRIBUTES);
        live.EndDialog(IDCANCEL);
    });
}

TEST_F(CardwellDialog, EjectAndWriteOnInsertionExcludeEachOther)
{
    fwtest::RunModal(dlg, [&](CDialog& live) {
        Check(live, IDC_EJECT_AFTER);
        EXPECT_TRUE(Checked(live, IDC_EJECT_AFTER));
        Check(live, IDC_WRITE_ON_INSERT);
        EXPECT_TRUE(Checked(live, IDC_WRITE_ON_INSERT));
        EXPECT_FALSE(Checked(live, IDC_EJECT_AFTER));
        EXPECT_FALSE(dlg.m_bEject);
        Check(live, IDC_EJECT_AFTER);
        EXPECT_TRUE(Checked(live, IDC_EJECT_AFTER));
        EXPECT_FALSE(Checked(live, IDC_WRITE_ON_INSERT));
        EXPECT_TRUE(dlg.m_bEject);
        EXPECT_FALSE(dlg.m_bWriteOnInsert);
        live.EndDialog(IDCANCEL);
    });
}

// The application with fake disks in place of the real ones.
class CTestDuplaneApp : public CDuplaneApp {
public:
    explicit CTestDuplaneApp(const CString& root)
        : m_root(root)
    {
    }

protected:
    std::unique_ptr<ICardDevices> CreateDevices() override { return std::make_unique<CFakeCardDevices>(m_root); }

private:
    CString m_root;
};

TEST_F(CardwellDialog, TheApplicationRunsTheDialogWithItsFolderArguments)
{
    CTestDuplaneApp app(temp.Path());
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
    app.m_arrArgs = { out, temp.Path() };
    bool seen = false;
    AfxSetDialogInitHook([&](CDialog& live) {
        seen = true;
        auto* running = dynamic_cast<CDuplaneDlg*>(&live);
        ASSERT_NE(running, nullptr);
        EXPECT_EQ(AfxGetMainWnd(), &live);
        EXPECT_EQ(running->m_arrStartFolders.GetSize(), 2);
        EXPECT_EQ(running->m_lbFolders.GetCount(), 1); // only the first folder is used
        EXPECT_EQ(running->m_groups.GetSize(), 2);
        live.SendMessage(WM_CLOSE);
    });
    EXPECT_FALSE(app.InitInstance());
    AfxSetDialogInitHook(nullptr);
    EXPECT_TRUE(seen);
}
} // namespace
