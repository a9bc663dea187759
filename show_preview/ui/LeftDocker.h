// The preview's left pane: the open link, the preview options, the file's
// port count and first port, the magnifier and the list of show files of
// the chosen folder.
#pragma once

#include <afxwin.h>

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
};

// The pane that hosts the content dialog at the left of the main frame.
class CLeftDocker : public CWnd {
public:
    BOOL Create(CWnd* parent, UINT id);
    CLeftDockerContent& Content() { return m_content; }
    CTaviskDoc* m_document = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CLeftDockerContent m_content;
};
