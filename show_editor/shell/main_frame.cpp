// The main frame's creation, layout, language texts and relabelling, the
// relayed messages and the toolbar drop-downs. Its commands are in
// main_frame_commands.cpp.
#include "main_frame.h"

#include "DlgExportAvi.h"
#include "dornel_doc.h"
#include "installer_language.h"
#include "menu_localizer.h"
#include "player_panel.h"
#include "property_panel.h"
#include "resource.h"
#include "shell_services.h"
#include "show_messages.h"
#include "tree_panel.h"
#include "vantrel_doc_host.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_COMMAND(ID_LAYOUT_DESIGN, OnLayoutDesign)
ON_COMMAND(ID_COLOR_EFFECT_BUTTON, OnColorEffectButton)
ON_COMMAND(ID_COLOR_PLUS_BUTTON, OnColorPlusButton)
ON_COMMAND(ID_OFFLINE_BUTTON, OnHardwareSettings)
ON_COMMAND(ID_LAYOUT_NEW, OnNewLayout)
ON_COMMAND(ID_LAYOUT_IMPORT, OnImportLayout)
ON_COMMAND(ID_LAYOUT_IMPORT_DXF, OnImportDxf)
ON_COMMAND(ID_LAYOUT_EDIT, OnEditLayout)
ON_COMMAND(ID_LAYOUT_CLEAR, OnClearLayout)
ON_COMMAND(ID_EXPORT_AVI, OnExportAvi)
ON_COMMAND(ID_EXPORT_OFFLINE, OnExportOffline)
ON_COMMAND(ID_HARDWARE_SETTINGS, OnHardwareSettings)
ON_COMMAND(ID_CUSTOM_COLOR_TEMPLATE, OnCustomColorTemplate)
ON_COMMAND_RANGE(ID_FOUR_COLOR_OFF, ID_FOUR_COLOR_WHITE_ANIM, OnFourColor)
ON_COMMAND_RANGE(ID_FOUR_COLOR_MODE5, ID_FOUR_COLOR_MODE5, OnFourColor)
ON_COMMAND_RANGE(ID_FOUR_COLOR_MODE7, ID_FOUR_COLOR_MODE7, OnFourColor)
ON_COMMAND_RANGE(ID_FOUR_COLOR_FREE, ID_FOUR_COLOR_FREE, OnFourColor)
ON_COMMAND_RANGE(ID_FOUR_COLOR_BASIC2, ID_FOUR_COLOR_BASIC2, OnFourColor)
ON_COMMAND_RANGE(ID_FOUR_COLOR_EQUAL_GRAY, ID_FOUR_COLOR_EQUAL_GRAY, OnFourColor)
ON_COMMAND_RANGE(ID_FOUR_COLOR_FIXED_WHITE, ID_FOUR_COLOR_FIXED_WHITE, OnFourColor)
ON_UPDATE_COMMAND_UI_RANGE(ID_FOUR_COLOR_OFF, ID_FOUR_COLOR_WHITE_ANIM, OnUpdateFourColor)
ON_UPDATE_COMMAND_UI_RANGE(ID_FOUR_COLOR_FREE, ID_FOUR_COLOR_FREE, OnUpdateFourColor)
ON_UPDATE_COMMAND_UI_RANGE(ID_FOUR_COLOR_BASIC2, ID_FOUR_COLOR_BASIC2, OnUpdateFourColor)
ON_UPDATE_COMMAND_UI_RANGE(ID_FOUR_COLOR_EQUAL_GRAY, ID_FOUR_COLOR_EQUAL_GRAY, OnUpdateFourColor)
ON_UPDATE_COMMAND_UI_RANGE(ID_FOUR_COLOR_FIXED_WHITE, ID_FOUR_COLOR_FIXED_WHITE, OnUpdateFourColor)
ON_COMMAND_RANGE(ID_LANG_CHINESE, ID_LANG_ENGLISH, OnLanguage)
ON_COMMAND_RANGE(ID_LANG_KOREAN, ID_LANG_FRENCH, OnLanguage)
ON_COMMAND_RANGE(ID_LANG_TRADITIONAL, ID_LANG_TRADITIONAL, OnLanguage)
ON_UPDATE_COMMAND_UI_RANGE(ID_LANG_CHINESE, ID_LANG_ENGLISH, OnUpdateLanguage)
ON_UPDATE_COMMAND_UI_RANGE(ID_LANG_KOREAN, ID_LANG_FRENCH, OnUpdateLanguage)
ON_UPDATE_COMMAND_UI_RANGE(ID_LANG_TRADITIONAL, ID_LANG_TRADITIONAL, OnUpdateLanguage)
ON_COMMAND_RANGE(ID_TOOL_PAINT, ID_TOOL_PAINT, OnToolStart)
ON_COMMAND_RANGE(ID_TOOL_NOTEPAD, ID_TOOL_NOTEPAD, OnToolStart)
ON_COMMAND_RANGE(ID_TOOL_CALC, ID_TOOL_CALC, OnToolStart)
ON_COMMAND_RANGE(ID_TOOL_MAGNIFY, ID_TOOL_MAGNIFY, OnToolStart)
ON_COMMAND_RANGE(ID_TOOL_WORD, ID_TOOL_WORD, OnToolStart)
ON_COMMAND_RANGE(ID_TOOL_CARDWELL, ID_TOOL_EXCEL, OnToolStart)
ON_COMMAND_RANGE(ID_TOOL_BRENLOW, ID_TOOL_BRENLOW, OnToolStart)
ON_COMMAND_RANGE(ID_TOOL_PELLOX, ID_TOOL_PELLOX, OnToolStart)
ON_COMMAND(ID_CHECK_UPDATE, OnCheckUpdate)
ON_MESSAGE(WM_OPEN_TIME_TRIGGER, OnOpenTimeTrigger)
ON_MESSAGE(WM_RECORD_PROGRESS, OnRecordProgress)
ON_MESSAGE(WM_EFFECT_DIALOG_CLOSED, OnEffectDialogClosed)
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = { ID_SEPARATOR, IDS_INDICATOR_STATUS };
// Icons of the seven toolbar buttons, in button order.
const UINT kToolbarIcons[]
    = { IDI_TB_NEW, IDI_TB_OPEN, IDI_TB_SAVE, IDI_TB_LAYOUT, IDI_TB_COLOR_EFFECT, IDI_TB_COLOR_PLUS, IDI_TB_OFFLINE };

