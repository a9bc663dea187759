// The editor's toolbar tooltips (see PannexToolBar.h).
#include "PannexToolBar.h"

INT_PTR CMyMFCToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR hit = CToolBar::OnToolHitTest(point, pTI);
    if (hit == -1 || pTI == nullptr || !m_text)
        return hit;
    const CString frameworkText
        = pTI->lpszText != nullptr && pTI->lpszText != LPSTR_TEXTCALLBACK ? CString(pTI->lpszText) : CString();
    const CString tip = ToolTipForCommand(static_cast<UINT>(hit), frameworkText, m_text);
    // The buffer is replaced by a zero-filled copy with room to spare, as
    // the framework's own texts are; the caller frees it.
    const size_t chars = static_cast<size_t>(tip.GetLength()) + 1 + 16;
    auto* copy = static_cast<LPWSTR>(calloc(chars, sizeof(WCHAR)));
    if (copy == nullptr)
        return hit;
    memcpy(copy, tip.GetString(), static_cast<size_t>(tip.GetLength()) * sizeof(WCHAR));
    if (pTI->lpszText != LPSTR_TEXTCALLBACK)
        free(pTI->lpszText);
    pTI->lpszText = copy;
    return hit;
}
