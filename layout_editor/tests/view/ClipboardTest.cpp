// Copy, cut and paste through the view's copy buffer, the floating
// template's menu and dialogs, and the rulers dialog, on a view without a
// window driven by its real commands and dialogs.
#include "EditFixture.h"

#include <algorithm>
#include <climits>

#include "FormatCheck.h"
#include "LayoutLangText.h"
#include "PannexEditResource.h"
#include "fw_dialog_driver.h"
#include "fw_testing.h"

using edittest::EditFixture;

namespace {

struct ClipboardTest : EditFixture {
    fwtest::CScriptedUiHost ui;

    // Port 0 holds the lamps, selected, and is copied.
    void CopyPort0(std::initializer_list<CPoint> cells)
    {
        Put(0, cells);
        SelectPort(model, 0);
        view.CopySelection(false);
    }
    std::vector<CPoint> TemplateCells() const
    {
        std::vector<CPoint> cells;
        for (const LayoutPort& port : view.m_copyBuffer.m_ports)
            for (int i = 0; i < port.GetCount(); ++i)
                cells.emplace_back(port.GetPoint(i).x, port.GetPoint(i).y);
        return cells;
    }
};

std::vector<CPoint> Row(int y, int from, int to)
{
    std::vector<CPoint> cells;
    for (int x = from; x <= to; ++x)
        cells.emplace_back(x, y);
    return cells;
}

} // namespace

TEST_F(ClipboardTest, CopyFloatsOverTheCopiedLampsAndCutTakesThemAwayAsOneStep)
{
    Put(0, { { 10, 5 }, { 12, 7 }, { 11, 6 } });
    Put(1, { { 0, 0 } });
    SelectPort(model, 0);
    view.CopySelection(false);
    const CLightBarTemplate& copy = view.m_copyBuffer;
    EXPECT_EQ(copy.m_left, 10);
    EXPECT_EQ(copy.m_top, 5);
    EXPECT_EQ(copy.m_width, 3);
    EXPECT_EQ(copy.m_height, 3);
    ASSERT_EQ(copy.m_ports.size(), 1u);
    EXPECT_EQ(TemplateCells(), (std::vector<CPoint> { { 0, 0 }, { 2, 2 }, { 1, 1 } }));
    EXPECT_EQ(view.m_templateShown, 1);
    EXPECT_TRUE(model.m_selectedPorts.empty());
    EXPECT_EQ(Cells(0).size(), 3u);
    EXPECT_EQ(model.m_modified, 0);

    // Cut: the same buffer, the lamps gone in one undo step.
    SelectPointAt(model, CPoint(11, 6));
    SelectPointAt(model, CPoint(12, 7));
    const int steps = model.m_currentStep;
    view.CopySelection(true);
    EXPECT_EQ(copy.m_left, 11);
    EXPECT_EQ(copy.m_top, 6);
    EXPECT_EQ(copy.m_width, 2);
    EXPECT_EQ(Cells(0), (std::vector<CPoint> { { 10, 5 } }));
    EXPECT_EQ(model.m_currentStep, steps + 1);
    view.OnEditUndo();
    EXPECT_EQ(Cells(0).size(), 3u);

    // Nothing selected: the buffer stays.
    view.CopySelection(false);
    EXPECT_EQ(copy.m_left, 11);
}

TEST_F(ClipboardTest, PasteModesWithTheCrossOrder)
{
    struct Case {
        const char* name;
        int mode;
        std::vector<CPoint> expected; // port 1 afterwards
        int steps;
    };
    // Port 1 holds five lamps on row 9; the copy is three lamps on row 2.
    const std::vector<CPoint> existing = Row(9, 0, 4);
    const std::vector<CPoint> copied = Row(2, 5, 7);
    std::vector<CPoint> appended = existing;
    appended.insert(appended.end(), copied.begin(), copied.end());
    const Case cases[] = {
        { "overwrite", 0, copied, 2 },
        { "append", 1, appended, 1 },
        { "cross", 2, { { 0, 9 }, { 5, 2 }, { 1, 9 }, { 6, 2 }, { 2, 9 }, { 7, 2 }, { 3, 9 }, { 4, 9 } }, 2 },
    };
    for (const Case& c : cases) {
        Setup(20, 16, 4, 64);
        for (const CPoint& cell : existing)
            Put(1, { cell });
        CopyPort0({ { 5, 2 }, { 6, 2 }, { 7, 2 } });
        const int steps = model.m_currentStep;
        view.PasteBars(1, c.mode);
        EXPECT_EQ(Cells(1), c.expected) << c.name;
        EXPECT_EQ(model.m_currentStep - steps, c.steps) << c.name;
        EXPECT_EQ(model.m_modified, 1) << c.name;
        // Every pasted lamp sits on its cell's centre.
        const LayoutPort& port = model.GetPort(1);
        for (int i = 0; i < port.GetCount(); ++i)
            EXPECT_DOUBLE_EQ(port.GetPoint(i).m_normX, (port.GetPoint(i).x + 0.5) / 20) << c.name << i;
        // The copy is not used up.
        EXPECT_EQ(view.m_copyBuffer.m_ports.size(), 1u) << c.name;
    }
}

