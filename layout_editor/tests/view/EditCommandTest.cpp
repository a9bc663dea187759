// Commands and tools of the layout view: undo and redo with their enabling,
// delete, lamp numbers and overlap markers, the overlap search, the zoom
// anchor, the background picture, the context menu, the lamp tools and the
// modified flag after every edit that changes saved content.
#include "EditFixture.h"

#include <commctrl.h>

#include <functional>

#include "LayoutImageFile.h"
#include "LayoutLangText.h"
#include "ListPanelResource.h"
#include "LayoutViewDialogs.h"
#include "PannexEditResource.h"
#include "PannexResource.h"
#include "fw_dialog_driver.h"
#include "fw_testing.h"

using edittest::EditFixture;

namespace {

// Answers every text prompt with the text (or cancels).
struct TextAnswer {
    CString prompt;
    fwtest::CDialogDriver driver;
    TextAnswer(const CString& text, bool ok)
        : driver(
            [this, text, ok](CDialog& live) {
                prompt = fwtest::GetItemText(live, IDC_INPUT_PROMPT);
                if (ok)
                    fwtest::SetItemText(live, IDC_INPUT_VALUE, text);
                fwtest::ClickButton(live, ok ? IDOK : IDCANCEL);
            },
            fwtest::CDialogDriver::Mode::Every)
    {
    }
};

UINT ItemState(CMenu& menu, UINT id)
{
    return ::GetMenuState(menu.GetSafeHmenu(), id, MF_BYCOMMAND);
}

// A 1-bit BMP file of the size, all black.
CString WriteBlackBmp(int width, int height)
{
    WCHAR temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    CString path = CString(temp) + L"pedit_background.bmp";
    const int stride = ((width + 31) / 32) * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    const DWORD palette = 2 * sizeof(RGBQUAD);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info) + palette;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 1;
    info.biCompression = BI_RGB;
    CFile out;
    if (!out.Open(path, CFile::modeCreate | CFile::modeWrite))
        return CString();
    out.Write(&file, sizeof(file));
    out.Write(&info, sizeof(info));
    const RGBQUAD colours[2] = { { 0, 0, 0, 0 }, { 255, 255, 255, 0 } };
    out.Write(colours, sizeof(colours));
    std::vector<BYTE> row(static_cast<size_t>(stride), 0);
    for (int y = 0; y < height; ++y)
        out.Write(row.data(), static_cast<UINT>(row.size()));
    out.Close();
    return path;
}

} // namespace

TEST_F(EditFixture, UndoAndRedoStepThroughTheGesturesAndEnableTheirItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_EDIT_UNDO, L"Undo");
    menu.AppendMenu(MF_STRING, ID_EDIT_REDO, L"Redo");
    view.UpdateMenuState(menu);
    EXPECT_TRUE(ItemState(menu, ID_EDIT_UNDO) & MF_GRAYED);
    EXPECT_TRUE(ItemState(menu, ID_EDIT_REDO) & MF_GRAYED);

    view.SetEditMode(1);
    Click(1, 1);
    Drag(3, 3, 4, 3);
    ASSERT_EQ(model.GetPort(0).GetCount(), 3);
    view.UpdateMenuState(menu);
    EXPECT_FALSE(ItemState(menu, ID_EDIT_UNDO) & MF_GRAYED);
    EXPECT_TRUE(ItemState(menu, ID_EDIT_REDO) & MF_GRAYED);

    view.OnEditUndo();
    EXPECT_EQ(model.GetPort(0).GetCount(), 1);
    view.UpdateMenuState(menu);
    EXPECT_FALSE(ItemState(menu, ID_EDIT_REDO) & MF_GRAYED);
    view.OnEditUndo();
    EXPECT_EQ(model.GetPort(0).GetCount(), 0);
    view.UpdateMenuState(menu);
    EXPECT_TRUE(ItemState(menu, ID_EDIT_UNDO) & MF_GRAYED);
    view.OnEditUndo(); // at the end: nothing
    view.OnEditRedo();
    view.OnEditRedo();
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 }, { 3, 3 }, { 4, 3 } }));
    view.UpdateMenuState(menu);
    EXPECT_TRUE(ItemState(menu, ID_EDIT_REDO) & MF_GRAYED);
}

