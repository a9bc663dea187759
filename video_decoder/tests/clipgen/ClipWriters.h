// Writers of small test clips: RIFF AVI (uncompressed 24-bit DIB frames,
// MJPEG frames, several streams, an audio-only stream) and Matroska with
// MJPEG frames, assembled byte by byte.
#pragma once

#include "ClipFrames.h"

#include <cstdint>
#include <string>
#include <vector>

namespace clipgen {

enum class StreamKind { RawVideo, Mjpeg, Pcm };

struct AviStream {
    StreamKind kind = StreamKind::RawVideo;
    int width = 0;
    int height = 0;
    // Raw: pictures are stored as bottom-up 24-bit DIB rows; Mjpeg: JPEG
    // images; Pcm: raw 16-bit mono samples at 8000 Hz, one chunk each.
    std::vector<std::vector<uint8_t>> chunks;
};

// Bottom-up 24-bit DIB rows (rows padded to 4 bytes) of a picture.
std::vector<uint8_t> DibRows24(const Picture& picture);

// Whole file image of an AVI with the given streams at fps frames per second;
// chunks of the streams are interleaved. withIndex writes the idx1 index.
std::vector<uint8_t> BuildAvi(const std::vector<AviStream>& streams, int fps, bool withIndex = true);

// Matroska file image with one V_MJPEG track, every frame a key frame, with
// cues so that seeking finds the clusters.
std::vector<uint8_t> BuildMkvMjpeg(int width, int height, int fps, const std::vector<std::vector<uint8_t>>& jpegs);

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

} // namespace clipgen
