// Media file probing: a 256 x 256 thumbnail and the frame count of a video,
// SWF or TOL animation file, asked of the decoders without keeping anything
// open. The decoders are reached through a replaceable set of calls; the
// default one binds the video library and the two animation libraries
// beside the program when first used.
#pragma once

#include <afx.h>

// The video library's answer to FFmpegFileOpen for a file whose pictures are
// larger than it can scale (its other failures give -1).
constexpr int kVideoPictureTooLarge = -2;

// The decoder calls the probes make. Handles below 0 mean failure.
class CMediaDecoders {
public:
    virtual ~CMediaDecoders() = default;
    virtual int FFmpegFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height, int cropLeft, int cropTop,
        int cropRight, int cropBottom);
    virtual void FFmpegFileForward(int handle);
    virtual int FFmpegFileGetFrames(int handle);
    virtual void FFmpegFileClose(int handle);
    virtual int SWFFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height);
    virtual int SWFFileGetFrames(int handle);
    virtual void SWFFileSeekTo(int handle, int frame);
    virtual void SWFFileForward(int handle);
    virtual void SWFFileClose(int handle);
    virtual int TOLFileOpen(LPCWSTR path, HDC dc, int x, int y, int width, int height);
    virtual int TOLFileGetFrames(int handle);
    virtual void TOLFileSeekTo(int handle, int frame);
    virtual void TOLFileForward(int handle);
    virtual void TOLFileClose(int handle);
};

// The decoders in use (the libraries unless replaced).
CMediaDecoders& GetMediaDecoders();
// Replaces them (null restores the libraries); returns the previous ones.
CMediaDecoders* SetMediaDecoders(CMediaDecoders* decoders);

enum MediaFileKind {
    MEDIA_FILE_VIDEO = 0,
    MEDIA_FILE_SWF = 1,
    MEDIA_FILE_TOL = 2,
};

// By the text after the path's last ".", without regard to case: "SWF",
// "TOL", anything else (no extension too) a video.
MediaFileKind MediaKindOfPath(const CString& path);

// Draws a picture of the file into dc (a 256 x 256 bitmap selected into it
// by the caller): a video's first frame, an animation's middle frame.
// 1 when drawn; 0 when the file is missing, the decoder refuses it or an
// animation has no frames, and dc is left as it was.
int RenderMediaThumbnail(const CString& path, HDC dc);

// Frame counts; 0 when the decoder cannot open the file.
int GetVideoFrameCount(HDC dc, const CString& path);
int GetSwfFrameCount(HDC dc, const CString& path);
int GetTolFrameCount(HDC dc, const CString& path);
