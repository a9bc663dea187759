// The project document's host in the running program: the main frame (found
// as the application's main window) answers for the main window, the
// controller screen, the four-colour mode, the hardware record, layouts,
// status text, the product title and the language texts; the preview
// player panel bound to the active document answers for play control.
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
    int SetFourColor(int screen, int mode, BYTE whiteValue) override;
    void StartPlay() override;
    void PausePlay() override;
    void StopPlay() override;
    void PrevSegment() override;
    void NextSegment() override;

private:
    static CMainFrame* Frame();
    // The preview player panel of the main frame's document, or null.
    static CViewpanel* Player();
};

// The one host of the program's documents.
CVantrelDocHost& VantrelDocHost();
