// The document's life cycle: new, open, save, merged save, the caption, the
// modified flag, playback and zoom.
#include "doc_test_support.h"

#include "media_probe.h"
#include "program_video.h"
#include "project_file.h"

using namespace doctest;

namespace {

// Counts thumbnail renders; refuses nothing.
class CCountingDecoders : public CMediaDecoders {
public:
    int FFmpegFileOpen(LPCWSTR, HDC, int, int, int, int, int, int, int, int) override
    {
        ++m_opens;
        return 7;
    }
    void FFmpegFileForward(int) override { }
    int FFmpegFileGetFrames(int) override { return 10; }
    void FFmpegFileClose(int) override { ++m_closes; }
    int m_opens = 0;
    int m_closes = 0;
};

} // namespace

TEST_F(DocTest, NewDocumentResetsTheProjectButKeepsSelectorAndLibraries)
{
    BindFakePanels();
    BuildProject({ { 10 } });
    m_doc->m_projectSettings.m_width = 64;
    m_doc->m_projectSettings.m_layoutMask = 0;
    m_doc->m_zoomPercent = 900;
    m_doc->m_listSelector = 1;
    m_doc->m_mediaPaths.Add(L"kept");
    m_doc->SetModifiedFlag();
    m_host.Clear();
    ASSERT_TRUE(m_doc->OnNewDocument());
    EXPECT_EQ(m_doc->m_segments.GetSize(), 0);
    EXPECT_EQ(m_doc->m_projectSettings.m_width, 200);
    EXPECT_EQ(m_doc->m_projectSettings.m_layoutMask, 0); // a view preference, kept
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 0);
    EXPECT_EQ(m_doc->m_zoomPercent, 400u);
    EXPECT_EQ(m_doc->m_currentSegment, -1);
    EXPECT_EQ(m_doc->m_pCurrentViewNode, nullptr);
    EXPECT_EQ(m_doc->m_listSelector, 1);
    EXPECT_EQ(m_doc->m_mediaPaths.GetSize(), 1);
    EXPECT_FALSE(m_doc->IsModified());
    // All panels bound: the tree, view and property panels are refreshed.
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_TREE, WM_PROJECT_CHANGED).size(), 1u);
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_PROPERTY, WM_PROJECT_CHANGED).size(), 1u);
}

TEST_F(DocTest, OpenBeforeThePanelsOnlyRemembersThePathAndBindPanelsOpensIt)
{
    CTempFolder folder;
    CString path = folder.File(L"show.LEDX");
    {
        CDornelDoc writer;
        writer.SetHost(&m_host);
        writer.m_bAutoDelete = FALSE;
        QvSegmentGourp* segment = writer.NewSegment(TRUE, FALSE);
        writer.AddProgramToView(segment->m_views.GetAt(0)->m_pNode, NewEffect(40));
        writer.RecountViewFrames(segment->m_views.GetAt(0));
        writer.RecountSegmentFrames(segment);
        writer.m_projectSettings.m_playFrames = 500; // above the total: clamped on open
        writer.m_projectSettings.m_colorMode = 11;
        ASSERT_TRUE(WriteProjectFile(writer.m_segments, path, writer.m_projectSettings));
    }
    // Command line: no panels yet.
    EXPECT_TRUE(m_doc->OnOpenDocument(path));
    EXPECT_EQ(m_doc->m_segments.GetSize(), 0);
    EXPECT_EQ(m_doc->m_projectPath, path);

    BindFakePanels();
    ASSERT_EQ(m_doc->m_segments.GetSize(), 1);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 40);
    EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, 40);
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    EXPECT_EQ(m_doc->m_opening, 1);
    EXPECT_EQ(m_host.m_frameColorMode, 11);
    ASSERT_EQ(m_host.m_fourColor.size(), 1u);
    EXPECT_EQ(m_host.m_fourColor[0], std::make_tuple(3, 11, 0));
    EXPECT_EQ(m_host.m_loadedRecord.size(), 280u);
    ASSERT_FALSE(m_host.m_captions.empty());
    EXPECT_EQ(m_host.m_captions.back(), CString(L"show.LEDX-Title"));
    EXPECT_FALSE(m_doc->IsModified());
    ExpectTreeNumbering();
}

