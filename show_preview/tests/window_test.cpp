// The document, the magnifier, the slider's click rule and the two content
// dialogs of the program, run in-process with the program's resources and a
// scripted UI host (no dialog or message box is ever shown).
#include <gtest/gtest.h>

#include "CaptionBar.h"
#include "FrameRender.h"
#include "LeftDocker.h"
#include "Magnifier.h"
#include "ShowFileWriter.h"
#include "TaviskDoc.h"
#include "fw_testing.h"

using namespace tavisk_test;
using namespace preview;

namespace {

TestShow ColourShow(int frames)
{
    TestShow show;
    for (int f = 0; f < frames; ++f)
        show.frames.push_back(PackPort(1, { Lamps({ RGB(f, 100, 200), RGB(7, 8, 9) }) }));
    return show;
}

// A hidden top-level window for the child dialogs.
class CHostWindow : public CWnd {
public:
    bool Make()
    {
        INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX),
            ICC_WIN95_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES };
        InitCommonControlsEx(&controls);
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        return CreateEx(0, nullptr, L"host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr) != FALSE;
    }
    ~CHostWindow() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }
};

COLORREF DcPixel(CDC& dc, int x, int y)
{
    return ::GetPixel(dc.m_hDC, x, y);
}

} // namespace

TEST(TaviskDocument, OpensFilesAndReportsFailures)
{
    fwtest::CScriptedUiHost host;
    CScratchFolder folder;
    WriteBytes(folder.Path(L"OFF001.arm"), ShowBytes(ColourShow(3)));
    WriteBytes(folder.Path(L"OFF002.arm"), std::vector<BYTE>(5000, 1)); // too short
    // A good show cut inside its first frame: the header blocks are whole.
    std::vector<BYTE> cut = ShowBytes(ColourShow(2));
    cut.resize(preview::kFramesOffset + 700);
    WriteBytes(folder.Path(L"OFF004.arm"), cut);
    CTaviskDoc doc;
    EXPECT_FALSE(doc.OpenShowFile(0)); // empty list: nothing, no message
    doc.m_fileList.Add(folder.Path(L"OFF001.arm"));
    doc.m_fileList.Add(folder.Path(L"OFF002.arm"));
    doc.m_fileList.Add(folder.Path(L"OFF003.arm")); // missing
    doc.m_fileList.Add(folder.Path(L"OFF004.arm"));
    EXPECT_FALSE(doc.OpenShowFile(-1));
    EXPECT_EQ(doc.m_currentIndex, -1);
    EXPECT_TRUE(doc.GetCurrentFilePath().IsEmpty());

    ASSERT_TRUE(doc.OpenShowFile(0));
    EXPECT_EQ(doc.m_geometry.frameCount, 3u);
    EXPECT_EQ(doc.GetCurrentFilePath(), folder.Path(L"OFF001.arm"));
    const std::vector<BYTE> blockA = doc.m_blockA;
    for (int index : { 1, 2, 3 }) {
        host.ExpectMessageBox(IDOK, L"文件打开失败");
        EXPECT_FALSE(doc.OpenShowFile(index));
        // The previous show stays open as it was, its file index included.
        EXPECT_EQ(doc.m_currentIndex, 0) << index;
        EXPECT_EQ(doc.GetCurrentFilePath(), folder.Path(L"OFF001.arm")) << index;
        EXPECT_EQ(doc.m_geometry.frameCount, 3u) << index;
        EXPECT_EQ(doc.m_blockA, blockA) << index;
    }
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST(TaviskDocument, RendersTheCurrentFrameRawOrOnTheLayout)
{
    fwtest::CScriptedUiHost host;
    CScratchFolder folder;
    TestShow show = ColourShow(3);
    WriteBytes(folder.Path(L"OFF001.arm"), ShowBytes(show));
    TestLayout layout;
    layout.width = 4;
    layout.height = 3;
    layout.controllers = { { { { CLPoint(3, 0), CLPoint(1, 2) } } } };
    WriteBytes(folder.Path(L"good.lpx"), CurrentLayoutBytes(layout));
    WriteBytes(folder.Path(L"bad.lpx"), { 'Q', 'V', 'T', 'N', 'L', 'A', 'Y', 'O', 'U', 'T', 6 });

    CTaviskDoc doc;
    doc.m_fileList.Add(folder.Path(L"OFF001.arm"));
    ASSERT_TRUE(doc.OpenShowFile(0));
    std::vector<BYTE> picture;
    CSize size;
    auto keep = [&](const std::vector<BYTE>& p, CSize s) {
        picture = p;
        size = s;
    };
    ASSERT_TRUE(doc.RenderFrame(2, keep));
    EXPECT_EQ(size, CSize(2, 1));
    EXPECT_EQ(picture[2], 2); // red of lamp 0 in frame 2
    EXPECT_FALSE(doc.RenderFrame(3, keep)); // past the last frame

    doc.SetLayoutFile(folder.Path(L"good.lpx"));
    EXPECT_TRUE(doc.LayoutLoaded());
    ASSERT_TRUE(doc.RenderFrame(1, keep));
    EXPECT_EQ(size, CSize(4, 3));
    // Lamp 0 at (3, 0): the top row, stored last.
    const BYTE* top = picture.data() + (2 * 4 + 3) * 4;
    EXPECT_EQ(RGB(top[2], top[1], top[0]), RGB(1, 100, 200));
    const BYTE* bottom = picture.data() + 1 * 4;
    EXPECT_EQ(RGB(bottom[2], bottom[1], bottom[0]), RGB(7, 8, 9));

    // A layout that cannot be read leaves the picture raw, and says so.
    host.ExpectMessageBox(IDOK, kLayoutRefusedText);
    EXPECT_EQ(doc.SetLayoutFile(folder.Path(L"bad.lpx")), LayoutChoice::Refused);
    EXPECT_EQ(host.PendingCount(), 0u);
    EXPECT_FALSE(doc.LayoutLoaded());
    EXPECT_EQ(doc.PictureSize(), CSize(2, 1));
    EXPECT_EQ(doc.SetLayoutFile(folder.Path(L"good.lpx")), LayoutChoice::Loaded);
    EXPECT_TRUE(doc.LayoutLoaded());
    EXPECT_EQ(doc.SetLayoutFile(CString()), LayoutChoice::Cleared); // raw again
    EXPECT_FALSE(doc.LayoutLoaded());
    EXPECT_EQ(doc.PictureSize(), CSize(2, 1));
}

TEST(Magnifier, FitsASquareAndScalesElevenPixels)
{
    EXPECT_EQ(FitAspect(CRect(0, 0, 200, 110), 11, 11), CRect(45, 0, 155, 110));
    EXPECT_EQ(FitAspect(CRect(0, 0, 110, 200), 11, 11), CRect(0, 45, 110, 155));
    EXPECT_EQ(FitAspect(CRect(0, 0, 99, 99), 11, 11), CRect(0, 0, 99, 99));

    // A 20 x 10 picture: pixel (x, y) has red x * 10, green y * 20.
    const CSize size(20, 10);
    std::vector<BYTE> pixels(20 * 10 * 4, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            BYTE* p = pixels.data() + ((9 - y) * 20 + x) * 4;
            p[2] = BYTE(x * 10);
            p[1] = BYTE(y * 20);
        }
    pixels[((9 - 4) * 20 + 6) * 4 + 0] = 255; // (6, 4) white
    pixels[((9 - 4) * 20 + 6) * 4 + 1] = 255;
    pixels[((9 - 4) * 20 + 6) * 4 + 2] = 255;

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    BITMAPINFO info {};
    info.bmiHeader = PictureHeader(CSize(130, 110));
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    {
        CSelectGuard guard(dc, bitmap);
        // Point (3, 2): cells of 10 x 10 pixels from x = 10 (130 - 110 = 20, centred).
        DrawMagnifier(dc, CRect(0, 0, 130, 110), pixels.data(), size, CPoint(3, 2));
        EXPECT_EQ(DcPixel(dc, 5, 50), RGB(192, 192, 192)); // beside the square
        EXPECT_EQ(DcPixel(dc, 10 + 5 * 10 + 5, 5 * 10 + 5), RGB(30, 40, 0)); // the centre cell
        EXPECT_EQ(DcPixel(dc, 10 + 8 * 10 + 3, 9 * 10 + 3), RGB(60, 120, 0)); // pixel (6, 6)
        EXPECT_EQ(DcPixel(dc, 10 + 0 * 10 + 3, 9 * 10 + 3), RGB(192, 192, 192)); // (-2, 6): outside
        EXPECT_EQ(DcPixel(dc, 10 + 5 * 10, 5 * 10 + 5), RGB(255, 255, 255)); // white outline
        // A white centre is outlined in red.
        DrawMagnifier(dc, CRect(0, 0, 130, 110), pixels.data(), size, CPoint(6, 4));
        EXPECT_EQ(DcPixel(dc, 10 + 5 * 10 + 5, 5 * 10 + 5), RGB(255, 255, 255));
        EXPECT_EQ(DcPixel(dc, 10 + 5 * 10, 5 * 10 + 5), RGB(255, 0, 0));
    }
    DeleteObject(bitmap);
}

TEST(Slider, ClicksBesideTheThumbJumpToTheFrameUnderTheMouse)
{
    const CRect channel(10, 0, 110, 4);
    EXPECT_EQ(CQvSliderCtrl::ClickPosition(channel, 0, 50), -1); // a 1-frame file: left to the slider
    EXPECT_EQ(CQvSliderCtrl::ClickPosition(channel, 9, 10), 0);
    EXPECT_EQ(CQvSliderCtrl::ClickPosition(channel, 9, 60), 5);
    EXPECT_EQ(CQvSliderCtrl::ClickPosition(channel, 9, 110), 9);
    EXPECT_EQ(CQvSliderCtrl::ClickPosition(channel, 249, 12), 3); // steps below a pixel
}

TEST(LeftPane, ListsTheShowFilesOfTheFolderAndOpensTheChosenOne)
{
    fwtest::CScriptedUiHost host;
    CScratchFolder folder;
    for (const wchar_t* name : { L"OFF001.arm", L"OFF002.arm", L"OFF003.arm" })
        WriteBytes(folder.Path(name), ShowBytes(ColourShow(2)));
    WriteBytes(folder.Path(L"notes.txt"), { 1 });
    CHostWindow parent;
    ASSERT_TRUE(parent.Make());
    CTaviskDoc doc;
    CLeftDockerContent content;
    ASSERT_TRUE(content.Create(IDD_LEFT_CONTENT, &parent));
    content.SetDocument(&doc);
    content.m_magnifierX = 9;
    content.ListShowFolder(folder.Path(L"OFF002.arm"));
    ASSERT_EQ(content.m_fileList.GetCount(), 3);
    CString name;
    content.m_fileList.GetText(content.m_fileList.GetCurSel(), name);
    EXPECT_EQ(name, CString(L"OFF002.arm"));
    EXPECT_EQ(doc.GetCurrentFilePath(), folder.Path(L"OFF002.arm"));
    EXPECT_EQ(fwtest::GetItemText(content, IDC_PORT_COUNT), CString(L"1"));
    EXPECT_EQ(fwtest::GetItemText(content, IDC_FIRST_PORT), CString(L"1"));
    EXPECT_EQ(content.m_magnifierX, 0);

    // Files named ".ARM" are not listed; the list stays empty.
    CScratchFolder upper;
    WriteBytes(upper.Path(L"OFF001.ARM"), ShowBytes(ColourShow(2)));
    content.ListShowFolder(upper.Path(L"OFF001.ARM"));
    EXPECT_EQ(content.m_fileList.GetCount(), 0);
    EXPECT_EQ(doc.m_fileList.GetSize(), 0);
    // A folder that does not exist leaves the list as it was.
    content.ListShowFolder(folder.Path(L"gone\\OFF001.arm"));
    EXPECT_EQ(doc.m_fileList.GetSize(), 0);
    content.DestroyWindow();
}

TEST(CaptionBar, CounterSliderAndButtonImages)
{
    fwtest::CScriptedUiHost host;
    CScratchFolder folder;
    WriteBytes(folder.Path(L"OFF001.arm"), ShowBytes(ColourShow(250)));
    CTaviskDoc doc;
    doc.m_fileList.Add(folder.Path(L"OFF001.arm"));
    ASSERT_TRUE(doc.OpenShowFile(0));
    CHostWindow parent;
    ASSERT_TRUE(parent.Make());
    CCaptionContent content;
    ASSERT_TRUE(content.Create(IDD_CAPTION_CONTENT, &parent));
    content.m_document = &doc;
    EXPECT_EQ(fwtest::GetItemText(content.m_dialogBar, IDC_FRAME_COUNTER), CString(L"0/0"));
    content.ResetSlider();
    EXPECT_EQ(fwtest::GetItemText(content.m_dialogBar, IDC_FRAME_COUNTER), CString(L"0/250"));
    EXPECT_EQ(content.m_slider.GetRangeMax(), 249);
    content.ShowPlayState(int(kPlayStateFrame), 9);
    EXPECT_EQ(fwtest::GetItemText(content.m_dialogBar, IDC_FRAME_COUNTER), CString(L"   10/  250"));
    EXPECT_EQ(content.m_slider.GetPos(), 9);
    content.ShowPlayState(int(kPlayStateFrame), 250); // beyond the range: ignored
    EXPECT_EQ(content.m_slider.GetPos(), 9);

    auto images = [&] {
        return std::vector<int> { content.ButtonImage(ID_PREVIEW_PLAY), content.ButtonImage(ID_PREVIEW_PAUSE),
            content.ButtonImage(ID_PREVIEW_STOP) };
    };
    EXPECT_EQ(images(), (std::vector<int> { 0, 1, 5 })); // stopped at start
    content.ShowPlayState(int(kPlayStateShow), kPlayStatePlaying);
    EXPECT_EQ(images(), (std::vector<int> { 3, 1, 2 }));
    content.ShowPlayState(int(kPlayStateShow), kPlayStatePaused);
    EXPECT_EQ(images(), (std::vector<int> { 0, 4, 2 }));
    content.ShowPlayState(int(kPlayStateShow), 99);
    EXPECT_EQ(images(), (std::vector<int> { 0, 1, 5 }));
    content.DestroyWindow();
}
