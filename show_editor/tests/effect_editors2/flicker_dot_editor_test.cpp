// The flicker-dot editor opened through the document: start values, frames
// from the project's frame rate, typed values and their limits, random
// colours, fixed stars for fixed settings, and the hand-over on OK.
#include "ce_flicker_star.h"
#include "dornel_doc.h"
#include "editors2_resource.h"
#include "flicker_dot_editor.h"
#include "flicker_star_render.h"
#include "fw_testing.h"
#include "show_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <cstdlib>
#include <vector>

#include "gdiplus_session.h"

namespace {

class CMainWnd : public CWnd {
public:
    CDornelDoc* m_pDoc = nullptr;

protected:
    LRESULT OnClosed(WPARAM wParam, LPARAM)
    {
        if (m_pDoc != nullptr)
            m_pDoc->OnEffectDialogClosed(static_cast<int>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainWnd, CWnd)
ON_MESSAGE(WM_EFFECT_DIALOG_CLOSED, OnClosed)
END_MESSAGE_MAP()

class CFlickerHost : public CDornelDocHost {
public:
    HWND GetMainWindow() override { return m_pMain->GetSafeHwnd(); }
    BOOL GetMainWindowRect(CRect& rect) override
    {
        rect.SetRect(0, 0, 800, 600);
        return TRUE;
    }
    void SetMainWindowCaption(const CString&) override { }
    void EnableFileMenuItem(UINT, BOOL) override { }
    CEffectEditor* CreateEffectEditor(const EffectEditorRequest& request) override
    {
        if (request.dialogId != IDD_EDITOR_FLICKER_DOT)
            return nullptr;
        auto* dlg = new CDlgFlickerDot;
        dlg->SetDocument(m_pDoc);
        dlg->SetEditTarget(request.editMode ? request.target : nullptr);
        if (!dlg->CreateEditor(m_pMain)) {
            delete dlg;
            return nullptr;
        }
        return dlg;
    }
    CDornelDoc* m_pDoc = nullptr;
    CWnd* m_pMain = nullptr;
};

class FlickerDotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.CreateEx(
            0, AfxRegisterWndClass(0), L"Main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        m_main.m_pDoc = &m_doc;
        m_host.m_pDoc = &m_doc;
        m_host.m_pMain = &m_main;
        m_doc.m_bAutoDelete = FALSE;
        m_doc.SetHost(&m_host);
        m_doc.m_listSelector = 1;
        m_doc.m_projectSettings.m_frameRate = 25;
    }
    void TearDown() override
    {
        if (m_doc.m_pFlickerEditor != nullptr)
            m_doc.OnEffectDialogClosed(IDD_EDITOR_FLICKER_DOT);
        m_main.DestroyWindow();
    }
    CDlgFlickerDot* Open()
    {
        m_doc.OnCmdMsg(ID_DOC_ADD_FLICKER_STAR, CN_COMMAND, nullptr, nullptr);
        return dynamic_cast<CDlgFlickerDot*>(m_doc.m_pFlickerEditor);
    }
    void PumpClose()
    {
        fwtest::PumpUntil([&] { return m_doc.m_pFlickerEditor == nullptr; }, 3000);
    }

    CMainWnd m_main;
    CFlickerHost m_host;
    CDornelDoc m_doc;
};

void ChooseEntry(CDialog& d, int id, LPCTSTR text)
{
    HWND box = ::GetDlgItem(d.GetSafeHwnd(), id);
    int index = static_cast<int>(
        ::SendMessage(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    ASSERT_GE(index, 0) << CStringA(text).GetString();
    ::SendMessage(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// Typed into a box that then loses the focus.
void TypeValue(CDialog& d, int id, LPCTSTR text)
{
    HWND box = ::GetDlgItem(d.GetSafeHwnd(), id);
    ::SetWindowTextW(box, text);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(box));
}

} // namespace

TEST_F(FlickerDotTest, StartValuesGiveFiftyStarsOfOneColourAndEightySevenFrames)
{
    CDlgFlickerDot* dlg = Open();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(m_doc.m_listSelector, 0);
    CEFlickerStar* star = dlg->WorkingCopy();
    EXPECT_EQ(star->m_programType, PROGRAM_TYPE_FLICKER_STAR);
    EXPECT_EQ(star->m_orgFrames, 87);
    EXPECT_EQ(star->m_endFrame, 87);
    EXPECT_EQ(m_doc.m_previewSettings.m_playFrames, 87);
    EXPECT_FLOAT_EQ(star->m_speed, 1.0f);
    EXPECT_FLOAT_EQ(star->m_playTime, 3.5f);
    EXPECT_EQ(star->m_starCount, 50);
    EXPECT_EQ(star->m_size, 8);
    EXPECT_EQ(star->m_shape, 0);
    EXPECT_EQ(star->m_minBrightness, 0);
    EXPECT_EQ(star->m_maxBrightness, 255);
    EXPECT_EQ(star->m_backgroundColor, RGB(0, 0, 0));
    ASSERT_EQ(star->m_phases.GetSize(), 50);
    ASSERT_EQ(star->m_startPoints.GetSize(), 50);
    CRect view;
    m_doc.GetCurrentViewRect(view);
    for (int i = 0; i < 50; ++i) {
        const StartPoint& p = star->m_startPoints.GetAt(i);
        EXPECT_EQ(p.m_color, static_cast<COLORREF>(0x00FFFF));
        EXPECT_GE(p.m_x, 0);
        EXPECT_LT(p.m_x, view.Width());
        EXPECT_LT(p.m_y, view.Height());
        EXPECT_LT(star->m_phases[i], 510);
    }
    // Places come from the C runtime's generator seeded with 255 (phases from
    // the one seeded with 510), as everywhere else in the program.
    std::srand(255);
    const int x0 = std::rand() % view.Width();
    const int y0 = std::rand() % view.Height();
    EXPECT_EQ(star->m_startPoints[0].m_x, x0);
    EXPECT_EQ(star->m_startPoints[0].m_y, y0);
    std::srand(510);
    EXPECT_EQ(star->m_phases[0], std::rand() % 510);
    // The same settings give the same stars.
    std::vector<std::pair<int, int>> first;
    for (int i = 0; i < 50; ++i)
        first.push_back({ star->m_startPoints[i].m_x, star->m_startPoints[i].m_y });
    ChooseEntry(*dlg, IDC_FD_SHAPE, L"矩形");
    EXPECT_EQ(star->m_shape, 1);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(
            first[static_cast<size_t>(i)], std::make_pair(star->m_startPoints[i].m_x, star->m_startPoints[i].m_y));
}

TEST_F(FlickerDotTest, ChosenAndTypedValuesAreReadWithTheirLimits)
{
    m_doc.m_projectSettings.m_frameRate = 30;
    CDlgFlickerDot* dlg = Open();
    ASSERT_NE(dlg, nullptr);
    CEFlickerStar* star = dlg->WorkingCopy();
    ChooseEntry(*dlg, IDC_FD_PLAY_TIME, L"10");
    EXPECT_EQ(star->m_orgFrames, 300);
    EXPECT_EQ(m_doc.m_previewSettings.m_totalFrames, 300);
    ChooseEntry(*dlg, IDC_FD_SPEED, L"0.33x");
    EXPECT_FLOAT_EQ(star->m_speed, 0.33f);
    TypeValue(*dlg, IDC_FD_BRIGHT_TO, L"300");
    EXPECT_EQ(star->m_maxBrightness, 44);
    TypeValue(*dlg, IDC_FD_SIZE, L"0");
    EXPECT_EQ(star->m_size, 1);
    TypeValue(*dlg, IDC_FD_STAR_COUNT, L"7");
    EXPECT_EQ(star->m_startPoints.GetSize(), 7);
    EXPECT_EQ(star->m_phases.GetSize(), 7);
    // A play time of 0 leaves the preview stopped; nothing is refused.
    TypeValue(*dlg, IDC_FD_PLAY_TIME, L"0");
    EXPECT_EQ(star->m_orgFrames, 0);
    EXPECT_NE(m_doc.m_playState, 0);
}

TEST_F(FlickerDotTest, RandomColoursDisableTheStarSwatchAndColourEachStar)
{
    CDlgFlickerDot* dlg = Open();
    ASSERT_NE(dlg, nullptr);
    ::SendDlgItemMessage(dlg->GetSafeHwnd(), IDC_FD_RANDOM, BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg->GetSafeHwnd(), IDC_FD_STAR_COLOR)));
    CEFlickerStar* star = dlg->WorkingCopy();
    EXPECT_EQ(star->m_randomStartColor, 1);
    std::set<COLORREF> colours;
    for (int i = 0; i < star->m_startPoints.GetSize(); ++i)
        colours.insert(star->m_startPoints[i].m_color);
    EXPECT_GT(colours.size(), 10u);
}

TEST_F(FlickerDotTest, TheSwatchTakesThePickedColour)
{
    fwtest::CScriptedUiHost ui;
    ui.ExpectColor(RGB(10, 20, 30));
    CDlgFlickerDot* dlg = Open();
    ASSERT_NE(dlg, nullptr);
    HWND swatch = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_FD_BACK_COLOR);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FD_BACK_COLOR, STN_CLICKED), reinterpret_cast<LPARAM>(swatch));
    EXPECT_EQ(dlg->WorkingCopy()->m_backgroundColor, RGB(10, 20, 30));
    EXPECT_EQ(ui.PendingCount(), 0u);
}