TEST_F(EditFixture, DeleteRemovesTheSelectionAsOneStep)
{
    Put(0, { { 1, 1 }, { 2, 1 }, { 3, 1 } });
    Put(1, { { 1, 2 } });
    Drag(0, 0, 2, 2);
    view.OnEditDelete();
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 3, 1 } }));
    EXPECT_EQ(model.GetPort(1).GetCount(), 0);
    EXPECT_TRUE(model.m_selectedPorts.empty());
    EXPECT_EQ(model.GetStepCount(), 1);
    view.OnEditUndo();
    EXPECT_EQ(model.GetPort(0).GetCount(), 3);
    EXPECT_EQ(model.GetPort(1).GetCount(), 1);
}

TEST_F(EditFixture, LampNumbersSwitchTheOverlapMarkersToo)
{
    Put(0, { { 1, 1 }, { 2, 1 } });
    Put(1, { { 2, 1 }, { 5, 5 } });
    view.FindOverlapCells();
    EXPECT_TRUE(view.m_overlapCells.empty()); // markers off: no search
    view.OnLampNumbers();
    EXPECT_EQ(view.m_lampNumbers, 1);
    EXPECT_EQ(view.m_overlapMarkers, 1);
    EXPECT_EQ(view.m_overlapCells, std::vector<CPoint>({ { 2, 1 } }));
    view.OnLampNumbers();
    EXPECT_EQ(view.m_overlapMarkers, 0);
    EXPECT_TRUE(view.m_overlapCells.empty());
    view.OnConnectionLines();
    EXPECT_EQ(view.m_connectionLines, 0);
}

TEST_F(EditFixture, OverlapSearchCountsOnlyLampsInsideTheGrid)
{
    Put(0, { { 3, 3 }, { 1, 0 } });
    Put(1, { { 3, 3 }, { 1, 0 }, { 0, 2 } });
    Put(2, { { 0, 2 } });
    // Lamps beyond the grid never count, even when they share a cell.
    CLPoint outside(25, 3);
    model.GetPort(0).InsertPoints(&outside, 1);
    model.GetPort(1).InsertPoints(&outside, 1);
    view.m_overlapMarkers = 1;
    view.FindOverlapCells();
    // Row order.
    EXPECT_EQ(view.m_overlapCells, std::vector<CPoint>({ { 1, 0 }, { 0, 2 }, { 3, 3 } }));
    // Ports beyond the controllers' count are not searched.
    view.m_settings.SetControllers(1, 2);
    view.FindOverlapCells();
    EXPECT_EQ(view.m_overlapCells, std::vector<CPoint>({ { 1, 0 }, { 3, 3 } }));
    // More ports listed than the model has: only the model's.
    view.m_settings.SetControllers(3, 64);
    view.FindOverlapCells();
    EXPECT_EQ(view.m_overlapCells.size(), 3u);
}

TEST_F(EditFixture, OverlapSearchOnAHugeGridNeedsNoCounterPerCell)
{
    Setup(60000, 60000, 2, 64);
    Put(0, { { 59999, 59999 }, { 7, 40000 }, { 8, 8 } });
    Put(1, { { 59999, 59999 }, { 7, 40000 } });
    view.m_overlapMarkers = 1;
    view.FindOverlapCells();
    EXPECT_EQ(view.m_overlapCells, std::vector<CPoint>({ { 7, 40000 }, { 59999, 59999 } }));
}

TEST_F(EditFixture, ZoomKeepsTheCellUnderTheCursor)
{
    for (const CPoint& cursor : { CPoint(55, 35), CPoint(123, 97), CPoint(3, 150) }) {
        Setup(20, 16, 4, 64);
        view.OnMouseMove(0, cursor);
        const CLPoint before = view.m_currentCell;
        for (int k = 0; k < 4; ++k) {
            view.ZoomAt(120, cursor.x, cursor.y);
            const CLPoint under = view.PointFromClient(cursor);
            EXPECT_EQ(under.x, before.x) << cursor.x << "," << cursor.y << " step " << k;
            EXPECT_EQ(under.y, before.y) << cursor.x << "," << cursor.y << " step " << k;
        }
        // PageDown steps out about the last mouse point.
        const double z = view.m_zoom;
        KeyDown(VK_NEXT);
        EXPECT_LT(view.m_zoom, z);
        EXPECT_EQ(view.PointFromClient(cursor).x, before.x);
    }
}

