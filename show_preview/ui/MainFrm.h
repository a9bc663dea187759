// The preview's main frame: the caption bar with the transport controls at
// the top, the dockable left pane of the width the user last gave it, and
// the view in the rest. It routes the program's
// private messages between the view, the document and the controls.
#pragma once

#include <afxwin.h>

#include "CaptionBar.h"
#include "LeftDocker.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();

    CLeftDocker m_leftDocker;
    CQVCaptionBar m_captionBar;
    UINT m_appLook = 215;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    // Remembers the left pane's width for the next start.
    void OnDestroy();
    LRESULT OnViewReady(WPARAM wParam, LPARAM lParam);
    LRESULT OnFileOpened(WPARAM wParam, LPARAM lParam);
    LRESULT OnPlayState(WPARAM wParam, LPARAM lParam);
    LRESULT OnSeek(WPARAM wParam, LPARAM lParam);
    LRESULT OnMousePos(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CTaviskDoc* Document();
};
