// The colour-sequence dialog run through ShowMaker and driven by the
// framework's dialog hook: the starting sequence, adding and removing, the
// sequence labels, preview, play, pause and stop on a fake clock, the grey
// test and an AVI export read back with AVIFile.
#include "EasyMovieDlg.h"
#include "GraysetArg.h"
#include "NumberInputDlg.h"
#include "Quorra.h"
#include "QuorraApp.h"
#include "QuorraResource.h"
#include "fw_langtext.h"
#include "fw_testing.h"
#include "fw_window_texts.h"

#include <gtest/gtest.h>
#include <vfw.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using fwtest::CScriptedUiHost;

// Runs ShowMaker; drive gets the live sequence dialog, nested dialogs go to
// nested (when given). The hook is removed afterwards.
void RunMaker(const std::function<void(CEasyMovieDlg&)>& drive, const std::function<void(CDialog&)>& nested = nullptr)
{
    bool driven = false;
    AfxSetDialogInitHook([&](CDialog& live) {
        if (auto* pMaker = dynamic_cast<CEasyMovieDlg*>(&live)) {
            if (driven)
                return;
            driven = true;
            drive(*pMaker);
            if (::IsWindow(live.GetSafeHwnd()))
                live.SendMessage(WM_CLOSE);
        } else if (nested) {
            nested(live);
        } else {
            ADD_FAILURE() << "unexpected dialog";
            live.EndDialog(IDCANCEL);
        }
    });
    TheQuorraApp().InitInstance();
    ShowMaker();
    AfxSetDialogInitHook(nullptr);
    EXPECT_TRUE(driven);
}

quorra::Sequence SequenceOf(CEasyMovieDlg& dlg)
{
    return dlg.m_pView->GetSequence();
}

