// The project settings dialog through the real editor: command 32792 opens
// it with the view's settings, OK re-configures the ports (kept, added,
// cut), a new lamp format replaces one of the project's, wrong values are
// refused with a message, and the swatch colour applies at once.
#include "DialogScript.h"
#include "PannexTestUtil.h"

#include <commctrl.h>
#include <fw_langtext.h>

#include "EditorSettings.h"
#include "LampSelectDlgs.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "PannexResource.h"
#include "ProjSetDlg.h"

using namespace pannextest;

namespace {

class ProjectSettingsTest : public ::testing::Test {
protected:
    ProjectSettingsTest()
        : m_session({ L"CMD1-0,40,20,8,512,1" })
    {
        SetLangTextLanguage(1);
    }
    ~ProjectSettingsTest() override
    {
        LayoutLock = 0;
        ResetLampTypeList();
        Model().m_modified = 0;
        SetLangTextLanguage(2);
    }
    CLayoutData& Model() { return m_session.Doc()->GetLayout(); }
    CPannexView& View() { return *m_session.View(); }
    std::vector<int> Controllers()
    {
        std::vector<int> out;
        for (int i = 0; i < View().m_settings.m_controllers.GetSize(); ++i)
            out.push_back(View().m_settings.m_controllers.GetAt(i));
        return out;
    }
    // Opens the dialog through the command; drive sets it and ends it.
    void OpenSettings(std::function<void(CProjSetDlg&)> drive)
    {
        CDialogScript script;
        script.Expect<CProjSetDlg>(std::move(drive));
        fwtest::SendCommand(*m_session.Frame(), ID_FILE_PROJECT_SETTINGS);
    }
    static void SpinCount(CProjSetDlg& dlg, int delta)
    {
        NMUPDOWN change = {};
        change.hdr.hwndFrom = ::GetDlgItem(dlg.m_hWnd, IDC_PS_COUNT_SPIN);
        change.hdr.idFrom = IDC_PS_COUNT_SPIN;
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        ::SendMessageW(dlg.m_hWnd, WM_NOTIFY, IDC_PS_COUNT_SPIN, reinterpret_cast<LPARAM>(&change));
    }
    CPannexSession m_session;
};

TEST_F(ProjectSettingsTest, ANewLayoutStartsWithOneControllerOfTheCommandLinesType)
{
    EXPECT_EQ(LayoutWidth, 40);
    EXPECT_EQ(Model().m_width, 40);
    EXPECT_EQ(Model().GetPortCount(), 8);
    EXPECT_EQ(Controllers(), (std::vector<int> { 8 }));
    EXPECT_EQ(View().m_settings.m_controllerModel, L"8 ports 512 channels");
    EXPECT_EQ(Model().GetPort(0).GetCapacity(), 512); // ports may take one lamp a channel
    EXPECT_EQ(Model().m_modified, 0);
}

TEST_F(ProjectSettingsTest, TheDialogShowsTheViewsSettingsInItsLanguage)
{
    View().m_settings.m_dataOffset = 4;
    OpenSettings([](CProjSetDlg& dlg) {
        CString caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, L"Project settings");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_WIDTH), L"40");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_HEIGHT), L"20");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_TYPE), L"8 ports 512 channels");
        EXPECT_EQ(dlg.m_cbControllerType.GetCount(), 8); // the default list
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_FORMAT), L"RGB");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_COUNT), L"1");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_OFFSET), L"4 bytes");
        EXPECT_EQ(dlg.m_cbDataOffset.GetCount(), 11);
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_COUNT_LABEL), L"Controllers used");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_SCALE), L"Scale lamps to the page");
        EXPECT_EQ(fwtest::GetItemText(dlg, IDOK), L"OK");
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, IDC_PS_ALLOW_MAX)));
        fwtest::ClickButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(Model().GetPortCount(), 8);
    EXPECT_EQ(Model().m_modified, 0);
}

