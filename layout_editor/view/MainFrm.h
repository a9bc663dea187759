// CMainFrame: the layout editor's top-level window. Holds the language id
// and the auto-save settings, saves the layout on a one-second timer, runs
// the hidden grid generation that a mode-4 command line asks for, carries
// the frame commands (zoom about the centre, crop to the lamps, layout lock)
// and, when it closes, asks to save, stores the auto-save settings and tells
// the caller "EXIT".
#pragma once

#include <afxwin.h>

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
    void OnLockLayout();
    void OnUpdateLockLayout(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void ZoomAboutCentre(bool zoomIn);
    void ReadAutoSaveSettings();
    void WriteAutoSaveSettings();

    DWORD m_lastTick = 0;
    ULONGLONG m_clockMillis = 0;
    bool m_bClockStarted = false;
    bool m_bInAutoSave = false;
};

// "other.ini" in the "Config" folder: the auto-save settings.
CString GetOtherIniPath();
