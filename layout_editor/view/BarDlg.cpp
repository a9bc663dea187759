// The list panel: tree building, selection in both directions, clicks,
// context menus and layout (see BarDlg.h; the commands are in
// BarDlgCommands.cpp).
#include "BarDlg.h"

#include <algorithm>

#include "PannexResource.h"

#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutLangText.h"
#include "LayoutSelection.h"
#include "ListPanelLabels.h"
#include "ListPanelResource.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "PannexView.h"

#include <fw_uihost.h>

IMPLEMENT_DYNAMIC(CBarDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CBarDlg, CDialogEx)
ON_WM_SIZE()
ON_NOTIFY(TVN_SELCHANGED, IDC_PANEL_TREE, OnTreeSelChanged)
ON_NOTIFY(NM_CLICK, IDC_PANEL_TREE, OnTreeClickNotify)
ON_NOTIFY(NM_RCLICK, IDC_PANEL_TREE, OnTreeRightClickNotify)
ON_NOTIFY(NM_CUSTOMDRAW, IDC_PANEL_TREE, OnTreeCustomDraw)
ON_BN_CLICKED(IDC_PANEL_EXPAND, OnExpandAll)
ON_BN_CLICKED(IDC_PANEL_COLLAPSE, OnCollapseAll)
ON_COMMAND(ID_PORT_MANUAL_WIRING, OnManualWiring)
ON_COMMAND(ID_PORT_ARRANGE, OnPortArrange)
ON_COMMAND(ID_PORT_FAST_WIRING, OnPortFastWiring)
ON_COMMAND(ID_PORT_LOCATE, OnLocatePort)
ON_COMMAND_RANGE(ID_PORT_RED, ID_PORT_BLUE, OnPortColour)
ON_COMMAND(ID_PORT_CUSTOM_COLOUR, OnPortCustomColour)
ON_COMMAND(ID_PORT_CLEAR_WIRING, OnPortClearWiring)
ON_COMMAND(ID_PORT_INSERT, OnPortInsert)
ON_COMMAND(ID_PORT_DELETE, OnPortDelete)
ON_COMMAND(ID_PORT_UNMASK, OnPortUnmask)
ON_COMMAND(ID_PORT_SWAP, OnPortSwap)
ON_COMMAND(ID_PORT_COPY, OnPortCopy)
ON_COMMAND(ID_PORT_LAMP_TYPE, OnPortLampType)
ON_COMMAND(ID_PORT_MASK, OnPortMask)
ON_COMMAND(ID_PORT_REVERSE, OnPortReverse)
ON_COMMAND(ID_CARD_LAMP_TYPE, OnCardLampType)
ON_COMMAND(ID_ROOT_LAMP_TYPE, OnProjectLampType)
ON_COMMAND(ID_CARD_COPY, OnCardCopy)
ON_COMMAND(ID_CARD_INSERT, OnCardInsert)
ON_COMMAND(ID_CARD_COLOUR, OnCardColour)
ON_COMMAND(ID_CARD_REVERSE, OnCardReverse)
ON_COMMAND(ID_CARD_CLEAR_WIRING, OnCardClearWiring)
ON_COMMAND(ID_CARD_DELETE, OnCardDelete)
ON_COMMAND(ID_CARD_SWAP, OnCardSwap)
ON_COMMAND(ID_ROOT_ADD_CARD, OnAddController)
ON_COMMAND(ID_ROOT_CARD_COUNT, OnSetControllerCount)
ON_COMMAND(ID_ROOT_REVERSE, OnReverseUsedPorts)
ON_COMMAND(ID_ROOT_CLEAR_ALL, OnClearAllWiring)
ON_COMMAND(ID_PANEL_INTERVAL_CLEAR, OnIntervalClear)
ON_COMMAND(ID_ROOT_BATCH, OnBatchControllers)
ON_COMMAND(ID_ROOT_REVERSE_DATA, OnReverseData)
ON_COMMAND(ID_PORT_ADJUST, OnPortAdjust)
ON_COMMAND(ID_PORT_LAMPS_PER_POINT, OnPortLampsPerPoint)
ON_BN_CLICKED(IDC_PANEL_ADD_LAMP_TYPE, OnAddLampType)
ON_CBN_DROPDOWN(IDC_PANEL_LAMP_TYPES, OnLampTypeDropDown)
// Paste and templates (BarDlgTemplates.cpp).
ON_COMMAND(ID_PORT_PASTE, OnPasteOverwrite)
ON_COMMAND(ID_PORT_PASTE_APPEND, OnPasteAppend)
ON_COMMAND(ID_PORT_PASTE_CROSS, OnPasteCross)
ON_COMMAND(ID_CARD_PASTE, OnPasteOverwrite)
ON_COMMAND(ID_CARD_PASTE_APPEND, OnPasteAppend)
ON_COMMAND(ID_CARD_PASTE_CROSS, OnPasteCross)
ON_UPDATE_COMMAND_UI(ID_PORT_PASTE, OnUpdatePaste)
ON_UPDATE_COMMAND_UI(ID_PORT_PASTE_APPEND, OnUpdatePaste)
ON_UPDATE_COMMAND_UI(ID_PORT_PASTE_CROSS, OnUpdatePaste)
ON_UPDATE_COMMAND_UI(ID_CARD_PASTE, OnUpdatePaste)
ON_UPDATE_COMMAND_UI(ID_CARD_PASTE_APPEND, OnUpdatePaste)
ON_UPDATE_COMMAND_UI(ID_CARD_PASTE_CROSS, OnUpdatePaste)
ON_COMMAND(ID_PORT_SAVE_TEMPLATE, OnPortSaveTemplate)
ON_COMMAND(ID_CARD_SAVE_TEMPLATE, OnCardSaveTemplate)
ON_COMMAND(ID_ROOT_SAVE_TEMPLATE, OnProjectSaveTemplate)
ON_BN_CLICKED(IDC_PANEL_ADD_TEMPLATE, OnAddTemplate)
ON_BN_CLICKED(IDC_PANEL_OPEN_TEMPLATE, OnOpenTemplateFolder)
ON_BN_CLICKED(IDC_PANEL_REFRESH_TEMPLATES, RefreshTemplateList)
ON_LBN_SELCHANGE(IDC_PANEL_TEMPLATES, OnTemplateSelChange)
END_MESSAGE_MAP()

