// Content commands: one effect editor at a time, the file choices before
// them, the hand-over of new and edited programs and the end of an editor.
#include "doc_test_support.h"

#include "ClipWriters.h"
#include "media_probe.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_image_show.h"
#include "program_video.h"

#include <chrono>

using namespace doctest;

namespace {

// Refuses video files whose name contains "bad"; counts every call.
class CFakeDecoders : public CMediaDecoders {
public:
    int FFmpegFileOpen(LPCWSTR path, HDC, int, int, int width, int height, int, int, int, int) override
    {
        m_calls.push_back(L"open");
        m_lastSize = width * 1000 + height;
        return CString(path).Find(L"bad") >= 0 ? -1 : 5;
    }
    void FFmpegFileForward(int) override { m_calls.push_back(L"forward"); }
    void FFmpegFileClose(int) override { m_calls.push_back(L"close"); }
    int SWFFileOpen(LPCWSTR path, HDC, int, int, int, int) override
    {
        m_calls.push_back(L"swf");
        return CString(path).Find(L"bad") >= 0 ? -1 : 6;
    }
    int SWFFileGetFrames(int) override { return 10; }
    void SWFFileSeekTo(int, int) override { }
    void SWFFileForward(int) override { }
    void SWFFileClose(int) override { }
    std::vector<CString> m_calls;
    int m_lastSize = 0;
};

class ContentTest : public DocTest {
protected:
    ContentTest() { m_previous = SetMediaDecoders(&m_decoders); }
    ~ContentTest() override { SetMediaDecoders(m_previous); }
    CFakeDecoders m_decoders;
    CMediaDecoders* m_previous = nullptr;
    CTempFolder m_folder;
};

} // namespace

TEST_F(ContentTest, AnAddInAnEmptyProjectMakesSegmentOneWithAView)
{
    BindFakePanels();
    ColorTemplate chosen;
    m_host.m_chooserResult = &chosen;
    m_doc->m_playState = PLAY_PLAYING;
    m_doc->AddColorEffect(7, FALSE);
    ASSERT_EQ(m_doc->m_segments.GetSize(), 1);
    EXPECT_EQ(m_doc->m_pCurrentViewNode, View(1, 1)->m_pNode);
    EXPECT_EQ(m_doc->m_listSelector, 0);
    EXPECT_EQ(m_doc->m_playState, PLAY_STOPPED);
    ASSERT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_EQ(m_host.m_requests[0].dialogId, IDD_EDITOR_COLOR_EFFECT);
    EXPECT_EQ(m_host.m_requests[0].style, 7);
    EXPECT_EQ(m_host.m_requests[0].chosenTemplate, &chosen);
    ASSERT_NE(m_doc->m_pColourEffectEditor, nullptr);

    // The editor's OK: a clone goes into the current view.
    auto* working = static_cast<ProgramColorEffect*>(NewEffect(60, 7));
    m_doc->AddProgram(working);
    ASSERT_EQ(View(1, 1)->m_programs.GetSize(), 1);
    EXPECT_NE(Prog(1, 1, 1), working);
    EXPECT_EQ(Prog(1, 1, 1)->m_pNode->m_name, CString(L"炫彩特效_01"));
    EXPECT_EQ(View(1, 1)->m_frames, 60);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 60);
    EXPECT_EQ(m_host.MessagesTo(DOC_PANEL_VIEW, WM_PROJECT_CHANGED).back().wParam, 1u);
    EXPECT_TRUE(m_host.MessagesTo(DOC_PANEL_VIEW, WM_PROJECT_CHANGED).back().posted);
    EXPECT_EQ(m_host.m_menu.back(), std::make_pair(static_cast<UINT>(ID_DOC_EXPORT_AVI), TRUE));

    // Closed: the preview list is freed (its programs are the editor's).
    m_doc->m_previewSegments.Add(new QvSegmentGourp);
    ProgramView* preview = new ProgramView;
    preview->m_programs.Add(working);
    m_doc->m_previewSegments.GetAt(0)->m_views.Add(preview);
    m_doc->OnEffectDialogClosed(IDD_EDITOR_COLOR_EFFECT);
    EXPECT_EQ(m_doc->m_pColourEffectEditor, nullptr);
    EXPECT_TRUE(m_host.m_editors.empty());
    EXPECT_EQ(m_doc->m_previewSegments.GetSize(), 0);
    EXPECT_EQ(m_doc->m_listSelector, 1);
    EXPECT_EQ(working->m_endFrame, 60); // still alive, the editor's to free
    delete working;
}