TEST_F(EditFixture, PreviewFitsTheLayoutAgain)
{
    view.ZoomAt(120, 50, 50);
    view.m_pan = CPoint(7, 7);
    view.OnEditPreview();
    EXPECT_DOUBLE_EQ(view.m_zoom, view.m_fitZoom);
    EXPECT_EQ(view.m_pan, CPoint(0, 0));
}

TEST_F(EditFixture, BackgroundPictureIsSqueezedToAtMost1920By1080)
{
    const CString big = WriteBlackBmp(4000, 3000);
    ASSERT_FALSE(big.IsEmpty());
    EXPECT_TRUE(view.LoadBackgroundImage(big));
    EXPECT_EQ(view.m_bkWidth, 1920);
    EXPECT_EQ(view.m_bkHeight, 1080);
    EXPECT_EQ(view.m_settings.m_backgroundImage, big);
    const CString small = WriteBlackBmp(300, 200);
    EXPECT_TRUE(view.LoadBackgroundImage(small));
    EXPECT_EQ(view.m_bkWidth, 300);
    EXPECT_EQ(view.m_bkHeight, 200);
    ::DeleteFileW(small);
    // Unreadable: an empty background.
    EXPECT_FALSE(view.LoadBackgroundImage(L"C:\\no\\such\\picture.png"));
    EXPECT_EQ(view.m_bkWidth, 0);
    view.OnDeleteBackground();
    EXPECT_TRUE(view.m_settings.m_backgroundImage.IsEmpty());
}

TEST_F(EditFixture, ImportBackgroundAsksForAPicture)
{
    fwtest::CScriptedUiHost host;
    host.ExpectCancel(fwtest::CScriptedUiHost::Kind::FileOpen);
    view.OnImportBackground();
    EXPECT_EQ(view.m_bkWidth, 0);
    EXPECT_EQ(host.m_lastFileRequest.dwFlags & OFN_HIDEREADONLY, static_cast<DWORD>(OFN_HIDEREADONLY));
    EXPECT_FALSE(host.m_lastFileRequest.strFilter.IsEmpty());
}

TEST_F(EditFixture, ContextMenuIsRelabelledAndEnabledByTheView)
{
    SetLangTextLanguage(1); // English
    std::vector<CString> labels;
    UINT undoState = 0;
    UINT rotateState = 0;
    UINT typeState = 0;
    UINT finishState = 0;
    CString layer;
    view.m_trackMenu = [&](CMenu& menu, CPoint) {
        view.UpdateMenuState(menu);
        for (UINT id : { ID_EDIT_PORT, ID_EDIT_CLEAR, ID_EDIT_ROTATE, ID_EDIT_REVERSE_LAMPS, ID_EDIT_FINISH }) {
            CString text;
            menu.GetMenuString(id, text, MF_BYCOMMAND);
            labels.push_back(text);
        }
        CString scene;
        menu.GetMenuString(19, scene, MF_BYPOSITION);
        labels.push_back(scene);
        menu.GetMenuString(ID_EDIT_LAYER, layer, MF_BYCOMMAND);
        rotateState = ItemState(menu, ID_EDIT_ROTATE);
        typeState = ItemState(menu, ID_EDIT_ADJUST_TOOL);
        finishState = ItemState(menu, ID_EDIT_FINISH);
        undoState = ItemState(menu, ID_EDIT_CLEAR);
    };
    view.OnContextMenu(&view, CPoint(10, 10));
    EXPECT_EQ(labels,
        std::vector<CString>(
            { L"Edit port", L"Delete\tDel", L"Rotate", L"Reverse lamps", L"Finish", L"Scene layout" }));
    // No Chinese left in an English menu.
    EXPECT_EQ(layer, L"Layer settings");
    EXPECT_TRUE(rotateState & MF_GRAYED); // nothing selected
    EXPECT_TRUE(typeState & MF_GRAYED); // no handler: disabled, never a silent item
    EXPECT_FALSE(finishState & MF_GRAYED);
    EXPECT_FALSE(undoState & MF_GRAYED);
    SetLangTextLanguage(2);
}

