// CManagerPanel: the project tree, the upper pane of the main window's left
// column. It shows the project's segments, their views and the views'
// programs; a click makes the node the document's selection and asks the
// property panel to show it. Its toolbar and context menus carry the
// arranging commands, which the document carries out. The panel keeps no
// model of its own: every rebuild reads the document's project list again.
#pragma once

#include <afxwin.h>

#include "fw_bars.h"
#include "panel_common.h"

class CDornelDoc;
class ProgramView;
struct NodeInfo;

class CManagerPanel : public CView {
    DECLARE_DYNCREATE(CManagerPanel)

public:
    CManagerPanel();
    ~CManagerPanel() override;

    void OnDraw(CDC*) override { }
    CDornelDoc* GetDornelDoc() const;

    // Rebuilds the tree from the document's project list.
    void RebuildTree();
    // Inserts the item of segment number n (1-based) at the end of the top
    // level; null when there is no such segment.
    HTREEITEM InsertSegmentItem(int n);
    void AddProgramItems(ProgramView* view, HTREEITEM viewItem);
    // The top-level item whose node index is n, or null.
    HTREEITEM FindSegmentItem(int n) const;
    // Toolbar tooltip text of a command (empty for other ids).
    CString GetToolTipText(UINT id) const;

    // The same as a click on the item: the node becomes the document's
    // selection and the property panel shows it. FALSE for an item without
    // a node.
    BOOL SelectItemNode(HTREEITEM item);

    CTreeCtrl& GetTree() { return m_tree; }
    HTREEITEM GetRememberedItem() const { return m_rememberedItem; }
    CPanelTitleBar& GetTitleBar() { return m_titleBar; }
    CToolBar& GetToolBar() { return m_toolBar; }

protected:
    // Where the mouse is, in screen coordinates (tests replace it).
    virtual CPoint GetCursorScreenPos() const;
    // Shows a context menu at a screen point (tests replace it).
    virtual void TrackContextMenu(CMenu* popup, CPoint screenPoint);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnProjectChanged(WPARAM, LPARAM);
    LRESULT OnSelectSegment(WPARAM segmentNumber, LPARAM);
    LRESULT OnLanguageChanged(WPARAM, LPARAM);
    void OnMoveUp();
    void OnMoveDown();
    void OnCopyNode();
    void OnPasteNode();
    void OnDeleteNode();
    void OnNewSegment();
    void OnNewView();
    void OnInsertSegment();
    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM HitTestCursor() const;
    NodeInfo* NodeOfItem(HTREEITEM item) const;
    // The number (from 1) of the segment an item belongs to; -1 for none.
    int SegmentNumberOfItem(HTREEITEM item) const;
    void RelabelMenu(CMenu* popup, UINT id, int key) const;

    CPanelTitleBar m_titleBar;
    CToolBar m_toolBar;
    CImageList m_toolImages;
    CTreeCtrl m_tree;
    CImageList m_treeImages;
    HTREEITEM m_rememberedItem = nullptr;
};
