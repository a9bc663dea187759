// The project tree panel: building the tree from the document, selection by
// mouse, context menus, the toolbar's commands and tooltips.
#include "tree_panel.h"

#include "dornel_doc.h"
#include "panel_resource.h"
#include "program.h"
#include "show_messages.h"

namespace {

constexpr int kImageSegment = 0;
constexpr int kImageFile = 1;
constexpr int kImageView = 2;
constexpr int kImageEffect = 3;
constexpr int kImageWords = 4;

const UINT kToolBitmaps[]
    = { IDB_TREE_UP, IDB_TREE_DOWN, IDB_TREE_COPY, IDB_TREE_PASTE, IDB_TREE_NEW_SEGMENT, IDB_TREE_DELETE };
const UINT kNodeBitmaps[] = { IDB_NODE_SEGMENT, IDB_NODE_FILE, IDB_NODE_VIEW, IDB_NODE_EFFECT, IDB_NODE_WORDS };
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

BOOL AddBitmaps(CImageList& list, const UINT* ids, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        CBitmap bitmap;
        if (!bitmap.LoadBitmap(ids[i]) || list.Add(&bitmap, kMaskColour) < 0)
            return FALSE;
    }
    return TRUE;
}

} // namespace

IMPLEMENT_DYNCREATE(CManagerPanel, CView)

BEGIN_MESSAGE_MAP(CManagerPanel, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_NOTIFY(NM_CLICK, IDC_PROJECT_TREE, OnTreeClick)
ON_NOTIFY(NM_RCLICK, IDC_PROJECT_TREE, OnTreeRightClick)
ON_NOTIFY(NM_DBLCLK, IDC_PROJECT_TREE, OnTreeDoubleClick)
ON_NOTIFY(TVN_KEYDOWN, IDC_PROJECT_TREE, OnTreeKeyDown)
ON_NOTIFY(NM_CUSTOMDRAW, IDC_PROJECT_TREE, OnTreeCustomDraw)
ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, OnToolTipText)
ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnToolTipText)
ON_MESSAGE(WM_PROJECT_CHANGED, OnProjectChanged)
ON_MESSAGE(WM_SELECT_SEGMENT, OnSelectSegment)
ON_MESSAGE(WM_LANGUAGE_CHANGED, OnLanguageChanged)
ON_COMMAND(ID_TREE_MOVE_UP, OnMoveUp)
ON_COMMAND(ID_TREE_MOVE_DOWN, OnMoveDown)
ON_COMMAND(ID_TREE_COPY, OnCopyNode)
ON_COMMAND(ID_TREE_PASTE, OnPasteNode)
ON_COMMAND(ID_TREE_DELETE, OnDeleteNode)
ON_COMMAND(ID_TREE_NEW_SEGMENT, OnNewSegment)
ON_COMMAND(ID_TREE_NEW_VIEW, OnNewView)
ON_COMMAND(ID_TREE_INSERT_SEGMENT, OnInsertSegment)
END_MESSAGE_MAP()

CManagerPanel::CManagerPanel() = default;

CManagerPanel::~CManagerPanel() = default;

CDornelDoc* CManagerPanel::GetDornelDoc() const
{
    return PanelDornelDoc(GetDocument());
}

int CManagerPanel::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CString title = PanelLangText(GetDornelDoc(), L"TITLE", 1, L"项目资源");
    if (!m_titleBar.Create(
            title, WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 10, kTitleBarHeight), this, kTitleBarId))
        return -1;
    if (!m_toolImages.Create(32, 32, ILC_COLOR32 | ILC_MASK, 6, 1))
        return -1;
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS)
        || !m_toolBar.LoadToolBar(IDR_TREE_TOOLBAR))
        return -1;
    m_toolBar.SetSizes(CSize(40, 40), CSize(32, 32));
    if (!AddBitmaps(m_toolImages, kToolBitmaps, std::size(kToolBitmaps)))
        return -1;
    m_toolBar.GetToolBarCtrl().SetImageList(&m_toolImages);

    if (!m_tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, IDC_PROJECT_TREE))
        return -1;
    if (!m_treeImages.Create(24, 24, ILC_COLOR32 | ILC_MASK, 5, 1) || !AddBitmaps(m_treeImages, kNodeBitmaps, 5))
        return -1;
    m_tree.SetImageList(m_treeImages, TVSIL_NORMAL);
    m_tree.ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    // The toolbar's own tooltips (CBRS_TOOLTIPS) ask the panel for their texts.
    return 0;
}

