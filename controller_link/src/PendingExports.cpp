// Exports whose work is not built yet: layouts, the controller table,
// online checks, recording, live play and DMX output. Each answers "wrong
// state" (-1).
#include "Corvane.h"
#include "CorvaneLibrary.h"

namespace {

constexpr int kWrongState = -1;

} // namespace

CORVANE_API int __stdcall LEDSetLayout(int, const wchar_t*)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDNewLayout(int, int, int, int, int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDNewLayout2(int, int, int, int, int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDEditLayout(int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDClearLayout(int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDLoadDxfLayout(int, const wchar_t*)
{
    return kWrongState;
}

CORVANE_API int __stdcall LEDSetGroup(int, int, int, int, int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDSetCardType(int, int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDBindIPMac(int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDInitScreen(int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDCheckSysNum(int, CWordArray*)
{
    return kWrongState;
}

CORVANE_API int __stdcall LEDRecordingInit(int, const wchar_t*, unsigned int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDRecordingFrame(unsigned char*, int, double*)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDRecordingFrameDC(HDC, int, int, int, double*)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDRecordingStop(RecordingSettings)
{
    return kWrongState;
}

CORVANE_API int __stdcall LEDPlayInit()
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDPlayFrame(int, unsigned char*)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDPlayFrameDC(int, HDC, int, int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDPlayFrameSynchro(int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDPlayStop()
{
    return kWrongState;
}

CORVANE_API int __stdcall LEDDMXInitDataSend(int)
{
    return kWrongState;
}
CORVANE_API int __stdcall LEDDMXDataSend(int, const unsigned char*, int)
{
    return kWrongState;
}
CORVANE_API void __stdcall LEDDMXEndDataSend() { }
