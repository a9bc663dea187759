// Pictures of the layout editor's dialogs for a person to look at: with
// PANNEX_GALLERY set to a folder, each dialog is opened in English,
// Simplified Chinese, Traditional Chinese and French and its window saved
// there as a BMP. Skipped otherwise. The same dialogs are checked in every
// language for texts missing from the language files, cut labels and
// Chinese outside the Chinese languages.
#include "PannexTestUtil.h"

#include <cstdlib>
#include <functional>
#include <string>

#include "AboutDlg.h"
#include "ActionDlgs.h"
#include "AdjustDlg.h"
#include "AutoSaveDlg.h"
#include "CleanCardSelDlg.h"
#include "LayoutViewDialogs.h"
#include "ReverseDataAllDlg.h"
#include "SelPortDlg.h"
#include "SetCardNumDlg.h"
#include "SwapCardDlg.h"
#include "DialogScript.h"
#include "DxfImportDlg.h"
#include "ExportDxfDlg.h"
#include "GammaDlg.h"
#include "LampFormatDlgs.h"
#include "LampSelectDlgs.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "PixLightBarDlg.h"
#include "ProjInfoDlg.h"
#include "ProjLightBoxDlg.h"
#include "ProjSetDlg.h"
#include "ProjectSetup.h"
#include "ProgressDlg.h"
#include "BarDlg.h"
#include "PannexResource.h"
#include "LayoutFolders.h"
#include "LayoutSelection.h"
#include "TemplateFiles.h"
#include "ScaleSetDlg.h"
#include "TemplateDialogs.h"
#include "ThreeDResetDlg.h"
#include "fw_label_fit.h"
#include "fw_langtext.h"
#include "fw_window_picture.h"
#include "fw_window_texts.h"

using namespace pannextest;

