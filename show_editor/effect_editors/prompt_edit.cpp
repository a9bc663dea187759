// The edit box with a prompt (see prompt_edit.h).
#include "prompt_edit.h"

BEGIN_MESSAGE_MAP(CPromptEdit, CEdit)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

void CPromptEdit::ShowPrompt(const CString& prompt)
{
    m_prompt = prompt;
    m_showing = !prompt.IsEmpty();
    m_settingPrompt = true;
    SetWindowText(prompt);
    m_settingPrompt = false;
    if (m_showing && ::GetFocus() == m_hWnd)
        SetSel(0, -1);
}

CString CPromptEdit::GetText() const
{
    CString text;
    if (!m_showing)
        GetWindowText(text);
    return text;
}

void CPromptEdit::YieldPrompt()
{
    if (!m_showing)
        return;
    m_showing = false;
    SetSel(0, -1);
    Invalidate();
}

HBRUSH CPromptEdit::CtlColor(CDC* pDC, UINT)
{
    if (!m_showing)
        return nullptr; // the parent's colours
    pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    pDC->SetBkColor(::GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    return ::GetSysColorBrush(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
}

LRESULT CPromptEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        // Text set by the program is the user's text, not the prompt.
        if (!m_settingPrompt)
            m_showing = false;
        break;
    case WM_KEYDOWN:
        if (wParam == 'A' && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0) {
            SetSel(0, -1);
            return 0;
        }
        if (wParam == VK_DELETE)
            YieldPrompt();
        break;
    case WM_CHAR:
        if (wParam == 1) // Ctrl+A, already done on the key
            return 0;
        // Printable characters, Enter, Tab and Backspace all edit.
        if (wParam >= 0x20 || wParam == L'\r' || wParam == L'\t' || wParam == L'\b')
            YieldPrompt();
        break;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_IME_STARTCOMPOSITION:
        YieldPrompt();
        break;
    case WM_SETFOCUS: {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (m_showing)
            SetSel(0, -1);
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (!m_showing && !m_prompt.IsEmpty() && GetWindowTextLength() == 0)
            ShowPrompt(m_prompt);
        return result;
    }
    case WM_LBUTTONUP: {
        // A click into the prompt selects it whole, as the focus does.
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (m_showing)
            SetSel(0, -1);
        return result;
    }
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
