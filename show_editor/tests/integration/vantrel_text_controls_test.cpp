// The small input dialogs as the running program uses them: renaming from
// the project tree asks the program's own host, which runs the real text
// input dialog over the main frame.
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "input_dialogs.h"
#include "segment.h"
#include "show_messages.h"
#include "tree_panel.h"
#include "vantrel_doc_host.h"

using shelltest::CDialogInitHook;
using shelltest::CFakeServices;
using shelltest::CShellSession;
using shelltest::CTempProgramFolder;

namespace {

struct TextControls : ::testing::Test {
    CTempProgramFolder folder;
    fwtest::CScriptedUiHost ui;

    void SetUp() override
    {
        ASSERT_TRUE(folder.CopyShippedLanguages());
        folder.WriteSoftConf(L"Vantrel", L"1033");
    }
};

CString FirstTreeLabel(CDornelDoc& doc)
{
    auto* tree = dynamic_cast<CManagerPanel*>(doc.m_pTreePanel);
    if (tree == nullptr)
        return CString();
    return tree->GetTree().GetItemText(tree->GetTree().GetRootItem());
}

} // namespace

TEST_F(TextControls, RenamingFromTheTreeRunsTheInputDialogAndMarksTheProject)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(&doc->Host(), static_cast<CDornelDocHost*>(&VantrelDocHost()));
    QvSegmentGourp* segment = doc->NewSegment(TRUE, TRUE);
    ASSERT_NE(segment, nullptr);
    doc->m_currentSegment = 1;
    doc->SelectNode(segment->m_pNode);
    doc->RefreshPanels();
    ASSERT_NE(doc->m_pTreePanel, nullptr);
    const CString before = FirstTreeLabel(*doc);

    // Cancel: nothing changes.
    doc->SetModifiedFlag(FALSE);
    int dialogs = 0;
    {
        CDialogInitHook hook([&](CDialog& live) {
            ++dialogs;
            EXPECT_TRUE(live.IsKindOf(RUNTIME_CLASS(CDlgInputString)));
            fwtest::SetItemText(live, IDC_IS_TEXT, L"Never");
            fwtest::ClickButton(live, IDCANCEL);
        });
        doc->m_pTreePanel->SendMessage(WM_COMMAND, ID_DOC_RENAME_NODE, 0);
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(FirstTreeLabel(*doc), before);

    // An emptied text is refused in the dialog, in the language file's
    // words like its caption; a new name renames the segment, relabels the
    // tree and is a change to save.
    ui.ExpectMessageBox(IDOK, L"The name cannot be empty.");
    const CString nameBefore = segment->m_pNode->m_name;
    CString shownCaption;
    CString shownText;
    {
        CDialogInitHook hook([&](CDialog& live) {
            // Shown now, so that a dialog ended by EndDialog reads as hidden.
            live.ShowWindow(SW_SHOW);
            live.GetWindowText(shownCaption);
            shownText = fwtest::GetItemText(live, IDC_IS_TEXT);
            fwtest::SetItemText(live, IDC_IS_TEXT, L"");
            fwtest::ClickButton(live, IDOK);
            EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
            fwtest::SetItemText(live, IDC_IS_TEXT, L"Opening");
            fwtest::ClickButton(live, IDOK);
        });
        doc->m_pTreePanel->SendMessage(WM_COMMAND, ID_DOC_RENAME_NODE, 0);
    }
    EXPECT_EQ(shownCaption, CString(L"Rename"));
    EXPECT_EQ(shownText, nameBefore);
    EXPECT_EQ(segment->m_pNode->m_name, CString(L"Opening"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(fwtest::PumpUntil([&] { return FirstTreeLabel(*doc) == L"Opening"; }, 2000));
    EXPECT_EQ(ui.PendingCount(), 0u);

    // F2 in the tree renames the selected item the same way.
    {
        CDialogInitHook hook([&](CDialog& live) {
            EXPECT_EQ(fwtest::GetItemText(live, IDC_IS_TEXT), CString(L"Opening"));
            fwtest::SetItemText(live, IDC_IS_TEXT, L"Finale");
            fwtest::ClickButton(live, IDOK);
        });
        auto* tree = dynamic_cast<CManagerPanel*>(doc->m_pTreePanel);
        ASSERT_NE(tree, nullptr);
        NMTVKEYDOWN key {};
        key.hdr.hwndFrom = tree->GetTree().GetSafeHwnd();
        key.hdr.idFrom = static_cast<UINT_PTR>(tree->GetTree().GetDlgCtrlID());
        key.hdr.code = TVN_KEYDOWN;
        key.wVKey = VK_F2;
        tree->SendMessage(WM_NOTIFY, key.hdr.idFrom, reinterpret_cast<LPARAM>(&key));
        EXPECT_TRUE(fwtest::PumpUntil([&] { return segment->m_pNode->m_name == L"Finale"; }, 3000));
    }
    EXPECT_TRUE(fwtest::PumpUntil([&] { return FirstTreeLabel(*doc) == L"Finale"; }, 2000));
}

TEST_F(TextControls, TheProgramsHostAsksForACountUnderItsOwnCaption)
{
    CFakeServices services;
    CShellSession s(services);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    CString caption;
    CString shown;
    {
        CDialogInitHook hook([&](CDialog& live) {
            live.GetWindowText(caption);
            shown = fwtest::GetItemText(live, IDC_IS_TEXT);
            fwtest::SetItemText(live, IDC_IS_TEXT, L"4");
            fwtest::ClickButton(live, IDOK);
        });
        CString text = L"1";
        EXPECT_TRUE(doc->Host().InputStringWithCaption(text, L"Input Number"));
        EXPECT_EQ(text, CString(L"4"));
    }
    EXPECT_EQ(caption, CString(L"Input Number"));
    EXPECT_EQ(shown, CString(L"1"));
}