TEST_F(ContentTest, OneEditorAtATimeReCentresTheOpenOne)
{
    BindFakePanels();
    m_doc->OnAddColorfulWords();
    ASSERT_EQ(m_host.m_editors.size(), 1u);
    CFakeEditor* words = m_host.m_editors[0];
    int moves = words->m_moves;
    // Centred over the main window, truncating: (1001 - 300) / 2, (800 - 200) / 2.
    EXPECT_EQ(words->m_rect, CRect(450, 350, 750, 550));
    m_doc->OnAddFlickerStar();
    m_doc->AddColorPlus();
    m_doc->AddColorEffect(3, TRUE);
    EXPECT_EQ(m_host.m_editors.size(), 1u);
    EXPECT_EQ(words->m_moves, moves + 3);
    EXPECT_TRUE(m_doc->IsEffectDialogOpen());

    // The animation browser does not count and stays alive between uses.
    m_doc->OnEffectDialogClosed(IDD_EDITOR_COLORFUL_WORDS);
    m_doc->OnBuiltInEffects();
    ASSERT_NE(m_doc->m_pAnimationBrowser, nullptr);
    EXPECT_FALSE(m_doc->IsEffectDialogOpen());
    m_doc->OnEffectDialogClosed(IDD_EDITOR_ANI_PREVIEW);
    CEffectEditor* browser = m_doc->m_pAnimationBrowser;
    m_doc->OnBuiltInEffects();
    EXPECT_EQ(m_doc->m_pAnimationBrowser, browser);
    auto* fake = static_cast<CFakeEditor*>(browser);
    EXPECT_EQ(fake->m_rebuilds, 1);
    EXPECT_EQ(fake->m_relabels, 1);
    EXPECT_EQ(fake->m_shows, 2);
    m_doc->OnAddFlickerStar();
    EXPECT_NE(m_doc->m_pFlickerEditor, nullptr);
}

