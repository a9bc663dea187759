// The project document's host in the running program: the main frame (found
// as the application's main window) answers for the main window, the
// controller screen, the four-colour mode, the hardware record, layouts,
// status text, the product title and the language texts; the preview
// player panel bound to the active document answers for play control. The
// effect editors are made for the active document, owned by the main frame.
#pragma once

#include "dornel_doc_host.h"

class CMainFrame;
class CViewpanel;

class CVantrelDocHost : public CDornelDocHost {
public:
    void SetStatusText(const CString& text) override;
    int GetMainFrameScreen() override;
    void SetMainFrameFourColorMode(int mode) override;
    void LoadHardwareRecord(const BYTE* record) override;
    void SaveHardwareRecord(BYTE* record) override;
    void ApplyLayoutFile(const CString& layoutPath) override;
    CString GetProductTitle() override;
    CString GetLangText(LPCTSTR section, int key) override;
    void LoadUserDirs(CStringArray& dirs) override;
    void SaveUserDirs(const CStringArray& dirs) override;
    int SetFourColor(int screen, int mode, BYTE whiteValue) override;
    // The frames of one pass as the colour renderer draws the effect at the
    // project's size (a new renderer, as the engine's own).
    int PassFrameCount(Program* colourEffect, int width, int height) override;
    void StartPlay() override;
    void PausePlay() override;
    void StopPlay() override;
    void PrevSegment() override;
    void NextSegment() override;
    CEffectEditor* CreateEffectEditor(const EffectEditorRequest& request) override;
    // Runs the template-file picker; the picked file goes to the next colour
    // effect editor made (the chooser's template itself stays null).
    BOOL ChooseColorTemplate(ColorTemplate*& chosen) override;
    // The schedule dialog over the main frame; TRUE on OK.
    BOOL EditTimeTrigger(SegmentTimePlay& schedule) override;
    // The screen recorder writing to path; returns when it is closed.
    void RunScreenRecorder(const CString& path) override;
    // The video import editor run modally over the main frame on a media
    // entry; its OK adds the program.
    void RunVideoEditorModal(int thumbnailIndex) override;
    // The text input dialog over the main frame, started with text; TRUE on
    // OK with the entered (never empty) text.
    BOOL InputString(CString& text) override;
    BOOL InputStringWithCaption(CString& text, const CString& caption) override;

    // The template file picked for the next editor (-1 for none).
    int PendingTemplateFileIndex() const { return m_templateFileIndex; }

private:
    int m_templateFileIndex = -1;

    static CMainFrame* Frame();
    // The text input dialog with its buttons in the chosen language; an
    // empty refusal text keeps the dialog's own.
    BOOL RunInputString(CString& text, const CString& caption, const CString& refusal);
    // The preview player panel of the main frame's document, or null.
    static CViewpanel* Player();
};

// The one host of the program's documents.
CVantrelDocHost& VantrelDocHost();
