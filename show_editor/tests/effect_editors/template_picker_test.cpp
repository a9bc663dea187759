// The colour-template picker, the pop-up item list and the custom colour
// dialog: tiles, the picked index and the messages of a click.
#include "editors_test_support.h"

#include "dlg_color_template.h"
#include "show_messages.h"
#include "tile_view.h"

using namespace edtest;

namespace {

class PickerTest : public EditorTest { };

CRect TileRect(CMyColorView* view, int n)
{
    CRect rc;
    view->m_tiles.GetAt(view->m_tiles.FindIndex(n))->GetWindowRect(&rc);
    view->ScreenToClient(&rc);
    return rc;
}

class CSnapOwner : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_picked;

protected:
    LRESULT OnPicked(WPARAM wParam, LPARAM lParam)
    {
        m_picked.push_back({ wParam, lParam });
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSnapOwner, CWnd)
ON_MESSAGE(WM_SNAPSHOT_PICKED, OnPicked)
END_MESSAGE_MAP()

} // namespace

TEST_F(PickerTest, FiveFilesGiveFiveTilesInTwoColumnsAndTheFifthPicksIndexFour)
{
    for (int i = 0; i < 5; ++i)
        AddTemplateFile({ { RGB(i, 0, 0), RGB(0, 0, 255) } });
    m_host.m_texts[L"TITLE 7"] = L"Templates";
    CDlgColorTemplate picker(&m_main);
    picker.m_pDoc = m_doc.get();
    INT_PTR result = fwtest::RunModal(picker, [&](CDialog& dialog) {
        CString caption;
        dialog.GetWindowText(caption);
        EXPECT_EQ(caption, CString(L"Templates"));
        CMyColorView* view = picker.TileView();
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(view->m_tiles.GetCount(), 5);
        EXPECT_EQ(view->m_nColumns, 2);
        EXPECT_EQ(TileRect(view, 0).top, TileRect(view, 1).top);
        EXPECT_LT(TileRect(view, 1).top, TileRect(view, 2).top);
        EXPECT_LT(TileRect(view, 3).top, TileRect(view, 4).top);
        EXPECT_EQ(TileRect(view, 4).left, TileRect(view, 0).left);
        dialog.SendMessage(WM_TILE_SELECTED, 4, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(picker.m_pickedIndex, 4);
}

TEST_F(PickerTest, CancelLeavesNoChoice)
{
    AddTemplateFile({ { RGB(1, 0, 0), RGB(0, 0, 255) } });
    CDlgColorTemplate picker(&m_main);
    picker.m_pDoc = m_doc.get();
    INT_PTR result = fwtest::RunModal(picker, [](CDialog& dialog) { fwtest::ClickButton(dialog, IDCANCEL); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(picker.m_pickedIndex, -1);
}

TEST_F(PickerTest, ThePopUpListPostsThePickedItemToItsOwner)
{
    CSnapOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    HBITMAP picture = ::CreateBitmap(2, 1, 1, 32, nullptr);
    EffectSnapList snaps;
    const LPCWSTR names[] = { L"One", L"Two", L"Three" };
    for (int i = 0; i < 3; ++i) {
        auto* snap = new S_EffectSnap;
        snap->m_pThumb = CBitmap::FromHandle(picture);
        snap->m_name = names[i];
        snap->m_style = i;
        snaps.Add(snap);
    }
    {
        CDlgPopView popup;
        popup.m_pSnapshots = &snaps;
        ASSERT_TRUE(popup.CreatePopup(&owner));
        ASSERT_NE(popup.TileView(), nullptr);
        ASSERT_EQ(popup.TileView()->m_tiles.GetCount(), 3);
        CString caption;
        popup.TileView()->m_tiles.GetAt(popup.TileView()->m_tiles.FindIndex(2))->GetWindowText(caption);
        EXPECT_EQ(caption, CString(L"Three"));
        for (int n : { 0, 1, 2 })
            popup.SendMessage(WM_TILE_SELECTED, static_cast<WPARAM>(n), n == 1 ? 1 : 0);
        ASSERT_TRUE(fwtest::PumpUntil([&] { return owner.m_picked.size() == 3; }));
        EXPECT_EQ(owner.m_picked[0], std::make_pair(WPARAM(0), LPARAM(0)));
        EXPECT_EQ(owner.m_picked[1], std::make_pair(WPARAM(1), LPARAM(0)));
        EXPECT_EQ(owner.m_picked[2], std::make_pair(WPARAM(2), LPARAM(0)));
        // Resizing keeps the list over the whole client area.
        popup.SetWindowPos(nullptr, 0, 0, 500, 260, SWP_NOMOVE | SWP_NOZORDER);
        CRect client;
        CRect view;
        popup.GetClientRect(&client);
        popup.TileView()->GetWindowRect(&view);
        EXPECT_EQ(view.Width(), client.Width());
        EXPECT_EQ(view.Height(), client.Height());
        popup.DestroyWindow();
    }
    for (INT_PTR i = 0; i < snaps.GetSize(); ++i)
        delete snaps.GetAt(i);
    ::DeleteObject(picture);
    owner.DestroyWindow();
}

TEST_F(PickerTest, TheCustomColourDialogShowsTheFirstTextureAndMovesItsSlider)
{
    auto* thumb = new CBitmap;
    thumb->Attach(::CreateBitmap(4, 1, 1, 32, nullptr));
    m_doc->m_textureTemplateThumbs.Add(thumb);
    CDlgCustomColorTemplate dialog(&m_main);
    dialog.m_pDoc = m_doc.get();
    fwtest::RunModal(dialog, [&](CDialog& live) {
        EXPECT_EQ(dialog.m_strip.m_pBitmap, thumb);
        EXPECT_NE(dialog.m_strip.GetStyle() & SS_NOTIFY, 0u);
        CRect bar;
        dialog.m_strip.GetClientRect(&bar);
        EXPECT_EQ(dialog.m_slider.GetRangeMax(), bar.Width());
        live.SendMessage(WM_TILE_SELECTED, 7, 0);
        EXPECT_EQ(dialog.m_slider.GetPos(), 7);
        fwtest::ClickButton(live, IDOK);
    });
}