TEST_F(ContentTest, ChooserCancelAddsNothingAndScanLinesSkipIt)
{
    BindFakePanels();
    m_host.m_chooserOk = FALSE;
    m_doc->AddColorEffect(2, FALSE);
    EXPECT_EQ(m_host.CountCalls(L"Chooser"), 1u);
    EXPECT_TRUE(m_host.m_requests.empty());
    EXPECT_NE(m_doc->m_listSelector, 0);

    m_doc->OnCmdMsg(ID_DOC_ADD_SCAN_LINE, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(m_host.CountCalls(L"Chooser"), 1u);
    ASSERT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_EQ(m_host.m_requests[0].dialogId, IDD_EDITOR_SCAN_LINE);
    EXPECT_EQ(m_host.m_requests[0].style, 21);
}

TEST_F(ContentTest, MenuCommandsCarryTheirStyles)
{
    BindFakePanels();
    m_host.m_chooserOk = TRUE;
    const std::pair<UINT, int> commands[] = { { 32861, 4 }, { 32876, 6 }, { 32882, 19 } };
    for (auto [id, style] : commands) {
        m_doc->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
        ASSERT_FALSE(m_host.m_requests.empty()) << id;
        EXPECT_EQ(m_host.m_requests.back().style, style) << id;
        m_doc->OnEffectDialogClosed(IDD_EDITOR_COLOR_EFFECT);
    }
}

TEST_F(ContentTest, VideoFilesAreTriedAndShareThumbnails)
{
    BindFakePanels();
    CString bad = m_folder.File(L"bad.mp4");
    WriteText(bad, "x");
    m_host.m_langTexts = true;
    m_ui.ExpectFileOpen({ bad });
    m_ui.ExpectMessageBox(IDOK, L"HINT 18");
    m_doc->OnAddVideo();
    EXPECT_NE(m_ui.m_lastFileRequest.strFilter.Find(L"*.FLV;*.TOL||"), -1);
    EXPECT_EQ(m_doc->m_listSelector, 1);
    EXPECT_TRUE(m_host.m_requests.empty());
    EXPECT_EQ(m_decoders.m_lastSize, 100100); // tried at 100 x 100

    CString good = m_folder.File(L"good.mp4");
    WriteText(good, "x");
    m_ui.ExpectFileOpen({ good });
    m_doc->OnAddVideo();
    ASSERT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_EQ(m_host.m_requests[0].thumbnailIndex, 0);
    EXPECT_EQ(m_doc->m_listSelector, 0);
    m_doc->OnEffectDialogClosed(IDD_EDITOR_VIDEO);

    m_decoders.m_calls.clear();
    m_ui.ExpectFileOpen({ good });
    m_doc->OnAddVideo();
    EXPECT_EQ(m_host.m_requests.back().thumbnailIndex, 0);
    EXPECT_EQ(m_doc->m_mediaThumbs.GetSize(), 1);
    std::vector<CString> onlyTheTrial = { L"open", L"close" };
    EXPECT_EQ(m_decoders.m_calls, onlyTheTrial);
    m_doc->OnEffectDialogClosed(IDD_EDITOR_VIDEO);

    // Animations are not tried with the video library, but counted by their
    // own: one that library cannot open is refused with a message.
    CString swf = m_folder.File(L"logo.swf");
    WriteText(swf, "x");
    m_decoders.m_calls.clear();
    m_doc->AddVideoFile(swf);
    EXPECT_EQ(m_host.m_requests.back().thumbnailIndex, 1);
    std::vector<CString> countAndThumbnail = { L"swf", L"swf" };
    EXPECT_EQ(m_decoders.m_calls, countAndThumbnail);
    m_doc->OnEffectDialogClosed(IDD_EDITOR_VIDEO);
    const size_t requests = m_host.m_requests.size();
    CString badSwf = m_folder.File(L"bad.swf");
    WriteText(badSwf, "x");
    m_ui.ExpectMessageBox(IDOK, L"HINT 61");
    m_doc->AddVideoFile(badSwf);
    EXPECT_EQ(m_host.m_requests.size(), requests);
    EXPECT_EQ(m_doc->m_mediaThumbs.GetSize(), 2);
    EXPECT_EQ(m_doc->m_listSelector, 1);

    m_doc->OnEffectDialogClosed(IDD_EDITOR_VIDEO);
    m_ui.ExpectCancel(fwtest::CScriptedUiHost::Kind::FileOpen);
    m_doc->OnAddVideo();
    EXPECT_EQ(m_doc->m_listSelector, 1);
}

// Through the real video library: a few hundred bytes of AVI claiming a
// picture 1,221,355 pixels wide are refused from their headers at once,
// with the message that says why, and no editor opens.
TEST_F(ContentTest, AVideoWithPicturesTooLargeIsRefusedWithItsOwnMessage)
{
    BindFakePanels();
    SetMediaDecoders(nullptr);
    clipgen::AviStream stream { clipgen::StreamKind::RawVideo, 1221355, 16, { std::vector<uint8_t>(16, 0x55) } };
    CString giant = m_folder.File(L"giant.avi");
    ASSERT_TRUE(clipgen::WriteFileBytes(giant.GetString(), clipgen::BuildAvi({ stream }, 25)));
    m_host.m_langTexts = true;
    m_ui.ExpectMessageBox(IDOK, L"HINT 63");
    const auto start = std::chrono::steady_clock::now();
    m_doc->AddVideoFile(giant);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    EXPECT_LT(seconds.count(), 10.0) << "only a hang fails this";
    EXPECT_TRUE(m_host.m_requests.empty());
    EXPECT_EQ(m_doc->m_mediaThumbs.GetSize(), 0);
    EXPECT_EQ(m_doc->m_listSelector, 1);
}

TEST_F(ContentTest, ImageShowTakesEveryChosenFile)
{
    BindFakePanels();
    CString a = m_folder.File(L"a.png");
    CString b = m_folder.File(L"b.jpg");
    m_ui.ExpectFileOpen({ a, b });
    m_doc->OnAddImageShow();
    EXPECT_NE(m_ui.m_lastFileRequest.dwFlags & OFN_ALLOWMULTISELECT, 0u);
    EXPECT_EQ(m_ui.m_lastFileRequest.nMaxFile, kImageShowNameChars);
    ASSERT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_EQ(m_host.m_requests[0].dialogId, IDD_EDITOR_IMAGE_SHOW);
    // The image-show editor is not counted as open: another editor opens
    // beside it.
    m_doc->OnAddColorfulWords();
    ASSERT_EQ(m_host.m_requests.size(), 2u);
    EXPECT_EQ(m_host.m_requests[1].dialogId, IDD_EDITOR_COLORFUL_WORDS);
    m_doc->OnEffectDialogClosed(IDD_EDITOR_COLORFUL_WORDS);
    m_doc->OnEffectDialogClosed(IDD_EDITOR_IMAGE_SHOW);
    m_ui.ExpectCancel(fwtest::CScriptedUiHost::Kind::FileOpen);
    m_doc->OnAddImageShow();
    EXPECT_EQ(m_doc->m_listSelector, 1);
}

TEST_F(ContentTest, ScreenCaptureImportsTheClipAndResumesPlayback)
{
    BindFakePanels();
    BuildProject({ { 10 } });
    m_doc->m_playState = PLAY_PLAYING;
    m_doc->m_projectSettings.m_playFrames = 10;
    CString clip = m_folder.File(L"capture.avi");
    auto* captured = new ProgramVideo;
    captured->m_programType = PROGRAM_TYPE_MEDIA;
    captured->m_filePath = clip;
    captured->m_endFrame = 25;
    m_host.m_modalProgram = captured;
    m_ui.ExpectFileSave(clip);
    m_doc->OnScreenCapture();
    std::vector<CString> calls(m_host.m_calls.begin(), m_host.m_calls.begin() + 3);
    std::vector<CString> expected = { L"Minimize", L"Recorder", L"Maximize" };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(m_host.CountCalls(L"VideoModal"), 1u);
    EXPECT_FALSE(m_host.m_wasPlayingAtModal);
    EXPECT_EQ(View(1, 1)->m_programs.GetSize(), 2);
    EXPECT_EQ(Prog(1, 1, 2)->m_pNode->m_name, CString(L"capture.avi"));
    EXPECT_EQ(m_doc->m_listSelector, 1);
    EXPECT_EQ(m_doc->m_playState, PLAY_PLAYING);
    delete captured;

    // No file left by the recorder: nothing imported.
    m_host.m_recorderWrites = false;
    m_host.m_modalProgram = nullptr;
    m_ui.ExpectFileSave(m_folder.File(L"none.avi"));
    m_doc->OnScreenCapture();
    EXPECT_EQ(m_host.CountCalls(L"VideoModal"), 1u);
}

TEST_F(ContentTest, EditOpensTheEditorOfTheProgramsKindAndUpdatesIt)
{
    BindFakePanels();
    BuildProject({ { 10 } });
    auto* plus = new ProgramColorEffectPlusArray;
    plus->m_programType = PROGRAM_TYPE_COLOR_PLUS; // as read from a file
    auto* item = new ProgramColorEffectPlus;
    item->m_orgFrames = 30;
    plus->m_items.Add(item);
    plus->UpdateTotalFrames();
    m_doc->AddProgramToView(View(1, 1)->m_pNode, plus);
    m_doc->RecountViewFrames(View(1, 1));
    m_doc->RecountSegmentFrames(Seg(1));

    // A segment or view selected: nothing.
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(View(1, 1)->m_pNode);
    m_doc->OnEditMaterial();
    EXPECT_TRUE(m_host.m_requests.empty());

    m_doc->SelectNode(plus->m_pNode);
    m_doc->OnEditMaterial();
    ASSERT_EQ(m_host.m_requests.size(), 1u);
    EXPECT_EQ(m_host.m_requests[0].dialogId, IDD_EDITOR_COLOR_PLUS);
    EXPECT_TRUE(m_host.m_requests[0].editMode);
    EXPECT_EQ(m_host.m_requests[0].target, plus);
    EXPECT_EQ(m_doc->m_editSegment, 1);
    EXPECT_EQ(m_doc->m_editedProgramKind, PROGRAM_TYPE_COLOR_PLUS);
    m_doc->OnEditMaterial(); // an edit in progress: nothing more
    EXPECT_EQ(m_host.m_requests.size(), 1u);

    ProgramColorEffectPlusArray working;
    auto* longer = new ProgramColorEffectPlus;
    longer->m_orgFrames = 70;
    working.m_items.Add(longer);
    working.UpdateTotalFrames();
    m_doc->UpdateProgram(&working, plus);
    EXPECT_EQ(plus->m_endFrame, 70);
    EXPECT_EQ(View(1, 1)->m_frames, 80);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 80);

    m_doc->OnEffectDialogClosed(IDD_EDITOR_COLOR_PLUS);
    EXPECT_EQ(m_doc->m_editSegment, -1);
    // Without an edit in progress nothing changes.
    auto* shorter = new ProgramColorEffectPlus;
    shorter->m_orgFrames = 5;
    working.m_items.Add(shorter);
    working.UpdateTotalFrames();
    m_doc->UpdateProgram(&working, plus);
    EXPECT_EQ(plus->m_endFrame, 70);

    // Scan lines open the scan-line editor.
    auto* scan = static_cast<ProgramColorEffect*>(NewEffect(10, 23));
    m_doc->AddProgramToView(View(1, 1)->m_pNode, scan);
    m_doc->SelectNode(scan->m_pNode);
    m_doc->OnEditMaterial();
    EXPECT_EQ(m_host.m_requests.back().dialogId, IDD_EDITOR_SCAN_LINE);
}

