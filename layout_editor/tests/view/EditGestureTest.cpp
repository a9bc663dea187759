// Mouse editing of the layout view through its real handlers: adding and
// wiring lamps in mode 1, selecting and moving in mode 0, the Shift and Tab
// lines, the fast-wiring rectangle of mode 3, panning and the lock.
#include "EditFixture.h"

#include "LayoutViewDialogs.h"
#include "fw_dialog_driver.h"
#include "fw_testing.h"

using edittest::EditFixture;

namespace {

// Answers every unit-count prompt with value (or cancels); counts them.
struct UnitAnswer {
    int shownValue = 0;
    fwtest::CDialogDriver driver;
    UnitAnswer(int value, bool ok)
        : driver(
            [this, value, ok](CDialog& live) {
                shownValue = static_cast<int>(live.GetDlgItemInt(IDC_UNIT_NUMBER, nullptr, TRUE));
                if (ok)
                    live.SetDlgItemInt(IDC_UNIT_NUMBER, static_cast<UINT>(value), TRUE);
                fwtest::ClickButton(live, ok ? IDOK : IDCANCEL);
            },
            fwtest::CDialogDriver::Mode::Every)
    {
    }
    int Asked() const { return driver.Count(); }
};

} // namespace

TEST_F(EditFixture, Mode1ClickAddsOneLampAsOneStep)
{
    view.SetEditMode(1);
    view.m_currentPort = 1;
    Click(3, 2);
    ASSERT_EQ(Cells(1), std::vector<CPoint>({ CPoint(3, 2) }));
    EXPECT_DOUBLE_EQ(model.GetPort(1).GetPoint(0).m_normX, 3.5 / 20);
    EXPECT_DOUBLE_EQ(model.GetPort(1).GetPoint(0).m_normY, 2.5 / 16);
    EXPECT_EQ(model.GetStepCount(), 1);
    EXPECT_EQ(model.m_modified, 1);
    // A second click on the used cell adds nothing (overlap off).
    Click(3, 2);
    EXPECT_EQ(model.GetPort(1).GetCount(), 1);
    EXPECT_EQ(model.GetStepCount(), 1);
}

TEST_F(EditFixture, Mode1ClickWithoutGridAlignmentKeepsTheCursorPosition)
{
    AlignToGrid = 0;
    view.SetEditMode(1);
    view.OnMouseMove(0, CPoint(33, 27));
    view.OnLButtonDown(MK_LBUTTON, CPoint(33, 27));
    view.OnLButtonUp(0, CPoint(33, 27));
    ASSERT_EQ(model.GetPort(0).GetCount(), 1);
    EXPECT_EQ(model.GetPort(0).GetPoint(0).x, 3);
    EXPECT_EQ(model.GetPort(0).GetPoint(0).y, 2);
    EXPECT_DOUBLE_EQ(model.GetPort(0).GetPoint(0).m_normX, 33.0 / 200);
    EXPECT_DOUBLE_EQ(model.GetPort(0).GetPoint(0).m_normY, 27.0 / 160);
}

TEST_F(EditFixture, Mode1DragWiresTheRectangleFromTheDragCorner)
{
    struct Case {
        const char* name;
        CPoint from, to;
        std::vector<CPoint> cells;
    };
    const Case cases[] = {
        { "right and down: top left, serpentine rows", { 1, 1 }, { 3, 2 },
            { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 3, 2 }, { 2, 2 }, { 1, 2 } } },
        { "left and up: bottom right", { 3, 2 }, { 1, 1 },
            { { 3, 2 }, { 2, 2 }, { 1, 2 }, { 1, 1 }, { 2, 1 }, { 3, 1 } } },
        { "left and down: top right", { 3, 1 }, { 1, 2 },
            { { 3, 1 }, { 2, 1 }, { 1, 1 }, { 1, 2 }, { 2, 2 }, { 3, 2 } } },
        { "right and up: bottom left", { 1, 2 }, { 3, 1 },
            { { 1, 2 }, { 2, 2 }, { 3, 2 }, { 3, 1 }, { 2, 1 }, { 1, 1 } } },
    };
    for (const Case& c : cases) {
        Setup(20, 16, 4, 64);
        view.SetEditMode(1);
        Drag(c.from.x, c.from.y, c.to.x, c.to.y);
        EXPECT_EQ(Cells(0), c.cells) << c.name;
        EXPECT_EQ(model.GetStepCount(), 1) << c.name;
    }
}

TEST_F(EditFixture, TwoCellPreviewSwitchesTheWiringDirection)
{
    view.SetEditMode(1);
    // Two cells in a column: later rectangles run along columns.
    Drag(1, 1, 1, 2);
    EXPECT_EQ(view.m_wiringDirection, 1);
    Drag(4, 1, 5, 2);
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 }, { 1, 2 }, { 4, 1 }, { 4, 2 }, { 5, 2 }, { 5, 1 } }));
    // Two cells in a row switch back to rows.
    Drag(8, 1, 9, 1);
    EXPECT_EQ(view.m_wiringDirection, 0);
    EXPECT_EQ(model.GetStepCount(), 3);
}