TEST_F(DocTest, OpenOfAMissingOrBrokenFileFails)
{
    BindFakePanels();
    CTempFolder folder;
    m_ui.ExpectMessageBox(IDOK, L"Failed to open");
    EXPECT_FALSE(m_doc->OnOpenDocument(folder.File(L"missing.LEDX")));

    // A project that cannot be read leaves the open one as it was, its
    // unpacked layout included, and says so.
    BuildProject({ { 5 } });
    const CString layout = folder.File(L"kept.lpx");
    WriteText(layout, "layout");
    m_doc->m_projectSettings.m_layoutFile = layout;
    m_doc->m_projectPath = L"C:\\shows\\open.LEDX";
    m_doc->m_currentSegment = 1;
    for (const char* text :
        { "<?xml version=\"1.0\"?><Project VERSION=\"2\"><Segments><Seg", "", "<Project PROP_DOC_VER=\"-3\"/>" }) {
        CString broken = folder.File(L"broken.LEDX");
        WriteText(broken, text);
        m_ui.ExpectMessageBox(IDOK, L"Failed to open document");
        EXPECT_FALSE(m_doc->OnOpenDocument(broken)) << text;
        ASSERT_EQ(m_doc->m_segments.GetSize(), 1);
        EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 5);
        EXPECT_EQ(m_doc->m_projectSettings.m_layoutFile, layout);
        EXPECT_TRUE(FileExists(layout));
        EXPECT_EQ(m_doc->m_projectPath, CString(L"C:\\shows\\open.LEDX"));
        EXPECT_EQ(m_doc->m_currentSegment, 1);
    }
    EXPECT_EQ(m_ui.PendingCount(), 0u);
}

TEST_F(DocTest, SaveWritesTheProjectWithTheFramesHardwareRecord)
{
    BindFakePanels();
    CTempFolder folder;
    BuildProject({ { 10, 20 }, { 5 } });
    m_doc->m_playState = PLAY_PLAYING;
    ASSERT_TRUE(m_doc->IsModified());
    CString path = folder.File(L"saved.LEDX");
    m_host.m_visible = FALSE; // the save caption is set even when hidden
    ASSERT_TRUE(m_doc->OnSaveDocument(path));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    EXPECT_EQ(m_host.CountCalls(L"StopPlay"), 1u);
    EXPECT_EQ(m_doc->m_projectPath, path);
    EXPECT_EQ(m_host.m_captions.back(), CString(L"saved.LEDX-Vantrel"));

    SegmentList read;
    ProjSet settings;
    ASSERT_EQ(ReadProjectFile(read, path, settings), kProjectFileVersion);
    EXPECT_EQ(read.GetSize(), 2);
    EXPECT_EQ(settings.m_totalFrames, 35);
    EXPECT_EQ(settings.m_hardwareRecord[0], 0x5A);
    EXPECT_EQ(settings.m_hardwareRecord[279], 0x5A);
    FreeSegments(read);
}

TEST_F(DocTest, AFailedSaveIsReportedAndLeavesTheProjectModified)
{
    BindFakePanels();
    CTempFolder folder;
    BuildProject({ { 10 } });
    m_doc->m_projectPath = L"before.LEDX";
    CString path = folder.File(L"no such folder\\saved.LEDX");
    m_ui.ExpectMessageBox(IDOK, L"Failed to save document");
    EXPECT_FALSE(m_doc->OnSaveDocument(path));
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(m_doc->m_projectPath, CString(L"before.LEDX"));
    EXPECT_TRUE(m_host.m_captions.empty());
}

TEST_F(DocTest, MergedSaveAppendsTheExtensionAndStaysMerged)
{
    BindFakePanels();
    CTempFolder folder;
    BuildProject({ { 10 } });
    m_ui.ExpectFileSave(folder.File(L"gate"));
    m_doc->OnMergeSave();
    EXPECT_EQ(m_ui.m_lastFileRequest.strFilter, CString(L"Vantrel Project (*.LEDX)|*.LEDX||"));
    EXPECT_TRUE(FileExists(folder.File(L"gate.LEDX")));
    EXPECT_EQ(m_doc->m_projectSettings.m_withResource, 1);
    EXPECT_EQ(m_host.m_captions.back(), CString(L"gate.LEDX(合并素材)-Vantrel"));
    EXPECT_EQ(m_doc->GetPathName().Right(9), CString(L"gate.LEDX"));
    // In another language the caption says so in that language.
    m_host.m_langTexts = true;
    m_ui.ExpectFileSave(folder.File(L"door"));
    m_doc->OnMergeSave();
    EXPECT_EQ(m_host.m_captions.back(), CString(L"door.LEDX(ITEM_TITLE 280)-Vantrel"));
    m_host.m_langTexts = false;

    // A name that already carries the extension after its first character,
    // in any case, is kept.
    m_ui.ExpectFileSave(folder.File(L"x.LEDX.bak"));
    m_doc->OnMergeSave();
    EXPECT_TRUE(FileExists(folder.File(L"x.LEDX.bak")));
    m_ui.ExpectFileSave(folder.File(L"lower.ledx"));
    m_doc->OnMergeSave();
    EXPECT_EQ(m_doc->GetPathName().Right(10), CString(L"lower.ledx"));
    EXPECT_FALSE(FileExists(folder.File(L"lower.ledx.LEDX")));

    // Cancelled: nothing is written.
    m_ui.ExpectCancel(fwtest::CScriptedUiHost::Kind::FileSave);
    m_doc->OnMergeSave();
}