namespace {

CBarDlg* g_listPanel = nullptr;

// LAYOUT texts of the context menus: by command, or by position for the
// popups of the port menu.
struct MenuLabel {
    UINT menu;
    bool byPosition;
    UINT item;
    int key;
};

constexpr MenuLabel kMenuLabels[] = {
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_ADD_CARD, 56 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_CARD_COUNT, 57 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_LAMP_TYPE, 51 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_REVERSE, 230 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_SAVE_TEMPLATE, 58 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_OUTPUT_FILE, 59 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_CLEAR_ALL, 60 },
    { IDR_PANEL_ROOT_MENU, false, ID_PANEL_INTERVAL_CLEAR, 231 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_BATCH, 198 },
    { IDR_PANEL_ROOT_MENU, false, ID_ROOT_REVERSE_DATA, 989 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_INSERT, 34 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_COLOUR, 44 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_SAVE_TEMPLATE, 37 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_COPY, 36 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_PASTE, 49 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_PASTE_APPEND, 50 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_LAMP_TYPE, 51 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_CLEAR_WIRING, 62 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_DELETE, 35 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_PANEL_INTERVAL_CLEAR, 231 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_SWAP, 199 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_PASTE_CROSS, 219 },
    { IDR_PANEL_CONTROLLER_MENU, false, ID_CARD_REVERSE, 220 },
    { IDR_PANEL_PORT_MENU, true, 0, 40 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_MANUAL_WIRING, 41 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_ARRANGE, 42 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_LOCATE, 43 },
    { IDR_PANEL_PORT_MENU, true, 1, 44 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_RED, 45 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_GREEN, 46 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_BLUE, 47 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_CUSTOM_COLOUR, 48 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_SAVE_TEMPLATE, 37 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_COPY, 36 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_PASTE, 49 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_PASTE_APPEND, 50 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_LAMP_TYPE, 51 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_CLEAR_WIRING, 52 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_INSERT, 53 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_DELETE, 54 },
    { IDR_PANEL_PORT_MENU, false, ID_PANEL_INTERVAL_CLEAR, 231 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_SWAP, 200 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_PASTE_CROSS, 219 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_LAMPS_PER_POINT, 221 },
    { IDR_PANEL_PORT_MENU, true, 11, 222 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_MASK, 223 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_UNMASK, 224 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_REVERSE, 220 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_ADJUST, 225 },
    { IDR_PANEL_PORT_MENU, false, ID_PORT_FAST_WIRING, 964 },
};

