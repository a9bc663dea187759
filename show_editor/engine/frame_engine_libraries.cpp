// The engine's default links to the libraries it writes and decodes through:
// the AVI library Grenvik, the controller library's recorder, the video
// library Reelcore and the animation libraries Flossar (SWF) and Kobrin (TOL).
#include "frame_engine_links.h"

#include "Corvane.h"
#include "Flossar.h"
#include "Grenvik.h"
#include "Kobrin.h"
#include "Reelcore.h"

int CEngineAviWriter::Init(LPCWSTR path, int width, int height, int bits, int framesPerSecond)
{
    return KVCreateAVIInit(path, width, height, bits, framesPerSecond);
}

int CEngineAviWriter::WriteFrameDC(HDC dc)
{
    return KVCreateAVIWriteFrameDC(dc);
}

int CEngineAviWriter::End()
{
    return KVCreateAVIEnd();
}

int CEngineRecorder::SetSecurityFlag(int flag)
{
    return LEDSetSecurityFlag(flag);
}

int CEngineRecorder::SetFourColor(int screen, int mode, int whiteValue)
{
    return LEDSetFourColor(screen, mode, whiteValue);
}

int CEngineRecorder::RecordingInit(int screen, LPCWSTR path, unsigned framesPerSecond)
{
    return LEDRecordingInit(screen, path, framesPerSecond);
}

int CEngineRecorder::RecordingFrameDC(HDC source, int width, int height, int flag, double* sizeMiB)
{
    return LEDRecordingFrameDC(source, width, height, flag, sizeMiB);
}

int CEngineRecorder::RecordingStop(const RecordingSettings& settings)
{
    return LEDRecordingStop(settings);
}

int CEngineDecoders::VideoOpen(
    LPCWSTR path, HDC dc, int x, int y, int width, int height, int cropLeft, int cropTop, int cropRight, int cropBottom)
{
    return FFmpegFileOpen(path, dc, x, y, width, height, cropLeft, cropTop, cropRight, cropBottom);
}

void CEngineDecoders::VideoClose(int handle)
{
    FFmpegFileClose(handle);
}

void CEngineDecoders::VideoForward(int handle)
{
    FFmpegFileForward(handle);
}

void CEngineDecoders::VideoSeekTo(int handle, int frame, BOOL draw)
{
    FFmpegFileSeekTo(handle, frame, draw);
}

int CEngineDecoders::VideoGetFrame(int handle)
{
    return FFmpegFileGetFrame(handle);
}

int CEngineDecoders::SwfOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height)
{
    return SWFFileOpen(path, dc, x, y, width, height);
}

void CEngineDecoders::SwfSeekTo(int handle, int frame)
{
    SWFFileSeekTo(handle, frame);
}

void CEngineDecoders::SwfForward(int handle)
{
    SWFFileForward(handle);
}

void CEngineDecoders::SwfClose(int handle)
{
    SWFFileClose(handle);
}

void CEngineDecoders::SwfClearEnv()
{
    SWFClearEnv();
}

int CEngineDecoders::TolOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height)
{
    return TOLFileOpen(path, dc, x, y, width, height);
}

void CEngineDecoders::TolSeekTo(int handle, int frame)
{
    TOLFileSeekTo(handle, frame);
}

void CEngineDecoders::TolForward(int handle)
{
    TOLFileForward(handle);
}

void CEngineDecoders::TolClose(int handle)
{
    TOLFileClose(handle);
}

CEngineAviWriter& LibraryAviWriter()
{
    static CEngineAviWriter writer;
    return writer;
}

CEngineRecorder& LibraryRecorder()
{
    static CEngineRecorder recorder;
    return recorder;
}

CEngineDecoders& LibraryDecoders()
{
    static CEngineDecoders decoders;
    return decoders;
}
