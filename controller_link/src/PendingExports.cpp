// Exports whose work is not built yet: recording. Each answers "wrong
// state" (-1).
#include "Corvane.h"
#include "CorvaneLibrary.h"

namespace {

constexpr int kWrongState = -1;

} // namespace

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