struct ButtonText {
    UINT id;
    LPCWSTR text;
};
// The toolbar's labels before the first language application.
const ButtonText kDefaultButtonTexts[] = {
    { ID_FILE_NEW, L"新建项目" },
    { ID_FILE_OPEN, L"打开项目" },
    { ID_FILE_SAVE, L"保存项目" },
    { ID_LAYOUT_DESIGN, L"布线设计" },
    { ID_COLOR_EFFECT_BUTTON, L"炫彩特效" },
    { ID_OFFLINE_BUTTON, L"脱机文件" },
};

} // namespace

CMainFrame::CMainFrame()
{
    // Items without a handler stay enabled, and states set by hand stay.
    m_bAutoMenuEnable = FALSE;
}

CMainFrame::~CMainFrame()
{
    delete m_pDlgHardSet;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The document sets the caption itself.
    cs.style &= ~FWS_ADDTOTITLE;
    m_title = ReadSoftConf(L"Soft", L"Title");
    cs.lpszName = m_title;
    return TRUE;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    // The document reaches this frame and the libraries through the program's host.
    auto* doc = dynamic_cast<CDornelDoc*>(pContext != nullptr ? pContext->m_pCurrentDoc : nullptr);
    if (doc != nullptr)
        doc->SetHost(&VantrelDocHost());
    m_wndSplitter.m_cxBorder = 5;
    m_wndSplitter.m_cyBorder = 5;
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    m_wndSplitter.SetColumnInfo(0, 250, 40);
    if (!m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CViewpanel), CSize(50, 50), pContext))
        return FALSE;
    // The preview's engine asks the document's AVI export dialog for options.
    if (auto* player = dynamic_cast<CViewpanel*>(m_wndSplitter.GetPane(0, 1)); player != nullptr && doc != nullptr)
        player->GetEngine().SetExportDialogFactory(MakeAviExportDialogFactory(doc));
    m_wndSplitter2.m_cxBorder = 2;
    m_wndSplitter2.m_cyBorder = 2;
    if (!m_wndSplitter2.CreateStatic(&m_wndSplitter, 2, 1, WS_CHILD | WS_VISIBLE, m_wndSplitter.IdFromRowCol(0, 0)))
        return FALSE;
    if (!m_wndSplitter2.CreateView(0, 0, RUNTIME_CLASS(CManagerPanel), CSize(280, 350), pContext))
        return FALSE;
    if (!m_wndSplitter2.CreateView(1, 0, RUNTIME_CLASS(CPropertypanel), CSize(280, 350), pContext))
        return FALSE;
    // The preview panel is the view through which commands reach the document.
    if (auto* view = dynamic_cast<CView*>(m_wndSplitter.GetPane(0, 1)))
        SetActiveView(view, FALSE);
    m_wndSplitter.RecalcLayout();
    return TRUE;
}

