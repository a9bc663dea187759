// Clipboard and drag and drop: the copied text of a range byte for byte,
// pasting with its field and line rules, the edit commands and their update
// queries, and the grid as a drop target.
#include "grid_fixture.h"

#include <string>

using gridtest::GridTest;

namespace {
std::string BytesOf(COleDataSource* pSource)
{
    COleDataObject obj;
    obj.Attach(pSource->GetDataObject(), FALSE);
    HGLOBAL h = obj.GetGlobalData(CF_TEXT);
    if (h == nullptr)
        return "<none>";
    const char* p = static_cast<const char*>(::GlobalLock(h));
    std::string bytes(p, ::GlobalSize(h));
    ::GlobalUnlock(h);
    ::GlobalFree(h);
    return bytes;
}

// A data source with the given CF_TEXT bytes (NUL added).
COleDataSource* SourceOf(const std::string& text)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(h), text.c_str(), text.size() + 1);
    ::GlobalUnlock(h);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, h);
    return pSource;
}

class CUpdateProbe : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_bEnabled = bOn; }
    BOOL m_bEnabled = -1;
};

class ClipboardTest : public GridTest {
protected:
    void SetBlock()
    {
        const wchar_t* texts[2][3] = { { L"a", L"b", L"c" }, { L"d", L"e", L"f" } };
        for (int r = 0; r < 2; r++)
            for (int c = 0; c < 3; c++)
                grid.SetItemText(2 + r, 1 + c, texts[r][c]);
        grid.SetSelectedRange(2, 1, 3, 3);
    }
    BOOL Paste(int row, int col, const std::string& text)
    {
        COleDataSource* pSource = SourceOf(text);
        COleDataObject obj;
        obj.Attach(pSource->GetDataObject(), FALSE);
        BOOL result = grid.PasteTextToGrid(CCellID(row, col), &obj);
        obj.Release();
        pSource->InternalRelease();
        return result;
    }
    BOOL UpdateEnabled(UINT nID)
    {
        CUpdateProbe probe;
        probe.m_nID = nID;
        grid.OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, nullptr);
        return probe.m_bEnabled;
    }
};

TEST_F(ClipboardTest, CopiedTextOfABlockIsTabsAndLineFeeds)
{
    SetBlock();
    COleDataSource* pSource = grid.CopyTextFromGrid();
    ASSERT_NE(pSource, nullptr);
    EXPECT_EQ(BytesOf(pSource), std::string("a\tb\tc\nd\te\tf\0", 12));
    pSource->InternalRelease();

    // Pasting it back elsewhere fills a block of the same shape.
    ASSERT_TRUE(Paste(5, 2, "a\tb\tc\nd\te\tf"));
    EXPECT_EQ(grid.GetItemText(5, 2), L"a");
    EXPECT_EQ(grid.GetItemText(5, 4), L"c");
    EXPECT_EQ(grid.GetItemText(6, 3), L"e");
    EXPECT_EQ(grid.GetItemText(6, 1), L"r6c1");
    EXPECT_EQ(grid.GetItemState(6, 4) & GVIS_MODIFIED, GVIS_MODIFIED);
}

TEST_F(ClipboardTest, UnselectedAndHiddenCellsInTheRange)
{
    SetBlock();
    grid.SetItemState(2, 2, grid.GetItemState(2, 2) & ~GVIS_SELECTED);
    COleDataSource* pSource = grid.CopyTextFromGrid();
    ASSERT_NE(pSource, nullptr);
    EXPECT_EQ(BytesOf(pSource), std::string("a\t\tc\nd\te\tf\0", 11));
    pSource->InternalRelease();
    // The empty field takes no cell: the rest of the row moves left.
    ASSERT_TRUE(Paste(6, 1, "a\t\tc"));
    EXPECT_EQ(grid.GetItemText(6, 1), L"a");
    EXPECT_EQ(grid.GetItemText(6, 2), L"c");
    EXPECT_EQ(grid.GetItemText(6, 3), L"r6c3");

    // Hidden rows and columns contribute nothing, not even separators.
    grid.SetSelectedRange(2, 1, 3, 3);
    grid.SetColumnWidth(2, 0);
    grid.SetRowHeight(2, 0);
    pSource = grid.CopyTextFromGrid();
    EXPECT_EQ(BytesOf(pSource), std::string("d\tf\0", 4));
    pSource->InternalRelease();
}