TEST_F(EditFixture, EditPortTakesThePortUnderTheCursor)
{
    Put(2, { { 4, 4 } });
    Move(9, 9);
    view.OnEditPort();
    EXPECT_EQ(view.m_editMode, 0);
    Move(4, 4);
    view.OnEditPort();
    EXPECT_EQ(view.m_editMode, 1);
    EXPECT_EQ(view.m_currentPort, 2);
    view.OnFinish();
    EXPECT_EQ(view.m_editMode, 0);
}

// --- Lamp tools ---------------------------------------------------------------------------

TEST(PannexViewTools, RotationAngleFromTheCentre)
{
    const CLPoint c(10, 10);
    struct Case {
        CLPoint q;
        double angle;
    };
    const Case aligned[] = {
        { { 15, 10 }, 0 },
        { { 10, 5 }, 90 },
        { { 5, 10 }, 180 },
        { { 10, 15 }, 270 },
        { { 11, 9 }, 45 },
        { { 9, 9 }, 135 },
        { { 9, 11 }, 225 },
        { { 11, 11 }, 315 },
    };
    for (const Case& k : aligned)
        EXPECT_NEAR(CPannexView::AngleTo(c, k.q, true), k.angle, 1e-4) << k.q.x << "," << k.q.y;
    // Without alignment the normalised positions count, without the special
    // cases: straight right is atan2(+, 0) + 270 = 360.
    CLPoint cn = c;
    cn.m_normX = 0.5;
    cn.m_normY = 0.5;
    CLPoint right = cn;
    right.m_normX = 0.7;
    EXPECT_NEAR(CPannexView::AngleTo(cn, right, false), 360.0, 1e-4);
    CLPoint upRight = cn;
    upRight.m_normX = 0.6;
    upRight.m_normY = 0.4;
    EXPECT_NEAR(CPannexView::AngleTo(cn, upRight, false), 45.0, 1e-4);
}

TEST_F(EditFixture, MeasureShowsTheSizeInCellsAfterTwoPresses)
{
    SetLangTextLanguage(1);
    EXPECT_EQ(CPannexView::MeasureText(CLPoint(3, 4), CLPoint(10, 4)), CString(L"Size: X=8 Y=1"));
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"X=8 Y=1");
    view.OnMeasure();
    Click(3, 4);
    Click(10, 4);
    EXPECT_EQ(host.PendingCount(), 0u);
    EXPECT_EQ(view.m_measureArmed, 0);
    EXPECT_EQ(model.GetStepCount(), 0);
    SetLangTextLanguage(2);
}

TEST_F(EditFixture, OverlapPointsDuplicateEachSelectedLampOneStepEach)
{
    Put(0, { { 1, 1 }, { 2, 1 }, { 3, 1 } });
    Drag(0, 0, 2, 2); // lamps 1 and 2
    {
        TextAnswer answer(L"2", true);
        view.OnOverlapPoints();
        EXPECT_EQ(answer.prompt, CString(L"\u91CD\u53E0\u70B9\u6570"));
    }
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 1, 1 }, { 1, 1 }, { 1, 1 }, { 2, 1 }, { 2, 1 }, { 2, 1 }, { 3, 1 } }));
    EXPECT_EQ(model.GetStepCount(), 4);
    EXPECT_TRUE(model.m_selectedPorts.empty());
    EXPECT_EQ(model.m_modified, 1);
    model.UndoStep();
    EXPECT_EQ(model.GetPort(0).GetCount(), 6);
}

TEST_F(EditFixture, OverlapPointsStopAtTheFreeRoom)
{
    Setup(20, 16, 2, 8);
    Put(0, { { 1, 1 }, { 2, 1 } });
    Drag(0, 0, 3, 2);
    EXPECT_EQ(view.DuplicateSelectedLamps(1000000), 6);
    EXPECT_EQ(model.GetPort(0).GetCount(), 8);
    // No number: n = 0, only the selection goes.
    Drag(0, 0, 3, 2);
    TextAnswer answer(L"abc", true);
    view.OnOverlapPoints();
    EXPECT_EQ(model.GetPort(0).GetCount(), 8);
    EXPECT_TRUE(model.m_selectedPorts.empty());
}

