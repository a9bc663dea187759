// Zephu.dll stand-in: the updater of the show editor. This build has no
// update server: it reports that no newer version exists, never asks to
// update and never downloads or installs anything, so a start of the show
// editor is never ended by it.
#include <windows.h>

#include "Zephu.h"

ZEPHU_API int __stdcall QuillonCheckUpdate()
{
    return 0;
}

ZEPHU_API int __stdcall QuillonShowNoUpdate(int)
{
    ::MessageBoxW(
        ::GetActiveWindow(), L"You are using the latest version.", ZEPHU_NOTICE_CAPTION, MB_OK | MB_ICONINFORMATION);
    return 0;
}

ZEPHU_API int __stdcall QuillonUpdateConfirm()
{
    return 0;
}

ZEPHU_API int __stdcall QuillonDownloadAndInstall()
{
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