TEST_F(DocTest, MergedSaveThatFailsDoesNotTurnTheProjectMerged)
{
    BindFakePanels();
    CTempFolder folder;
    BuildProject({ { 10 } });
    m_ui.ExpectFileSave(folder.File(L"missing\\gate.LEDX"));
    m_ui.ExpectMessageBox(IDOK, L"Failed to save document");
    m_doc->OnMergeSave();
    EXPECT_EQ(m_doc->m_projectSettings.m_withResource, 0);
    EXPECT_TRUE(m_doc->GetPathName().IsEmpty());
}

TEST_F(DocTest, WindowTitleOnlyWithAPathAndAVisibleWindow)
{
    m_doc->RefreshWindowTitle();
    EXPECT_TRUE(m_host.m_captions.empty());
    m_doc->m_projectPath = L"\\top.LEDX"; // a backslash only at the start: whole path
    m_host.m_visible = FALSE;
    m_doc->RefreshWindowTitle();
    EXPECT_TRUE(m_host.m_captions.empty());
    m_host.m_visible = TRUE;
    m_doc->RefreshWindowTitle();
    ASSERT_EQ(m_host.m_captions.size(), 1u);
    EXPECT_EQ(m_host.m_captions[0], CString(L"\\top.LEDX-Vantrel"));
}

TEST_F(DocTest, OpenRendersOneThumbnailPerMediaFile)
{
    CCountingDecoders decoders;
    CMediaDecoders* previous = SetMediaDecoders(&decoders);
    CTempFolder folder;
    CString clip = folder.File(L"clip.avi");
    WriteText(clip, "not really a video");
    CString path = folder.File(L"media.LEDX");
    {
        CDornelDoc writer;
        writer.SetHost(&m_host);
        writer.m_bAutoDelete = FALSE;
        QvSegmentGourp* segment = writer.NewSegment(TRUE, FALSE);
        for (int i = 0; i < 2; ++i) {
            auto* video = new ProgramVideo;
            video->m_programType = PROGRAM_TYPE_MEDIA;
            video->m_filePath = clip;
            video->m_endFrame = 10;
            writer.AddProgramToView(segment->m_views.GetAt(0)->m_pNode, video);
        }
        writer.m_projectSettings.m_layoutFile = folder.File(L"layout.lpx");
        ASSERT_TRUE(WriteProjectFile(writer.m_segments, path, writer.m_projectSettings));
        writer.m_projectSettings.m_layoutFile.Empty();
    }
    BindFakePanels();
    ASSERT_TRUE(m_doc->OnOpenDocument(path));
    EXPECT_EQ(m_doc->m_mediaPaths.GetSize(), 1);
    EXPECT_EQ(m_doc->m_mediaThumbs.GetSize(), 1);
    EXPECT_EQ(decoders.m_opens, 1);
    EXPECT_EQ(decoders.m_closes, 1);
    SetMediaDecoders(previous);
}

TEST_F(DocTest, PlayPauseStopFollowTheirStates)
{
    // Nothing plays without segments or without frames to play.
    m_doc->OnPlay();
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    BuildProject({ { 10 } });
    m_doc->m_projectSettings.m_playFrames = 0;
    m_doc->OnPlay();
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    m_doc->m_projectSettings.m_playFrames = 10;

    m_doc->OnPause(); // not playing: nothing
    m_doc->OnNextSegment();
    m_doc->OnPrevSegment();
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    m_doc->OnPlay();
    EXPECT_EQ(m_doc->m_playState, PLAY_PLAYING);
    m_doc->OnPlay(); // already playing: nothing more
    m_doc->OnNextSegment();
    m_doc->OnPrevSegment();
    m_doc->OnPause();
    EXPECT_EQ(m_doc->m_playState, PLAY_PAUSED);
    m_doc->OnPlay();
    m_doc->OnStop();
    m_doc->OnStop();
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    std::vector<CString> expected
        = { L"StartPlay", L"NextSegment", L"PrevSegment", L"PausePlay", L"StartPlay", L"StopPlay", L"StopPlay" };
    EXPECT_EQ(m_host.m_calls, expected);

    // The preview list is what plays while an editor is open.
    m_doc->m_listSelector = 0;
    m_doc->OnPlay();
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
}