TEST_F(ClipboardTest, PasteRulesForFieldsLinesEdgesAndHiddenCells)
{
    // A comma splits a field; white space is trimmed; runs of separators are one.
    ASSERT_TRUE(Paste(1, 1, " one , two\t\tthree"));
    EXPECT_EQ(grid.GetItemText(1, 1), L"one");
    EXPECT_EQ(grid.GetItemText(1, 2), L"two");
    EXPECT_EQ(grid.GetItemText(1, 3), L"three");

    // What lies past the last row or column is dropped.
    ASSERT_TRUE(Paste(8, 3, "p\tq\tr\ns\tt\tu\nv"));
    EXPECT_EQ(grid.GetItemText(8, 3), L"p");
    EXPECT_EQ(grid.GetItemText(8, 4), L"q");
    EXPECT_EQ(grid.GetItemText(9, 4), L"t");

    // Hidden rows and columns are skipped.
    grid.SetRowHeight(3, 0);
    grid.SetColumnWidth(2, 0);
    ASSERT_TRUE(Paste(2, 1, "A\tB\nC\tD"));
    EXPECT_EQ(grid.GetItemText(2, 1), L"A");
    EXPECT_EQ(grid.GetItemText(2, 3), L"B");
    EXPECT_EQ(grid.GetItemText(2, 2), L"r2c2");
    EXPECT_EQ(grid.GetItemText(4, 1), L"C");
    EXPECT_EQ(grid.GetItemText(4, 3), L"D");
    EXPECT_EQ(grid.GetItemText(3, 1), L"r3c1");

    // An empty line still takes a row.
    grid.SetRowHeight(3, 20);
    grid.SetColumnWidth(2, 50);
    ASSERT_TRUE(Paste(5, 2, "x\n\ny"));
    EXPECT_EQ(grid.GetItemText(5, 2), L"x");
    EXPECT_EQ(grid.GetItemText(7, 2), L"y");
}

TEST_F(ClipboardTest, ReadOnlyCellsAreNeverWritten)
{
    grid.SetItemState(2, 2, grid.GetItemState(2, 2) | GVIS_READONLY);
    EXPECT_FALSE(Paste(2, 2, "x\ty"));
    EXPECT_EQ(grid.GetItemText(2, 3), L"r2c3");
    ASSERT_TRUE(Paste(2, 1, "x\ty\tz"));
    EXPECT_EQ(grid.GetItemText(2, 1), L"x");
    EXPECT_EQ(grid.GetItemText(2, 2), L"r2c2");
    EXPECT_EQ(grid.GetItemText(2, 3), L"z");

    grid.SetSelectedRange(2, 1, 2, 3);
    grid.CutSelectedText();
    EXPECT_EQ(grid.GetItemText(2, 1), L"");
    EXPECT_EQ(grid.GetItemText(2, 2), L"r2c2");
    EXPECT_EQ(grid.GetItemText(2, 3), L"");
    EXPECT_EQ(parent.Count(gridtest::kEndEdit), 2 + 2);
}

TEST_F(ClipboardTest, PasteReadsNoFurtherThanTheBlock)
{
    // A block without its NUL: only its own bytes count.
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 3);
    memcpy(::GlobalLock(h), "abc", 3);
    ::GlobalUnlock(h);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, h);
    COleDataObject obj;
    obj.Attach(pSource->GetDataObject(), FALSE);
    EXPECT_TRUE(grid.PasteTextToGrid(CCellID(1, 1), &obj));
    obj.Release();
    pSource->InternalRelease();
    EXPECT_EQ(grid.GetItemText(1, 1), L"abc");
}