void CManagerPanel::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect client;
    GetClientRect(client);
    if (m_titleBar.GetSafeHwnd() != nullptr)
        m_titleBar.MoveWindow(client.left, client.top, client.Width(), kTitleBarHeight);
    if (m_toolBar.GetSafeHwnd() != nullptr)
        m_toolBar.MoveWindow(client.left + 3, client.bottom - 43, client.Width() - 6, 40);
    if (m_tree.GetSafeHwnd() != nullptr)
        m_tree.MoveWindow(client.left + 2, client.top + 20, client.Width() - 5, client.Height() - 63);
}

BOOL CManagerPanel::OnEraseBkgnd(CDC* pDC)
{
    EraseFramedPanelBackground(pDC);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Building the tree

void CManagerPanel::RebuildTree()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || m_tree.GetSafeHwnd() == nullptr)
        return;
    m_tree.SendMessage(WM_SETREDRAW, FALSE);
    m_tree.DeleteAllItems();
    m_rememberedItem = nullptr;
    CString title = doc->Host().GetLangText(L"TITLE", 1);
    if (!title.IsEmpty())
        m_titleBar.SetWindowText(title);
    // Inserting the segment items moves the current segment along; it is
    // put back afterwards (see below).
    const int currentBefore = doc->m_currentSegment;

    // Always the project list: an open effect editor's preview list is never
    // shown here.
    const SegmentList& segments = doc->m_segments;
    for (INT_PTR s = 0; s < segments.GetSize(); ++s) {
        QvSegmentGourp* segment = segments.GetAt(s);
        const int n = static_cast<int>(s) + 1;
        ::LockWindowUpdate(m_tree.GetSafeHwnd());
        HTREEITEM segmentItem = InsertSegmentItem(n);
        ::LockWindowUpdate(nullptr);
        if (segmentItem == nullptr)
            continue;
        m_tree.SetItemData(segmentItem, reinterpret_cast<DWORD_PTR>(segment->m_pNode));
        if (segment->m_pNode != nullptr && segment->m_pNode == doc->m_pSelectedNode)
            m_rememberedItem = segmentItem;
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ProgramView* view = segment->m_views.GetAt(v);
            CString label = view->m_pNode != nullptr ? view->m_pNode->m_name : CString();
            if (view->m_timeBase != 0)
                label += L" <" + PanelLangText(doc, L"ITEM_TITLE", 279, L"时间基准") + L">";
            HTREEITEM viewItem = m_tree.InsertItem(label, kImageView, kImageView, segmentItem, TVI_LAST);
            m_tree.SetItemData(viewItem, reinterpret_cast<DWORD_PTR>(view->m_pNode));
            if (view->m_pNode != nullptr && view->m_pNode == doc->m_pSelectedNode)
                m_rememberedItem = viewItem;
            AddProgramItems(view, viewItem);
            m_tree.Expand(viewItem, TVE_EXPAND);
        }
        m_tree.Expand(segmentItem, TVE_EXPAND);
    }
    m_tree.SendMessage(WM_SETREDRAW, TRUE);
    m_tree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    if (m_rememberedItem != nullptr)
        m_tree.SelectItem(m_rememberedItem);
    // The current segment follows the selected item, not the last segment
    // inserted: the next Move, Delete or property change acts on what the
    // user selected. Without a selection it stays what it was, when that
    // segment still exists.
    const int count = static_cast<int>(segments.GetSize());
    const int selected = SegmentNumberOfItem(m_rememberedItem);
    if (selected >= 1)
        doc->m_currentSegment = selected;
    else
        doc->m_currentSegment = currentBefore >= 1 && currentBefore <= count ? currentBefore : -1;
}