TEST_F(DocTest, ZoomStepsAndLimits)
{
    BindFakePanels();
    struct Case {
        unsigned from;
        bool in;
        unsigned to;
        bool sent;
    };
    const Case cases[] = {
        { 50, true, 100, true },
        { 100, true, 200, true },
        { 1800, true, 1900, true },
        { 1900, true, 1900, false },
        { 1850, true, 1900, true }, // a zoom set from the list: never past the top
        { 100, false, 50, true },
        { 400, false, 300, true },
        { 50, false, 50, false },
    };
    for (const Case& c : cases) {
        m_doc->m_zoomPercent = c.from;
        m_host.Clear();
        if (c.in)
            m_doc->ZoomIn();
        else
            m_doc->ZoomOut();
        EXPECT_EQ(m_doc->m_zoomPercent, c.to) << c.from << (c.in ? " in" : " out");
        auto sent = m_host.MessagesTo(DOC_PANEL_VIEW, WM_CANVAS_COMMAND);
        ASSERT_EQ(sent.size(), c.sent ? 1u : 0u) << c.from;
        if (c.sent) {
            EXPECT_EQ(sent[0].wParam, static_cast<WPARAM>(CANVAS_ZOOM_STEP));
            EXPECT_EQ(sent[0].lParam, static_cast<LPARAM>(c.to));
        }
    }
    m_doc->OnZoomReset();
    EXPECT_EQ(m_doc->m_zoomPercent, 400u);
    m_doc->m_projectSettings.m_height = 1;
    m_host.Clear();
    m_doc->OnZoomReset();
    EXPECT_EQ(m_doc->m_zoomPercent, 1200u);
    auto sent = m_host.MessagesTo(DOC_PANEL_VIEW, WM_CANVAS_COMMAND);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].wParam, static_cast<WPARAM>(CANVAS_ZOOM_CENTRE));
}

TEST_F(DocTest, LayoutPixelsAdoptTheMapAndReportTheCountOutsideAnOpen)
{
    BindFakePanels();
    CTempFolder folder;
    CString pix = folder.File(L"screen.pix");
    WriteText(
        pix, "20,10,bg.bmp\r\nC1P1,2,RGB\r\n0,0,0,0\r\n1,0,0,0\r\nC1P2,3,RGB\r\n0,1,0,0\r\n1,1,1,0\r\n2,1,0,0\r\n");
    BuildProject({ { 10 } });
    m_doc->m_opening = 1; // just opened: no message this time
    m_doc->LoadLayoutPixels(pix);
    EXPECT_EQ(m_doc->m_opening, 0);
    EXPECT_EQ(m_doc->m_pixels.GetSize(), 4); // the masked lamp is left out
    EXPECT_EQ(m_doc->m_maxPixelsPerPort, 2);
    EXPECT_EQ(m_doc->m_controllerCount, 1);
    EXPECT_EQ(m_doc->m_projectSettings.m_width, 20);
    EXPECT_EQ(m_doc->m_projectSettings.m_height, 10);
    EXPECT_EQ(m_doc->m_zoomPercent, 100u);
    EXPECT_TRUE(m_doc->IsModified());

    // The same size again: no rebuild, but the mask and zoom still are.
    m_host.Clear();
    m_ui.ExpectMessageBox(IDOK, L"项目总共使用了 4 个像素");
    m_doc->LoadLayoutPixels(pix);
    auto sent = m_host.MessagesTo(DOC_PANEL_VIEW, WM_CANVAS_COMMAND);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].wParam, static_cast<WPARAM>(CANVAS_REBUILD_DOT_MASK));
    EXPECT_EQ(sent[1].wParam, static_cast<WPARAM>(CANVAS_ZOOM_CENTRE));

    // A map that does not read: size kept, max pixels the larger side.
    m_ui.ExpectMessageBox(IDOK, L"项目总共使用了 0 个像素");
    m_doc->LoadLayoutPixels(folder.File(L"none.pix"));
    EXPECT_EQ(m_doc->m_maxPixelsPerPort, 20);
    EXPECT_EQ(m_doc->m_controllerCount, 1);

    // Clearing the layout deletes the unpacked files.
    CString layout = folder.File(L"screen.lpx");
    WriteText(layout, "lpx");
    m_doc->SetLayoutFile(layout);
    m_doc->m_pixPath = pix;
    m_doc->ClearLayout();
    EXPECT_FALSE(FileExists(layout));
    EXPECT_FALSE(FileExists(pix));
    EXPECT_TRUE(m_doc->m_projectSettings.m_layoutFile.IsEmpty());
}

