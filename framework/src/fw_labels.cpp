// Relabelling controls from the language files.
#include "fw_labels.h"

BOOL AFXAPI ApplyLabel(CWnd& wnd, int nID, const CString& text)
{
    if (text.IsEmpty() || wnd.m_hWnd == nullptr)
        return FALSE;
    if (nID == 0) {
        wnd.SetWindowText(text);
        return TRUE;
    }
    HWND hItem = ::GetDlgItem(wnd.m_hWnd, nID);
    if (hItem == nullptr)
        return FALSE;
    ::SetWindowTextW(hItem, text);
    return TRUE;
}

void AFXAPI ApplyLabels(CWnd& wnd, const LabelTextSource& text, std::span<const CtrlLabel> labels)
{
    if (!text)
        return;
    for (const CtrlLabel& label : labels)
        ApplyLabel(wnd, label.nID, text(label.lpszSection, label.nKey));
}
