// JPEG coding of test pictures with GDI+ (our FFmpeg build has no encoders).
#pragma once

#include "ClipFrames.h"

#include <cstdint>
#include <vector>

namespace clipgen {

// Keeps GDI+ started for its lifetime.
class CJpegEncoder {
public:
    CJpegEncoder();
    ~CJpegEncoder();
    CJpegEncoder(const CJpegEncoder&) = delete;
    CJpegEncoder& operator=(const CJpegEncoder&) = delete;

    bool Ready() const { return m_token != 0; }
    // The picture as a JPEG file image; empty on failure.
    std::vector<uint8_t> Encode(const Picture& picture, int quality = 90) const;

private:
    unsigned long long m_token = 0;
};

} // namespace clipgen
