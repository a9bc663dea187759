// The show editor put together: the application's main frame with its
// document and the three real panels, a small generated project with a
// layout opened into it, and preview playback driven by the fake clock from
// the document's play commands through the program's document host, the
// player panel and the frame engine into the dot-matrix preview window.
#include "../shell/shell_test_support.h"

#include "AppPaths.h"
#include "color_template.h"
#include "panel_resource.h"
#include "player_panel.h"
#include "preview_canvas_adapter.h"
#include "program_color_effect.h"
#include "project_file.h"
#include "property_panel.h"
#include "show_messages.h"
#include "tree_panel.h"

#include <cstdio>

using fwtest::CScriptedUiHost;
using shelltest::CFakeServices;
using shelltest::CShellSession;
using shelltest::CTempProgramFolder;

namespace {

// A host for the document that only writes the project file: no windows.
class CQuietHost : public CDornelDocHost {
public:
    HWND GetMainWindow() override { return nullptr; }
    BOOL IsMainWindowVisible() override { return FALSE; }
    CString GetLangText(LPCTSTR, int) override { return CString(); }
};

Program* SolidEffect(COLORREF colour, int frames)
{
    auto* effect = new ProgramColorEffect;
    effect->m_orgFrames = frames;
    effect->m_startFrame = 1;
    effect->m_endFrame = frames;
    auto* colours = new ColorTemplate;
    colours->m_changeMode = ColorTemplate::CHANGE_SOLID;
    colours->m_colors.Add(colour);
    effect->m_templates.Add(colours);
    return effect;
}

void WriteBytes(const CString& path, const char* text)
{
    FILE* file = _wfopen(path, L"wb");
    ASSERT_NE(file, nullptr);
    std::fputs(text, file);
    std::fclose(file);
}

constexpr int kWidth = 32;
constexpr int kHeight = 16;
constexpr int kLamps = 16;

struct VantrelIntegration : ::testing::Test {
    CTempProgramFolder folder;
    CScriptedUiHost ui;
    CFakeServices services;

    void SetUp() override
    {
        ASSERT_TRUE(folder.CopyShippedLanguages());
        folder.WriteSoftConf(L"Vantrel", L"1033");
    }

    // Two segments of one view each: 20 red frames, then 30 blue frames, on
    // a 32 x 16 project at 25 frames per second with a layout; the pixel map
    // the controller library would write for it lights every other lamp of
    // the diagonal.
    CString WriteProject()
    {
        CString layout = folder.Path() + L"screen.lpx";
        WriteBytes(layout, "lpx");
        CStringA pix;
        pix.Format("%d,%d,bg.bmp\r\nC1P1,%d,RGB\r\n", kWidth, kHeight, kLamps);
        for (int i = 0; i < kLamps; ++i) {
            CStringA lamp;
            lamp.Format("%d,%d,0,0\r\n", 2 * i, i);
            pix += lamp;
        }
        services.m_pixPath = folder.Path() + L"screen.pix";
        WriteBytes(services.m_pixPath, pix);

        CString path = folder.Path() + L"show.LEDX";
        CQuietHost quiet;
        CDornelDoc writer;
        writer.SetHost(&quiet);
        writer.m_bAutoDelete = FALSE;
        writer.m_projectSettings.m_width = kWidth;
        writer.m_projectSettings.m_height = kHeight;
        writer.m_projectSettings.m_frameRate = 25;
        const COLORREF colours[] = { RGB(255, 0, 0), RGB(0, 0, 255) };
        const int frames[] = { 20, 30 };
        for (int i = 0; i < 2; ++i) {
            QvSegmentGourp* segment = writer.NewSegment(TRUE, FALSE);
            ProgramView* view = segment->m_views.GetAt(0);
            writer.AddProgramToView(view->m_pNode, SolidEffect(colours[i], frames[i]));
            writer.RecountViewFrames(view);
            writer.RecountSegmentFrames(segment);
        }
        writer.m_projectSettings.m_playFrames = 50;
        writer.m_projectSettings.m_layoutFile = layout;
        EXPECT_TRUE(WriteProjectFile(writer.m_segments, path, writer.m_projectSettings));
        return path;
    }
};

// Pixel (x, y) of a device context's selected bitmap.
COLORREF PixelOf(CDC* dc, int x, int y)
{
    return dc != nullptr ? ::GetPixel(dc->GetSafeHdc(), x, y) : CLR_INVALID;
}

// How many pixels of the canvas's composition layer have the colour
// 0x00RRGGBB (bottom-up DIB bits).
int CountComposed(CCanvas& canvas, DWORD rgb)
{
    DWORD* bits = canvas.GetCompositionBits();
    CanvasGeometry geometry = canvas.GetGeometry();
    if (bits == nullptr)
        return 0;
    int count = 0;
    for (int i = 0; i < geometry.canvasWidth * geometry.canvasHeight; ++i)
        count += (bits[i] & 0x00FFFFFF) == rgb ? 1 : 0;
    return count;
}

TEST_F(VantrelIntegration, OpenedProjectPlaysIntoThePreviewAndFillsTheTree)
{
    fwtest::CFakeClock clock;
    CString path = WriteProject();
    CShellSession s(services);
    ASSERT_NE(s.m_frame, nullptr);
    CMainFrame& frame = *s.m_frame;
    frame.ShowWindow(SW_SHOWNORMAL);
    frame.MoveWindow(0, 0, 1000, 700);
    fwtest::PumpPending();

    // The panes hold the real panels, bound to the document on the first update.
    auto* player = dynamic_cast<CViewpanel*>(frame.m_wndSplitter.GetPane(0, 1));
    auto* tree = dynamic_cast<CManagerPanel*>(frame.m_wndSplitter2.GetPane(0, 0));
    auto* props = dynamic_cast<CPropertypanel*>(frame.m_wndSplitter2.GetPane(1, 0));
    ASSERT_NE(player, nullptr);
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(props, nullptr);
    CDornelDoc* doc = s.Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_pViewPanel, player);
    EXPECT_EQ(doc->m_pTreePanel, tree);
    EXPECT_EQ(doc->m_pPropertyPanel, props);