namespace {

CString GalleryFolder()
{
    const wchar_t* folder = _wgetenv(L"PANNEX_GALLERY");
    return folder != nullptr ? CString(folder) : CString();
}

// The file name ending of a language's pictures.
CString LanguageTag(int language)
{
    switch (language) {
    case 2:
        return L"_chs";
    case 3:
        return L"_cht";
    case 4:
        return L"_fra";
    default:
        return L"_eng";
    }
}

// A new layout of 256 x 128 cells in the language, as a caller asks for it.
CString StartArguments(int language)
{
    CString args;
    args.Format(L"CMD1-0,256,128,8,512,%d", language);
    return args;
}

// The editor started in each of its languages as a caller starts it, shown,
// with a second lamp format in the list, for body to look at.
void ForEveryLanguage(const std::function<void(CPannexSession&, int)>& body)
{
    for (int language : { 1, 2, 3, 4 }) {
        fwtest::CScriptedUiHost host;
        CPannexSession s({ StartArguments(language) });
        ASSERT_TRUE(s.started) << language;
        s.Frame()->ShowWindow(SW_SHOW);
        fwtest::PumpPending();
        LampTypeList.Add(L"R1G1B1R2G2B2W3");
        body(s, language);
        ResetLampTypeList();
    }
    SetLangTextLanguage(2);
}

// The about box as the gallery opens its dialogs, with the main window as
// parent.
class CGalleryAboutDlg : public CAboutDlg {
public:
    explicit CGalleryAboutDlg(CWnd* parent) { m_pParentWnd = parent; }
};

// Told of each dialog while it is open and shown (the language check).
std::function<void(HWND wnd, const CString& path)> g_seen;

void SaveWindow(HWND wnd, const CString& path)
{
    if (!GalleryFolder().IsEmpty())
        fwtest::SaveWindowPicture(wnd, path);
    if (g_seen)
        g_seen(wnd, path);
}

template <class T>
void Shoot(CPannexSession& s, const CString& name, std::function<void(T&)> prepare = nullptr,
    std::function<void(T&)> before = nullptr)
{
    T dlg(s.Frame());
    if (before)
        before(dlg);
    CDialogScript script;
    script.Expect<T>([&](T& live) {
        if (prepare)
            prepare(live);
        SaveWindow(live.m_hWnd, GalleryFolder() + L"\\" + name + L".bmp");
        live.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
}

// Opens every dialog of the editor in the language given, the modeless ones
// with the main window out of the way, and the main window with a floating
// template.
void OpenEveryDialog(CPannexSession& s, int language)
{
    const CString tag = LanguageTag(language);
    Shoot<CLoadDxfDlg>(s, L"load_dxf" + tag);
    Shoot<CExportDxfDlg>(s, L"export_dxf" + tag);
    Shoot<CGammaDlg>(s, L"gamma" + tag);
    Shoot<CAddLightBarDlg>(s, L"add_format" + tag);
    Shoot<CAddLightBarAdvancedDlg>(s, L"add_format_adv" + tag, [](CAddLightBarAdvancedDlg& d) {
        fwtest::SetItemText(d, IDC_ALBA_SEGMENTS, L"2");
        ::SendMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ALBA_SEGMENTS, EN_KILLFOCUS),
            reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, IDC_ALBA_SEGMENTS)));
    });
    Shoot<CSelectLightBarDlg>(s, L"select_format" + tag);
    Shoot<CShowLightBarDlg>(
        s, L"show_format" + tag, [](CShowLightBarDlg& d) { d.SetDlgItemText(IDC_SHLB_TEXT, L"R1G1B1R2G2B2W3"); });
    Shoot<CFromToDlg>(s, L"from_to" + tag);
    Shoot<C3DResetDlg>(s, L"reset_3d" + tag);
    // The set-up dialogs with the lists the view gives them.
    CPannexView& view = *s.View();
    view.m_controllerTypes.RemoveAll();
    FillDefaultControllerTypes(view.m_controllerTypes, GetLangText(L"LAYOUT", 169), GetLangText(L"LAYOUT", 170));
    view.m_settings.m_controllerModel = view.m_controllerTypes.GetAt(2);
    Shoot<CProjSetDlg>(s, L"project_settings" + tag, nullptr, [&view](CProjSetDlg& d) {
        d.m_controllerTypes.Copy(view.m_controllerTypes);
        d.m_lampFormats.Copy(LampTypeList);
        d.m_strControllerType = view.m_settings.m_controllerModel;
        d.m_strLampFormat = L"RGB";
        d.m_nWidth = 256;
        d.m_nHeight = 128;
    });
    Shoot<CProjLightBoxDlg>(s, L"light_box" + tag, nullptr, [&view](CProjLightBoxDlg& d) {
        d.m_controllerTypes.Copy(view.m_controllerTypes);
        d.m_lampFormats.Copy(LampTypeList);
        d.m_strControllerType = view.m_settings.m_controllerModel;
        d.m_strLampFormat = L"RGB";
        d.m_nStyle = 3;
    });
    Shoot<CActionAutoDlg>(s, L"arrange" + tag, nullptr, [](CActionAutoDlg& d) {
        d.m_nWidth = 682;
        d.m_nStyle = 2;
        d.m_bZOrder = 1;
    });
    Shoot<CActionFastDlg>(s, L"fast_wiring" + tag, nullptr, [](CActionFastDlg& d) {
        d.m_nWidth = 50;
        d.m_nHeight = 50;
        d.m_nMaxLamps = 1024;
        d.m_bFlip = 1;
    });
    Shoot<CProjInfoDlg>(s, L"project_info" + tag);
    Shoot<CTemplateLocateDlg>(s, L"template_position" + tag, nullptr, [](CTemplateLocateDlg& d) {
        d.m_x = 4;
        d.m_y = 4;
        d.m_reference = 8;
    });
    Shoot<CTemplateSizeDlg>(s, L"template_size" + tag, nullptr, [](CTemplateSizeDlg& d) {
        d.m_width = 12;
        d.m_height = 3;
    });
    Shoot<CScaleSetDlg>(s, L"rulers" + tag, nullptr, [](CScaleSetDlg& d) {
        d.m_hRulers.Add(10);
        d.m_hRulers.Add(64);
        d.m_vRulers.Add(32);
    });
    // The list panel's dialogs.
    Shoot<CSetCardNumDlg>(s, L"controller_count" + tag);
    Shoot<CCleanCardSelDlg>(s, L"clear_controllers" + tag);
    Shoot<CSwapCardDlg>(s, L"swap_controllers" + tag);
    Shoot<CSwapPortDlg>(s, L"swap_ports" + tag);
    Shoot<CReverseDataAllDlg>(s, L"reverse_data" + tag);
    Shoot<CSelPortDlg>(s, L"select_ports" + tag);
    Shoot<CSetUnitNumberDlg>(s, L"unit_count" + tag);
    Shoot<CFromToPixDlg>(s, L"from_to_pix" + tag);
    Shoot<CAutoSaveDlg>(s, L"auto_save" + tag);
    Shoot<CGalleryAboutDlg>(s, L"about" + tag);
    // The modeless windows are captured with the main window out of the way.
    s.Frame()->ShowWindow(SW_HIDE);
    {
        CAdjustDlg adjust;
        ASSERT_TRUE(adjust.CreateHidden(s.Frame()));
        adjust.ShowWindow(SW_SHOW);
        SaveWindow(adjust.m_hWnd, GalleryFolder() + L"\\adjust" + tag + L".bmp");
        adjust.m_dlgQuickEdit.ShowWindow(SW_SHOW);
        SaveWindow(adjust.m_dlgQuickEdit.m_hWnd, GalleryFolder() + L"\\quick_edit" + tag + L".bmp");
        adjust.DestroyWindow();
    }
    {
        CPixLightBarDlg pix;
        ASSERT_TRUE(pix.CreateHidden(s.Frame()));
        pix.ShowWindow(SW_SHOW);
        SaveWindow(pix.m_hWnd, GalleryFolder() + L"\\pix_formats" + tag + L".bmp");
        pix.DestroyWindow();
    }
    if (CBarDlg* panel = GetListPanel()) {
        panel->m_dlgBatchCard.ShowWindow(SW_SHOW);
        SaveWindow(panel->m_dlgBatchCard.m_hWnd, GalleryFolder() + L"\\batch_controllers" + tag + L".bmp");
        panel->m_dlgBatchCard.ShowWindow(SW_HIDE);
    }
    s.Frame()->ShowWindow(SW_SHOW);
    {
        // The main window with lamps copied: the copy floats over them,
        // and the template list shows a saved template.
        const CString saved = GetTemplateFolder() + L"Gallery_demo.lpx";
        CLayoutData& model = s.Doc()->GetLayout();
        s.Frame()->MoveWindow(0, 0, 1000, 700);
        std::vector<CLPoint> lamps;
        for (int i = 0; i < 12; ++i) {
            CLPoint lamp(20 + i * 3, 20 + (i % 4) * 5);
            lamp.m_normX = (lamp.x + 0.5) / model.m_width;
            lamp.m_normY = (lamp.y + 0.5) / model.m_height;
            lamps.push_back(lamp);
        }
        model.GetPort(0).InsertPoints(lamps.data(), static_cast<int>(lamps.size()));
        model.RebuildUsedPorts();
        CLayoutProjectSettings settings;
        settings.SetControllers(1, model.GetPortCount());
        WriteTemplateFile(model, settings, saved);
        if (CBarDlg* panel = GetListPanel())
            panel->RefreshTemplateList();
        SelectPort(model, 0);
        fwtest::SendCommand(*s.View(), ID_EDIT_COPY);
        s.View()->UpdateAfterEdit();
        fwtest::PumpPending();
        SaveWindow(s.Frame()->m_hWnd, GalleryFolder() + L"\\floating_template" + tag + L".bmp");
        // The lamp formats' list open under its field.
        if (CBarDlg* panel = GetListPanel()) {
            panel->FillLampTypeCombo();
            panel->m_cbLampType.ShowDropDown(TRUE);
            SaveWindow(s.Frame()->m_hWnd, GalleryFolder() + L"\\lamp_formats" + tag + L".bmp");
            panel->m_cbLampType.ShowDropDown(FALSE);
        }
        model.GetPort(0).ClearPoints();
        ::DeleteFileW(saved);
    }
}

} // namespace