TEST_F(ProjectSettingsTest, OkReconfiguresThePortsAndKeepsTheLamps)
{
    AddModelLamp(Model(), 0, 1, 1);
    AddModelLamp(Model(), 7, 2, 2);
    struct Case {
        const wchar_t* type;
        const wchar_t* controllers;
        std::vector<int> counts;
        int lampsOfPort7; // -1: cut
    } cases[] = {
        { L"8 ports 512 channels", L"3", { 8, 8, 8 }, 1 }, // more: appended
        { L"8 ports 512 channels", L"3", { 8, 8, 8 }, 1 }, // equal
        { L"4 ports 512 channels", L"3", { 4, 4, 4, 4, 4, 4 }, 1 }, // same count, fewer ports each
        { L"4 ports 512 channels", L"1", { 4 }, -1 }, // fewer: cut
    };
    for (const Case& c : cases) {
        OpenSettings([&c](CProjSetDlg& dlg) {
            fwtest::SetItemText(dlg, IDC_PS_TYPE, c.type);
            fwtest::SetItemText(dlg, IDC_PS_COUNT, c.controllers);
            fwtest::ClickButton(dlg, IDOK);
        });
        EXPECT_EQ(Controllers(), c.counts)
            << CStringA(c.type).GetString() << " x" << CStringA(c.controllers).GetString();
        EXPECT_EQ(Model().GetPort(0).GetCount(), 1);
        if (c.lampsOfPort7 >= 0) {
            EXPECT_EQ(Model().GetPort(7).GetCount(), c.lampsOfPort7);
        }
        EXPECT_EQ(Model().m_modified, 1);
        Model().m_modified = 0;
    }
    EXPECT_EQ(Model().GetPortCount(), 4);
}

TEST_F(ProjectSettingsTest, WrongValuesAreRefusedAndTheDialogStays)
{
    struct Case {
        int id;
        const wchar_t* text;
    } cases[] = {
        { IDC_PS_WIDTH, L"0" }, { IDC_PS_HEIGHT, L"70000" }, { IDC_PS_COUNT, L"0" }, { IDC_PS_COUNT, L"-2" },
        { IDC_PS_TYPE, L"0 ports 512 channels" }, { IDC_PS_TYPE, L"300 ports 512 channels" },
        { IDC_PS_TYPE, L"8 ports 0 channels" }, { IDC_PS_COUNT, L"641" }, // 8 x 641 > 5120 ports
    };
    for (const Case& c : cases) {
        fwtest::CScriptedUiHost host;
        host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 951));
        bool stayed = false;
        OpenSettings([&](CProjSetDlg& dlg) {
            fwtest::SetItemText(dlg, c.id, c.text);
            fwtest::ClickButton(dlg, IDOK);
            stayed = ::IsWindowVisible(dlg.m_hWnd) != FALSE;
            fwtest::ClickButton(dlg, IDCANCEL);
        });
        EXPECT_TRUE(stayed) << CStringA(c.text).GetString();
        EXPECT_EQ(Model().GetPortCount(), 8);
        EXPECT_EQ(LayoutWidth, 40);
        EXPECT_EQ(Model().m_modified, 0);
    }
}