// A host window that records the playback states posted to it.
class CStateWnd : public CWnd {
public:
    CStateWnd() { CreateEx(0, nullptr, L"states", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    ~CStateWnd() override { DestroyWindow(); }
    std::vector<int> m_states;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOVIE_PLAYBACK_STATE) {
            m_states.push_back(static_cast<int>(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A memory DC the dialog mirrors its preview colours into.
class COutCanvas {
public:
    COutCanvas()
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateBitmap(4, 4, 1, 32, nullptr);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
    }
    ~COutCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    COLORREF Take()
    {
        COLORREF c = m_dc.GetPixel(1, 1);
        m_dc.FillSolidRect(0, 0, 4, 4, kNothing);
        return c;
    }
    static constexpr COLORREF kNothing = RGB(1, 2, 3);
    CDC m_dc;

private:
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

TEST(EasyMovieDlg, OpensWithFourColoursAndAddsPaletteThenRandomColours)
{
    CScriptedUiHost host;
    COLORREF expectedRandom = 0;
    RunMaker([&](CEasyMovieDlg& dlg) {
        quorra::Sequence s = SequenceOf(dlg);
        ASSERT_EQ(s.size(), 4u);
        const COLORREF first[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0) };
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(s[i].color, first[i]);
            EXPECT_EQ(s[i].duration, 25);
            EXPECT_FALSE(s[i].fade);
        }
        fwtest::ClickButton(dlg, IDC_ADD);
        s = SequenceOf(dlg);
        ASSERT_EQ(s.size(), 8u);
        EXPECT_EQ(s[4].color, RGB(0, 255, 255));
        EXPECT_EQ(s[5].color, RGB(255, 0, 255));
        EXPECT_EQ(s[6].color, RGB(255, 255, 255));
        std::srand(255);
        int r = std::rand() & 0xFF;
        int g = std::rand() & 0xFF;
        int b = std::rand() & 0xFF;
        expectedRandom = RGB(r, g, b);
        EXPECT_EQ(s[7].color, expectedRandom);

        // The 7th element starts the second row, right under the first.
        CRect first0, seventh;
        dlg.m_pView->GetElement(0)->pButton->GetWindowRect(&first0);
        dlg.m_pView->GetElement(6)->pButton->GetWindowRect(&seventh);
        EXPECT_EQ(seventh.left, first0.left);
        EXPECT_EQ(seventh.top - first0.top, 72);
        EXPECT_EQ(dlg.m_pView->GetTotalSize(), CSize(300, 146));

        fwtest::SetItemText(dlg, IDC_COLOUR_COUNT, L"10");
        fwtest::ClickButton(dlg, IDC_REMOVE);
        EXPECT_EQ(dlg.m_pView->GetCount(), 0);
        fwtest::SetItemText(dlg, IDC_COLOUR_COUNT, L"3");
        fwtest::ClickButton(dlg, IDC_ADD);
        EXPECT_EQ(dlg.m_pView->GetCount(), 3);
        fwtest::ClickButton(dlg, IDC_CLEAR);
        EXPECT_EQ(dlg.m_pView->GetCount(), 0);
    });
}

TEST(EasyMovieDlg, SequenceLabelsToggleFadeAndAskForDurations)
{
    CScriptedUiHost host;
    int round = 0;
    RunMaker(
        [&](CEasyMovieDlg& dlg) {
            quorra::CSequenceLabel* label = dlg.m_pView->GetElement(1)->pSequence;
            label->SendMessage(WM_LBUTTONDOWN, 0, 0);
            EXPECT_EQ(label->m_bFade, 1);
            label->SendMessage(WM_LBUTTONDOWN, 0, 0);
            EXPECT_EQ(label->m_bFade, 0);
            label->SendMessage(WM_RBUTTONDOWN, 0, 0); // cancelled
            EXPECT_EQ(label->m_nDuration, 25);
            label->SendMessage(WM_RBUTTONDOWN, 0, 0); // 40 entered
            EXPECT_EQ(label->m_nDuration, 40);
            EXPECT_EQ(SequenceOf(dlg)[1].duration, 40);
        },
        [&](CDialog& number) {
            EXPECT_NE(dynamic_cast<quorra::CNumberInputDlg*>(&number), nullptr);
            EXPECT_EQ(fwtest::GetItemText(number, IDC_NUMBER_EDIT), L"25");
            if (round++ == 0) {
                fwtest::ClickButton(number, IDCANCEL);
            } else {
                fwtest::SetItemText(number, IDC_NUMBER_EDIT, L"40");
                fwtest::ClickButton(number, IDOK);
            }
        });
}

TEST(EasyMovieDlg, PreviewStepsOnTheTimerAndMirrorsIntoTheOutputDC)
{
    CScriptedUiHost host;
    fwtest::CFakeClock clock;
    COutCanvas out;
    SetColorOutDC(&out.m_dc);
    const COLORREF A = RGB(200, 0, 0);
    const COLORREF B = RGB(0, 0, 100);
    RunMaker([&](CEasyMovieDlg& dlg) {
        dlg.m_pView->RemoveAll();
        dlg.m_pView->AddElement(A, 3);
        dlg.m_pView->AddElement(B, 2);
        fwtest::ClickButton(dlg, IDC_PREVIEW);
        EXPECT_TRUE(clock.HasTimer(dlg.GetSafeHwnd(), 1));
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PREVIEW), L"停止预览");
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_EXPORT)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_PREVIEW)));
        out.Take();
        std::vector<COLORREF> shown;
        for (int i = 0; i < 9; ++i) {
            clock.Fire(dlg.GetSafeHwnd(), 1);
            shown.push_back(out.Take());
        }
        const COLORREF N = COutCanvas::kNothing;
        std::vector<COLORREF> expected { A, A, A, N, B, B, N, N, A };
        EXPECT_EQ(shown, expected);
        fwtest::ClickButton(dlg, IDC_PREVIEW);
        EXPECT_FALSE(clock.HasTimer(dlg.GetSafeHwnd(), 1));
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PREVIEW), L"预览");
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_EXPORT)));
    });
    SetColorOutDC(nullptr);
}