TEST_F(ContentTest, AnEditedProgramDeletedMeanwhileIsNotWritten)
{
    BindFakePanels();
    BuildProject({ { 10, 20 } });
    m_doc->m_currentSegment = 1;
    Program* target = Prog(1, 1, 1);
    m_doc->SelectNode(target->m_pNode);
    m_doc->OnEditMaterial();
    ASSERT_EQ(m_doc->m_editSegment, 1);
    // The tree still works while the editor is open.
    m_doc->m_currentSegment = 1;
    m_doc->SelectNode(target->m_pNode);
    m_ui.ExpectMessageBox(IDYES);
    m_doc->OnDeleteNode();
    std::unique_ptr<Program> working(NewEffect(99));
    m_doc->UpdateProgram(working.get(), target); // target is freed: ignored
    EXPECT_EQ(View(1, 1)->m_programs.GetSize(), 1);
    EXPECT_EQ(Prog(1, 1, 1)->m_endFrame, 20);
}

TEST_F(ContentTest, ShowMakerReturnsToTheProjectList)
{
    m_doc->m_listSelector = 0;
    m_doc->OnShowMaker();
    EXPECT_EQ(m_host.CountCalls(L"ShowMaker"), 1u);
    EXPECT_EQ(m_doc->m_listSelector, 1);
}
