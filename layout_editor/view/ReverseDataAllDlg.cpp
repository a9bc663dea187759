// The reverse-data dialog (see ReverseDataAllDlg.h).
#include "ReverseDataAllDlg.h"

#include "ControllerEdits.h"
#include "DialogLabels.h"
#include "ListPanelLabels.h"
#include "ListPanelResource.h"
#include "MainFrm.h"
#include "PannexDoc.h"
#include "PannexView.h"

IMPLEMENT_DYNAMIC(CReverseDataAllDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CReverseDataAllDlg, CDialogEx)
ON_NOTIFY(NM_CLICK, IDC_REVERSE_TREE, OnTreeClick)
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

CPannexView* LayoutViewWithDoc()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CPannexView* view = frame != nullptr ? frame->GetPannexView() : nullptr;
    return view != nullptr && dynamic_cast<CPannexDoc*>(view->GetDocument()) != nullptr ? view : nullptr;
}

HTREEITEM AddItem(CTreeCtrl& tree, const CString& text, DWORD data, bool bold, HTREEITEM parent)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(text));
    insert.item.lParam = static_cast<LPARAM>(data);
    insert.item.state = bold ? TVIS_BOLD : 0;
    insert.item.stateMask = TVIS_BOLD;
    return tree.InsertItem(&insert);
}

} // namespace

CReverseDataAllDlg::CReverseDataAllDlg(CWnd* pParent)
    : CDialogEx(IDD_REVERSE_DATA_ALL, pParent)
{
}

void CReverseDataAllDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REVERSE_TREE, m_tree);
}

BOOL CReverseDataAllDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    // Named like the menu item that opens it.
    ApplyLayoutLabels(*this, { { 0, 989 }, { IDOK, 91 }, { IDCANCEL, 92 } });
    // The check boxes of a tree made from a resource appear only once the
    // style is set again after creation.
    m_tree.ModifyStyle(TVS_CHECKBOXES, 0);
    m_tree.ModifyStyle(0, TVS_CHECKBOXES);
    CPannexView* view = LayoutViewWithDoc();
    if (view == nullptr)
        return TRUE;
    const CLayoutProjectSettings& settings = view->m_settings;
    const CLayoutData& model = static_cast<CPannexDoc*>(view->GetDocument())->GetLayout();
    const CTreeLabelTexts texts = LoadTreeLabelTexts();
    HTREEITEM root = AddItem(
        m_tree, RootLabel(texts, settings.m_portsPerController, settings.m_channelsPerPort), 0, true, TVI_ROOT);
    int p = 0;
    for (int c = 0; c < ControllerCount(settings); ++c) {
        HTREEITEM card = AddItem(m_tree, ControllerLabel(texts, c + 1), ITEM_CONTROLLER | c, true, root);
        for (int k = 1; k <= settings.m_controllers.GetAt(c); ++k, ++p) {
            if (!model.IsValidPort(p))
                continue;
            const LayoutPort& port = model.GetPort(p);
            HTREEITEM item = AddItem(m_tree, PortLabel(texts, port.m_lampFormatIndex + 1, k, port.GetCount()),
                ITEM_PORT | static_cast<DWORD>(p), false, card);
            m_tree.SetCheck(item, port.m_dataReversed == 1);
        }
        m_tree.Expand(card, TVE_EXPAND);
    }
    m_tree.Expand(root, TVE_EXPAND);
    return TRUE;
}

CPoint CReverseDataAllDlg::GetCursorScreenPos() const
{
    POINT point = {};
    ::GetCursorPos(&point);
    return point;
}

void CReverseDataAllDlg::CheckDescendants(HTREEITEM item, BOOL checked)
{
    for (HTREEITEM child = m_tree.GetChildItem(item); child != nullptr; child = m_tree.GetNextSiblingItem(child)) {
        m_tree.SetCheck(child, checked);
        CheckDescendants(child, checked);
    }
}

void CReverseDataAllDlg::OnTreeClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point = GetCursorScreenPos();
    m_tree.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_tree.HitTest(point, &flags);
    if (item == nullptr)
        return;
    m_tree.SelectItem(item);
    // The tree toggles the item itself after this notification; its
    // descendants take the state it is about to get.
    if ((flags & TVHT_ONITEMSTATEICON) != 0)
        CheckDescendants(item, !m_tree.GetCheck(item));
}

void CReverseDataAllDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    if (m_tree.GetSafeHwnd() == nullptr)
        return;
    m_tree.MoveWindow(12, 12, cx - 23, cy - 54);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->MoveWindow(cx - 166, cy - 33, 75, 23);
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->MoveWindow(cx - 85, cy - 33, 75, 23);
}

void CReverseDataAllDlg::OnOK()
{
    CPannexView* view = LayoutViewWithDoc();
    if (view != nullptr) {
        CLayoutData& model = static_cast<CPannexDoc*>(view->GetDocument())->GetLayout();
        HTREEITEM root = m_tree.GetRootItem();
        bool changed = false;
        for (HTREEITEM card = root != nullptr ? m_tree.GetChildItem(root) : nullptr; card != nullptr;
             card = m_tree.GetNextSiblingItem(card)) {
            for (HTREEITEM item = m_tree.GetChildItem(card); item != nullptr; item = m_tree.GetNextSiblingItem(item)) {
                const int p = ItemIndex(static_cast<DWORD>(m_tree.GetItemData(item)));
                if (!model.IsValidPort(p))
                    continue;
                const BYTE flag = m_tree.GetCheck(item) ? 1 : 0;
                changed = changed || model.GetPort(p).m_dataReversed != flag;
                model.GetPort(p).m_dataReversed = flag;
            }
        }
        if (changed)
            model.m_modified = 1;
    }
    EndDialog(IDOK);
}
