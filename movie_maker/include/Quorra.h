// Exports of Quorra.dll, the colour-sequence movie maker: the caller sets the
// window that hears play, pause and stop, a device context that mirrors the
// previewed colours, and the language; ShowMaker runs the maker's dialog
// modally and GetOutPutFileList hands over the AVI files it exported.
// Callers and the library share one C runtime heap, so the framework objects
// passed in (device context, string array) are used in place.
#pragma once

#include <afxwin.h>

#ifdef QUORRA_BUILDING
#define QUORRA_API extern "C"
#else
#define QUORRA_API extern "C" __declspec(dllimport)
#endif

// Posted to the message window by the maker's dialog: first parameter 2 play,
// 3 pause, 4 stop or close; second 0.
constexpr UINT WM_MOVIE_PLAYBACK_STATE = WM_USER + 8192;

QUORRA_API HWND __stdcall SetMsgHandleWnd(HWND hWnd);
QUORRA_API CDC* __stdcall SetColorOutDC(CDC* pDC);
QUORRA_API void __stdcall ShowMaker();
// Appends the paths exported by the last ShowMaker to *pList (a null list
// gets nothing) and returns how many there are.
QUORRA_API int __stdcall GetOutPutFileList(CStringArray* pList);
// 1 English, 2 Simplified Chinese, 3 Traditional Chinese, 4 French; any other
// value reads the English texts.
QUORRA_API int __stdcall FennixSetLanguage(int nLanguage);