TEST(EasyMovieDlg, PlayPauseStopPostTheirStatesAndPauseKeepsThePlace)
{
    CScriptedUiHost host;
    fwtest::CFakeClock clock;
    CStateWnd states;
    SetMsgHandleWnd(states.GetSafeHwnd());
    COutCanvas out;
    SetColorOutDC(&out.m_dc);
    RunMaker([&](CEasyMovieDlg& dlg) {
        dlg.m_pView->RemoveAll();
        dlg.m_pView->AddElement(RGB(10, 0, 0), 2);
        dlg.m_pView->AddElement(RGB(0, 20, 0), 2);
        fwtest::ClickButton(dlg, IDC_PLAY);
        EXPECT_TRUE(clock.HasTimer(dlg.GetSafeHwnd(), 1));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_PLAY)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_PAUSE)));
        for (int i = 0; i < 3; ++i)
            clock.Fire(dlg.GetSafeHwnd(), 1);
        fwtest::ClickButton(dlg, IDC_PAUSE);
        EXPECT_FALSE(clock.HasTimer(dlg.GetSafeHwnd(), 1));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_PLAY)));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_PAUSE)));
        // Play again after the pause goes on with the second element.
        fwtest::ClickButton(dlg, IDC_PLAY);
        out.Take();
        clock.Fire(dlg.GetSafeHwnd(), 1);
        EXPECT_EQ(out.Take(), RGB(0, 20, 0));
        fwtest::ClickButton(dlg, IDC_STOP);
        EXPECT_EQ(dlg.m_nMode, MAKER_IDLE);
        fwtest::ClickButton(dlg, IDC_STOP); // idle: no state posted
        fwtest::PumpPending();
    });
    fwtest::PumpPending();
    // Play, pause, play, stop, then 4 again from closing.
    EXPECT_EQ(states.m_states, (std::vector<int> { 2, 3, 2, 4, 4 }));
    SetMsgHandleWnd(nullptr);
    SetColorOutDC(nullptr);
}

TEST(EasyMovieDlg, FewerThanTwoColoursStartNothing)
{
    CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, L"至少添加两种颜色");
    host.ExpectMessageBox(IDOK, L"至少添加两种颜色");
    host.ExpectMessageBox(IDOK, L"至少添加两种颜色");
    fwtest::CFakeClock clock;
    RunMaker([&](CEasyMovieDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_COLOUR_COUNT, L"3");
        fwtest::ClickButton(dlg, IDC_REMOVE);
        ASSERT_EQ(dlg.m_pView->GetCount(), 1);
        fwtest::ClickButton(dlg, IDC_PREVIEW);
        fwtest::ClickButton(dlg, IDC_PLAY);
        fwtest::ClickButton(dlg, IDC_EXPORT);
        EXPECT_EQ(clock.TimerCount(), 0u);
        EXPECT_EQ(dlg.m_nMode, MAKER_IDLE);
    });
    EXPECT_EQ(host.PendingCount(), 0u);
}

TEST(EasyMovieDlg, GreyTestBuildsARampFromTheDialogsValues)
{
    CScriptedUiHost host;
    RunMaker(
        [&](CEasyMovieDlg& dlg) {
            fwtest::ClickButton(dlg, IDC_GREY_TEST);
            quorra::Sequence s = SequenceOf(dlg);
            ASSERT_EQ(s.size(), 3u);
            EXPECT_EQ(s[0].color, RGB(0, 0, 0));
            EXPECT_EQ(s[1].color, RGB(127, 127, 127));
            EXPECT_EQ(s[2].color, RGB(255, 255, 255));
            EXPECT_EQ(s[2].duration, 7);
        },
        [&](CDialog& grey) {
            ASSERT_NE(dynamic_cast<GraysetArg*>(&grey), nullptr);
            EXPECT_EQ(fwtest::GetItemText(grey, IDC_LEVELS_EDIT), L"256");
            EXPECT_EQ(fwtest::GetItemText(grey, IDC_DURATION_EDIT), L"250");
            fwtest::SetItemText(grey, IDC_LEVELS_EDIT, L"3");
            fwtest::SetItemText(grey, IDC_DURATION_EDIT, L"7");
            fwtest::ClickButton(grey, IDOK);
        });
}

