// CQuorraApp: the movie maker library's application object. It starts GDI+
// for the dialog's fades and keeps the caller's settings and the list of
// exported files between calls.
#pragma once

#include <afxwin.h>

#include <afxcoll.h>

#include <objidl.h>

#include <gdiplus.h>

class CQuorraApp : public CWinApp {
public:
    CQuorraApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Runs the colour-sequence dialog modally with the library's resources;
    // the paths it exported replace the output list.
    void ShowMaker();

    Gdiplus::GdiplusStartupInput m_gdiplusStartupInput;
    ULONG_PTR m_gdiplusToken = 0;
    CStringArray m_outputFiles;
    HINSTANCE m_hSavedResource = nullptr;
    HWND m_hMsgWnd = nullptr;
    CDC* m_pColorOutDC = nullptr;
    int m_nLanguage = 2;
    // Set when the library is unloaded because the process ends: GDI+ is then
    // left to the system (its shutdown waits for threads that are gone).
    bool m_bProcessEnding = false;
};

CQuorraApp& TheQuorraApp();