TEST_F(EditFixture, PreviewDuringTheDragChangesNothing)
{
    view.SetEditMode(1);
    Press(1, 1);
    view.OnMouseMove(MK_LBUTTON, At(4, 3));
    EXPECT_EQ(view.m_previewCount, 12);
    EXPECT_EQ(model.GetPort(0).GetCount(), 0);
    EXPECT_EQ(model.GetStepCount(), 0);
    Release(4, 3);
    EXPECT_EQ(view.m_previewCount, 0);
    EXPECT_EQ(model.GetPort(0).GetCount(), 12);
}

TEST_F(EditFixture, ManualTracingRecordsTheStrokeAsOneStep)
{
    ManualTracing = 1;
    view.SetEditMode(1);
    Press(1, 1);
    view.OnMouseMove(MK_LBUTTON, At(2, 1));
    view.OnMouseMove(MK_LBUTTON, At(3, 2));
    Release(3, 2);
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 }, { 2, 1 }, { 3, 2 } }));
    EXPECT_EQ(model.GetStepCount(), 1);
    model.UndoStep();
    EXPECT_EQ(model.GetPort(0).GetCount(), 0);
}

TEST_F(EditFixture, ClickSelectionRules)
{
    Put(0, { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 } });
    Put(1, { { 1, 5 } });
    // A click on an unselected lamp selects only it.
    Click(2, 1);
    EXPECT_EQ(Selected(0), std::vector<int>({ 1 }));
    // Ctrl adds.
    KeyDown(VK_CONTROL);
    Click(4, 1);
    KeyUp(VK_CONTROL);
    EXPECT_EQ(Selected(0), std::vector<int>({ 1, 3 }));
    // A click on a selected lamp keeps the selection (so it can be dragged).
    Click(4, 1);
    EXPECT_EQ(Selected(0), std::vector<int>({ 1, 3 }));
    // A click on an unselected lamp replaces it.
    Click(1, 5);
    EXPECT_TRUE(Selected(0).empty());
    EXPECT_EQ(Selected(1), std::vector<int>({ 0 }));
    // Shift: the run between the last clicked lamp and this one, same port.
    Click(1, 1);
    KeyDown(VK_SHIFT);
    Click(3, 1);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Selected(0), std::vector<int>({ 0, 1, 2 }));
    // Shift to a lamp of another port: that lamp alone.
    KeyDown(VK_SHIFT);
    Click(1, 5);
    KeyUp(VK_SHIFT);
    EXPECT_TRUE(Selected(0).empty());
    EXPECT_EQ(Selected(1), std::vector<int>({ 0 }));
}

TEST_F(EditFixture, RubberBandSelectsWithAndWithoutCtrl)
{
    Put(0, { { 1, 1 }, { 2, 1 }, { 5, 5 }, { 6, 6 } });
    Drag(0, 0, 3, 2);
    EXPECT_EQ(Selected(0), std::vector<int>({ 0, 1 }));
    // Without Ctrl a new band replaces the selection.
    Drag(4, 4, 5, 5);
    EXPECT_EQ(Selected(0), std::vector<int>({ 2 }));
    // With Ctrl it adds.
    KeyDown(VK_CONTROL);
    Drag(7, 7, 6, 6);
    KeyUp(VK_CONTROL);
    EXPECT_EQ(Selected(0), std::vector<int>({ 2, 3 }));
    // A band over nothing clears it.
    Drag(10, 10, 12, 12);
    EXPECT_TRUE(model.m_selectedPorts.empty());
    EXPECT_EQ(model.GetStepCount(), 0);
}

TEST_F(EditFixture, DraggingMovesTheSelectionOrOneLamp)
{
    Put(0, { { 1, 1 }, { 2, 1 }, { 5, 5 } });
    // Nothing selected: the dragged lamp alone moves, one step.
    Drag(5, 5, 7, 6);
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 }, { 2, 1 }, { 7, 6 } }));
    EXPECT_EQ(model.GetStepCount(), 1);
    EXPECT_EQ(model.m_modified, 1);
    // With a selection the selected lamps move, even when the dragged lamp
    // is not one of them.
    Drag(0, 0, 2, 1);
    ASSERT_EQ(Selected(0), std::vector<int>({ 0, 1 }));
    Drag(7, 6, 7, 8);
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 3 }, { 2, 3 }, { 7, 6 } }));
    EXPECT_EQ(model.GetStepCount(), 2);
    model.UndoStep();
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 }, { 2, 1 }, { 7, 6 } }));
}