TEST(SequenceLabel, ShowsTheFadeMarkTheDurationAndAHoverFrame)
{
    auto paint = [](BYTE fade, int duration, int hover) {
        quorra::CSequenceLabel label;
        label.m_bFade = fade;
        label.m_nDuration = duration;
        label.m_bHover = hover;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateBitmap(30, 50, 1, 32, nullptr);
        HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), bitmap);
        label.Paint(&dc, CRect(0, 0, 30, 50));
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 30; ++x)
                pixels.push_back(dc.GetPixel(x, y));
        ::SelectObject(dc.GetSafeHdc(), old);
        ::DeleteObject(bitmap);
        return pixels;
    };
    auto upper = [](const std::vector<COLORREF>& p) { return std::vector<COLORREF>(p.begin(), p.begin() + 30 * 25); };
    auto lower = [](const std::vector<COLORREF>& p) { return std::vector<COLORREF>(p.begin() + 30 * 25, p.end()); };
    auto plain = paint(0, 25, 0);
    auto faded = paint(1, 25, 0);
    auto longer = paint(0, 250, 0);
    EXPECT_NE(upper(plain), upper(faded));
    EXPECT_EQ(lower(plain), lower(faded));
    EXPECT_EQ(upper(plain), upper(longer));
    EXPECT_NE(lower(plain), lower(longer));
    EXPECT_EQ(plain[0], ::GetSysColor(COLOR_BTNFACE));
    auto hovered = paint(0, 25, 1);
    EXPECT_EQ(hovered[2 * 30 + 2], RGB(255, 127, 80));
    EXPECT_EQ(hovered[3 * 30 + 3], RGB(255, 127, 80));
    EXPECT_EQ(hovered[1 * 30 + 1], ::GetSysColor(COLOR_BTNFACE));
}

std::wstring TempAvi(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

TEST(EasyMovieDlg, AnExportThatCannotBeWrittenIsReportedAndNothingIsListed)
{
    // A folder that does not exist (the start fails), and a folder where the
    // clip's file should be (the finish fails).
    const std::wstring folderClip = TempAvi(L"quorra_folder_clip.avi");
    ::CreateDirectoryW(folderClip.c_str(), nullptr);
    for (const std::wstring& path : { TempAvi(L"no such folder\\clip.avi"), folderClip }) {
        CScriptedUiHost host;
        host.ExpectFileSave(path.c_str());
        if (path == folderClip)
            host.ExpectMessageBox(IDYES, L"already exists");
        host.ExpectMessageBox(IDOK, L"AVI 文件写入失败");
        RunMaker([&](CEasyMovieDlg& dlg) {
            dlg.m_pView->RemoveAll();
            dlg.m_pView->AddElement(RGB(240, 0, 0), 3);
            dlg.m_pView->AddElement(RGB(0, 0, 200), 3);
            fwtest::SetItemText(dlg, IDC_WIDTH, L"12");
            fwtest::SetItemText(dlg, IDC_HEIGHT, L"10");
            fwtest::ClickButton(dlg, IDC_EXPORT);
            EXPECT_TRUE(fwtest::PumpUntil([&] { return dlg.m_nMode != MAKER_EXPORTING; }, 20000));
            EXPECT_EQ(dlg.m_exportedPaths.GetSize(), 0);
            EXPECT_TRUE(dlg.m_strAviPath.IsEmpty());
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_ADD)));
        });
        EXPECT_EQ(host.PendingCount(), 0u) << "no folder is opened";
        EXPECT_EQ(GetOutPutFileList(nullptr), 0);
    }
    ::RemoveDirectoryW(folderClip.c_str());
}