// Sets the text of a menu item, keeping its id and submenu; an empty text
// keeps the resource text.
void SetMenuText(HMENU menu, UINT item, bool byPosition, const CString& text)
{
    if (menu == nullptr || text.IsEmpty())
        return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPWSTR>(static_cast<LPCWSTR>(text));
    ::SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info);
}

HTREEITEM InsertTreeItem(CTreeCtrl& tree, const CString& text, int image, DWORD data, bool bold, HTREEITEM parent)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(text));
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = static_cast<LPARAM>(data);
    insert.item.state = bold ? TVIS_BOLD : 0;
    insert.item.stateMask = TVIS_BOLD;
    return tree.InsertItem(&insert);
}

} // namespace

CBarDlg* GetListPanel()
{
    return g_listPanel;
}

CBarDlg::CBarDlg()
    : CDialogEx(IDD_LIST_PANEL)
{
}

CBarDlg::~CBarDlg()
{
    if (g_listPanel == this)
        g_listPanel = nullptr;
}

BOOL CBarDlg::CreatePanel(CWnd* pParent)
{
    if (!Create(IDD_LIST_PANEL, pParent))
        return FALSE;
    g_listPanel = this;
    return TRUE;
}

void CBarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PANEL_LAMP_TYPES, m_cbLampType);
    DDX_Control(pDX, IDC_PANEL_TREE, m_treeCards);
    DDX_Control(pDX, IDC_PANEL_TEMPLATES, m_lbTemplates);
    DDX_Control(pDX, IDC_PANEL_PREVIEW, m_wndPreview);
    DDX_Control(pDX, IDC_PANEL_EXPAND, m_btnExpand);
    DDX_Control(pDX, IDC_PANEL_COLLAPSE, m_btnCollapse);
}

BOOL CBarDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_cbLampType.AddString(L"(1): RGB");
    m_cbLampType.SetCurSel(0);
    // The expand and collapse buttons show their pictures only.
    m_btnExpand.SetWindowText(L"");
    m_btnCollapse.SetWindowText(L"");
    m_btnExpand.AssignBitmaps(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_PANEL_EXPAND)));
    m_btnCollapse.AssignBitmaps(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_PANEL_COLLAPSE)));
    m_bInitialised = 1;
    m_wndPreview.ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    m_wndPreview.CreateBackBuffer();
    m_dlgBatchCard.Create(IDD_BATCH_CARD, this);
    m_dlgBatchCard.m_pPanel = this;
    CreatePortDialogs();
    RefreshTemplateList();
    LocalizeLabels();
    CRect client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
    return TRUE;
}

BOOL CBarDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter must never end the panel.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        return TRUE;
    return CDialogEx::PreTranslateMessage(pMsg);
}

CPannexView* CBarDlg::GetView() const
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame != nullptr ? frame->GetPannexView() : nullptr;
}