TEST_F(ProjectSettingsTest, ASizeThatWouldLeaveLampsOutsideIsRefusedUnlessTheyAreScaled)
{
    AddModelLamp(Model(), 0, 30, 15);
    AddModelLamp(Model(), 7, 2, 2);
    const CString tooSmall = AfxLangTextWithNumbers(GetLangText(L"LAYOUT", 984), { 31, 16 });
    ASSERT_NE(tooSmall.Find(L"31 x 16"), -1);
    struct Case {
        const wchar_t* width;
        const wchar_t* height;
        bool scale;
        bool accepted;
    } cases[] = {
        { L"30", L"20", false, false },
        { L"40", L"15", false, false },
        { L"1", L"1", false, false },
        { L"31", L"16", false, true },
        { L"20", L"10", true, true },
    };
    for (const Case& c : cases) {
        fwtest::CScriptedUiHost host;
        if (!c.accepted)
            host.ExpectMessageBox(IDOK, tooSmall);
        bool stayed = false;
        OpenSettings([&](CProjSetDlg& dlg) {
            fwtest::SetItemText(dlg, IDC_PS_WIDTH, c.width);
            fwtest::SetItemText(dlg, IDC_PS_HEIGHT, c.height);
            ::CheckDlgButton(dlg.m_hWnd, IDC_PS_SCALE, c.scale ? BST_CHECKED : BST_UNCHECKED);
            fwtest::ClickButton(dlg, IDOK);
            stayed = ::IsWindow(dlg.m_hWnd) && ::IsWindowVisible(dlg.m_hWnd);
            if (stayed)
                fwtest::ClickButton(dlg, IDCANCEL);
        });
        const CString which = CString(c.width) + L" x " + c.height;
        EXPECT_EQ(stayed, !c.accepted) << CStringA(which).GetString();
        // Every lamp stays on the grid the layout ends with.
        ASSERT_EQ(Model().GetPort(0).GetCount(), 1);
        const CSize extent = Model().GetLampsExtent();
        EXPECT_LE(extent.cx, Model().m_width) << CStringA(which).GetString();
        EXPECT_LE(extent.cy, Model().m_height) << CStringA(which).GetString();
        EXPECT_EQ(Model().m_modified, c.accepted ? 1 : 0) << CStringA(which).GetString();
        Model().m_modified = 0;
    }
    EXPECT_EQ(Model().m_width, 20);
    EXPECT_EQ(LayoutWidth, 20);
}

TEST_F(ProjectSettingsTest, AnEmptyLampFormatCancelsWithItsMessage)
{
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 183));
    OpenSettings([](CProjSetDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_PS_WIDTH, L"99");
        fwtest::SetItemText(dlg, IDC_PS_FORMAT, L"");
        fwtest::ClickButton(dlg, IDOK);
    });
    EXPECT_EQ(LayoutWidth, 40);
    EXPECT_EQ(LampTypeList.GetSize(), 1);
}

TEST_F(ProjectSettingsTest, ATypeWithoutItsPortsWordKeepsThePortsAndSaysSo)
{
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 171));
    OpenSettings([](CProjSetDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_PS_TYPE, L"8 outputs 512 channels");
        fwtest::SetItemText(dlg, IDC_PS_COUNT, L"2");
        fwtest::SetItemText(dlg, IDC_PS_WIDTH, L"50");
        fwtest::ClickButton(dlg, IDOK);
    });
    // The settings were taken; the ports were not changed.
    EXPECT_EQ(LayoutWidth, 50);
    EXPECT_EQ(View().m_settings.m_controllerModel, L"8 outputs 512 channels");
    EXPECT_EQ(Model().GetPortCount(), 8);
}

TEST_F(ProjectSettingsTest, OffsetTextsAndTheControllerArrows)
{
    struct Case {
        const wchar_t* text;
        int offset;
    } cases[] = { { L"3位", 3 }, { L" 7 ", 7 }, { L"abc", 0 }, { L"5 bytes", 5 } };
    for (const Case& c : cases) {
        OpenSettings([&c](CProjSetDlg& dlg) {
            fwtest::SetItemText(dlg, IDC_PS_OFFSET, c.text);
            fwtest::ClickButton(dlg, IDOK);
        });
        EXPECT_EQ(View().m_settings.m_dataOffset, c.offset) << CStringA(c.text).GetString();
    }
    OpenSettings([](CProjSetDlg& dlg) {
        SpinCount(dlg, +1); // down from 1: stays
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_COUNT), L"1");
        SpinCount(dlg, -1);
        SpinCount(dlg, -1);
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_COUNT), L"3");
        SpinCount(dlg, +1);
        EXPECT_EQ(fwtest::GetItemText(dlg, IDC_PS_COUNT), L"2");
        fwtest::ClickButton(dlg, IDOK);
    });
    EXPECT_EQ(Controllers(), (std::vector<int> { 8, 8 }));
}

