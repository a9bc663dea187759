// The preview's left pane: the open link, the preview options, the file's
// port count and first port, the magnifier and the list of show files of
// the chosen folder.
#pragma once

#include <afxwin.h>
#include <fw_dockpane.h>

#include "Canvas.h"
#include "TaviskDoc.h"
#include "resource.h"

class CLeftDockerContent : public CDialog {
public:
    CLeftDockerContent();

    CTaviskDoc* m_document = nullptr;
    CFont m_linkFont;
    int m_magnifierX = 0;
    int m_magnifierY = 0;
    UINT_PTR m_timer = 0;
    CListBox m_fileList;
    int m_autoPlay = 1;
    int m_layoutMode = 0;
    CSnapViewer m_magnifier;

    // Lists the ".arm" files of the chosen file's folder and opens the one
    // chosen (or the first).
    void ListShowFolder(const CString& path);
    void OpenListedFile(int index);
    void UpdateMagnifier(int x, int y);
    void SetDocument(CTaviskDoc* document) { m_document = document; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }
    void OnOpenLink(NMHDR* pNMHDR, LRESULT* pResult);
    void OnAutoPlay();
    void OnLayoutMode();
    void OnFileSelected();
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Controls stretch to the right edge when the pane is wider than the
    // dialog was drawn; narrower, they keep the drawn size.
    void StretchToWidth(int cx);
    struct Stretch {
        int id;
        CRect drawn; // as the resource made it, in client coordinates
    };
    Stretch m_stretch[9] = { { IDC_PREVIEW_GROUP, {} }, { IDC_LAYOUT_NAME, {} }, { IDC_MEDIA_GROUP, {} },
        { IDC_PORT_COUNT, {} }, { IDC_FIRST_PORT, {} }, { IDC_MAGNIFIER, {} }, { IDC_FILE_GROUP, {} },
        { IDC_FILE_LIST, {} }, { IDC_OPEN_LINK, {} } };
    int m_drawnWidth = 0; // client width of the dialog as the resource made it
};

// The dockable pane "Setting" at the left of the main frame that hosts the
// content dialog. The user drags its inner edge to widen it (long file
// names then show whole); the frame remembers the width.
class CLeftDocker : public CDockablePane {
public:
    // The width the pane opens with when none is remembered.
    static constexpr int kDefaultWidth = 240;
    // Widths a remembered value is kept within.
    static constexpr int kMaxWidth = 4000;

    BOOL Create(CWnd* parent, UINT id, int width);
    CLeftDockerContent& Content() { return m_content; }
    CTaviskDoc* m_document = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CLeftDockerContent m_content;
};
