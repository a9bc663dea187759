// The updater library's calls as the show editor makes them. Every call runs
// on the caller's thread and returns an integer; 1 means "yes".
#pragma once

#ifdef ZEPHU_BUILDING
#define ZEPHU_API extern "C" __declspec(dllexport)
#else
#define ZEPHU_API extern "C" __declspec(dllimport)
#endif

// 1 when a newer version is available, 0 when none.
ZEPHU_API int __stdcall QuillonCheckUpdate();
// Shows the updater's notice that no newer version exists.
ZEPHU_API int __stdcall QuillonShowNoUpdate(int owner);
// 1 when the user agreed to update.
ZEPHU_API int __stdcall QuillonUpdateConfirm();
// 1 when an update was downloaded and installed (the caller must then end).
ZEPHU_API int __stdcall QuillonDownloadAndInstall();

// The caption of the no-update notice (tests find the window by it).
#define ZEPHU_NOTICE_CAPTION L"Vantrel Update"
