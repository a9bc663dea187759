// The small tile dialogs around the effect editors: the modal picker of a
// colour-template file (CDlgColorTemplate), the pop-up list of a Zazez Urad
// program's items (CDlgPopView) and the custom colour dialog of the main
// frame (CDlgCustomColorTemplate).
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "color_show_bar.h"
#include "effect_editors_resource.h"

class CDornelDoc;
class CMyColorView;

// Pop-up item list to its owner: an item was picked (item number, 0).
constexpr UINT WM_SNAPSHOT_PICKED = WM_USER + 1007;

// One item of a Zazez Urad program as the pop-up list shows it.
struct S_EffectSnap {
    CBitmap* m_pThumb = nullptr; // owned by the editor that made the snapshot
    CString m_name;
    int m_style = 0;
};
using EffectSnapList = CTypedPtrArray<CPtrArray, S_EffectSnap*>;

class CDlgColorTemplate : public CDialog {
public:
    enum { IDD = IDD_COLOR_TEMPLATE_PICKER };

    explicit CDlgColorTemplate(CWnd* parent = nullptr);
    ~CDlgColorTemplate() override;

    CDornelDoc* m_pDoc = nullptr;
    int m_pickedIndex = -1; // into the document's template-file list
    bool m_hasPlace = false; // else the dialog centres itself
    POINT m_place { 0, 0 }; // top-left corner, screen coordinates
    CMyColorView* TileView() const { return m_pTileView; }

protected:
    BOOL OnInitDialog() override;
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CMyColorView* m_pTileView = nullptr; // deletes itself with its window
    CTypedPtrArray<CPtrArray, CBitmap*> m_thumbs; // one per template file
};

class CDlgPopView : public CDialog {
public:
    enum { IDD = IDD_POP_VIEW };

    CDlgPopView() = default;

    // Modeless creation from its resource, owned by owner.
    BOOL CreatePopup(CWnd* owner);

    EffectSnapList* m_pSnapshots = nullptr; // the owner's
    CMyColorView* TileView() const { return m_pTileView; }

protected:
    BOOL OnInitDialog() override;
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CMyColorView* m_pTileView = nullptr;
};

class CDlgCustomColorTemplate : public CDialog {
public:
    enum { IDD = IDD_CUSTOM_COLOR_TEMPLATE };

    explicit CDlgCustomColorTemplate(CWnd* parent = nullptr);

    CDornelDoc* m_pDoc = nullptr;
    CColorShowBar m_strip;
    CSliderCtrl m_slider;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Runs the template-file picker modally (its top-left corner at place when
// given); the picked index on OK inside the document's template-file list,
// else -1.
int RunColorTemplatePicker(CDornelDoc& doc, CWnd* parent, const POINT* place = nullptr);