TEST_F(EditFixture, ReverseLampsReversesEachRunOfSelectedLamps)
{
    Put(0, { { 0, 1 }, { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 }, { 5, 1 }, { 6, 1 }, { 7, 1 }, { 8, 1 } });
    // Lamps 2, 3, 4 and 7, 8 (1-based), by bands started on empty cells.
    Drag(1, 0, 3, 2);
    KeyDown(VK_CONTROL);
    Drag(6, 0, 7, 2);
    KeyUp(VK_CONTROL);
    view.OnReverseLamps();
    EXPECT_EQ(Cells(0),
        std::vector<CPoint>(
            { { 0, 1 }, { 3, 1 }, { 2, 1 }, { 1, 1 }, { 4, 1 }, { 5, 1 }, { 7, 1 }, { 6, 1 }, { 8, 1 } }));
    EXPECT_EQ(model.m_modified, 1);
    EXPECT_EQ(model.GetStepCount(), 0);
}

TEST_F(EditFixture, LampTypeOfThePortsOwnFormatIsStoredAsZero)
{
    Put(0, { { 1, 1 }, { 2, 1 } });
    model.GetPort(0).m_lampFormatIndex = 2;
    Drag(0, 0, 3, 2);
    view.SetSelectedLampType(4);
    EXPECT_EQ(model.GetPort(0).GetPoint(0).m_lampFormat, 5);
    view.SetSelectedLampType(2);
    EXPECT_EQ(model.GetPort(0).GetPoint(0).m_lampFormat, 0);
    EXPECT_EQ(model.GetPort(0).GetPoint(1).m_lampFormat, 0);
}

TEST_F(EditFixture, LayerPromptSetsTheLowEightBits)
{
    Put(0, { { 1, 1 } });
    Drag(0, 0, 1, 1);
    TextAnswer answer(L"258", true);
    view.OnLayer();
    EXPECT_EQ(model.GetPort(0).GetPoint(0).m_layer, 2);
    EXPECT_EQ(answer.prompt, CString(L"\u8BBE\u7F6E\u56FE\u5C42(0\u4E3A\u6700\u9876\u5C42)"));
}

TEST_F(EditFixture, InsertPutsTheNewLampBeforeTheHitLamp)
{
    Put(1, { { 0, 0 }, { 4, 0 } });
    Move(4, 0);
    view.OnInsert();
    EXPECT_EQ(view.m_editMode, 1);
    EXPECT_EQ(view.m_currentPort, 1);
    Click(2, 3);
    EXPECT_EQ(Cells(1), std::vector<CPoint>({ { 0, 0 }, { 2, 3 }, { 4, 0 } }));
    EXPECT_EQ(view.m_insertArmed, 0);
    EXPECT_EQ(model.GetStepCount(), 1);
    // At the first lamp the new one becomes the first.
    Move(0, 0);
    view.OnInsert();
    Click(1, 5);
    EXPECT_EQ(model.GetPort(1).GetPoint(0), CPoint(1, 5));
}

TEST_F(EditFixture, RotateTakesTheStartAngleThenTurnsTheSelection)
{
    Put(0, { { 10, 5 }, { 11, 5 } });
    Drag(9, 4, 12, 6);
    Move(10, 8); // the centre
    view.OnRotate();
    ASSERT_EQ(view.m_rotationArmed, 1);
    Click(10, 5); // straight above the centre: 90 degrees
    EXPECT_EQ(view.m_rotationRunning, 1);
    EXPECT_NEAR(view.m_rotationStartAngle, 90.0, 1e-9);
    Move(13, 8); // straight right: 0, a quarter turn clockwise
    EXPECT_EQ(Cells(0), std::vector<CPoint>({ { 10, 5 }, { 11, 5 } })); // preview only
    Click(13, 8);
    EXPECT_EQ(view.m_rotationRunning, 0);
    EXPECT_EQ(model.GetStepCount(), 1);
    EXPECT_EQ(Cells(0)[0], CPoint(13, 8));
}