TEST_F(ClipboardTest, UnalignedPasteKeepsTheNormalisedPositions)
{
    AlignToGrid = 0;
    CLPoint a(3, 4);
    a.m_normX = 0.171;
    a.m_normY = 0.283;
    model.GetPort(0).InsertPoints(&a, 1);
    model.RebuildUsedPorts();
    SelectPort(model, 0);
    view.CopySelection(false);
    view.PasteBars(2, 1);
    ASSERT_EQ(model.GetPort(2).GetCount(), 1);
    EXPECT_NEAR(model.GetPort(2).GetPoint(0).m_normX, 0.171, 1e-12);
    EXPECT_NEAR(model.GetPort(2).GetPoint(0).m_normY, 0.283, 1e-12);
    EXPECT_EQ(Cells(2), (std::vector<CPoint> { { 3, 4 } }));
}

TEST_F(ClipboardTest, CrossPasteIntoAFullPortStopsWithTheMessage)
{
    Setup(20, 16, 4, 6);
    Put(1, { { 0, 9 }, { 1, 9 }, { 2, 9 }, { 3, 9 }, { 4, 9 } });
    CopyPort0({ { 5, 2 }, { 6, 2 }, { 7, 2 } });
    ui.ExpectMessageBox(IDOK, L"\u8D85\u8FC7\u6700\u5927\u5E03\u70B9\u6570");
    view.PasteBars(1, 2);
    EXPECT_EQ(Cells(1), Row(9, 0, 4));
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(ClipboardTest, APasteThatWouldPutALampOffTheGridPastesNothing)
{
    struct Case {
        const char* name;
        int left, top; // where the copy (3 x 2 cells) is pasted
        bool fits;
    };
    // A 20 x 16 layout; the copy's lamps are (0, 0), (1, 0) and (2, 1).
    const Case cases[] = {
        { "at the top-left corner", 0, 0, true },
        { "against the bottom-right corner", 17, 14, true },
        { "two columns left of the grid", -2, 0, false },
        { "two rows above the grid", 0, -2, false },
        { "one column past the right edge", 18, 0, false },
        { "one row past the bottom edge", 0, 15, false },
        { "far out to the right", 32877, 0, false },
        { "at the largest cell", INT_MAX, INT_MAX, false },
        { "at the most negative cell", INT_MIN, INT_MIN, false },
    };
    for (int align : { 1, 0 }) {
        for (int mode : { 0, 1, 2 }) {
            for (const Case& c : cases) {
                Setup(20, 16, 4, 64);
                AlignToGrid = align;
                Put(1, { { 4, 9 } });
                CopyPort0({ { 5, 2 }, { 6, 2 }, { 7, 3 } });
                // The copy dragged to its place: cell and normalised corner
                // (the cell's centre, so half a cell left of the grid still
                // truncates onto column 0 without grid alignment).
                view.m_copyBuffer.m_left = c.left;
                view.m_copyBuffer.m_top = c.top;
                view.m_copyBuffer.m_leastNormX = (c.left + 0.5) / 20;
                view.m_copyBuffer.m_leastNormY = (c.top + 0.5) / 16;
                const std::vector<CPoint> before = Cells(1);
                const int steps = model.m_currentStep;
                if (!c.fits)
                    ui.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 982));
                view.PasteBars(1, mode);
                EXPECT_EQ(ui.PendingCount(), 0u) << align << mode << " " << c.name;
                if (c.fits) {
                    const std::vector<CPoint> copied
                        = { { c.left, c.top }, { c.left + 1, c.top }, { c.left + 2, c.top + 1 } };
                    for (const CPoint& cell : copied)
                        EXPECT_NE(std::find(Cells(1).begin(), Cells(1).end(), cell), Cells(1).end())
                            << align << mode << " " << c.name;
                    continue;
                }
                EXPECT_EQ(Cells(1), before) << align << mode << " " << c.name;
                EXPECT_EQ(model.m_currentStep, steps) << align << mode << " " << c.name;
                EXPECT_EQ(model.m_modified, 0) << align << mode << " " << c.name;
            }
        }
    }
}