TEST_F(DocTest, ProjectPageChangesAndRefusedValues)
{
    BindFakePanels();
    CTempFolder folder;
    struct Case {
        int id;
        LPCWSTR text;
        int width, height, rate, layoutType, playFrames;
    };
    const Case cases[] = {
        { 1, L"128px", 128, 50, 25, 1, 0 },
        { 2, L"0", 128, 50, 25, 1, 0 }, // no canvas of height 0
        { 2, L"64", 128, 64, 25, 1, 0 },
        { 3, L"0", 128, 64, 25, 1, 0 }, // the play timer would divide by it
        { 3, L"30", 128, 64, 30, 1, 0 },
        { 5, L"3 dots", 128, 64, 30, 3, 0 },
        { 27, L"999", 128, 64, 30, 3, 999 },
        { 40, L"5", 128, 64, 30, 3, 999 },
    };
    for (const Case& c : cases) {
        m_doc->SetModifiedFlag(FALSE);
        EXPECT_EQ(m_doc->OnProjectPropertyChanged(c.id, c.text), 1);
        EXPECT_TRUE(m_doc->IsModified()) << c.id;
        EXPECT_EQ(m_doc->m_projectSettings.m_width, c.width) << c.id;
        EXPECT_EQ(m_doc->m_projectSettings.m_height, c.height) << c.id;
        EXPECT_EQ(m_doc->m_projectSettings.m_frameRate, c.rate) << c.id;
        EXPECT_EQ(m_doc->m_projectSettings.m_layoutType, c.layoutType) << c.id;
        EXPECT_EQ(m_doc->m_projectSettings.m_playFrames, c.playFrames) << c.id;
    }
    // Background: only an existing file or nothing.
    m_doc->OnProjectPropertyChanged(6, folder.File(L"missing.png"));
    EXPECT_TRUE(m_doc->m_projectSettings.m_backgroundImage.IsEmpty());
    CString image = folder.File(L"bg.png");
    WriteText(image, "png");
    m_doc->OnProjectPropertyChanged(6, image);
    EXPECT_EQ(m_doc->m_projectSettings.m_backgroundImage, image);
    m_doc->OnProjectPropertyChanged(77, L"", TRUE);
    EXPECT_EQ(m_doc->m_projectSettings.m_layoutMask, -1);
    m_doc->OnProjectPropertyChanged(77, L"", FALSE);
    EXPECT_EQ(m_doc->m_projectSettings.m_layoutMask, 0);
}

TEST_F(DocTest, OfflineSettingsAndOutputStarts)
{
    BindFakePanels();
    m_doc->SetOfflinePassword(L"abcd", 1);
    EXPECT_EQ(m_doc->m_offlineEncryption, 1);
    EXPECT_EQ(std::string(m_doc->m_offlinePassword, 4), "abcd");
    m_doc->SetOfflinePassword(L"xy", 0); // short: the rest is zero, never read past
    EXPECT_EQ(std::string(m_doc->m_offlinePassword, 4), std::string("xy\0\0", 4));
    m_doc->SetOfflineFolder(L"D:\\out");
    EXPECT_EQ(m_doc->GetOfflineFolder(), CString(L"D:\\out"));

    m_doc->ExportAvi();
    m_doc->StartOfflineRecording();
    EXPECT_EQ(m_host.m_menu.size(), 4u); // both items disabled twice
    EXPECT_TRUE(m_host.MessagesTo(DOC_PANEL_VIEW, WM_EXPORT_AVI).empty());
    BuildProject({ { 10 } });
    m_host.Clear();
    m_doc->ExportAvi();
    m_doc->StartOfflineRecording();
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_VIEW, WM_EXPORT_AVI).size(), 1u);
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_VIEW, WM_RECORD_OFFLINE).size(), 1u);
    EXPECT_TRUE(m_host.m_menu.empty());
}
