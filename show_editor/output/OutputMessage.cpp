// Message boxes of the hardware and output code, through the UI host. The
// caption is the program's own ("Vantrel"), not the application title.
#include "OutputMessage.h"

#include <afxwin.h>

int ShowOutputMessage(LPCWSTR text, LPCWSTR caption, UINT type)
{
    HWND owner = nullptr;
    CWnd::GetSafeOwner(nullptr, &owner);
    return AfxGetUiHost().MessageBox(owner, text, caption, type);
}
