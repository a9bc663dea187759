// CMainFrame: the show editor's main window. It carries the caption from
// the settings file, the toolbar, the status bar and the splitters with the
// project tree and the property panel on the left and the preview panel on
// the right; it makes the program's controller screen, owns the hardware
// configuration and its dialog, holds the program's language with the text
// lookups every window uses, and handles the layout, export, four-colour,
// language, tool and update commands.
#pragma once

#include <afxwin.h>

#include <functional>

#include "HardwareConfig.h"
#include "fw_bars.h"
#include "lang_service.h"
#include "my_splitter_wnd.h"
#include "my_status_bar.h"

class CDornelDoc;
class CHardwareSettingsDialog;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Language texts of the current language ("Lang" and "Config" folders);
    // empty when missing.
    CString GetLangText(LPCTSTR section, int key) const;
    CString GetLangTextByKey(LPCTSTR section, LPCTSTR key) const;
    CString GetConfigLangText(LPCTSTR section, int key) const;
    CString GetConfigLangTextByKey(LPCTSTR section, LPCTSTR key) const;

    // Relabels menus and toolbar, tells the panels and the libraries.
    void ApplyLanguage();
    void LocalizeMainMenu();
    void LocalizeToolbar();
    void LocalizeLayoutMenu(CMenu* popup) const;
    void LocalizeEffectMenu(CMenu* popup) const;
    void LocalizeEditMenu(CMenu* popup) const;
    void LocalizeMaterialMenu(CMenu* popup) const;

    // Binds a layout file to the controller screen and reloads the pixels.
    void ApplyLayoutFile(const CString& layoutPath);
    void SetStatusText(const CString& text, BOOL repaint);

    // Loads menu 128 afresh into menu and returns the relabelled popup that
    // the toolbar button's drop-down shows (32771 layout, 32772 colour
    // effects), or null for any other button.
    CMenu* LoadDropDownMenu(UINT buttonId, CMenu& menu) const;

    CDornelDoc* GetActiveDornelDoc();
    int GetScreen() const { return m_screen; }

    CToolBar m_wndToolBar;
    CImageList m_toolbarImages;
    CMyStatusBar m_wndStatusBar; // shows the status text only
    CMySpltterWnd m_wndSplitter; // one row, two columns
    CMySpltterWnd m_wndSplitter2; // the left column: tree above properties
    int m_screen = 0;
    UINT LanguageId = kDefaultLanguageId;
    HardwareConfig m_hardwareConfig;
    CHardwareSettingsDialog* m_pDlgHardSet = nullptr;
    CString m_title;
    int FourColorMode = 0;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();

    // Layout commands.
    void OnLayoutDesign();
    void OnNewLayout();
    void OnImportLayout();
    void OnImportDxf();
    void OnEditLayout();
    void OnClearLayout();
    void ReadBackLayout();
    // Runs start, which waits for the layout editor, unless an editor runs
    // already: its wait runs the program's messages, and a layout command
    // arriving meanwhile must start no second editor. False when refused.
    bool RunLayoutEditor(const std::function<void()>& start);
    // Content and output commands.
    void OnColorEffectButton();
    void OnColorPlusButton();
    void OnExportAvi();
    void OnExportOffline();
    void OnHardwareSettings();
    void OnCustomColorTemplate();
    void OnFourColor(UINT id);
    void OnUpdateFourColor(CCmdUI* pCmdUI);
    void OnLanguage(UINT id);
    void OnUpdateLanguage(CCmdUI* pCmdUI);
    void OnToolStart(UINT id);
    void OnCheckUpdate();
    // Messages other windows send.
    LRESULT OnOpenTimeTrigger(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecordProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnEffectDialogClosed(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool m_layoutEditorOpen = false;
    int ShowHint(int key, UINT type = MB_OK);
    void StopPlay(CDornelDoc* doc);
    // Stores the mode (and white value) in the project; a change marks it
    // modified.
    void StoreFourColorMode(CDornelDoc* doc, int mode, BYTE whiteValue);
    void RunHardwareDialog(CDornelDoc* doc);
    void ShowDropDown(UINT buttonId);
};

// The four-colour mode of a command, or -1 for another id.
int FourColorModeOfCommand(UINT id);
// LanguageId and Windows language identifier of a language command; FALSE
// for another id.
BOOL LanguageOfCommand(UINT id, UINT& languageId, int& windowsLanguage);
// The file a tool command starts: a Windows program by name, or a program
// of the program folder (given without a trailing backslash). Empty for an
// id that is no tool command.
CString ToolFileOfCommand(UINT id, const CString& programFolder);
// The white value of the fixed-white mode from a typed number, clamped to
// 0..255.
BYTE WhiteValueFromInput(int value);