TEST(PannexDialogGallery, EveryDialogInEveryLanguage)
{
    if (GalleryFolder().IsEmpty())
        GTEST_SKIP() << "PANNEX_GALLERY not set";
    ForEveryLanguage([](CPannexSession& s, int language) { OpenEveryDialog(s, language); });
}

// The main window of a light box (its port labels), a template chosen from
// the list (where it appears) and the caption, in every language.
TEST(PannexDialogGallery, LightBoxLabelsAndAChosenTemplate)
{
    if (GalleryFolder().IsEmpty())
        GTEST_SKIP() << "PANNEX_GALLERY not set";
    for (int language : { 1, 2, 3, 4 }) {
        const CString tag = LanguageTag(language);
        fwtest::CScriptedUiHost host;
        CDialogScript script;
        script.Expect<CProjLightBoxDlg>([](CProjLightBoxDlg& dlg) {
            ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_STYLE_PICTURE3, STN_CLICKED),
                reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_STYLE_PICTURE3)));
            fwtest::ClickButton(dlg, IDOK);
        });
        CString args;
        args.Format(L"CMD5-0,64,32,8,512,%d", language);
        CPannexSession s({ args }, CPannexSession::kOwnStartDialogs);
        ASSERT_TRUE(s.started);
        s.Frame()->ShowWindow(SW_SHOW);
        s.Frame()->MoveWindow(0, 0, 1000, 700);
        fwtest::PumpPending();
        SaveWindow(s.Frame()->m_hWnd, GalleryFolder() + L"\\light_box_layout" + tag + L".bmp");
        CPannexView& view = *s.View();
        view.m_zoom = 15;
        const CRect centred
            = CPannexView::LayoutRectInClient(view.m_clientWidth, view.m_clientHeight, 15, CPoint(0, 0));
        view.m_pan = CPoint(-centred.left, view.m_clientHeight - centred.bottom);
        view.Redraw();
        SaveWindow(s.Frame()->m_hWnd, GalleryFolder() + L"\\light_box_zoomed" + tag + L".bmp");

        // Port 1 saved as a template and chosen from the list, the view
        // fitted again: the template lies at the layout's top-left corner.
        view.ResizeLayout(LayoutWidth, LayoutHeight);
        const CString saved = GetTemplateFolder() + L"Gallery_light_box_port.lpx";
        CLayoutData port;
        port.m_width = s.Doc()->GetLayout().m_width;
        port.m_height = s.Doc()->GetLayout().m_height;
        port.ResetPorts(1, 64, L"RGB", 0);
        port.GetPort(0).InsertPoints(s.Doc()->GetLayout().GetPort(1).GetPoints(), 8);
        port.RebuildUsedPorts();
        CLayoutProjectSettings settings;
        settings.SetControllers(1, 1);
        WriteTemplateFile(port, settings, saved);
        if (CBarDlg* panel = GetListPanel()) {
            panel->RefreshTemplateList();
            panel->LoadTemplate(saved);
        }
        view.Redraw();
        fwtest::PumpPending();
        SaveWindow(s.Frame()->m_hWnd, GalleryFolder() + L"\\template_chosen" + tag + L".bmp");
        ::DeleteFileW(saved);

        // The view's edit menu as a right click opens it, with its
        // shortcuts: pictured from inside the menu's own loop.
        static CString menuPicture;
        menuPicture = GalleryFolder() + L"\\edit_menu" + tag + L".bmp";
        view.m_trackMenu = [&view](CMenu& menu, CPoint screen) {
            ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
                ::KillTimer(nullptr, id);
                if (HWND popup = ::FindWindowW(L"#32768", nullptr))
                    fwtest::SaveWindowPicture(popup, menuPicture);
                ::EndMenu();
            });
            menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, &view);
        };
        POINT at = { 200, 150 };
        ::ClientToScreen(view.GetSafeHwnd(), &at);
        view.OnContextMenu(&view, CPoint(at));
        view.m_trackMenu = nullptr;

        // The tree's menus of the project, a controller and a port, as a
        // right click on the selected item opens them (the cursor away
        // from the tree, so the selection decides).
        CBarDlg* panel = GetListPanel();
        ASSERT_NE(panel, nullptr);
        CTreeCtrl& tree = panel->m_treeCards;
        HTREEITEM root = tree.GetRootItem();
        HTREEITEM controller = root != nullptr ? tree.GetChildItem(root) : nullptr;
        HTREEITEM firstPort = controller != nullptr ? tree.GetChildItem(controller) : nullptr;
        const struct {
            HTREEITEM item;
            const wchar_t* name;
        } treeMenus[] = { { root, L"tree_menu_root" }, { controller, L"tree_menu_controller" },
            { firstPort, L"tree_menu_port" } };
        ::SetCursorPos(700, 400);
        for (const auto& treeMenu : treeMenus) {
            ASSERT_NE(treeMenu.item, nullptr);
            tree.SelectItem(treeMenu.item);
            menuPicture = GalleryFolder() + L"\\" + treeMenu.name + tag + L".bmp";
            ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
                ::KillTimer(nullptr, id);
                if (HWND popup = ::FindWindowW(L"#32768", nullptr))
                    fwtest::SaveWindowPicture(popup, menuPicture);
                ::EndMenu();
            });
            panel->OnTreeRightClick();
        }
    }
    SetLangTextLanguage(2);
}

