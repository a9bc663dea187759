// Mirelle.dll: one AVI file at a time through the shared AVIFile frame writer.
#include "Mirelle.h"

#include "AviFrameWriter.h"

#include <mutex>

namespace {

std::mutex& WriterLock()
{
    static std::mutex lock;
    return lock;
}

CAviFrameWriter& Writer()
{
    static CAviFrameWriter writer(L".mirelle.tmp");
    return writer;
}

} // namespace

MIRELLE_API int __stdcall CreateAVIInit(LPCWSTR path, int width, int height, int bits, int framesPerSecond)
{
    try {
        std::lock_guard<std::mutex> guard(WriterLock());
        return Writer().Init(path, width, height, bits, framesPerSecond);
    } catch (...) {
        return -1;
    }
}

MIRELLE_API int __stdcall CreateAVIWriteFrameDC(HDC dc)
{
    try {
        std::lock_guard<std::mutex> guard(WriterLock());
        return Writer().WriteFrame(dc);
    } catch (...) {
        return -1;
    }
}

MIRELLE_API int __stdcall CreateAVIEnd()
{
    try {
        std::lock_guard<std::mutex> guard(WriterLock());
        return Writer().Finish();
    } catch (...) {
        return -1;
    }
}