TEST_F(ProjectSettingsTest, NewLampFormats)
{
    // The first OK of the view was the start's, which kept RGB: a new
    // format is appended, and with exactly two formats every port takes it.
    OpenSettings([](CProjSetDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_PS_FORMAT, L"GRB");
        fwtest::ClickButton(dlg, IDOK);
    });
    ASSERT_EQ(LampTypeList.GetSize(), 2);
    EXPECT_EQ(LampTypeList.GetAt(1), L"GRB");
    for (int p = 0; p < Model().GetPortCount(); ++p) {
        EXPECT_EQ(Model().GetPort(p).m_lampFormatIndex, 1);
        EXPECT_EQ(Model().GetPort(p).m_lampFormat, L"GRB");
    }
    // A third format: the user is asked which one it replaces.
    Model().GetPort(2).m_lampFormatIndex = 0;
    Model().GetPort(2).m_lampFormat = L"RGB";
    fwtest::CScriptedUiHost host;
    host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 172));
    CDialogScript script;
    script.Expect<CProjSetDlg>([](CProjSetDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_PS_FORMAT, L"gRB"); // letter case counts
        fwtest::ClickButton(dlg, IDOK);
    });
    script.Expect<CSelectLightBarDlg>([](CSelectLightBarDlg& dlg) {
        dlg.m_list.SetCurSel(0);
        fwtest::ClickButton(dlg, IDOK);
    });
    fwtest::SendCommand(*m_session.Frame(), ID_FILE_PROJECT_SETTINGS);
    ASSERT_EQ(LampTypeList.GetSize(), 3);
    EXPECT_EQ(Model().GetPort(2).m_lampFormatIndex, 2);
    EXPECT_EQ(Model().GetPort(2).m_lampFormat, L"gRB");
    EXPECT_EQ(Model().GetPort(3).m_lampFormatIndex, 1);
}

TEST_F(ProjectSettingsTest, TheSwatchColourAppliesAtOnceEvenWhenCancelled)
{
    fwtest::CScriptedUiHost host;
    host.ExpectColor(RGB(10, 200, 30));
    OpenSettings([](CProjSetDlg& dlg) {
        ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_PS_SWATCH, STN_CLICKED),
            reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_PS_SWATCH)));
        EXPECT_EQ(dlg.m_swatch.m_crColour, RGB(10, 200, 30));
        fwtest::ClickButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(View().m_settings.m_swatchColour, RGB(10, 200, 30));
}

TEST_F(ProjectSettingsTest, NothingWhileTheLayoutIsLocked)
{
    LayoutLock = 1;
    CDialogScript none; // any dialog would fail the test
    fwtest::SendCommand(*m_session.Frame(), ID_FILE_PROJECT_SETTINGS);
    EXPECT_EQ(none.Opened(), 0);
}

TEST(ProjectSettingsStart, CancelAtTheStartStillGivesTheLayoutItsControllers)
{
    CDialogScript script;
    script.Expect<CProjSetDlg>([](CProjSetDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_PS_COUNT, L"5");
        fwtest::ClickButton(dlg, IDCANCEL);
    });
    CPannexSession s({ L"CMD1-0,40,20,4,300,1" }, CPannexSession::kOwnStartDialogs);
    ASSERT_TRUE(s.started);
    // The values the dialog was opened with, not the typed 5.
    EXPECT_EQ(s.Doc()->GetLayout().GetPortCount(), 4);
    EXPECT_EQ(s.View()->m_settings.m_controllers.GetSize(), 1);
    EXPECT_EQ(s.Doc()->GetLayout().m_width, 40);
}