TEST(EasyMovieDlg, ExportWritesOnePassAsAnAviAndListsIt)
{
    CScriptedUiHost host;
    std::wstring path = TempAvi(L"quorra_export_test.avi");
    ::DeleteFileW(path.c_str());
    host.ExpectFileSave(path.c_str());
    host.ExpectShellOpen();
    const COLORREF A = RGB(240, 0, 0);
    const COLORREF B = RGB(0, 0, 200);
    const COLORREF C = RGB(0, 250, 0);
    RunMaker([&](CEasyMovieDlg& dlg) {
        dlg.m_pView->RemoveAll();
        dlg.m_pView->AddElement(A, 10);
        dlg.m_pView->AddElement(B, 5);
        dlg.m_pView->AddElement(C, 8);
        dlg.m_pView->GetElement(0)->pSequence->m_bFade = 1;
        dlg.m_pView->GetElement(2)->pSequence->m_bFade = 1;
        fwtest::SetItemText(dlg, IDC_WIDTH, L"12");
        fwtest::SetItemText(dlg, IDC_HEIGHT, L"10");
        fwtest::SetItemText(dlg, IDC_FRAME_RATE, L"30");
        fwtest::ClickButton(dlg, IDC_EXPORT);
        EXPECT_EQ(dlg.m_nTotalFrames, 15);
        EXPECT_EQ(dlg.m_nMode, MAKER_EXPORTING);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_ADD)));
        EXPECT_TRUE(fwtest::PumpUntil([&] { return dlg.m_nMode != MAKER_EXPORTING; }, 20000));
        EXPECT_EQ(dlg.m_nMode, MAKER_PLAYING);
        EXPECT_EQ(dlg.m_nWorkerExited, 1);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.GetSafeHwnd(), IDC_ADD)));
        ASSERT_EQ(dlg.m_exportedPaths.GetSize(), 1);
        EXPECT_EQ(dlg.m_exportedPaths[0], CString(path.c_str()));
        EXPECT_TRUE(dlg.m_strAviPath.IsEmpty());
    });
    EXPECT_EQ(host.PendingCount(), 0u);
    CStringArray list;
    EXPECT_EQ(GetOutPutFileList(&list), 1);
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0], CString(path.c_str()));

    ::AVIFileInit();
    PAVIFILE file = nullptr;
    ASSERT_EQ(::AVIFileOpenW(&file, path.c_str(), OF_READ, nullptr), AVIERR_OK);
    PAVISTREAM stream = nullptr;
    ASSERT_EQ(::AVIFileGetStream(file, &stream, streamtypeVIDEO, 0), AVIERR_OK);
    AVISTREAMINFOW info {};
    ::AVIStreamInfoW(stream, &info, sizeof(info));
    EXPECT_EQ(info.dwRate / info.dwScale, 30u);
    EXPECT_EQ(info.rcFrame.right, 12);
    EXPECT_EQ(info.rcFrame.bottom, 10);
    EXPECT_EQ(::AVIStreamLength(stream), 15);
    std::vector<BYTE> frame(12 * 10 * 4);
    auto colourOf = [&](LONG n) {
        LONG bytes = 0;
        ::AVIStreamRead(stream, n, 1, frame.data(), static_cast<LONG>(frame.size()), &bytes, nullptr);
        size_t last = frame.size() - 4;
        EXPECT_EQ(RGB(frame[2], frame[1], frame[0]), RGB(frame[last + 2], frame[last + 1], frame[last]));
        return RGB(frame[2], frame[1], frame[0]);
    };
    EXPECT_EQ(colourOf(0), A);
    COLORREF middle = colourOf(5);
    EXPECT_LT(GetRValue(middle), 240);
    EXPECT_GT(GetBValue(middle), 0);
    for (LONG n = 10; n < 15; ++n)
        EXPECT_EQ(colourOf(n), B) << n;
    ::AVIStreamRelease(stream);
    ::AVIFileRelease(file);
    ::AVIFileExit();
    ::DeleteFileW(path.c_str());

    // The next ShowMaker starts with an empty list.
    RunMaker([](CEasyMovieDlg&) {});
    EXPECT_EQ(GetOutPutFileList(nullptr), 0);
}

} // namespace

