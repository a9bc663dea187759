// CPromptEdit: an edit box that shows a prompt while it holds no text of the
// user's. The prompt is a cue, drawn grey, and no text: the first key typed,
// pasted or deleted replaces it whole, the focus selects it, and a box the
// user empties shows it again when the focus leaves. Ctrl+A selects the
// whole text (the multi-line edit box has no key for that of its own).
#pragma once

#include <afxwin.h>

class CPromptEdit : public CEdit {
public:
    // Shows the prompt in place of any text.
    void ShowPrompt(const CString& prompt);
    bool IsShowingPrompt() const { return m_showing; }
    // The user's text: empty while the prompt shows.
    CString GetText() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // The prompt is selected and given up: the edit under way replaces it.
    void YieldPrompt();

    CString m_prompt;
    bool m_showing = false;
    bool m_settingPrompt = false; // the prompt itself is being set
};