TEST_F(EditFixture, ShiftReleaseWiresAStraightLine)
{
    Put(0, { { 1, 1 } });
    view.SetEditMode(1);
    Move(5, 1);
    KeyDown(VK_SHIFT);
    EXPECT_EQ(view.m_previewCount, 4);
    Click(5, 1);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 }, { 5, 1 } }));
    EXPECT_EQ(model.GetStepCount(), 1);
}

TEST_F(EditFixture, ShiftPreviewThenRightClickAsksForTheUnitCount)
{
    struct Case {
        int v;
        bool ok;
        std::vector<CPoint> added;
    };
    // From (0, 0) to (8, 0): a preview of 8 lamps.
    const Case cases[] = {
        { 4, true, { { 2, 0 }, { 4, 0 }, { 6, 0 }, { 8, 0 } } }, // spread evenly
        { 8, true, { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 }, { 5, 0 }, { 6, 0 }, { 7, 0 }, { 8, 0 } } },
        { 20, true, { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 }, { 5, 0 }, { 6, 0 }, { 7, 0 }, { 8, 0 } } },
        { 0, true, {} },
        { 4, false, {} },
    };
    for (const Case& c : cases) {
        Setup(20, 16, 4, 64);
        Put(0, { { 0, 0 } });
        view.SetEditMode(1);
        Move(8, 0);
        KeyDown(VK_SHIFT);
        ASSERT_EQ(view.m_previewCount, 8);
        UnitAnswer answer(c.v, c.ok);
        view.OnRButtonDown(MK_RBUTTON, At(8, 0));
        view.OnRButtonUp(0, At(8, 0));
        EXPECT_EQ(answer.Asked(), 1) << c.v;
        EXPECT_EQ(answer.shownValue, 8) << c.v;
        std::vector<CPoint> cells = Cells(0);
        cells.erase(cells.begin());
        EXPECT_EQ(cells, c.added) << c.v;
        EXPECT_EQ(model.GetStepCount(), c.added.empty() ? 0 : 1) << c.v;
        EXPECT_EQ(view.m_shiftHeld, 0);
        EXPECT_EQ(view.m_previewCount, 0);
    }
}

TEST_F(EditFixture, TabPreviewThenRightClickPlacesTheCountAlongTheLine)
{
    Put(0, { { 0, 0 } });
    view.SetEditMode(1);
    Move(2, 0);
    KeyDown(VK_TAB);
    ASSERT_EQ(view.m_previewCount, 2);
    UnitAnswer answer(5, true);
    view.OnRButtonDown(MK_RBUTTON, At(2, 0));
    view.OnRButtonUp(0, At(2, 0));
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 }, { 5, 0 } }));
    EXPECT_EQ(view.m_tabHeld, 0);
}

TEST_F(EditFixture, RightDragPansAndRightClickShowsTheMenu)
{
    int menus = 0;
    view.m_trackMenu = [&](CMenu&, CPoint) { ++menus; };
    view.OnRButtonDown(MK_RBUTTON, CPoint(50, 50));
    view.OnMouseMove(MK_RBUTTON, CPoint(60, 45));
    view.OnRButtonUp(0, CPoint(60, 45));
    EXPECT_EQ(view.m_pan, CPoint(10, -5));
    EXPECT_EQ(menus, 0);
    view.OnRButtonDown(MK_RBUTTON, CPoint(50, 50));
    view.OnRButtonUp(0, CPoint(50, 50));
    EXPECT_EQ(menus, 1);
    // The middle button pans the same way and never opens a menu.
    view.OnMButtonDown(MK_MBUTTON, CPoint(50, 50));
    view.OnMouseMove(MK_MBUTTON, CPoint(52, 50));
    view.OnMButtonUp(0, CPoint(52, 50));
    view.OnMButtonDown(MK_MBUTTON, CPoint(50, 50));
    view.OnMButtonUp(0, CPoint(50, 50));
    EXPECT_EQ(view.m_pan, CPoint(12, -5));
    EXPECT_EQ(menus, 1);
}

TEST_F(EditFixture, LockBlocksPressesAndMenus)
{
    fwtest::CScriptedUiHost host; // no prompt may come
    int menus = 0;
    view.m_trackMenu = [&](CMenu&, CPoint) { ++menus; };
    LayoutLock = 1;
    view.SetEditMode(1);
    Click(3, 3);
    EXPECT_EQ(model.GetPort(0).GetCount(), 0);
    view.OnRButtonDown(MK_RBUTTON, At(3, 3));
    view.OnRButtonUp(0, At(3, 3));
    EXPECT_EQ(menus, 0);
    // A release in mode 3 while locked adds nothing either.
    view.SetEditMode(3);
    view.OnLButtonUp(0, At(3, 3));
    EXPECT_EQ(model.GetPort(0).GetCount(), 0);
    LayoutLock = 0;
    view.SetEditMode(1);
    Click(3, 3);
    EXPECT_EQ(model.GetPort(0).GetCount(), 1);
}