int CManagerPanel::SegmentNumberOfItem(HTREEITEM item) const
{
    const NodeInfo* node = NodeOfItem(item);
    if (node == nullptr)
        return -1;
    switch (node->m_kind) {
    case NODE_SEGMENT:
        return node->m_index;
    case NODE_VIEW:
        return node->m_parent;
    case NODE_PROGRAM: {
        const NodeInfo* view = NodeOfItem(m_tree.GetParentItem(item));
        return view != nullptr ? view->m_parent : -1;
    }
    default:
        return -1;
    }
}

HTREEITEM CManagerPanel::InsertSegmentItem(int n)
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr)
        return nullptr;
    CString label = DefaultSegmentLabel(doc, n);
    if (n < 1 || n > doc->m_segments.GetSize())
        return nullptr;
    QvSegmentGourp* segment = doc->m_segments.GetAt(n - 1);
    if (segment->m_pNode != nullptr && !segment->m_pNode->m_name.IsEmpty())
        label = segment->m_pNode->m_name;
    if (IsSegmentTimed(segment)) {
        CString suffix;
        suffix.Format(L" <%s>", PanelLangText(doc, L"ITEM_TITLE", 148, L"Timed").GetString());
        label += suffix;
    }
    HTREEITEM item = m_tree.InsertItem(label, kImageSegment, kImageSegment, TVI_ROOT, TVI_LAST);
    m_tree.SelectItem(item);
    doc->m_currentSegment = n;
    doc->m_editedProgramKind = kNoEditedProgram;
    return item;
}

void CManagerPanel::AddProgramItems(ProgramView* view, HTREEITEM viewItem)
{
    CDornelDoc* doc = GetDornelDoc();
    for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
        Program* program = view->m_programs.GetAt(p);
        CString label = DefaultProgramLabel(doc, program->m_programType, static_cast<int>(p) + 1);
        int image = kImageFile;
        switch (program->m_programType) {
        case PROGRAM_TYPE_COLOR_EFFECT:
        case PROGRAM_TYPE_FLICKER_STAR:
            image = kImageEffect;
            break;
        case PROGRAM_TYPE_COLORFUL_WORDS:
            image = kImageWords;
            break;
        default:
            break;
        }
        NodeInfo* node = program->m_pNode;
        if (node != nullptr) {
            if (!node->m_name.IsEmpty())
                label = node->m_name;
            else
                node->m_name = label;
        }
        HTREEITEM item = m_tree.InsertItem(label, image, image, viewItem, TVI_LAST);
        m_tree.SetItemData(item, reinterpret_cast<DWORD_PTR>(node));
        if (node != nullptr && doc != nullptr && node == doc->m_pSelectedNode)
            m_rememberedItem = item;
    }
}

HTREEITEM CManagerPanel::FindSegmentItem(int n) const
{
    for (HTREEITEM item = m_tree.GetRootItem(); item != nullptr; item = m_tree.GetNextSiblingItem(item)) {
        const NodeInfo* node = NodeOfItem(item);
        if (node != nullptr && node->m_index == n)
            return item;
    }
    return nullptr;
}

NodeInfo* CManagerPanel::NodeOfItem(HTREEITEM item) const
{
    return item != nullptr ? reinterpret_cast<NodeInfo*>(m_tree.GetItemData(item)) : nullptr;
}

// ---------------------------------------------------------------------------
// Mouse

CPoint CManagerPanel::GetCursorScreenPos() const
{
    CPoint point;
    ::GetCursorPos(&point);
    return point;
}

void CManagerPanel::TrackContextMenu(CMenu* popup, CPoint screenPoint)
{
    if (popup != nullptr)
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, this);
}

HTREEITEM CManagerPanel::HitTestCursor() const
{
    CPoint point = GetCursorScreenPos();
    m_tree.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_tree.HitTest(point, &flags);
    // Anywhere on the item's row counts, also right of its label.
    if (item == nullptr || (flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON)) == 0)
        return nullptr;
    return item;
}