TEST_F(ClipboardTest, PastingBeyondTheLastPortAsksForControllers)
{
    for (const bool yes : { true, false }) {
        Setup(20, 16, 4, 64);
        Put(0, { { 0, 0 } });
        Put(1, { { 1, 1 } });
        Put(2, { { 2, 2 } });
        for (int p = 0; p < 3; ++p)
            SelectPort(model, p);
        view.CopySelection(false);
        ui.ExpectMessageBox(yes ? IDYES : IDNO, GetLangText(L"LAYOUT", 173));
        // Port 2 of 4: three copied ports need one port more.
        view.PasteBars(2, 1);
        EXPECT_EQ(model.GetPortCount(), yes ? 8 : 4) << yes;
        EXPECT_EQ(view.m_settings.m_controllers.GetSize(), yes ? 2 : 1) << yes;
        EXPECT_EQ(view.m_settings.m_controllerCount, yes ? 2 : 1) << yes;
        EXPECT_EQ(Cells(2), (std::vector<CPoint> { { 2, 2 }, { 0, 0 } })) << yes;
        EXPECT_EQ(Cells(3), (std::vector<CPoint> { { 1, 1 } })) << yes;
        if (yes) {
            EXPECT_EQ(Cells(4), (std::vector<CPoint> { { 2, 2 } }));
        }
    }
}

TEST_F(ClipboardTest, TemplateMenuTurnsAndMirrorsTheCopy)
{
    CopyPort0({ { 2, 3 }, { 3, 3 }, { 4, 3 }, { 2, 4 } });
    const std::vector<CPoint> original = TemplateCells();
    struct Case {
        const char* name;
        std::vector<UINT> commands;
        std::vector<CPoint> cells;
        int width, height;
    };
    const Case cases[] = {
        { "vertical flip", { ID_TEMPLATE_MIRROR_TB }, { { 0, 1 }, { 1, 1 }, { 2, 1 }, { 0, 0 } }, 3, 2 },
        { "vertical flip twice", { ID_TEMPLATE_MIRROR_TB, ID_TEMPLATE_MIRROR_TB }, original, 3, 2 },
        { "clockwise", { ID_TEMPLATE_ROTATE_CW }, { { 1, 0 }, { 1, 1 }, { 1, 2 }, { 0, 0 } }, 2, 3 },
        { "clockwise and back", { ID_TEMPLATE_ROTATE_CW, ID_TEMPLATE_ROTATE_CCW }, original, 3, 2 },
        { "half turn twice", { ID_TEMPLATE_ROTATE_180, ID_TEMPLATE_ROTATE_180 }, original, 3, 2 },
        { "mirror", { ID_TEMPLATE_MIRROR_LR }, { { 2, 0 }, { 1, 0 }, { 0, 0 }, { 2, 1 } }, 3, 2 },
    };
    for (const Case& c : cases) {
        for (UINT id : c.commands)
            view.OnTemplateCommand(id);
        EXPECT_EQ(TemplateCells(), c.cells) << c.name;
        EXPECT_EQ(view.m_copyBuffer.m_width, c.width) << c.name;
        EXPECT_EQ(view.m_copyBuffer.m_height, c.height) << c.name;
        // Back to the original for the next row.
        view.m_copyBuffer.Clear();
        CopyPort0({});
    }
    view.OnTemplateCommand(ID_TEMPLATE_CLOSE);
    EXPECT_EQ(view.m_templateShown, 0);
    EXPECT_FALSE(view.m_copyBuffer.m_ports.empty());
}

TEST_F(ClipboardTest, PositionDialogShowsAndMovesTheReferencePoint)
{
    CopyPort0({ { 0, 0 }, { 3, 3 } });
    view.m_copyBuffer.m_referencePoint = 8;
    CString shownX;
    CString shownY;
    {
        fwtest::CDialogDriver drive([&](CDialog& dlg) {
            shownX = fwtest::GetItemText(dlg, IDC_TEMPLATE_X);
            shownY = fwtest::GetItemText(dlg, IDC_TEMPLATE_Y);
            EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_TEMPLATE_REF_FIRST + 8), BST_CHECKED);
            fwtest::SetItemText(dlg, IDC_TEMPLATE_X, L"10");
            fwtest::SetItemText(dlg, IDC_TEMPLATE_Y, L"10");
            fwtest::ClickButton(dlg, IDOK);
        });
        view.OnTemplateCommand(ID_TEMPLATE_LOCATE);
    }
    EXPECT_EQ(shownX, L"4");
    EXPECT_EQ(shownY, L"4");
    EXPECT_EQ(view.m_copyBuffer.m_left, 6);
    EXPECT_EQ(view.m_copyBuffer.m_top, 6);
    EXPECT_DOUBLE_EQ(view.m_copyBuffer.m_leastNormX, 6.5 / 20);
    EXPECT_DOUBLE_EQ(view.m_copyBuffer.m_leastNormY, 6.5 / 16);

    // Every reference point of a 4 x 4 copy at (6, 6), and negative places.
    struct Case {
        int r;
        CPoint shown;
        CPoint entered;
        CPoint corner;
    };
    const Case cases[] = {
        { 0, { 7, 7 }, { -3, 0 }, { -4, -1 } },
        { 1, { 8, 7 }, { 8, 1 }, { 6, 0 } },
        { 4, { 8, 8 }, { 2, 2 }, { 0, 0 } },
        { 5, { 10, 8 }, { 4, 2 }, { 0, 0 } },
        { 7, { 8, 10 }, { 2, 4 }, { 0, 0 } },
    };
    for (const Case& c : cases) {
        view.m_copyBuffer.m_left = 6;
        view.m_copyBuffer.m_top = 6;
        EXPECT_EQ(view.TemplateReferencePosition(c.r), c.shown) << c.r;
        view.PlaceTemplateReference(c.r, c.entered.x, c.entered.y);
        EXPECT_EQ(CPoint(view.m_copyBuffer.m_left, view.m_copyBuffer.m_top), c.corner) << c.r;
        EXPECT_EQ(view.m_copyBuffer.m_referencePoint, c.r);
    }
}