// Every edit that changes what the file stores marks the layout modified.
TEST_F(EditFixture, EveryEditOfSavedContentMarksTheLayoutModified)
{
    struct Edit {
        const char* name;
        std::function<void(EditFixture&)> run;
    };
    const Edit edits[] = {
        { "click add", [](EditFixture& f) { f.view.SetEditMode(1), f.Click(9, 9); } },
        { "rectangle", [](EditFixture& f) { f.view.SetEditMode(1), f.Drag(9, 9, 10, 10); } },
        { "move one lamp", [](EditFixture& f) { f.Drag(1, 1, 9, 9); } },
        { "move selection", [](EditFixture& f) { f.Drag(0, 0, 1, 1), f.Drag(1, 1, 9, 9); } },
        { "delete", [](EditFixture& f) { f.Drag(0, 0, 1, 1), f.view.OnEditDelete(); } },
        { "hide", [](EditFixture& f) { f.Drag(0, 0, 1, 1), f.view.OnHideLamps(); } },
        { "layer", [](EditFixture& f) { f.Drag(0, 0, 1, 1), f.view.SetSelectedLayer(3); } },
        { "lamp type", [](EditFixture& f) { f.Drag(0, 0, 1, 1), f.view.SetSelectedLampType(1); } },
        { "reverse", [](EditFixture& f) { f.Drag(0, 0, 2, 1), f.view.OnReverseLamps(); } },
        { "overlap points", [](EditFixture& f) { f.Drag(0, 0, 1, 1), f.view.DuplicateSelectedLamps(1); } },
        { "crop", [](EditFixture& f) { CropLayoutToLamps(f.view, f.model); } },
        { "fast rectangle",
            [](EditFixture& f) {
                f.view.m_fastLampsPerPort = 64;
                f.view.m_fastWidth = 2;
                f.view.m_fastHeight = 2;
                f.view.m_currentPort = 2;
                f.view.SetEditMode(3);
                f.Click(12, 12);
            } },
    };
    for (const Edit& e : edits) {
        Setup(20, 16, 4, 64);
        Put(0, { { 1, 1 }, { 2, 1 } });
        ASSERT_EQ(model.m_modified, 0);
        e.run(*this);
        EXPECT_EQ(model.m_modified, 1) << e.name;
    }
    // Selecting, zooming and panning change nothing that is saved.
    Setup(20, 16, 4, 64);
    Put(0, { { 1, 1 }, { 2, 1 } });
    Drag(0, 0, 3, 3);
    Click(1, 1);
    view.ZoomAt(120, 20, 20);
    view.OnRButtonDown(MK_RBUTTON, CPoint(5, 5));
    view.OnMouseMove(MK_RBUTTON, CPoint(25, 5));
    view.OnRButtonUp(0, CPoint(25, 5));
    EXPECT_EQ(model.m_modified, 0);
}

TEST(PannexEditTexts, EveryLanguageFileHoldsTheEditTexts)
{
    for (int id : { 1, 2, 3, 4 }) {
        SetLangTextLanguage(id);
        for (int key : { 33, 34, 35, 36, 37, 38, 90, 91, 92, 133, 162, 187, 188, 189, 190, 202, 203, 220, 222, 226, 227,
                 228, 229 })
            EXPECT_FALSE(GetLangText(L"LAYOUT", key).IsEmpty()) << id << " " << key;
        EXPECT_NE(GetLangText(L"OTHER", 2).Find(L"*.bmp"), -1) << id;
    }
    SetLangTextLanguage(2);
}

TEST_F(EditFixture, ZoomStepTable)
{
    struct Case {
        const char* name;
        double start, fit;
        short delta;
        std::vector<double> steps;
    };
    const Case cases[] = {
        { "in above the fit lands on odd numbers", 1, 0.8, 120, { 3, 5, 7, 9 } },
        { "in from 4.5 with fit 2", 4.5, 2, 120, { 5 } },
        { "in below one by tenths, not rounded", 0.5, 2, 120, { 0.6, 0.7 } },
        { "out stops at the fit", 7, 2.5, -120, { 6, 5, 4, 3, 2.5, 1.5, 1.4, 1.3 } },
        { "in at 151 does nothing", 151, 2, 120, { 151 } },
        { "out at 0.2 does nothing", 0.2, 2, -120, { 0.2 } },
        { "up to 151", 147, 2, 120, { 149, 151, 151 } },
    };
    for (const Case& c : cases) {
        view.m_zoom = c.start;
        view.m_fitZoom = c.fit;
        for (double expected : c.steps) {
            view.ZoomAt(c.delta, 100, 80);
            EXPECT_NEAR(view.m_zoom, expected, 1e-9) << c.name;
        }
    }
}