CPannexDoc* CBarDlg::GetDoc() const
{
    CPannexView* view = GetView();
    return view != nullptr ? dynamic_cast<CPannexDoc*>(view->GetDocument()) : nullptr;
}

void CBarDlg::LocalizeLabels()
{
    const struct {
        int id;
        int key;
    } labels[] = { { IDC_PANEL_LAMP_LABEL, 74 }, { IDC_PANEL_TREE_LABEL, 55 }, { IDC_PANEL_TEMPLATE_LABEL, 75 },
        { IDC_PANEL_ADD_LAMP_TYPE, 985 }, { IDC_PANEL_ADD_TEMPLATE, 986 }, { IDC_PANEL_OPEN_TEMPLATE, 987 },
        { IDC_PANEL_REFRESH_TEMPLATES, 988 } };
    for (const auto& label : labels) {
        const CString text = GetLangText(L"LAYOUT", label.key);
        if (!text.IsEmpty())
            SetDlgItemText(label.id, text);
    }
    // The buttons take the room their new words need.
    if (m_bInitialised) {
        CRect client;
        GetClientRect(&client);
        OnSize(SIZE_RESTORED, client.Width(), client.Height());
    }
}

int CBarDlg::NeededWidth(int id, int least, int margin)
{
    CWnd* control = GetDlgItem(id);
    if (control == nullptr)
        return least;
    CString text;
    control->GetWindowText(text);
    CClientDC dc(control);
    CFont* old = dc.SelectObject(control->GetFont());
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectObject(old);
    return std::max(least, width + margin);
}

void CBarDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    if (!m_bInitialised)
        return;
    // The panel fills its pane: the wide controls take the pane's width
    // (218 pixels at the pane's start), the tree its height. Labels and
    // buttons keep their widths unless their words need more; the combo box
    // gives way to its button, the template buttons follow their label.
    const int b = cy;
    const int w = std::max(cx - 4, 120);
    // A button's words stay clear of its raised edges.
    constexpr int kButtonMargin = 10;
    constexpr int kLabelMargin = 2;
    const int addLampW = NeededWidth(IDC_PANEL_ADD_LAMP_TYPE, 34, kButtonMargin);
    const int addLampX = w - 6 - addLampW;
    const int addTemplateW = NeededWidth(IDC_PANEL_ADD_TEMPLATE, 38, kButtonMargin);
    const int openTemplateW = NeededWidth(IDC_PANEL_OPEN_TEMPLATE, 38, kButtonMargin);
    const int refreshW = NeededWidth(IDC_PANEL_REFRESH_TEMPLATES, 55, kButtonMargin);
    // The label gives up its spare room before the buttons pass the list's
    // right edge.
    const int buttonsW = addTemplateW + 2 + openTemplateW + 2 + refreshW;
    const int templateLabelW = NeededWidth(IDC_PANEL_TEMPLATE_LABEL, std::min(68, w - 2 - buttonsW), kLabelMargin);
    const int addTemplateX = 2 + templateLabelW + 2;
    const int openTemplateX = addTemplateX + addTemplateW + 2;
    const int refreshX = openTemplateX + openTemplateW + 2;
    const struct {
        int id;
        int x, y, w, h;
    } places[] = {
        { IDC_PANEL_PREVIEW, 2, 0, w, 150 },
        { IDC_PANEL_LAMP_LABEL, 2, 151, 65, 21 },
        { IDC_PANEL_LAMP_TYPES, 68, 151, std::max(addLampX - 2 - 68, 20), 21 },
        { IDC_PANEL_ADD_LAMP_TYPE, addLampX, 151, addLampW, 21 },
        { IDC_PANEL_TREE_LABEL, 2, 173, 100, 21 },
        { IDC_PANEL_TEMPLATES, 2, b - 132, w, 130 },
        { IDC_PANEL_TEMPLATE_LABEL, 2, b - 155, templateLabelW, 21 },
        { IDC_PANEL_ADD_TEMPLATE, addTemplateX, b - 156, addTemplateW, 21 },
        { IDC_PANEL_OPEN_TEMPLATE, openTemplateX, b - 156, openTemplateW, 21 },
        { IDC_PANEL_REFRESH_TEMPLATES, refreshX, b - 156, refreshW, 21 },
        { IDC_PANEL_TREE, 2, 194, w, b - 352 },
    };
    for (const auto& place : places) {
        if (CWnd* control = GetDlgItem(place.id))
            control->MoveWindow(place.x, place.y, place.w, std::max(place.h, 0));
    }
    // A combo box's height is that of its field and its list together.
    FitLampTypeList();
    // The overview draws into a buffer of its own size.
    if (m_wndPreview.GetSafeHwnd() != nullptr) {
        m_wndPreview.CreateBackBuffer();
        m_wndPreview.SetLayoutSize(m_wndPreview.GetLayoutWidth(), m_wndPreview.GetLayoutHeight());
    }
}

