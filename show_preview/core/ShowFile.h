// Opening off-line show files "OFF%03d.arm" for the preview: the two header
// blocks, the geometry derived from them and the first frame, single frames
// for playback, and the layout copy with its trailer at the end of the file.
//
// A show file is believed only as far as its own length: a file too short for
// its header blocks and one frame, a frame size without a single slot or
// beyond the recorder's largest frame, or no frame at all is refused, and the
// frame count is cut to the frames the file really holds.
#pragma once

#include <afx.h>

#include <cstdint>
#include <vector>

#include "ShowSlots.h"

namespace preview {

// The recorder's largest frame: a header sector and 6400 slots.
constexpr int kMaxFrameSectors = 1 + 3 * 6400;
constexpr std::size_t kTrailerSize = 10;
constexpr std::size_t kMaskedLayoutBytes = 10;

// What playback needs of the file opened last.
struct ShowGeometry {
    int sectors = 0; // frame size in 512-byte sectors
    std::uint32_t frameCount = 0; // frames the file holds
    int firstPort = 1;
    int portCount = 0;
    int largestOutputCount = 0;
    int largestOutputLength = 0;
    ULONGLONG framesEnd = 0; // file offset where the frame data ends

    std::size_t FrameBytes() const { return static_cast<std::size_t>(sectors) * kSectorSize; }
};

enum class ShowOpenResult {
    Ok,
    NotOpened, // the file cannot be opened or read
    Broken, // too short, or its header values cannot describe a frame
};

// Reads block A and block B (kHeaderBlockSize bytes each) and frame 0 of the
// file and works out the geometry. Nothing is changed unless the result is Ok.
ShowOpenResult ReadShowFile(const CString& path, std::vector<BYTE>& blockA, std::vector<BYTE>& blockB,
    std::vector<BYTE>& frame0, ShowGeometry& geometry);

// Works out the geometry from the blocks and frame 0 (sectors, first port,
// port count, largest output count and length).
void MeasureFrame(const BYTE* commandBlock, const BYTE* frame0, ShowGeometry& geometry);

// Reads frame `index` (geometry.FrameBytes() bytes) into `frame`; false when
// the file cannot be opened or the frame does not lie whole inside the
// file's frame data.
bool ReadShowFrame(const CString& path, const ShowGeometry& geometry, std::uint32_t index, std::vector<BYTE>& frame);

// The end of the frame data of a file of `length` bytes whose last
// kTrailerSize bytes are `trailer`: before the layout copy when the trailer
// is a good one ("LAYOUT" and a length that fits after the header blocks),
// else the file's end.
ULONGLONG FramesEndFromTrailer(const BYTE* trailer, ULONGLONG length);

// The layout file appended to a show file, unmasked; false when the file
// has no good trailer.
bool ReadEmbeddedLayout(const CString& path, std::vector<BYTE>& layout);

// XORs bytes with the 2-byte layout key "QZ" (even bytes 'Q', odd 'Z').
void MaskWithLayoutKey(BYTE* bytes, std::size_t length);

} // namespace preview