TEST_F(FlickerDotTest, OkAddsTheProgramAndTheEditOpensItAgainWithItsValues)
{
    CDlgFlickerDot* dlg = Open();
    ASSERT_NE(dlg, nullptr);
    ChooseEntry(*dlg, IDC_FD_STAR_COUNT, L"20");
    fwtest::ClickButton(*dlg, IDOK);
    PumpClose();
    EXPECT_EQ(m_doc.m_pFlickerEditor, nullptr);
    EXPECT_EQ(m_doc.m_listSelector, 1);
    QvSegmentGourp* segment = m_doc.GetSegment(0);
    ASSERT_NE(segment, nullptr);
    ASSERT_GT(segment->m_views.GetSize(), 0);
    auto& programs = segment->m_views[0]->m_programs;
    ASSERT_EQ(programs.GetSize(), 1);
    auto* added = dynamic_cast<CEFlickerStar*>(programs[0]);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_starCount, 20);
    EXPECT_EQ(added->m_startFrame, 1);
    EXPECT_EQ(added->m_endFrame, 87);

    // Edit mode shows the stored values and changes the program in place.
    added->m_playTime = 2.0f;
    added->m_maxBrightness = 100;
    auto* editor = new CDlgFlickerDot;
    editor->SetDocument(&m_doc);
    editor->SetEditTarget(added);
    // As the edit command leaves the document.
    m_doc.m_listSelector = 0;
    m_doc.m_editSegment = 1;
    ASSERT_TRUE(editor->CreateEditor(&m_main));
    m_doc.m_pFlickerEditor = editor;
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_FD_PLAY_TIME), CString(L"2.00"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_FD_STAR_COUNT), CString(L"20"));
    EXPECT_EQ(fwtest::GetItemText(*editor, IDC_FD_BRIGHT_TO), CString(L"100"));
    EXPECT_EQ(editor->WorkingCopy()->m_orgFrames, 50);
    fwtest::ClickButton(*editor, IDOK);
    PumpClose();
    EXPECT_EQ(programs.GetSize(), 1);
    EXPECT_EQ(added->m_endFrame, 50);
}