    // The player made its own preview window inside the engine.
    CCanvasContainer& engine = player->GetEngine();
    auto* adapter = dynamic_cast<CPreviewCanvasAdapter*>(engine.GetCanvas());
    ASSERT_NE(adapter, nullptr);
    CCanvas& canvas = adapter->Canvas();
    ASSERT_NE(canvas.GetSafeHwnd(), nullptr);
    EXPECT_EQ(canvas.GetParent(), &engine);
    EXPECT_EQ(canvas.GetDocument(), doc);
    EXPECT_TRUE(engine.GetStyle() & SS_NOTIFY);

    // Opening applies the layout through the main frame and the controller screen.
    ASSERT_TRUE(doc->OnOpenDocument(path));
    fwtest::PumpPending();
    ASSERT_EQ(doc->m_segments.GetSize(), 2);
    EXPECT_EQ(doc->m_pixels.GetSize(), kLamps);
    EXPECT_TRUE(services.CountOf(L"SetLayout") >= 1);

    // The tree shows the two segments, each with its view and its effect.
    CTreeCtrl& items = tree->GetTree();
    EXPECT_EQ(items.GetCount(), 6u);
    HTREEITEM first = items.GetRootItem();
    ASSERT_NE(first, nullptr);
    HTREEITEM second = items.GetNextSiblingItem(first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(items.GetNextSiblingItem(second), nullptr);
    EXPECT_EQ(reinterpret_cast<NodeInfo*>(items.GetItemData(first)), doc->GetSegment(0)->m_pNode);
    EXPECT_EQ(reinterpret_cast<NodeInfo*>(items.GetItemData(second)), doc->GetSegment(1)->m_pNode);
    EXPECT_TRUE(items.ItemHasChildren(first));

    // Play through the document: the host starts the player and its engine.
    doc->OnPlay();
    EXPECT_EQ(doc->m_playState, PLAY_PLAYING);
    ASSERT_TRUE(clock.HasTimer(engine.GetSafeHwnd(), kPlayTimerId));
    EXPECT_EQ(player->GetButtonImage(ID_PLAYER_PLAY), PLAYER_IMAGE_PLAY_LIT);
    for (int i = 0; i < 5; ++i)
        clock.Advance(40);
    fwtest::PumpPending();
    EXPECT_EQ(engine.GetSegmentIndex(), 0);
    EXPECT_EQ(engine.GetRunningFrame(), 5);

    // Every frame reached the preview window: it holds the engine's image,
    // red in the first segment, and paints it through the lamp dots.
    ASSERT_NE(engine.GetOutputDC(), nullptr);
    EXPECT_EQ(canvas.GetFrame(), engine.GetOutputDC());
    EXPECT_EQ(PixelOf(canvas.GetFrame(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(canvas.GetFrame(), kWidth - 1, kHeight - 1), RGB(255, 0, 0));
    canvas.RedrawWindow();
    EXPECT_GT(CountComposed(canvas, 0xFF0000), 0);
    EXPECT_EQ(CountComposed(canvas, 0x0000FF), 0);

    // The progress display followed the frames.
    CString counter;
    player->GetCounter().GetWindowText(counter);
    EXPECT_EQ(counter, L"    5/50   ");

    // The next-segment command reaches the engine: blue frames follow.
    doc->OnNextSegment();
    EXPECT_EQ(engine.GetSegmentIndex(), 1);
    clock.Advance(40);
    clock.Advance(40);
    fwtest::PumpPending();
    EXPECT_EQ(PixelOf(canvas.GetFrame(), 0, 0), RGB(0, 0, 255));
    canvas.RedrawWindow();
    EXPECT_GT(CountComposed(canvas, 0x0000FF), 0);

    // And back to the first.
    doc->OnPrevSegment();
    EXPECT_EQ(engine.GetSegmentIndex(), 0);

    // Pause keeps the place and stops the timer; play resumes; stop rewinds.
    doc->OnPause();
    EXPECT_EQ(doc->m_playState, PLAY_PAUSED);
    EXPECT_FALSE(clock.HasTimer(engine.GetSafeHwnd(), kPlayTimerId));
    EXPECT_EQ(player->GetButtonImage(ID_PLAYER_PAUSE), PLAYER_IMAGE_PAUSE_LIT);
    doc->OnPlay();
    EXPECT_TRUE(clock.HasTimer(engine.GetSafeHwnd(), kPlayTimerId));
    doc->OnStop();
    EXPECT_EQ(doc->m_playState, PLAY_STOPPED);
    EXPECT_FALSE(clock.HasTimer(engine.GetSafeHwnd(), kPlayTimerId));
    EXPECT_EQ(engine.GetRunningFrame(), 0);
    EXPECT_EQ(player->GetButtonImage(ID_PLAYER_STOP), PLAYER_IMAGE_STOP_LIT);

    player->StopTemplateLoader();
}

} // namespace