TEST(ProjectSettingsStart, CancelAtEveryStartGivesOneControllerOfTheStartsType)
{
    // Without a file, from the new-layout line and from the light-box line:
    // Cancel still leaves a layout whose ports all belong to a controller,
    // one of the type the start offered, and nothing to save yet.
    struct Case {
        std::vector<CString> args;
        int ports;
        int points; // the channels: a new view lets a port take the most lamps
        int width; // 0: the size the view had
    };
    const Case cases[] = {
        { {}, 8, 3072, 0 }, // 8 ports of 3072 channels
        { { L"CMD1-0,40,20,4,300,1" }, 4, 300, 40 },
        { { L"CMD5-0,64,32,8,512,1" }, 8, 512, 64 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no file" : CStringA(c.args[0]).GetString());
        CDialogScript script;
        script.Expect<CDialog>([](CDialog& dlg) { fwtest::ClickButton(dlg, IDCANCEL); });
        CPannexSession s(c.args, CPannexSession::kOwnStartDialogs);
        LightBoxMode = 0;
        ASSERT_TRUE(s.started);
        EXPECT_EQ(script.Opened(), 1);
        const CLayoutData& model = s.Doc()->GetLayout();
        ASSERT_EQ(model.GetPortCount(), c.ports);
        ASSERT_EQ(s.View()->m_settings.m_controllers.GetSize(), 1);
        EXPECT_EQ(s.View()->m_settings.m_controllers[0], c.ports);
        for (int p = 0; p < c.ports; ++p) {
            EXPECT_EQ(model.GetPort(p).GetCapacity(), c.points) << p;
            EXPECT_EQ(model.GetPort(p).GetCount(), 0) << p;
        }
        EXPECT_EQ(model.m_width, LayoutWidth);
        if (c.width != 0) {
            EXPECT_EQ(model.m_width, c.width);
        }
        EXPECT_EQ(model.m_modified, 0);
    }
}

TEST(ProjectSettingsStart, ATypeTheStartCannotReadKeepsTheDialogOpen)
{
    // At the start nothing would be left to give the layout its
    // controllers: the dialog says so and stays, where the settings
    // command takes the other values and keeps the ports.
    for (const wchar_t* type : { L"8 ports", L"8 outputs 512 channels", L"ports" }) {
        SCOPED_TRACE(CStringA(type).GetString());
        fwtest::CScriptedUiHost host;
        host.ExpectMessageBox(IDOK, GetLangText(L"LAYOUT", 171));
        bool stayed = false;
        CDialogScript script;
        script.Expect<CProjSetDlg>([&](CProjSetDlg& dlg) {
            fwtest::SetItemText(dlg, IDC_PS_TYPE, type);
            fwtest::ClickButton(dlg, IDOK);
            stayed = ::IsWindowVisible(dlg.m_hWnd) != FALSE;
            fwtest::ClickButton(dlg, IDCANCEL);
        });
        CPannexSession s({ L"CMD1-0,40,20,4,300,1" }, CPannexSession::kOwnStartDialogs);
        ASSERT_TRUE(s.started);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(host.PendingCount(), 0u);
        EXPECT_EQ(s.Doc()->GetLayout().GetPortCount(), 4);
        EXPECT_EQ(s.View()->m_settings.m_controllers.GetSize(), 1);
        ResetLampTypeList();
    }
}

TEST(ProjectSettingsStart, ANewFormatAtTheFirstOkReplacesTheDefaultFormat)
{
    CDialogScript script;
    script.Expect<CProjSetDlg>([](CProjSetDlg& dlg) {
        fwtest::SetItemText(dlg, IDC_PS_FORMAT, L"GRBW");
        fwtest::ClickButton(dlg, IDOK);
    });
    CPannexSession s({ L"CMD1-0,40,20,4,512,1" }, CPannexSession::kOwnStartDialogs);
    ASSERT_TRUE(s.started);
    ASSERT_EQ(LampTypeList.GetSize(), 1);
    EXPECT_EQ(LampTypeList.GetAt(0), L"GRBW");
    EXPECT_EQ(s.Doc()->GetLayout().GetPort(0).m_lampFormat, L"GRBW");
    EXPECT_EQ(s.Doc()->GetLayout().GetPort(0).m_lampFormatIndex, 0);
    ResetLampTypeList();
}

} // namespace