TEST_F(FlickerDotTest, CancelOnlyNotifiesAndTheDocumentTearsTheEditorDown)
{
    CDlgFlickerDot* dlg = Open();
    ASSERT_NE(dlg, nullptr);
    fwtest::ClickButton(*dlg, IDCANCEL);
    PumpClose();
    EXPECT_EQ(m_doc.m_pFlickerEditor, nullptr);
    EXPECT_EQ(m_doc.m_listSelector, 1);
    EXPECT_EQ(m_doc.GetSegment(0)->m_views[0]->m_programs.GetSize(), 0);
}

TEST_F(FlickerDotTest, ThePreviewDrawsEachStarAtItsStartPoint)
{
    CGdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    CDlgFlickerDot* dlg = Open();
    ASSERT_NE(dlg, nullptr);
    // Both brightness ends at full: every star shows its colour.
    TypeValue(*dlg, IDC_FD_BRIGHT_FROM, L"255");
    TypeValue(*dlg, IDC_FD_STAR_COUNT, L"10");
    // Squares cover their first pixel, the star's start point.
    ChooseEntry(*dlg, IDC_FD_SHAPE, L"矩形");
    CEFlickerStar* star = dlg->WorkingCopy();
    CRect view;
    m_doc.GetCurrentViewRect(view);

    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = view.Width();
    info.bmiHeader.biHeight = -view.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HGDIOBJ old = ::SelectObject(memory, dib);
    std::vector<StartPoint> points;
    for (int i = 0; i < star->m_startPoints.GetSize(); ++i)
        points.push_back(star->m_startPoints[i]);
    ASSERT_EQ(points.size(), 10u);
    EXPECT_EQ(DrawFlickerStars(CDC::FromHandle(memory), *star), 1);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (const StartPoint& p : points) {
        DWORD px = pixels[p.m_y * view.Width() + p.m_x] & 0xFFFFFF;
        // 0x00FFFF is red and green: 0xFFFF00 in the DIB's BGR order.
        EXPECT_EQ(px, 0xFFFF00u) << p.m_x << "," << p.m_y;
    }
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
}