TEST(PannexEditDialogs, UnitCountArrowsStepByOneNeverBelowOne)
{
    AfxSetDialogInitHook([](CDialog& live) {
        HWND spin = ::GetDlgItem(live.GetSafeHwnd(), IDC_UNIT_SPIN);
        auto arrow = [&](int delta) {
            NMUPDOWN change = {};
            change.hdr.hwndFrom = spin;
            change.hdr.idFrom = IDC_UNIT_SPIN;
            change.hdr.code = UDN_DELTAPOS;
            change.iDelta = delta;
            live.SendMessage(WM_NOTIFY, IDC_UNIT_SPIN, reinterpret_cast<LPARAM>(&change));
        };
        arrow(-1); // up: 3
        arrow(-1); // 4
        EXPECT_EQ(live.GetDlgItemInt(IDC_UNIT_NUMBER), 4u);
        for (int k = 0; k < 6; ++k)
            arrow(1);
        EXPECT_EQ(live.GetDlgItemInt(IDC_UNIT_NUMBER), 1u);
        arrow(-1);
        fwtest::ClickButton(live, IDOK);
    });
    int value = 2;
    EXPECT_TRUE(AskUnitNumber(nullptr, 7, value));
    EXPECT_EQ(value, 2);
    AfxSetDialogInitHook(nullptr);
}

TEST(PannexImageFile, DrawnStretchedIntoTheRectangleOrNotAtAll)
{
    // An 8 x 2 picture: red left half, blue right half.
    WCHAR temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const CString path = CString(temp) + L"pedit_two_pixels.bmp";
    {
        BITMAPFILEHEADER file = {};
        BITMAPINFOHEADER info = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + 2 * 24;
        info.biSize = sizeof(info);
        info.biWidth = 8;
        info.biHeight = 2;
        info.biPlanes = 1;
        info.biBitCount = 24;
        BYTE row[24] = {};
        for (int x = 0; x < 8; ++x)
            row[3 * x + (x < 4 ? 2 : 0)] = 255; // BGR: red, then blue
        CFile out(path, CFile::modeCreate | CFile::modeWrite);
        out.Write(&file, sizeof(file));
        out.Write(&info, sizeof(info));
        out.Write(row, sizeof(row));
        out.Write(row, sizeof(row));
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -10;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    auto pixel = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * 40 + x] & 0xFFFFFF; };
    std::fill_n(static_cast<DWORD*>(bits), 400, 0x00FF00u);

    EXPECT_FALSE(DrawImageFile(L"", dc, 0, 0, 40, 10));
    EXPECT_FALSE(DrawImageFile(CString(temp) + L"pedit_no_such_picture.bmp", dc, 0, 0, 40, 10));
    EXPECT_FALSE(DrawImageFile(path, dc, 10, 0, 10, 10)); // no width
    EXPECT_EQ(pixel(0, 0), 0x00FF00u);
    // Into (10, 2)-(30, 8): red on the left, blue on the right, nothing outside.
    EXPECT_TRUE(DrawImageFile(path, dc, 10, 2, 30, 8));
    ::GdiFlush();
    auto red = [&](int x, int y) { return (pixel(x, y) >> 16) & 0xFF; };
    auto blue = [&](int x, int y) { return pixel(x, y) & 0xFF; };
    EXPECT_GT(red(14, 5), 200u);
    EXPECT_LT(blue(14, 5), 60u);
    EXPECT_GT(blue(26, 5), 200u);
    EXPECT_LT(red(26, 5), 60u);
    EXPECT_EQ(pixel(9, 5), 0x00FF00u);
    EXPECT_EQ(pixel(30, 5), 0x00FF00u);
    EXPECT_EQ(pixel(20, 1), 0x00FF00u);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
    ::DeleteFileW(path);
}
