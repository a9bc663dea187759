// CBarDlg: the layout editor's list panel, docked beside the layout view. It
// shows the layout as a tree (project, controllers, ports with their lamp
// counts), the project's lamp formats in a combo box and the template list;
// selecting a tree item selects that port or controller in the view, and
// the right button opens the item's context menu, whose structural commands
// (BarDlgCommands.cpp) act on the model through ControllerEdits.h. The
// panel keeps no model of its own: the tree is rebuilt from the view's
// settings and the document's layout after every change.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "AdjustDlg.h"
#include "BatchCardDlg.h"
#include "ControllerEdits.h"
#include "LShowStatic.h"
#include "PixLightBarDlg.h"
#include "ShadeButton.h"

class CPannexView;
class CPannexDoc;

class CBarDlg : public CDialogEx {
    DECLARE_DYNAMIC(CBarDlg)
public:
    CBarDlg();
    ~CBarDlg() override;

    // Creates the panel from its resource as a child of the host window.
    BOOL CreatePanel(CWnd* pParent);

    // The active layout view and its document (null when there is none).
    CPannexView* GetView() const;
    CPannexDoc* GetDoc() const;

    // Refills the lamp format combo from the project's list ("(n): format").
    void FillLampTypeCombo();
    // Sizes the lamp formats' drop-down to its entries (up to twelve shown,
    // more by scrolling); the field keeps its height.
    void FitLampTypeList();
    // Rebuilds the whole tree from the view and the document.
    void BuildCardTree();
    // Selects the tree item of global port p without acting on the selection.
    void SelectBarInTree(int p);
    // The three captions and the four buttons from the language file.
    void LocalizeLabels();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override { }
    void OnCancel() override { }

    // Automatic arrangement settings (the wiring commands use them).
    int m_nArrangeStyle = 1;
    int m_bArrangeZ = 0;
    int m_bArrangeFlip = 0;
    int m_nArrangeColumns = 20;
    int m_nArrangeRows = 1;
    int m_nArrangeColumnGap = 0;
    int m_nArrangeRowGap = 0;
    int m_bArrangeNextPorts = 0;
    int m_bArrangeNextControllers = 0;
    BYTE m_bArrangeFirstUse = 1;
    // 0 while the panel itself rebuilds or selects in the tree: selection
    // notifications are then ignored, so the view is not told back what it
    // just told the panel.
    BYTE m_bTreeNotify = 1;
    BYTE m_bInitialised = 0;
    // Item data of the tree item the last selection or right click concerned.
    int m_nItemData = 0;
    HTREEITEM m_hCurrentItem = nullptr;

    CComboBox m_cbLampType;
    CTreeCtrl m_treeCards;
    CListBox m_lbTemplates;
    CLShowStatic m_wndPreview;
    CBatchCardDlg m_dlgBatchCard;
    // The point-by-point adjustment (32898) and the per-lamp formats (32902)
    // of the port menu; see BarDlgPortDialogs.cpp.
    CAdjustDlg m_dlgAdjust;
    CPixLightBarDlg m_dlgPixLightBar;
    CShadeButton m_btnExpand;
    CShadeButton m_btnCollapse;

    // Selection change, click and right click of the tree, as the tree's
    // notifications run them (tests call them after moving the cursor).
    void OnTreeSelectionChanged(HTREEITEM item);
    void OnPortAdjust();
    void OnPortLampsPerPoint();
    void OnAddLampType();
    // Creates the port dialogs hidden; tells the adjustment dialog that the
    // tree was rebuilt.
    void CreatePortDialogs();
    void PortDialogsAfterRebuild();
    void OnTreeClick();
    void OnTreeRightClick();

    // Templates (BarDlgTemplates.cpp): the list refilled from the template
    // folder; a file saved elsewhere copied into it (asking before
    // overwriting) and the list refreshed; a template file read into the
    // view's copy buffer, floating at the view's top-left corner (false,
    // after telling the user, when it cannot be read).
    void RefreshTemplateList();
    void AddTemplateFile(const CString& path);
    bool LoadTemplate(const CString& path);
    void OnAddTemplate();
    void OnOpenTemplateFolder();
    void OnTemplateSelChange();

