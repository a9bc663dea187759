// CMainFrame: the layout editor's top-level window. Builds the menu bar,
// the toolbar, the status bar and the docked list pane, holds the language
// id and the auto-save settings, saves the layout on a one-second timer, runs
// the hidden grid generation that a mode-4 command line asks for, carries
// the frame commands (zoom about the centre, crop to the lamps, layout lock)
// and, when it closes, asks to save, stores the auto-save settings and tells
// the caller "EXIT".
#pragma once

#include <afxwin.h>
#include <fw_bars.h>

#include "FileView.h"
#include "PannexToolBar.h"

class CPannexView;
class CPannexDoc;

// Posted by the frame to itself once it exists (first parameter 1).
constexpr UINT WM_STARTUP_COMMAND = WM_USER + 0x2000;

// Editor-wide flags set at frame creation from "abt.lgo".
extern int ExportDxfEnabled;
extern int ProtocolIconFlag;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The accelerators, except the clipboard and undo keys of a text field.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void ActivateFrame(int nCmdShow = -1) override;

    // Language texts of the editor's language (see LayoutLangText.h).
    CString GetLangTextByKey(LPCWSTR section, LPCWSTR key) const;
    CString GetLangText(LPCWSTR section, int key) const;
    // A message box with LAYOUT text n and the caption "Solvane".
    int ShowLangMessage(int n, UINT flags);
    // Relabels the main menu from the language file.
    void LocalizeMenus();

    CPannexView* GetPannexView() const;
    CPannexDoc* GetPannexDoc() const;

    // The bars and the docked list pane.
    CMyMFCToolBar& GetToolBar() { return m_wndToolBar; }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CFileView& GetListPane() { return m_wndFileView; }
    // The panel inside the list pane (nullptr before creation).
    IListPanel* GetListPanel() const { return m_wndFileView.GetListPanel(); }
    // After a layout was read: the list panel refreshes and the overview
    // takes the layout's size.
    void OnLayoutLoaded();
    // After the view drew itself on screen: the overview shows the lamps as
    // they are now, and its frame of the visible area follows the zoom and
    // the pan.
    void OnViewRedrawn();
    // Applies a visual style's colours to the bars, the pane and the menu
    // bar (no redraw, no profile write).
    void ApplyLook(int look);

    void RecalcLayout(BOOL bNotify = TRUE) override;

    // One auto-save check, as every timer tick runs it: saves when the
    // interval has passed since the last auto-save. True when it wrote.
    bool AutoSaveTick();
    // Where the auto-save writes now.
    CString AutoSaveTarget() const;

    int m_bAutoSaveEnable = 1;
    int m_nAutoSaveMinutes = 1;
    int m_nAutoSaveFlag = 0;
    CString m_strAutoSaveFile;
    UINT_PTR m_nTimerId = 0;
    int m_nLanguage = 2;
    int m_nAppLook = 208;

    // The auto-save clock: seconds counted from the framework's tick source,
    // so a wrapped tick count does not stop the saves.
    LONGLONG NowSeconds();
    LONGLONG m_lastAutoSaveTime = 0;
    bool m_bAutoSaveStarted = false;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnStartupCommand(WPARAM wParam, LPARAM lParam);
    void OnApplicationLook(UINT id);
    void OnUpdateApplicationLook(CCmdUI* pCmdUI);
    void OnZoomIn();
    void OnZoomOut();
    void OnCropBorder();
    void OnUpdateCropBorder(CCmdUI* pCmdUI);
    void OnLockLayout();
    void OnUpdateLockLayout(CCmdUI* pCmdUI);
    void OnListPane();
    void OnUpdateListPane(CCmdUI* pCmdUI);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    void OnAppExit();
    void OnAutoSaveSettings();
    DECLARE_MESSAGE_MAP()

    CFileView m_wndFileView;
    CMyMFCToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

private:
    bool CreateToolBar();
    bool CreateStatusBar();
    void ZoomAboutCentre(bool zoomIn);
    void ReadAutoSaveSettings();
    void WriteAutoSaveSettings();

    DWORD m_lastTick = 0;
    ULONGLONG m_clockMillis = 0;
    bool m_bClockStarted = false;
    bool m_bInAutoSave = false;
    CImageList m_toolBarImages;
    HBRUSH m_hMenuBarBrush = nullptr;
};

// The running editor's main frame, or nullptr (no application, or a view
// drawn without one).
CMainFrame* GetPannexFrame();

// "other.ini" in the "Config" folder: the auto-save settings.
CString GetOtherIniPath();