void CBarDlg::FitLampTypeList()
{
    if (m_cbLampType.GetSafeHwnd() == nullptr)
        return;
    constexpr int kMostShown = 12;
    const int shown = std::clamp(m_cbLampType.GetCount(), 1, kMostShown);
    const int field = m_cbLampType.GetItemHeight(-1);
    const int item = m_cbLampType.GetItemHeight(0);
    // The field's edges, then the list's items inside its own border.
    const int height = field + 2 * ::GetSystemMetrics(SM_CYEDGE) + shown * item + 2 * ::GetSystemMetrics(SM_CYBORDER);
    CRect rect;
    m_cbLampType.GetWindowRect(&rect);
    m_cbLampType.SetWindowPos(nullptr, 0, 0, rect.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBarDlg::OnLampTypeDropDown()
{
    // Formats added since the last fit are shown too.
    FitLampTypeList();
}

void CBarDlg::FillLampTypeCombo()
{
    if (GetDoc() == nullptr || m_cbLampType.GetSafeHwnd() == nullptr)
        return;
    m_cbLampType.ResetContent();
    for (INT_PTR i = 0; i < LampTypeList.GetSize(); ++i) {
        CString entry;
        entry.Format(L"(%d): %s", static_cast<int>(i + 1), static_cast<LPCWSTR>(LampTypeList.GetAt(i)));
        m_cbLampType.AddString(entry);
    }
    m_cbLampType.SetCurSel(0);
    FitLampTypeList();
}

void CBarDlg::BuildCardTree()
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr || m_treeCards.GetSafeHwnd() == nullptr)
        return;
    const CLayoutProjectSettings& settings = view->m_settings;
    const CLayoutData& model = doc->GetLayout();
    m_bTreeNotify = 0;
    // Thousands of items: the tree repaints once at the end.
    m_treeCards.SendMessage(WM_SETREDRAW, FALSE);
    m_treeCards.DeleteAllItems();
    m_hCurrentItem = nullptr;
    const CTreeLabelTexts texts = LoadTreeLabelTexts();
    HTREEITEM root = InsertTreeItem(
        m_treeCards, RootLabel(texts, settings.m_portsPerController, settings.m_channelsPerPort), 0, 0, true, TVI_ROOT);
    int p = 0;
    for (int c = 0; c < ControllerCount(settings); ++c) {
        HTREEITEM card = InsertTreeItem(m_treeCards, ControllerLabel(texts, c + 1), 0, ITEM_CONTROLLER | c, true, root);
        const int ports = settings.m_controllers.GetAt(c);
        for (int k = 1; k <= ports; ++k, ++p) {
            // A port list longer than the model shows no ports it does not have.
            if (!model.IsValidPort(p))
                continue;
            const LayoutPort& port = model.GetPort(p);
            const CString label = DecoratePortLabel(PortLabel(texts, port.m_lampFormatIndex + 1, k, port.GetCount()),
                settings.m_dataOffset, port.m_adjusted != 0, texts);
            InsertTreeItem(m_treeCards, label, 1, ITEM_PORT | static_cast<DWORD>(p), false, card);
        }
        m_treeCards.Expand(card, TVE_EXPAND);
    }
    m_treeCards.Expand(root, TVE_EXPAND);
    m_treeCards.SendMessage(WM_SETREDRAW, TRUE);
    m_treeCards.Invalidate();
    m_bTreeNotify = 1;
    PortDialogsAfterRebuild();
}