BOOL CManagerPanel::SelectItemNode(HTREEITEM item)
{
    CDornelDoc* doc = GetDornelDoc();
    NodeInfo* node = NodeOfItem(item);
    if (doc == nullptr || node == nullptr)
        return FALSE;
    if (const int segment = SegmentNumberOfItem(item); segment >= 1)
        doc->m_currentSegment = segment;
    doc->m_editedProgramKind = kNoEditedProgram;
    doc->SelectNode(node);
    if (doc->m_pPropertyPanel != nullptr && doc->m_pPropertyPanel->GetSafeHwnd() != nullptr)
        doc->m_pPropertyPanel->SendMessage(WM_SHOW_PROPERTIES, 0, reinterpret_cast<LPARAM>(node));
    return TRUE;
}

void CManagerPanel::OnTreeClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM item = HitTestCursor();
    if (item != nullptr)
        SelectItemNode(item);
}

void CManagerPanel::RelabelMenu(CMenu* popup, UINT id, int key) const
{
    CString text = GetDornelDoc() != nullptr ? GetDornelDoc()->Host().GetLangText(L"KVMENU", key) : CString();
    if (popup != nullptr && !text.IsEmpty())
        popup->ModifyMenu(id, MF_BYCOMMAND | MF_STRING, id, text);
}

void CManagerPanel::OnTreeRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM item = HitTestCursor();
    if (item != nullptr)
        m_tree.SelectItem(item);
    const CPoint screen = GetCursorScreenPos();
    NodeInfo* node = NodeOfItem(item);
    if (node == nullptr) {
        CMenu menu;
        if (item == nullptr && menu.LoadMenu(IDR_TREE_SPACE_MENU)) {
            CMenu* popup = menu.GetSubMenu(0);
            RelabelMenu(popup, ID_TREE_NEW_SEGMENT, 82);
            TrackContextMenu(popup, screen);
            menu.DestroyMenu();
        }
        return;
    }
    SelectItemNode(item);
    if (node->m_kind == NODE_SEGMENT) {
        CMenu menu;
        if (menu.LoadMenu(IDR_TREE_SEGMENT_MENU)) {
            CMenu* popup = menu.GetSubMenu(0);
            RelabelMenu(popup, ID_TREE_INSERT_SEGMENT, 82);
            RelabelMenu(popup, ID_TREE_NEW_VIEW, 81);
            TrackContextMenu(popup, screen);
            menu.DestroyMenu();
        }
        return;
    }
    // Views and programs get the material and edit popups of the main menu,
    // which the main frame keeps relabelled in the current language; their
    // commands reach the document through the command routing.
    CWnd* main = AfxGetMainWnd();
    CMenu* mainMenu = main != nullptr ? main->GetMenu() : nullptr;
    CMenu* popup = mainMenu != nullptr ? mainMenu->GetSubMenu(node->m_kind == NODE_VIEW ? 3 : 1) : nullptr;
    if (popup != nullptr)
        TrackContextMenu(popup, screen);
}

void CManagerPanel::OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* key = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR);
    // F2 renames the selected item, as it does across Windows: the document's
    // rename command with its text input dialog, once the key is handled.
    if (key != nullptr && key->wVKey == VK_F2)
        PostMessage(WM_COMMAND, ID_DOC_RENAME_NODE, 0);
}

void CManagerPanel::OnTreeDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM item = HitTestCursor();
    if (item == nullptr)
        return;
    m_tree.SelectItem(item);
    NodeInfo* node = NodeOfItem(item);
    if (node == nullptr || node->m_kind != NODE_PROGRAM)
        return;
    SelectItemNode(item);
    if (CDornelDoc* doc = GetDornelDoc())
        doc->OnEditMaterial();
}

void CManagerPanel::OnTreeCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & CDIS_SELECTED) != 0) {
        draw->clrText = RGB(255, 255, 255);
        draw->clrTextBk = RGB(49, 106, 197);
    }
}

