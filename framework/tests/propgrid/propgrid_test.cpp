// The property grid: variants, rows and groups, in-place editing by mouse
// and keys, option lists, file rows and the change report to the owner.
#include "afxpropertygridctrl.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The grid's owner: records the changed rows.
class COwner : public CWnd {
public:
    std::vector<std::pair<WPARAM, CMFCPropertyGridProperty*>> m_changes;

protected:
    LRESULT OnChanged(WPARAM wParam, LPARAM lParam)
    {
        m_changes.push_back({ wParam, reinterpret_cast<CMFCPropertyGridProperty*>(lParam) });
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwner, CWnd)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, OnChanged)
END_MESSAGE_MAP()

class PropGridTest : public ::testing::Test {
protected:
    PropGridTest()
    {
        EXPECT_TRUE(m_owner.CreateEx(
            0, AfxRegisterWndClass(0), L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 400, nullptr, nullptr));
        EXPECT_TRUE(m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 400), &m_owner, 77));
        m_grid.EnableHeaderCtrl(FALSE);
        m_grid.MarkModifiedProperties(TRUE);
        m_group = new CMFCPropertyGridProperty(L"Group");
        m_text = new CMFCPropertyGridProperty(L"Text", COleVariant(L"abc"), L"a text", 1);
        m_list = new CMFCPropertyGridProperty(L"List", COleVariant(L"b"), nullptr, 2);
        m_list->AddOption(L"a");
        m_list->AddOption(L"b");
        m_list->AddOption(L"c");
        m_list->AllowEdit(FALSE);
        m_file = new CMFCPropertyGridFileProperty(L"File", TRUE, CString(), nullptr, 0, L"All|*.*||", nullptr, 3);
        m_group->AddSubItem(m_text);
        m_group->AddSubItem(m_list);
        m_group->AddSubItem(m_file);
        m_grid.AddProperty(m_group);
    }
    ~PropGridTest() override { m_owner.DestroyWindow(); }

    void ClickValue(CMFCPropertyGridProperty* row, int dx = 0)
    {
        CRect cell = row->GetValueRect();
        CPoint point(cell.left + 10 + dx, cell.CenterPoint().y);
        if (dx < 0)
            point.x = cell.right + dx;
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    fwtest::CScriptedUiHost m_ui;
    COwner m_owner;
    CMFCPropertyGridCtrl m_grid;
    CMFCPropertyGridProperty* m_group;
    CMFCPropertyGridProperty* m_text;
    CMFCPropertyGridProperty* m_list;
    CMFCPropertyGridFileProperty* m_file;
};

TEST(OleVariantTest, KindsCompareAndConvert)
{
    COleVariant text(L"12");
    COleVariant copy(text);
    EXPECT_TRUE(copy == text);
    EXPECT_EQ(copy.vt, VT_BSTR);
    COleVariant small(static_cast<short>(1));
    EXPECT_EQ(small.vt, VT_I2);
    EXPECT_FALSE(small == text);
    text.ChangeType(VT_I4);
    EXPECT_EQ(text.lVal, 12);
    COleVariant flag(static_cast<short>(5), VT_BOOL);
    EXPECT_EQ(flag.boolVal, VARIANT_TRUE);
    COleVariant bad(L"x");
    EXPECT_THROW(bad.ChangeType(VT_I4), CInvalidArgException*);
}

TEST_F(PropGridTest, RowsKeepTheirOriginalValueAndModifiedMark)
{
    EXPECT_EQ(m_grid.FindItemByData(2), m_list);
    EXPECT_EQ(m_text->GetParent(), m_group);
    m_text->SetValue(COleVariant(L"xyz"));
    EXPECT_TRUE(m_text->IsModified());
    m_text->ResetOriginalValue();
    EXPECT_FALSE(m_text->IsModified());
    EXPECT_TRUE(m_text->GetValue() == COleVariant(L"abc"));
    EXPECT_FALSE(m_list->AddOption(L"a"));
    EXPECT_EQ(m_list->GetOptionCount(), 3);
}

TEST_F(PropGridTest, HiddenAndCollapsedRowsTakeNoSpace)
{
    const int top = m_list->GetRect().top;
    m_text->Show(FALSE);
    EXPECT_TRUE(m_text->GetRect().IsRectEmpty());
    EXPECT_EQ(m_list->GetRect().top, top - m_grid.GetRowHeight());
    m_group->Expand(FALSE);
    EXPECT_TRUE(m_list->GetRect().IsRectEmpty());
}

