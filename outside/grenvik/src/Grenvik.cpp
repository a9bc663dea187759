// Grenvik.dll: one AVI file at a time, written by the shared AVIFile frame
// writer (uncompressed bottom-up 32-bit DIB stream; frames copied at the
// file's size, so a bitmap of another size is cropped or padded with black).
#include "Grenvik.h"

#include "AviFrameWriter.h"

#include <mutex>
#include <string>

namespace {

std::mutex& WriterLock()
{
    static std::mutex lock;
    return lock;
}

CAviFrameWriter& Writer()
{
    static CAviFrameWriter writer(L".grenvik.tmp");
    return writer;
}

} // namespace

GRENVIK_API int __stdcall KVCreateAVIInit(LPCWSTR path, int width, int height, int bits, int framesPerSecond)
{
    try {
        std::lock_guard<std::mutex> guard(WriterLock());
        return Writer().Init(path, width, height, bits, framesPerSecond);
    } catch (...) {
        return -1;
    }
}

GRENVIK_API int __stdcall KVCreateAVIWriteFrameDC(HDC dc)
{
    try {
        std::lock_guard<std::mutex> guard(WriterLock());
        return Writer().WriteFrame(dc);
    } catch (...) {
        return -1;
    }
}

GRENVIK_API int __stdcall KVCreateAVIEnd()
{
    try {
        std::lock_guard<std::mutex> guard(WriterLock());
        return Writer().Finish();
    } catch (...) {
        return -1;
    }
}