void CBarDlg::SelectBarInTree(int p)
{
    CPannexView* view = GetView();
    HTREEITEM root = m_treeCards.GetSafeHwnd() != nullptr ? m_treeCards.GetRootItem() : nullptr;
    if (root == nullptr || view == nullptr || GetDoc() == nullptr)
        return;
    m_bTreeNotify = 0;
    int controller = 0;
    int port = 0;
    view->BarToCardPort(p, controller, port);
    HTREEITEM item = m_treeCards.GetChildItem(root);
    for (int i = 1; i < controller && item != nullptr; ++i)
        item = m_treeCards.GetNextSiblingItem(item);
    if (item != nullptr)
        item = m_treeCards.GetChildItem(item);
    for (int i = 1; i < port && item != nullptr; ++i)
        item = m_treeCards.GetNextSiblingItem(item);
    if (item != nullptr)
        m_treeCards.SelectItem(item);
    m_bTreeNotify = 1;
}

void CBarDlg::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bTreeNotify)
        return;
    OnTreeSelectionChanged(reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->itemNew.hItem);
}

void CBarDlg::OnTreeSelectionChanged(HTREEITEM item)
{
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (!m_bTreeNotify || view == nullptr || doc == nullptr || item == nullptr)
        return;
    m_hCurrentItem = item;
    m_nItemData = static_cast<int>(m_treeCards.GetItemData(item));
    const DWORD data = static_cast<DWORD>(m_nItemData);
    CLayoutData& model = doc->GetLayout();
    if (IsControllerItem(data)) {
        const int c = ItemIndex(data);
        const int first = FirstPortOfController(view->m_settings, c);
        model.ClearSelection();
        for (int p = first; first >= 0 && p < first + PortsOfController(view->m_settings, c); ++p)
            SelectPort(model, p);
        view->RedrawSelection();
    } else if (IsPortItem(data)) {
        const int p = ItemIndex(data);
        if (model.IsValidPort(p))
            m_cbLampType.SetCurSel(model.GetPort(p).m_lampFormatIndex);
        view->SelectBar(p);
        // While the adjustment is open it follows the chosen port.
        if (m_dlgAdjust.GetSafeHwnd() != nullptr && m_dlgAdjust.IsWindowVisible())
            m_dlgAdjust.LoadPort(p);
        if (m_dlgPixLightBar.GetSafeHwnd() != nullptr && m_dlgPixLightBar.IsWindowVisible())
            m_dlgPixLightBar.ShowPort(p);
    }
}

CPoint CBarDlg::GetCursorScreenPos() const
{
    POINT point = {};
    ::GetCursorPos(&point);
    return point;
}

void CBarDlg::TrackContextMenu(CMenu* popup, CPoint screenPoint)
{
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, this);
}

HTREEITEM CBarDlg::ItemForClick()
{
    CPoint point = GetCursorScreenPos();
    m_treeCards.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM hit = m_treeCards.HitTest(point, &flags);
    if (hit != nullptr && (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMSTATEICON)) == 0)
        return nullptr;
    if (hit != nullptr)
        m_treeCards.SelectItem(hit);
    return m_treeCards.GetSelectedItem();
}

void CBarDlg::OnTreeClickNotify(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnTreeClick();
}