TEST_F(PropGridTest, TheNameColumnWidensForALongNameUpToTwoThirds)
{
    CRect client;
    m_grid.GetClientRect(client);
    // Short names: half the width, as always.
    EXPECT_EQ(m_grid.GetLeftColumnWidth(), client.Width() / 2);
    auto nameFits = [&](CMFCPropertyGridProperty* row) {
        HDC dc = ::GetDC(m_grid.m_hWnd);
        // The grid's names are drawn in the system's dialog font.
        HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        const CString name = row->GetName();
        SIZE size {};
        ::GetTextExtentPoint32W(dc, name, name.GetLength(), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(m_grid.m_hWnd, dc);
        return 2 * 14 + 6 + size.cx <= m_grid.GetLeftColumnWidth();
    };
    struct Case {
        const wchar_t* name;
        bool fits; // else cut at two thirds
    } cases[] = { { L"Largeur de la vue en pixels", true },
        { L"Un nom beaucoup trop long pour tenir dans les deux tiers de la grille", false } };
    for (const Case& c : cases) {
        m_text->SetName(c.name);
        m_grid.AdjustLayout();
        EXPECT_GT(m_grid.GetLeftColumnWidth(), client.Width() / 2) << CStringA(c.name).GetString();
        EXPECT_LE(m_grid.GetLeftColumnWidth(), client.Width() * 2 / 3) << CStringA(c.name).GetString();
        EXPECT_EQ(nameFits(m_text), c.fits) << CStringA(c.name).GetString();
        // The value still starts where the names end.
        EXPECT_EQ(m_text->GetValueRect().left, m_grid.GetLeftColumnWidth());
    }
}

TEST_F(PropGridTest, TypingIntoAValueAndPressingEnterReportsTheChange)
{
    ClickValue(m_text);
    CWnd* edit = m_text->GetInPlaceWnd();
    ASSERT_NE(edit, nullptr);
    edit->SetWindowText(L"new");
    edit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(m_text->GetInPlaceWnd(), nullptr);
    ASSERT_EQ(m_owner.m_changes.size(), 1u);
    EXPECT_EQ(m_owner.m_changes[0].first, 77u);
    EXPECT_EQ(m_owner.m_changes[0].second, m_text);
    EXPECT_TRUE(m_text->IsModified());
    EXPECT_TRUE(m_text->GetValue() == COleVariant(L"new"));

    // Escape leaves the value alone.
    ClickValue(m_text);
    m_text->GetInPlaceWnd()->SetWindowText(L"other");
    m_text->GetInPlaceWnd()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(m_owner.m_changes.size(), 1u);
}

TEST_F(PropGridTest, OptionRowsPickFromADropDownList)
{
    ClickValue(m_list);
    auto* combo = dynamic_cast<CComboBox*>(m_list->GetInPlaceWnd());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(combo->GetStyle() & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    combo->SetCurSel(2);
    m_grid.SendMessage(
        WM_COMMAND, MAKEWPARAM(combo->GetDlgCtrlID(), CBN_SELENDOK), reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
    ASSERT_EQ(m_owner.m_changes.size(), 1u);
    EXPECT_TRUE(m_list->GetValue() == COleVariant(L"c"));
}

TEST_F(PropGridTest, ReadOnlyAndDisabledRowsOpenNoEditor)
{
    m_text->AllowEdit(FALSE);
    ClickValue(m_text);
    EXPECT_EQ(m_text->GetInPlaceWnd(), nullptr);
    m_text->AllowEdit(TRUE);
    m_text->Enable(FALSE);
    ClickValue(m_text);
    EXPECT_EQ(m_text->GetInPlaceWnd(), nullptr);
}

TEST_F(PropGridTest, FileRowBrowsesThroughTheUiHost)
{
    m_ui.ExpectFileOpen({ L"C:\\pictures\\sky.png" });
    ClickValue(m_file, -3); // the browse button at the right end
    EXPECT_TRUE(m_file->GetValue() == COleVariant(L"C:\\pictures\\sky.png"));
    ASSERT_EQ(m_owner.m_changes.size(), 1u);
    EXPECT_EQ(m_owner.m_changes[0].second, m_file);
}

} // namespace