// Every dialog, the menus and the list panel find all their texts in the
// shipped language files of every language the editor reads.
TEST(PannexLanguages, EveryDialogFindsItsTextsInEveryLanguage)
{
    fwtest::CScriptedUiHost host;
    CPannexSession s({});
    s.Frame()->ShowWindow(SW_SHOW);
    LampTypeList.Add(L"R1G1B1R2G2B2W3");
    for (int language : { 1, 2, 3, 4 }) {
        // The frame looks its texts up in its own language.
        s.Frame()->m_nLanguage = language;
        SetLangTextLanguage(language);
        AfxClearLangTextMisses();
        std::string report;
        size_t seen = 0;
        auto note = [&](const CString& where) {
            const auto misses = AfxGetLangTextMisses();
            for (size_t i = seen; i < misses.size(); ++i)
                report += "\n  " + std::string(CStringA(where)) + ": " + std::string(CStringA(misses[i].strFile)) + " ["
                    + std::string(CStringA(misses[i].strSection)) + "] " + std::string(CStringA(misses[i].strKey));
            seen = misses.size();
        };
        s.Frame()->LocalizeMenus();
        note(L"menus and list panel");
        g_seen = [&](HWND, const CString& path) { note(path.Mid(path.ReverseFind(L'\\') + 1)); };
        OpenEveryDialog(s, language);
        g_seen = nullptr;
        note(L"after the dialogs");
        EXPECT_TRUE(report.empty()) << "language " << language << ":" << report;
    }
    s.Frame()->m_nLanguage = 2;
    SetLangTextLanguage(2);
    ResetLampTypeList();
}

// Every dialog, the list panel and the main window in every language: no
// label is cut, and no window shows Chinese in English or French.
TEST(PannexLanguages, EveryLabelFitsAndSpeaksTheLanguage)
{
    ForEveryLanguage([](CPannexSession& s, int language) {
        std::string report;
        g_seen = [&](HWND wnd, const CString& path) {
            const std::string name = fwtest::Utf8(path.Mid(path.ReverseFind(L'\\') + 1));
            const auto cut = fwtest::FindCutLabels(wnd);
            if (!cut.empty())
                report += "\n " + name + " cuts:" + fwtest::DescribeCutLabels(cut);
            if (language == 2 || language == 3)
                return;
            for (const fwtest::CShownText& shown : fwtest::CollectShownTexts(wnd)) {
                if (fwtest::HoldsChinese(shown.strText))
                    report += "\n " + name + " shows Chinese in " + fwtest::Utf8(shown.strWhere) + ": "
                        + fwtest::Utf8(shown.strText);
            }
        };
        OpenEveryDialog(s, language);
        g_seen = nullptr;
        EXPECT_TRUE(report.empty()) << "language " << language << ":" << report;
    });
}
