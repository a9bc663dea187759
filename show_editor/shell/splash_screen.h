// The splash window of the start-up: a picture with a line of text that
// names, one after another, what the program is made of, a progress bar, and
// the update check of the outside updater while its last line shows.
#pragma once

#include <afxwin.h>

class CSplashScreen : public CDialog {
public:
    static constexpr int kItemCount = 16;

    CSplashScreen();
    ~CSplashScreen() override;

    // The line shown at tick index (0 .. 15).
    static CString LineText(int index);
    // The progress bar's position after the line at index.
    static int ProgressOf(int index) { return index * 100 / kItemCount; }

    int GetUpdateResult() const { return m_updateResult; }

    BOOL OnInitDialog() override;

protected:
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    void DrawLine(const CString& line);

    CStringArray m_items;
    CBitmap m_background;
    CBitmap m_lineImage; // the picture with the current line, shown by the control
    CFont m_font;
    int m_textX = 0;
    int m_textY = 0;
    CRect m_barRect;
    UINT_PTR m_timerId = 0;
    int m_nextIndex = 0;
    int m_updateResult = 0;
};
