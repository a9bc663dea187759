// What the project document asks of its surroundings: the main window and
// main frame, the three panels, the effect editors and the modal dialogs of
// other parts of the program, the language texts and the controller and
// movie maker libraries. The document reaches all of them through one host
// object, so that the document's commands run without windows in tests; the
// default host talks to the real windows and libraries.
#pragma once

#include <afxwin.h>

class ColorTemplate;
class Program;
struct SegmentTimePlay;

// The panels the document keeps current.
enum DocPanel {
    DOC_PANEL_VIEW = 0, // the preview player panel with the frame engine
    DOC_PANEL_TREE = 1, // the project tree
    DOC_PANEL_PROPERTY = 2, // the property panel
};

// What the document hands an effect editor before its window is created.
struct EffectEditorRequest {
    int dialogId = 0; // EffectEditorId
    int style = 0; // colour-effect style (colour-effect editor)
    ColorTemplate* chosenTemplate = nullptr; // from the template chooser, or none
    int thumbnailIndex = -1; // index into the document's media thumbnails (video editor)
    const CStringArray* imageFiles = nullptr; // chosen images (image-show editor copies them)
    BOOL editMode = FALSE; // opened by the edit command
    Program* target = nullptr; // the edited program in edit mode
};

// An open modeless effect editor as the document sees it. The document
// creates it through the host, moves, shows and destroys it, and deletes it.
class CEffectEditor {
public:
    virtual ~CEffectEditor() = default;
    virtual int GetDialogId() const = 0;
    // Window rectangle in screen coordinates.
    virtual CRect GetWindowRect() const = 0;
    virtual void MoveTo(int left, int top) = 0;
    virtual void Show() = 0;
    // Destroys the window (the Zazez Urad editor through its own teardown).
    virtual void DestroyEditor() = 0;
    // The animation browser only: rebuild its preview segment and reload its
    // labels before it is shown again.
    virtual void BuildPreviewSegment() { }
    virtual void LocalizeLabels() { }
};

class CDornelDocHost {
public:
    virtual ~CDornelDocHost() = default;

    // Main window and main frame.
    virtual HWND GetMainWindow();
    virtual BOOL IsMainWindowVisible();
    // The main window's rectangle in screen coordinates; FALSE without one.
    virtual BOOL GetMainWindowRect(CRect& rect);
    virtual void SetMainWindowCaption(const CString& caption);
    virtual void SetStatusText(const CString& text);
    // Enables or disables an item of the main menu's first submenu.
    virtual void EnableFileMenuItem(UINT id, BOOL enable);
    virtual void MinimizeMainWindow();
    virtual void ShowMainWindowMaximized();
    virtual int GetMainFrameScreen();
    virtual void SetMainFrameFourColorMode(int mode);
    // The main frame's hardware configuration from or into its 280-byte record.
    virtual void LoadHardwareRecord(const BYTE* record);
    virtual void SaveHardwareRecord(BYTE* record);
    // Binds the layout file to the controller screen and reloads the pixels.
    virtual void ApplyLayoutFile(const CString& layoutPath);
    // [Soft] Title of the settings file.
    virtual CString GetProductTitle();
    // A text of the current language file; empty when missing.
    virtual CString GetLangText(LPCTSTR section, int key);
    // The animation folders the user added ([UserDirs] of the settings file,
    // existing folders only), and writing that list back.
    virtual void LoadUserDirs(CStringArray& dirs);
    virtual void SaveUserDirs(const CStringArray& dirs);

    // Panels (panel is the bound panel window or null).
    virtual LRESULT SendPanelMessage(DocPanel which, CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostPanelMessage(DocPanel which, CWnd* panel, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void StartPlay();
    virtual void PausePlay();
    virtual void StopPlay();
    virtual void PrevSegment();
    virtual void NextSegment();

    // Libraries and renderers.
    virtual int SetFourColor(int screen, int mode, BYTE whiteValue);
    virtual void RunShowMaker();
    // Frames of one pass of a colour effect at the project's size.
    virtual int PassFrameCount(Program* colourEffect, int width, int height);

    // Effect editors and modal dialogs.
    virtual CEffectEditor* CreateEffectEditor(const EffectEditorRequest& request);
    // The colour-template chooser; TRUE on OK with the chosen template.
    virtual BOOL ChooseColorTemplate(ColorTemplate*& chosen);
    // The screen recorder writing an AVI file to path.
    virtual void RunScreenRecorder(const CString& path);
    // The video editor run modally after a capture; its OK hands the program
    // to the document with AddProgram.
    virtual void RunVideoEditorModal(int thumbnailIndex);
    // The time-trigger dialog on a copy of a schedule; TRUE on OK.
    virtual BOOL EditTimeTrigger(SegmentTimePlay& schedule);
    // The text input dialog; TRUE on OK with the entered text.
    virtual BOOL InputString(CString& text);
    // The same dialog under another caption than the rename caption; hosts
    // that do not show one answer as InputString does.
    virtual BOOL InputStringWithCaption(CString& text, const CString& caption);
};

// The host documents use unless given another.
CDornelDocHost& DefaultDornelDocHost();