TEST_F(ClipboardTest, EditCommandsGoThroughTheClipboard)
{
    // Nothing selected: copy offers nothing and cut clears nothing.
    EXPECT_EQ(grid.CopyTextFromGrid(), nullptr);
    EXPECT_FALSE(UpdateEnabled(ID_EDIT_COPY));
    EXPECT_FALSE(UpdateEnabled(ID_EDIT_CUT));
    EXPECT_TRUE(UpdateEnabled(ID_EDIT_SELECT_ALL));

    SetBlock();
    EXPECT_TRUE(UpdateEnabled(ID_EDIT_COPY));
    EXPECT_TRUE(UpdateEnabled(ID_EDIT_CUT));
    grid.SetFocusCell(6, 2);
    fwtest::SendCommand(grid, ID_EDIT_COPY);
    EXPECT_TRUE(UpdateEnabled(ID_EDIT_PASTE));
    {
        COleDataObject clip;
        ASSERT_TRUE(clip.AttachClipboard());
        EXPECT_TRUE(clip.IsDataAvailable(CF_TEXT));
    }
    {
        gridtest::CKeyHeld ctrl(VK_CONTROL);
        Key('V');
    }
    EXPECT_EQ(grid.GetItemText(6, 2), L"a");
    EXPECT_EQ(grid.GetItemText(7, 4), L"f");

    // Cut: onto the clipboard, then cleared.
    grid.SetSelectedRange(7, 2, 7, 3);
    fwtest::SendCommand(grid, ID_EDIT_CUT);
    EXPECT_EQ(grid.GetItemText(7, 2), L"");
    EXPECT_EQ(grid.GetItemText(7, 3), L"");
    grid.SetFocusCell(1, 1);
    fwtest::SendCommand(grid, ID_EDIT_PASTE);
    EXPECT_EQ(grid.GetItemText(1, 1), L"d");
    EXPECT_EQ(grid.GetItemText(1, 2), L"e");

    {
        gridtest::CKeyHeld ctrl(VK_CONTROL);
        Key('A');
    }
    EXPECT_EQ(grid.GetSelectedCount(), 36);

    grid.SetEditable(FALSE);
    EXPECT_FALSE(UpdateEnabled(ID_EDIT_CUT));
    EXPECT_FALSE(UpdateEnabled(ID_EDIT_PASTE));
}

TEST_F(ClipboardTest, DropTargetHighlightsAndMoveDropPastesThenClearsTheSource)
{
    COleDataSource* pSource = SourceOf("m\tn");
    COleDataObject obj;
    obj.Attach(pSource->GetDataObject(), FALSE);

    // Drag and drop is off by default.
    EXPECT_EQ(grid.OnDragEnter(&obj, 0, Centre(5, 2)), DROPEFFECT_NONE);
    grid.EnableDragAndDrop(TRUE);
    EXPECT_EQ(grid.OnDragEnter(&obj, 0, Centre(5, 2)), DROPEFFECT_MOVE);
    EXPECT_EQ(grid.GetItemState(5, 2) & GVIS_DROPHILITED, GVIS_DROPHILITED);
    EXPECT_EQ(grid.OnDragOver(&obj, MK_CONTROL, Centre(6, 3)), DROPEFFECT_COPY);
    EXPECT_EQ(grid.GetItemState(5, 2) & GVIS_DROPHILITED, 0u);
    EXPECT_EQ(grid.GetItemState(6, 3) & GVIS_DROPHILITED, GVIS_DROPHILITED);
    // Over a fixed cell: no target, the highlight goes.
    EXPECT_EQ(grid.OnDragOver(&obj, 0, Centre(0, 3)), DROPEFFECT_NONE);
    EXPECT_EQ(grid.GetItemState(6, 3) & GVIS_DROPHILITED, 0u);
    EXPECT_EQ(grid.OnDragOver(&obj, 0, Centre(6, 3)), DROPEFFECT_MOVE);

    // The source cells of a move within the grid.
    grid.SetSelectedRange(1, 1, 1, 2);
    EXPECT_TRUE(grid.OnDrop(&obj, DROPEFFECT_MOVE, Centre(6, 3)));
    EXPECT_EQ(grid.GetItemText(6, 3), L"m");
    EXPECT_EQ(grid.GetItemText(6, 4), L"n");
    EXPECT_EQ(grid.GetItemState(6, 3) & GVIS_DROPHILITED, 0u);
    grid.CutSelectedText();
    EXPECT_EQ(grid.GetItemText(1, 1), L"");
    EXPECT_EQ(grid.GetItemText(1, 2), L"");

    // A read-only cell under the pointer is no target.
    grid.SetItemState(4, 4, grid.GetItemState(4, 4) | GVIS_READONLY);
    EXPECT_EQ(grid.OnDragEnter(&obj, 0, Centre(4, 4)), DROPEFFECT_NONE);
    EXPECT_FALSE(grid.OnDrop(&obj, DROPEFFECT_MOVE, Centre(4, 4)));
    obj.Release();
    pSource->InternalRelease();
}
} // namespace