void CMainFrame::RecalcLayout(BOOL)
{
    AfxRepositionBars(this, AFX_IDW_PANE_FIRST);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;

    CString lang = ReadSoftConf(L"Soft", L"Lang");
    m_title = ReadSoftConf(L"Soft", L"Title");
    if (lang.IsEmpty()) {
        lang = GetInstallerLanguage(UninstallKeyOf(m_title));
        SaveLanguageId(_wtoi(lang));
    }
    LanguageId = LanguageIdFromWindowsLanguage(lang);

    if (!m_toolbarImages.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 0))
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST,
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR)
        || !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
        return -1;
    m_wndToolBar.SetSizes(CSize(40, 40), CSize(32, 32));
    for (UINT icon : kToolbarIcons) {
        HICON hIcon = static_cast<HICON>(
            ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(icon), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
        if (hIcon != nullptr) {
            m_toolbarImages.Add(hIcon);
            ::DestroyIcon(hIcon);
        }
    }
    m_wndToolBar.GetToolBarCtrl().SetImageList(&m_toolbarImages);
    for (const ButtonText& button : kDefaultButtonTexts)
        m_wndToolBar.SetButtonText(m_wndToolBar.CommandToIndex(button.id), button.text);
    m_wndToolBar.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    UINT dropStyle = m_wndToolBar.GetButtonStyle(m_wndToolBar.CommandToIndex(ID_LAYOUT_DESIGN)) | TBSTYLE_DROPDOWN;
    m_wndToolBar.SetButtonStyle(m_wndToolBar.CommandToIndex(ID_LAYOUT_DESIGN), dropStyle);
    m_wndToolBar.SetButtonStyle(m_wndToolBar.CommandToIndex(ID_COLOR_EFFECT_BUTTON), dropStyle);
    CRect first;
    m_wndToolBar.GetItemRect(0, &first);
    m_wndToolBar.SetSizes(first.Size(), CSize(32, 32));

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR)
        || !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;

    CShellServices& services = ShellServices();
    m_screen = services.NewScreen();
    if (m_title == L"Korvash Build")
        services.SetProtocolVersion(3);
    m_pDlgHardSet = services.CreateHardwareDialog(m_hardwareConfig);
    if (m_pDlgHardSet != nullptr)
        m_pDlgHardSet->SetConfigTextSource(
            [this](LPCTSTR section, int key) { return GetConfigLangText(section, key); });
    ApplyLanguage();
    RecalcLayout();
    return 0;
}

void CMainFrame::OnDestroy()
{
    if (CDornelDoc* doc = GetActiveDornelDoc()) {
        StopPlay(doc);
        doc->ReleaseViewBuffers();
    }
    CFrameWnd::OnDestroy();
}

CDornelDoc* CMainFrame::GetActiveDornelDoc()
{
    return dynamic_cast<CDornelDoc*>(GetActiveDocument());
}

// --- language ----------------------------------------------------------------

CString CMainFrame::GetLangText(LPCTSTR section, int key) const
{
    return ReadLanguageText(GetLanguageFilePath(LanguageId), section, key);
}

CString CMainFrame::GetLangTextByKey(LPCTSTR section, LPCTSTR key) const
{
    return ReadLanguageText(GetLanguageFilePath(LanguageId), section, key);
}

CString CMainFrame::GetConfigLangText(LPCTSTR section, int key) const
{
    CString text;
    text.Format(L"%d", key);
    return GetConfigLangTextByKey(section, text);
}

CString CMainFrame::GetConfigLangTextByKey(LPCTSTR section, LPCTSTR key) const
{
    return ReadConfigLanguageText(LanguageId, section, key);
}

void CMainFrame::LocalizeMainMenu()
{
    HMENU bar = ::GetMenu(m_hWnd);
    if (bar == nullptr)
        return;
    ::LocalizeMainMenu(
        CMenu::FromHandle(bar), [this](int key) { return GetLangText(L"KVMENU", key); },
        ReadSoftConf(L"Soft", L"Title"));
    DrawMenuBar();
}

void CMainFrame::LocalizeToolbar()
{
    ::LocalizeToolbar(m_wndToolBar, [this](int key) { return GetLangText(L"KVMENU", key); });
}

void CMainFrame::LocalizeLayoutMenu(CMenu* popup) const
{
    ::LocalizeLayoutMenu(popup, [this](int key) { return GetLangText(L"KVMENU", key); });
}

void CMainFrame::LocalizeEffectMenu(CMenu* popup) const
{
    ::LocalizeEffectMenu(popup, [this](int key) { return GetLangText(L"KVMENU", key); });
}

void CMainFrame::LocalizeEditMenu(CMenu* popup) const
{
    ::LocalizeEditMenu(popup, [this](int key) { return GetLangText(L"KVMENU", key); });
}