    // The layout changed structurally: overlap cells, controller count,
    // tree and edit mode 0, as every structural command ends.
    void AfterStructureChange();

protected:
    // Where the mouse is, in screen coordinates (tests replace it).
    virtual CPoint GetCursorScreenPos() const;
    // Shows a context menu at a screen point with the panel as owner of its
    // commands (tests replace it).
    virtual void TrackContextMenu(CMenu* popup, CPoint screenPoint);
    // A question with LAYOUT text `key`, caption LAYOUT 162, Yes and No.
    bool AskLayoutQuestion(int key);

    // What a command acts on: the view, the document's layout and the port
    // or controller of the item; false when there is none.
    struct Target {
        CPannexView* view = nullptr;
        CLayoutData* model = nullptr;
        int index = 0;
        explicit operator bool() const { return view != nullptr && model != nullptr; }
    };
    // The item's port (controller) when it exists, after the question with
    // LAYOUT text `question` (none for 0) was answered Yes.
    Target PortTarget(int question = 0);
    Target ControllerTarget(int question = 0);
    // The view and layout of a command on the whole layout.
    Target LayoutTarget();
    // Asks for a lamp type and gives it to every port of the controller
    // (of the whole layout for -1).
    void AskControllerLampType(const Target& target, int controller);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    // At least least pixels, or the control's text and margin when wider.
    int NeededWidth(int id, int least, int margin);
    void OnLampTypeDropDown();
    void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeClickNotify(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeRightClickNotify(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnExpandAll();
    void OnCollapseAll();

    // Commands (BarDlgCommands.cpp).
    void OnManualWiring();
    void OnPortArrange();
    void OnPortFastWiring();
    void OnLocatePort();
    void OnPortColour(UINT id);
    void OnPortCustomColour();
    void OnPortClearWiring();
    void OnPortInsert();
    void OnPortDelete();
    void OnPortUnmask();
    void OnPortSwap();
    void OnPortCopy();
    void OnPortLampType();
    void OnPortMask();
    void OnPortReverse();
    void OnCardInsert();
    void OnCardColour();
    void OnCardReverse();
    void OnCardClearWiring();
    void OnCardDelete();
    void OnCardSwap();
    void OnCardCopy();
    void OnCardLampType();
    void OnAddController();
    void OnSetControllerCount();
    void OnReverseUsedPorts();
    void OnClearAllWiring();
    void OnIntervalClear();
    void OnBatchControllers();
    void OnReverseData();
    void OnProjectLampType();
    // Paste and template commands (BarDlgTemplates.cpp).
    void OnPasteOverwrite();
    void OnPasteAppend();
    void OnPasteCross();
    void OnUpdatePaste(CCmdUI* pCmdUI);
    void OnPortSaveTemplate();
    void OnCardSaveTemplate();
    void OnProjectSaveTemplate();
    DECLARE_MESSAGE_MAP()

private:
    // The item under the cursor, selected first when the cursor is on its
    // label or icon; else the current selection.
    HTREEITEM ItemForClick();
    // Enables the items the panel has a handler for, disables the others.
    void UpdateMenuItems(CMenu* popup);
    // Relabels the port item in place with the plain port label.
    void RelabelCurrentPortItem(int p);
    void MarkLayoutChanged();
    // Copies ports [first, first + count) into the view's copy buffer as a
    // template of the kind (3 a port, 2 a controller) and shows it.
    void CopyPortsToBuffer(int first, int count, BYTE kind, int groupSize);
    // Pastes the copy buffer at the port item, or at the first port of the
    // controller item (which becomes the view's current port).
    void PasteAtItem(int mode);
    // Copies a file saved outside the template folder into it; a file of
    // that name there already is replaced only after the question (LAYOUT
    // questionKey, the name, LAYOUT 161). The list is refreshed.
    void CopyIntoTemplateFolder(const CString& path, int questionKey);
    void SavePortsAsTemplate(int first, int count, BYTE kind);
    void SaveTemplate(const CLayoutData& model);
};

// The list panel of the running editor, or null (see ListPanelAccess.h): the
// panel made last that still exists.
CBarDlg* GetListPanel();
