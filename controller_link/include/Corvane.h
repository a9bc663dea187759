// Exports of the controller library Corvane.dll: screens, layouts, colour
// modes, adapters and senders, recording, live play and DMX output. All are
// __stdcall with undecorated names (Corvane.def); screen numbers count from 1,
// and the setters that say so take 0 for every screen. Results: 0 success,
// -1 a bad screen number or a wrong state, other values as each one says.
// No C++ exception leaves an export.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

class CStringArray;
class CWordArray;

// The play-time schedule and card settings that close a recording, passed by
// value as 26 32-bit words.
#pragma pack(push, 4)
struct RecordingSettings {
    std::int32_t settings0; // block A byte 8
    std::int32_t settings1; // block A byte 9
    std::int32_t playSeconds;
    const void* cardStrings; // at least four card identity strings
    std::int32_t playWindowEnabled;
    std::int32_t yearLimit;
    std::int32_t monthLimit;
    std::int32_t dayLimit;
    std::int64_t startDate;
    std::int64_t endDate;
    std::int32_t timeLimit;
    std::int64_t startTime;
    std::int64_t endTime;
    std::int32_t weekdayLimit;
    const std::int32_t* weekdays; // seven flags
    std::int32_t playAtOnce;
    std::int32_t slotMask;
    const std::int32_t* slotEnabled;
    const std::int64_t* slotStarts;
    const std::int64_t* slotEnds;
    std::int32_t slotCount;
    const std::uint8_t* password; // four bytes, or null
};
#pragma pack(pop)
// The 32-bit layout callers rely on, word by word (a 64-bit build only meets
// 64-bit callers): each 64-bit time takes two words, low word first.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RecordingSettings) == 26 * 4, "RecordingSettings is 26 words");
static_assert(offsetof(RecordingSettings, settings0) == 0);
static_assert(offsetof(RecordingSettings, settings1) == 4);
static_assert(offsetof(RecordingSettings, playSeconds) == 8);
static_assert(offsetof(RecordingSettings, cardStrings) == 12);
static_assert(offsetof(RecordingSettings, playWindowEnabled) == 16);
static_assert(offsetof(RecordingSettings, yearLimit) == 20);
static_assert(offsetof(RecordingSettings, monthLimit) == 24);
static_assert(offsetof(RecordingSettings, dayLimit) == 28);
static_assert(offsetof(RecordingSettings, startDate) == 32);
static_assert(offsetof(RecordingSettings, endDate) == 40);
static_assert(offsetof(RecordingSettings, timeLimit) == 48);
static_assert(offsetof(RecordingSettings, startTime) == 52);
static_assert(offsetof(RecordingSettings, endTime) == 60);
static_assert(offsetof(RecordingSettings, weekdayLimit) == 68);
static_assert(offsetof(RecordingSettings, weekdays) == 72);
static_assert(offsetof(RecordingSettings, playAtOnce) == 76);
static_assert(offsetof(RecordingSettings, slotMask) == 80);
static_assert(offsetof(RecordingSettings, slotEnabled) == 84);
static_assert(offsetof(RecordingSettings, slotStarts) == 88);
static_assert(offsetof(RecordingSettings, slotEnds) == 92);
static_assert(offsetof(RecordingSettings, slotCount) == 96);
static_assert(offsetof(RecordingSettings, password) == 100);
#endif

#ifdef CORVANE_BUILD
#define CORVANE_API extern "C"
#else
#define CORVANE_API extern "C" __declspec(dllimport)
#endif

// Screen list and layouts.
CORVANE_API int __stdcall LEDNewScreen();
CORVANE_API int __stdcall LEDSetScreenNum(int count);
CORVANE_API int __stdcall LEDSetLanguage(int language);
CORVANE_API const wchar_t* __stdcall LEDGetLpxFilePath(int screen);
CORVANE_API const wchar_t* __stdcall LEDGetPixFilePath(int screen);
CORVANE_API int __stdcall LEDSetLayout(int screen, const wchar_t* path);
CORVANE_API int __stdcall LEDNewLayout(int screen, int width, int height, int portsPerController, int channelsPerPort);
CORVANE_API int __stdcall LEDNewLayout2(int screen, int width, int height, int portsPerController, int channelsPerPort);
CORVANE_API int __stdcall LEDEditLayout(int screen);
CORVANE_API int __stdcall LEDClearLayout(int screen);
CORVANE_API int __stdcall LEDLoadDxfLayout(int screen, const wchar_t* path);

// Colour modes.
CORVANE_API int __stdcall LEDSetFourColor(int screen, int whiteMode, int whiteValue);
CORVANE_API int __stdcall LEDSetFiveColor(
    int screen, int enable, double k1, double k2, double k3, double k4, double k5, double k6, int greyPairOnly);

// Adapters, senders and controllers.
CORVANE_API CStringArray* __stdcall LEDGetAdapterInfo();
CORVANE_API int __stdcall LEDSetIP(int screen, int adapterIndex);
CORVANE_API int __stdcall LEDSetGroup(int screen, int groupMode, int firstPort, int spareGroup, int portsPerController);
CORVANE_API int __stdcall LEDSetCardType(int screen, int cardType);
CORVANE_API int __stdcall LEDBindIPMac(int screen);
CORVANE_API int __stdcall LEDInitScreen(int screen);
CORVANE_API int __stdcall LEDCheckSysNum(int screen, CWordArray* ports);
CORVANE_API int __stdcall LEDCheckSysOnline(int flag);
CORVANE_API int __stdcall LEDSetProtocalVersion(int version);
CORVANE_API int __stdcall LEDSetSecurityFlag(int flag);

// Off-line show recording.
CORVANE_API int __stdcall LEDRecordingInit(int screen, const wchar_t* path, unsigned int framesPerSecond);
CORVANE_API int __stdcall LEDRecordingFrame(unsigned char* pixels, int blankCheck, double* sizeMiB);
CORVANE_API int __stdcall LEDRecordingFrameDC(HDC source, int width, int height, int blankCheck, double* sizeMiB);
CORVANE_API int __stdcall LEDRecordingStop(RecordingSettings settings);

// Live play.
CORVANE_API int __stdcall LEDPlayInit();
CORVANE_API int __stdcall LEDPlayFrame(int screen, unsigned char* pixels);
CORVANE_API int __stdcall LEDPlayFrameDC(int screen, HDC source, int width, int height);
CORVANE_API int __stdcall LEDPlayFrameSynchro(int screen);
CORVANE_API int __stdcall LEDPlayStop();

// DMX output.
CORVANE_API int __stdcall LEDDMXInitDataSend(int screen);
CORVANE_API int __stdcall LEDDMXDataSend(int mode, const unsigned char* values, int count);
CORVANE_API void __stdcall LEDDMXEndDataSend();