// In every language the program hands over (Korean reads the English file),
// the dialog and its "too few colours" message find all their texts in the
// shipped language files.
TEST(EasyMovieDlg, FindsEveryTextInEveryShippedLanguage)
{
    for (int language : { 1, 2, 3, 4, 6 }) {
        AfxClearLangTextMisses();
        TheQuorraApp().m_nLanguage = language;
        CScriptedUiHost host;
        host.ExpectMessageBox(IDOK);
        RunMaker([&](CEasyMovieDlg& dlg) {
            fwtest::SetItemText(dlg, IDC_COLOUR_COUNT, L"3");
            fwtest::ClickButton(dlg, IDC_REMOVE);
            fwtest::ClickButton(dlg, IDC_PREVIEW);
        });
        EXPECT_EQ(host.PendingCount(), 0u);
        for (const CLangTextMiss& miss : AfxGetLangTextMisses())
            ADD_FAILURE() << "language " << language << ": " << CStringA(miss.strFile).GetString() << " ["
                          << CStringA(miss.strSection).GetString() << "] " << CStringA(miss.strKey).GetString();
    }
    TheQuorraApp().m_nLanguage = 2;
}

// Outside Chinese (English, French, and Korean, which reads the English
// file) nothing the movie maker shows is Chinese: its dialog, the grey test,
// the message for too few colours and that of an export that fails.
TEST(EasyMovieDlg, ShowsNoChineseOutsideChinese)
{
    for (int language : { 1, 4, 6 }) {
        TheQuorraApp().m_nLanguage = language;
        std::vector<fwtest::CShownText> shown;
        CScriptedUiHost host;
        host.ExpectMessageBox(IDOK); // too few colours
        host.ExpectFileSave(TempAvi(L"no such folder\\clip.avi").c_str());
        host.ExpectMessageBox(IDOK); // the file cannot be written
        RunMaker(
            [&](CEasyMovieDlg& dlg) {
                const auto texts = fwtest::CollectShownTexts(dlg.GetSafeHwnd());
                shown.insert(shown.end(), texts.begin(), texts.end());
                fwtest::ClickButton(dlg, IDC_PREVIEW);
                const auto previewing = fwtest::CollectShownTexts(dlg.GetSafeHwnd());
                shown.insert(shown.end(), previewing.begin(), previewing.end());
                fwtest::ClickButton(dlg, IDC_PREVIEW);
                fwtest::ClickButton(dlg, IDC_GREY_TEST);
                dlg.m_pView->RemoveAll();
                dlg.m_pView->AddElement(RGB(240, 0, 0), 3);
                fwtest::ClickButton(dlg, IDC_EXPORT);
                dlg.m_pView->AddElement(RGB(0, 0, 200), 3);
                fwtest::ClickButton(dlg, IDC_EXPORT);
                fwtest::PumpUntil([&] { return dlg.m_nMode != MAKER_EXPORTING; }, 20000);
            },
            [&](CDialog& grey) {
                const auto texts = fwtest::CollectShownTexts(grey.GetSafeHwnd());
                shown.insert(shown.end(), texts.begin(), texts.end());
                fwtest::ClickButton(grey, IDCANCEL);
            });
        EXPECT_EQ(host.PendingCount(), 0u);
        for (const CString& line : host.Transcript())
            shown.push_back({ L"prompt", line });
        for (const fwtest::CShownText& text : shown)
            EXPECT_FALSE(fwtest::HoldsChinese(text.strText))
                << "language " << language << ", " << fwtest::Utf8(text.strWhere + L": " + text.strText);
    }
    TheQuorraApp().m_nLanguage = 2;
}