// ---------------------------------------------------------------------------
// Tooltips

CString CManagerPanel::GetToolTipText(UINT id) const
{
    CDornelDoc* doc = GetDornelDoc();
    auto menuText = [doc](int key) { return doc != nullptr ? doc->Host().GetLangText(L"KVMENU", key) : CString(); };
    switch (id) {
    case ID_TREE_MOVE_UP:
        return menuText(15);
    case ID_TREE_MOVE_DOWN:
        return menuText(16);
    case ID_TREE_COPY:
        return menuText(17);
    case ID_TREE_PASTE:
        return menuText(18);
    case ID_TREE_DELETE:
        return menuText(19);
    case ID_TREE_NEW_SEGMENT:
        return L"New Segment";
    default:
        return CString();
    }
}

BOOL CManagerPanel::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR id = pNMHDR->idFrom;
    const bool ansi = pNMHDR->code == TTN_GETDISPINFOA;
    const UINT flags
        = ansi ? reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags : reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags;
    if ((flags & TTF_IDISHWND) != 0)
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    if (id == 0)
        return FALSE;
    CString text = GetToolTipText(static_cast<UINT>(id));
    if (text.IsEmpty())
        text.LoadString(static_cast<UINT>(id));
    if (ansi) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        CStringA narrow(text);
        lstrcpynA(info->szText, narrow, static_cast<int>(std::size(info->szText)));
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        lstrcpynW(info->szText, text, static_cast<int>(std::size(info->szText)));
    }
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Messages from the document and the engine

LRESULT CManagerPanel::OnProjectChanged(WPARAM, LPARAM)
{
    RebuildTree();
    return 0;
}

LRESULT CManagerPanel::OnSelectSegment(WPARAM segmentNumber, LPARAM)
{
    HTREEITEM item = FindSegmentItem(static_cast<int>(segmentNumber));
    if (item != nullptr)
        m_tree.SelectItem(item);
    return 0;
}

LRESULT CManagerPanel::OnLanguageChanged(WPARAM, LPARAM)
{
    CString title = GetDornelDoc() != nullptr ? GetDornelDoc()->Host().GetLangText(L"TITLE", 1) : CString();
    if (!title.IsEmpty())
        m_titleBar.SetWindowText(title);
    RebuildTree();
    return 0;
}

// ---------------------------------------------------------------------------
// Commands

void CManagerPanel::OnMoveUp()
{
    if (CDornelDoc* doc = GetDornelDoc())
        doc->OnMoveNodeUp();
}

void CManagerPanel::OnMoveDown()
{
    if (CDornelDoc* doc = GetDornelDoc())
        doc->OnMoveNodeDown();
}

void CManagerPanel::OnCopyNode()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || m_tree.GetSelectedItem() == nullptr)
        return;
    if (doc->m_pSelectedNode == nullptr) {
        AfxMessageBox(PanelLangText(doc, L"ITEM_TITLE", 283, L"Please Click A Node!"));
        return;
    }
    doc->m_pCopySourceNode = doc->m_pSelectedNode;
    doc->m_copySourceSegment = doc->m_currentSegment;
}

void CManagerPanel::OnPasteNode()
{
    if (CDornelDoc* doc = GetDornelDoc())
        doc->OnPasteNode();
}

void CManagerPanel::OnDeleteNode()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc != nullptr && m_tree.GetSelectedItem() != nullptr)
        doc->OnDeleteNode();
}

void CManagerPanel::OnNewSegment()
{
    if (CDornelDoc* doc = GetDornelDoc())
        doc->NewSegment(TRUE, TRUE);
}

void CManagerPanel::OnNewView()
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr)
        return;
    QvSegmentGourp* segment = doc->GetSegment(doc->m_currentSegment - 1);
    if (segment != nullptr)
        doc->NewView(segment, TRUE);
}

void CManagerPanel::OnInsertSegment()
{
    if (CDornelDoc* doc = GetDornelDoc())
        doc->InsertSegmentAfterCurrent();
}
