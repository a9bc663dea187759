// In-place editing: starting by key, F2 and mouse, committing with Enter
// and Tab, cancelling with Escape, notifications, read-only cells and the
// widening of the edit window.
#include "InPlaceEdit.h"
#include "grid_fixture.h"

using gridtest::CKeyHeld;
using gridtest::CTestParent;
using gridtest::GridTest;

namespace {
class EditTest : public GridTest {
protected:
    CInPlaceEdit* EditOf(int row, int col)
    {
        auto* pCell = dynamic_cast<CSheetCell*>(grid.GetCell(row, col));
        return pCell != nullptr ? pCell->GetEditWnd() : nullptr;
    }
    static CString TextOf(CWnd* pWnd)
    {
        CString s;
        pWnd->GetWindowText(s);
        return s;
    }
    static std::pair<int, int> SelOf(CEdit* pEdit)
    {
        int a = 0, b = 0;
        pEdit->GetSel(a, b);
        return { a, b };
    }
};

TEST_F(EditTest, TypingALetterReplacesTheTextAndEnterCommits)
{
    grid.SetFocusCell(2, 2);
    parent.notes.clear();
    Char('x');
    CInPlaceEdit* pEdit = EditOf(2, 2);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_TRUE(grid.GetCell(2, 2)->IsEditing());
    EXPECT_EQ(::GetFocus(), pEdit->m_hWnd);
    EXPECT_EQ(TextOf(pEdit), L"x");
    EXPECT_EQ(pEdit->GetDlgCtrlID(), 8);
    CRect editRect;
    pEdit->GetWindowRect(&editRect);
    grid.ScreenToClient(&editRect);
    EXPECT_EQ(editRect, CRect(100, 40, 149, 59));

    pEdit->SendMessage(WM_CHAR, 'y');
    pEdit->SendMessage(WM_CHAR, VK_RETURN);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetItemText(2, 2), L"xy");
    EXPECT_FALSE(grid.GetCell(2, 2)->IsEditing());
    EXPECT_EQ(EditOf(2, 2), nullptr);
    EXPECT_EQ(grid.GetItemState(2, 2) & GVIS_MODIFIED, GVIS_MODIFIED);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_EQ(::GetFocus(), grid.m_hWnd);
    const std::vector<CTestParent::Note> expected { { gridtest::kBeginEdit, 2, 2 }, { gridtest::kEndEdit, 2, 2 } };
    EXPECT_EQ(parent.notes, expected);
}

TEST_F(EditTest, EscapeRestoresTheTextButStillNotifies)
{
    grid.SetFocusCell(3, 1);
    parent.notes.clear();
    Char('q');
    CInPlaceEdit* pEdit = EditOf(3, 1);
    ASSERT_NE(pEdit, nullptr);
    pEdit->SendMessage(WM_CHAR, VK_ESCAPE);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetItemText(3, 1), L"r3c1");
    EXPECT_EQ(grid.GetItemState(3, 1) & GVIS_MODIFIED, 0u);
    EXPECT_FALSE(grid.GetModified());
    EXPECT_EQ(parent.Count(gridtest::kEndEdit), 1);
    // Escape typed into the grid itself starts nothing.
    Char(VK_ESCAPE);
    EXPECT_EQ(EditOf(3, 1), nullptr);
}

TEST_F(EditTest, TabCommitsMovesOnAndOpensTheNextCellSelected)
{
    grid.SetFocusCell(2, 2);
    Char('z');
    CInPlaceEdit* pEdit = EditOf(2, 2);
    ASSERT_NE(pEdit, nullptr);
    pEdit->SendMessage(WM_CHAR, VK_TAB);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetItemText(2, 2), L"z");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 3));
    CInPlaceEdit* pNext = EditOf(2, 3);
    ASSERT_NE(pNext, nullptr);
    EXPECT_EQ(TextOf(pNext), L"r2c3");
    EXPECT_EQ(SelOf(pNext), std::make_pair(0, 4));
    pNext->SendMessage(WM_CHAR, VK_RETURN);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetItemText(2, 3), L"r2c3");
}

TEST_F(EditTest, F2AndBackspaceKeepTheTextWithTheCaretAtTheEnd)
{
    grid.SetFocusCell(4, 4);
    Key(VK_F2);
    CInPlaceEdit* pEdit = EditOf(4, 4);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(TextOf(pEdit), L"r4c4");
    EXPECT_EQ(SelOf(pEdit), std::make_pair(4, 4));
    // Started without a key, the arrows move the caret inside the text.
    pEdit->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(EditOf(4, 4), pEdit);
    EXPECT_EQ(SelOf(pEdit), std::make_pair(3, 3));
    {
        // With Control held they end the edit and move the focus.
        CKeyHeld ctrl(VK_CONTROL);
        pEdit->SendMessage(WM_KEYDOWN, VK_UP, 0);
    }
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 4));
    CInPlaceEdit* pUp = EditOf(3, 4);
    ASSERT_NE(pUp, nullptr);
    pUp->SendMessage(WM_CHAR, VK_ESCAPE);
    fwtest::PumpPending();

    grid.SetFocusCell(5, 2);
    Char(VK_BACK);
    CInPlaceEdit* pBack = EditOf(5, 2);
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(TextOf(pBack), L"r5c");
    // Started by a key, an arrow ends the edit and moves on.
    pBack->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetItemText(5, 2), L"r5c");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(6, 2));
    if (CInPlaceEdit* pNext = EditOf(6, 2)) {
        pNext->SendMessage(WM_CHAR, VK_ESCAPE);
        fwtest::PumpPending();
    }
}

TEST_F(EditTest, ReadOnlyCellsAndDisabledEditingNeverOpenAnEdit)
{
    grid.SetItemState(2, 2, grid.GetItemState(2, 2) | GVIS_READONLY);
    grid.SetFocusCell(2, 2);
    Char('a');
    Key(VK_F2);
    Click(Centre(2, 2)); // a second click on the focus cell
    EXPECT_EQ(EditOf(2, 2), nullptr);
    EXPECT_EQ(grid.GetItemText(2, 2), L"r2c2");

    grid.SetEditable(FALSE);
    grid.SetFocusCell(3, 3);
    Char('a');
    EXPECT_EQ(EditOf(3, 3), nullptr);
}

TEST_F(EditTest, TypingWidensTheEditUpToTheGridsRightEdge)
{
    grid.SetFocusCell(2, 3);
    Char('w');
    CInPlaceEdit* pEdit = EditOf(2, 3);
    ASSERT_NE(pEdit, nullptr);
    for (int i = 0; i < 40; i++)
        pEdit->SendMessage(WM_CHAR, 'W');
    CRect rect;
    pEdit->GetWindowRect(&rect);
    grid.ScreenToClient(&rect);
    CRect client;
    grid.GetClientRect(&client);
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.right, client.right);
    pEdit->SendMessage(WM_CHAR, VK_RETURN);
    fwtest::PumpPending();
    EXPECT_EQ(grid.GetItemText(2, 3).GetLength(), 41);
}

TEST_F(EditTest, ScrollingEndsARunningEdit)
{
    grid.SetFocusCell(2, 2);
    Char('k');
    ASSERT_NE(EditOf(2, 2), nullptr);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    fwtest::PumpPending();
    EXPECT_EQ(EditOf(2, 2), nullptr);
    EXPECT_EQ(grid.GetItemText(2, 2), L"k");
}
} // namespace