TEST_F(ClipboardTest, SizeDialogResizesAndItsArrowsStopAtOne)
{
    CopyPort0({ { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } });
    {
        fwtest::CDialogDriver drive([&](CDialog& dlg) {
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_TEMPLATE_X), L"4");
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_TEMPLATE_Y), L"1");
            fwtest::ClickSpinArrow(dlg, IDC_TEMPLATE_Y_SPIN, 1); // down at 1: stays
            EXPECT_EQ(fwtest::GetItemText(dlg, IDC_TEMPLATE_Y), L"1");
            for (int k = 0; k < 4; ++k)
                fwtest::ClickSpinArrow(dlg, IDC_TEMPLATE_X_SPIN, -1); // up: 8
            fwtest::ClickButton(dlg, IDOK);
        });
        view.OnTemplateCommand(ID_TEMPLATE_SIZE);
    }
    EXPECT_EQ(view.m_copyBuffer.m_height, 1);
    // Twice the width: every lamp's column doubled.
    EXPECT_EQ(TemplateCells(), (std::vector<CPoint> { { 0, 0 }, { 2, 0 }, { 4, 0 }, { 6, 0 } }));
}

TEST(PannexTemplateTexts, EveryLanguageFileHoldsTheTemplateTexts)
{
    for (int id : { 1, 2, 3, 4 }) {
        SetLangTextLanguage(id);
        for (int key : { 64, 65, 66, 67, 68, 69, 70, 71, 103, 104, 160, 161, 163, 168, 173, 174, 175, 176, 190, 191,
                 192, 981, 982, 983 })
            EXPECT_FALSE(GetLangText(L"LAYOUT", key).IsEmpty()) << id << " " << key;
        EXPECT_FALSE(GetLangText(L"SHOW", 167).IsEmpty()) << id;
        EXPECT_FALSE(GetLangText(L"TITLE", 3).IsEmpty()) << id;
        EXPECT_FALSE(GetLangText(L"TITLE", 4).IsEmpty()) << id;
        // The formatted texts take the numbers they are given.
        EXPECT_TRUE(FormatConversionsAre(GetLangText(L"LAYOUT", 175), "dd")) << id;
        EXPECT_TRUE(FormatConversionsAre(GetLangText(L"LAYOUT", 176), "d")) << id;
    }
    SetLangTextLanguage(2);
}

TEST_F(ClipboardTest, TheFloatingTemplateIsDraggedAndHiddenByEscOrADoubleClick)
{
    CopyPort0({ { 10, 5 }, { 12, 7 } });
    const int steps = model.m_currentStep;
    Drag(11, 6, 14, 9);
    EXPECT_EQ(view.m_copyBuffer.m_left, 13);
    EXPECT_EQ(view.m_copyBuffer.m_top, 8);
    EXPECT_DOUBLE_EQ(view.m_copyBuffer.m_leastNormX, 10.5 / 20 + 3.0 / 20);
    // Only the copy moved.
    EXPECT_EQ(Cells(0), (std::vector<CPoint> { { 10, 5 }, { 12, 7 } }));
    EXPECT_EQ(model.m_currentStep, steps);
    // A paste now lands where the copy floats.
    view.PasteBars(1, 1);
    EXPECT_EQ(Cells(1), (std::vector<CPoint> { { 13, 8 }, { 15, 10 } }));

    KeyDown(VK_ESCAPE);
    KeyUp(VK_ESCAPE);
    EXPECT_EQ(view.m_templateShown, 0);
    view.m_templateShown = 1;
    view.OnLButtonDblClk(0, At(0, 0));
    EXPECT_EQ(view.m_templateShown, 0);
}