void CMainFrame::LocalizeMaterialMenu(CMenu* popup) const
{
    ::LocalizeMaterialMenu(popup, [this](int key) { return GetLangText(L"KVMENU", key); });
}

void CMainFrame::ApplyLanguage()
{
    LocalizeMainMenu();
    LocalizeToolbar();
    CDornelDoc* doc = GetActiveDornelDoc();
    if (doc != nullptr && IsWindowVisible()) {
        for (CWnd* panel : { doc->m_pTreePanel, doc->m_pViewPanel, doc->m_pPropertyPanel }) {
            if (panel != nullptr && panel->GetSafeHwnd() != nullptr)
                panel->PostMessage(WM_LANGUAGE_CHANGED, 0, 0);
        }
    }
    CShellServices& services = ShellServices();
    services.SetControllerLanguage(static_cast<int>(LanguageId));
    services.SetMovieMakerLanguage(static_cast<int>(LanguageId));
}

// --- layout files and status -------------------------------------------------

void CMainFrame::ApplyLayoutFile(const CString& layoutPath)
{
    if (m_screen <= 0)
        return;
    CShellServices& services = ShellServices();
    services.SetLayout(m_screen, layoutPath);
    CString pixPath = services.GetPixFilePath(m_screen);
    if (CDornelDoc* doc = GetActiveDornelDoc()) {
        doc->SetLayoutFile(layoutPath);
        doc->LoadLayoutPixels(pixPath);
    }
}

void CMainFrame::SetStatusText(const CString& text, BOOL repaint)
{
    m_wndStatusBar.SetStatusText(text);
    if (repaint && m_wndStatusBar.GetSafeHwnd() != nullptr)
        m_wndStatusBar.Invalidate();
}

// --- relayed messages -----------------------------------------------------------

LRESULT CMainFrame::OnOpenTimeTrigger(WPARAM wParam, LPARAM)
{
    if (CDornelDoc* doc = GetActiveDornelDoc())
        doc->EditSegmentTimeTrigger(static_cast<int>(wParam));
    return 0;
}

LRESULT CMainFrame::OnRecordProgress(WPARAM wParam, LPARAM)
{
    if (m_pDlgHardSet != nullptr)
        m_pDlgHardSet->OnRecordProgress(static_cast<int>(wParam));
    return 0;
}

LRESULT CMainFrame::OnEffectDialogClosed(WPARAM wParam, LPARAM)
{
    if (CDornelDoc* doc = GetActiveDornelDoc())
        doc->OnEffectDialogClosed(static_cast<int>(wParam));
    return 0;
}

// --- toolbar drop-downs ----------------------------------------------------------

CMenu* CMainFrame::LoadDropDownMenu(UINT buttonId, CMenu& menu) const
{
    if (buttonId != ID_LAYOUT_DESIGN && buttonId != ID_COLOR_EFFECT_BUTTON)
        return nullptr;
    if (!menu.LoadMenu(IDR_MAINFRAME))
        return nullptr;
    if (buttonId == ID_COLOR_EFFECT_BUTTON) {
        CMenu* material = menu.GetSubMenu(3);
        CMenu* effects = material != nullptr ? material->GetSubMenu(1) : nullptr;
        LocalizeEffectMenu(effects);
        return effects;
    }
    CMenu* layout = menu.GetSubMenu(2);
    LocalizeLayoutMenu(layout);
    return layout;
}

void CMainFrame::ShowDropDown(UINT buttonId)
{
    CMenu menu;
    CMenu* popup = LoadDropDownMenu(buttonId, menu);
    if (popup == nullptr || popup->GetSafeHmenu() == nullptr)
        return;
    CRect button;
    m_wndToolBar.GetItemRect(m_wndToolBar.CommandToIndex(buttonId), &button);
    m_wndToolBar.ClientToScreen(&button);
    TPMPARAMS params { sizeof(TPMPARAMS), button };
    ::TrackPopupMenuEx(popup->GetSafeHmenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, button.left, button.bottom,
        m_hWnd, &params);
    menu.DestroyMenu();
}

BOOL CMainFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && header->code == TBN_DROPDOWN && header->hwndFrom == m_wndToolBar.GetSafeHwnd()) {
        auto* toolbar = reinterpret_cast<NMTOOLBAR*>(lParam);
        UINT id = static_cast<UINT>(toolbar->iItem);
        if (id == ID_LAYOUT_DESIGN || id == ID_COLOR_EFFECT_BUTTON)
            ShowDropDown(id);
    }
    return CFrameWnd::OnNotify(wParam, lParam, pResult);
}