TEST_F(EditFixture, DoubleClickTakesThePortAndSelectsIt)
{
    Put(2, { { 1, 1 }, { 2, 1 } });
    view.OnLButtonDblClk(MK_LBUTTON, At(2, 1));
    EXPECT_EQ(view.m_currentPort, 2);
    EXPECT_EQ(Selected(2), std::vector<int>({ 0, 1 }));
}

TEST_F(EditFixture, StatusShowsTheCellTheOffsetAndTheLampsUnderThePress)
{
    Put(1, { { 2, 2 } });
    Move(4, 5);
    EXPECT_EQ(view.m_statusText[1], CString(L"X:5   Y:6"));
    view.SetEditMode(1);
    view.m_currentPort = 1;
    Move(4, 5);
    EXPECT_EQ(view.m_statusText[1], CString(L"X:5   Y:6    Offset(X:2   Y:3)"));
    view.SetEditMode(0);
    Press(2, 2);
    Release(2, 2);
    EXPECT_EQ(view.m_statusText[0], CString(L"[1, 2, 1]    "));
}

TEST_F(EditFixture, EscapeEndsTheModeAndDeleteRemovesTheLampUnderTheCursor)
{
    Put(0, { { 1, 1 }, { 2, 1 } });
    view.SetEditMode(1);
    KeyUp(VK_ESCAPE);
    EXPECT_EQ(view.m_editMode, 0);
    Move(2, 1);
    KeyUp(VK_DELETE);
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 } }));
    EXPECT_EQ(model.GetStepCount(), 1);
    // Nothing there: nothing removed, no step.
    Move(9, 9);
    KeyUp(VK_DELETE);
    EXPECT_EQ(model.GetStepCount(), 1);
}

// --- The fast-wiring rectangle ----------------------------------------------------------

TEST_F(EditFixture, FastRectangleFillsPortsAndAppendsAController)
{
    // Two empty ports of capacity 2048 at the end of the layout.
    Setup(100, 100, 2, 2048);
    view.m_settings.SetControllers(1, 2);
    view.m_settings.m_portsPerController = 2;
    view.m_settings.m_lampsPerPort = 2048;
    view.SetEditMode(3);
    view.m_currentPort = 0;
    Click(10, 10);
    ASSERT_EQ(model.GetPortCount(), 4);
    EXPECT_EQ(model.GetPort(0).GetCount(), 1024);
    EXPECT_EQ(model.GetPort(1).GetCount(), 1024);
    EXPECT_EQ(model.GetPort(2).GetCount(), 452);
    EXPECT_EQ(model.GetPort(3).GetCount(), 0);
    EXPECT_EQ(view.m_settings.m_controllers.GetSize(), 2);
    EXPECT_EQ(view.m_settings.m_controllerCount, 2);
    EXPECT_EQ(view.m_currentPort, 2);
    EXPECT_EQ(view.m_editMode, 0);
    // Serpentine rows from the top left: the first port ends in row 20.
    EXPECT_EQ(model.GetPort(0).GetPoint(0), CPoint(10, 10));
    EXPECT_EQ(model.GetPort(0).GetPoint(50), CPoint(59, 11));
    EXPECT_EQ(model.GetPort(2).GetPoint(451), CPoint(10, 59));
}

TEST_F(EditFixture, FastRectangleStopsAtAPortTooSmall)
{
    Setup(100, 100, 2, 500);
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"\u8D85\u51FA\u7AEF\u53E3\u6700\u5927\u70B9\u6570!");
    view.SetEditMode(3);
    Click(0, 0);
    EXPECT_EQ(model.GetPort(0).GetCount(), 0);
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST_F(EditFixture, FastRectangleWithOverlapEndsOnceEveryCellIsWired)
{
    Setup(100, 100, 2, 2048);
    view.m_settings.m_allowOverlap = 1;
    view.m_fastWidth = 10;
    view.m_fastHeight = 10;
    view.m_fastLampsPerPort = 40;
    view.SetEditMode(3);
    Click(0, 0);
    // 100 cells in ports of 40: 40, 40, 20, each cell once; two
    // controllers of two ports were enough.
    ASSERT_GE(model.GetPortCount(), 3);
    EXPECT_EQ(model.GetPort(0).GetCount(), 40);
    EXPECT_EQ(model.GetPort(1).GetCount(), 40);
    EXPECT_EQ(model.GetPort(2).GetCount(), 20);
    EXPECT_EQ(model.GetPortCount(), 4);
    EXPECT_EQ(model.GetPort(1).GetPoint(0), CPoint(0, 4));
    EXPECT_EQ(model.GetPort(2).GetPoint(19), CPoint(0, 9));
}
