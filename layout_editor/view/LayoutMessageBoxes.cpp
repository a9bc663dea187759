// Message boxes for the layout file code.
#include <afxwin.h>

#include "LayoutMessageBoxes.h"
#include "LayoutMessages.h"

void ShowLayoutMessageBox(LPCWSTR text, LPCWSTR caption)
{
    if (caption == nullptr) {
        AfxMessageBox(text, MB_OK);
        return;
    }
    CWnd* main = AfxGetMainWnd();
    AfxGetUiHost().MessageBox(main != nullptr ? main->GetSafeHwnd() : nullptr, text, caption, MB_OK);
}

void InstallLayoutMessageBoxes()
{
    const LayoutMessageHandler previous = SetLayoutMessageHandler(&ShowLayoutMessageBox);
    if (previous != nullptr)
        SetLayoutMessageHandler(previous);
}