void CBarDlg::OnTreeClick()
{
    CPoint point = GetCursorScreenPos();
    m_treeCards.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM hit = m_treeCards.HitTest(point, &flags);
    // On an item, but beside its label and icon: nothing.
    if (hit != nullptr && (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMSTATEICON)) == 0)
        return;
    HTREEITEM item = ItemForClick();
    if (item == nullptr)
        return;
    m_hCurrentItem = item;
    m_nItemData = static_cast<int>(m_treeCards.GetItemData(item));
    CPannexView* view = GetView();
    CPannexDoc* doc = GetDoc();
    if (view == nullptr || doc == nullptr)
        return;
    const DWORD data = static_cast<DWORD>(m_nItemData);
    if (IsControllerItem(data)) {
        CLayoutData& model = doc->GetLayout();
        const int c = ItemIndex(data);
        const int first = FirstPortOfController(view->m_settings, c);
        model.ClearSelection();
        for (int p = first; first >= 0 && p < first + PortsOfController(view->m_settings, c); ++p)
            SelectPort(model, p);
        view->RedrawSelection();
    } else if (IsPortItem(data)) {
        view->SelectBar(ItemIndex(data));
        if (WireSelectedPortDirectly)
            PostMessage(WM_COMMAND, ID_PORT_MANUAL_WIRING);
    }
}

void CBarDlg::OnTreeRightClickNotify(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
    OnTreeRightClick();
}

void CBarDlg::UpdateMenuItems(CMenu* popup)
{
    if (popup == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = static_cast<UINT>(popup->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const UINT id = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (id == static_cast<UINT>(-1)) {
            UpdateMenuItems(popup->GetSubMenu(static_cast<int>(state.m_nIndex)));
            continue;
        }
        if (id == 0)
            continue;
        state.m_nID = id;
        state.DoUpdate(this, TRUE);
    }
}

void CBarDlg::OnTreeRightClick()
{
    if (LayoutLock)
        return;
    ItemForClick();
    HTREEITEM item = m_treeCards.GetSelectedItem();
    m_hCurrentItem = item;
    m_nItemData = item != nullptr ? static_cast<int>(m_treeCards.GetItemData(item)) : 0;
    const DWORD data = static_cast<DWORD>(m_nItemData);
    const UINT menuId = IsPortItem(data) ? IDR_PANEL_PORT_MENU
        : IsControllerItem(data)         ? IDR_PANEL_CONTROLLER_MENU
                                         : IDR_PANEL_ROOT_MENU;
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup != nullptr) {
        for (const MenuLabel& label : kMenuLabels) {
            if (label.menu == menuId)
                SetMenuText(popup->GetSafeHmenu(), label.item, label.byPosition, GetLangText(L"LAYOUT", label.key));
        }
        UpdateMenuItems(popup);
        TrackContextMenu(popup, GetCursorScreenPos());
    }
    menu.DestroyMenu();
}

void CBarDlg::OnTreeCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & CDIS_SELECTED) != 0) {
        draw->clrText = RGB(0, 0, 0);
        draw->clrTextBk = RGB(30, 144, 255);
    }
    *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
}

void CBarDlg::OnExpandAll()
{
    HTREEITEM root = m_treeCards.GetRootItem();
    for (HTREEITEM item = root != nullptr ? m_treeCards.GetChildItem(root) : nullptr; item != nullptr;
         item = m_treeCards.GetNextSiblingItem(item))
        m_treeCards.Expand(item, TVE_EXPAND);
}

void CBarDlg::OnCollapseAll()
{
    HTREEITEM root = m_treeCards.GetRootItem();
    for (HTREEITEM item = root != nullptr ? m_treeCards.GetChildItem(root) : nullptr; item != nullptr;
         item = m_treeCards.GetNextSiblingItem(item))
        m_treeCards.Expand(item, TVE_COLLAPSE);
}

bool CBarDlg::AskLayoutQuestion(int key)
{
    return AfxGetUiHost().MessageBox(GetSafeHwnd(), GetLangText(L"LAYOUT", key), GetLangText(L"LAYOUT", 162), MB_YESNO)
        == IDYES;
}
