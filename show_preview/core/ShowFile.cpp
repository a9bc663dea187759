// Opening off-line show files for the preview (see ShowFile.h).
#include "ShowFile.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace preview {

namespace {

std::uint32_t ReadU32(const BYTE* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// Reads exactly `count` bytes; false on a short read or a file error.
bool ReadExactly(CFile& file, BYTE* out, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const UINT chunk = static_cast<UINT>(std::min<std::size_t>(count - done, 1u << 30));
        const UINT got = file.Read(out + done, chunk);
        if (got == 0)
            return false;
        done += got;
    }
    return true;
}

ULONGLONG FramesEndOf(CFile& file, ULONGLONG length)
{
    if (length < kFramesOffset + kTrailerSize)
        return length;
    BYTE trailer[kTrailerSize];
    file.Seek(static_cast<LONGLONG>(length - kTrailerSize), CFile::begin);
    if (!ReadExactly(file, trailer, kTrailerSize))
        return length;
    return FramesEndFromTrailer(trailer, length);
}

} // namespace

void MaskWithLayoutKey(BYTE* bytes, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] ^= (i % 2 == 0) ? BYTE('Q') : BYTE('Z');
}

ULONGLONG FramesEndFromTrailer(const BYTE* trailer, ULONGLONG length)
{
    BYTE plain[kTrailerSize];
    std::memcpy(plain, trailer, kTrailerSize);
    MaskWithLayoutKey(plain, kTrailerSize);
    if (std::memcmp(plain + 4, "LAYOUT", 6) != 0 || length < kFramesOffset + kTrailerSize)
        return length;
    const ULONGLONG layout = ReadU32(plain);
    if (layout > length - kFramesOffset - kTrailerSize)
        return length;
    return length - kTrailerSize - layout;
}

void MeasureFrame(const BYTE* commandBlock, const BYTE* frame0, ShowGeometry& geometry)
{
    geometry.firstPort = FindFirstPort(commandBlock);
    geometry.portCount = CountFramePorts(geometry.sectors, frame0);
    geometry.largestOutputCount = 0;
    geometry.largestOutputLength = 0;
    std::vector<BYTE> gathered(geometry.FrameBytes());
    std::vector<BYTE> output(kOutputBufferSize);
    for (int i = 0; i < geometry.portCount; ++i) {
        const int port = geometry.firstPort + i;
        int bytes = 0;
        GatherPortSlots(geometry.sectors, frame0, port, port, gathered.data(), bytes);
        const int slots = bytes / static_cast<int>(kSlotSize);
        int outputs = 0;
        for (int o = 0; o < kMaxOutputs; ++o) {
            const int length = ParseOutputChunks(gathered.data(), slots, o, output.data());
            geometry.largestOutputLength = std::max(geometry.largestOutputLength, length);
            if (length == 0)
                break;
            ++outputs;
        }
        geometry.largestOutputCount = std::max(geometry.largestOutputCount, outputs);
    }
}

ShowOpenResult ReadShowFile(const CString& path, std::vector<BYTE>& blockA, std::vector<BYTE>& blockB,
    std::vector<BYTE>& frame0, ShowGeometry& geometry)
{
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
            return ShowOpenResult::NotOpened;
        const ULONGLONG length = file.GetLength();
        if (length < kFramesOffset)
            return ShowOpenResult::Broken;

        std::vector<BYTE> a(kHeaderBlockSize);
        std::vector<BYTE> b(kHeaderBlockSize);
        if (!ReadExactly(file, a.data(), a.size()) || !ReadExactly(file, b.data(), b.size()))
            return ShowOpenResult::Broken;

        ShowGeometry found;
        found.sectors = a[2] | (a[3] << 8);
        if (FrameSlotCount(found.sectors) < 1 || found.sectors > kMaxFrameSectors)
            return ShowOpenResult::Broken;
        found.framesEnd = FramesEndOf(file, length);
        const ULONGLONG frames = (found.framesEnd - kFramesOffset) / found.FrameBytes();
        found.frameCount = static_cast<std::uint32_t>(std::min<ULONGLONG>(ReadU32(a.data() + 4), frames));
        if (found.frameCount == 0)
            return ShowOpenResult::Broken;

        std::vector<BYTE> frame(found.FrameBytes());
        file.Seek(static_cast<LONGLONG>(kFramesOffset), CFile::begin);
        if (!ReadExactly(file, frame.data(), frame.size()))
            return ShowOpenResult::Broken;
        MeasureFrame(b.data(), frame.data(), found);

        blockA = std::move(a);
        blockB = std::move(b);
        frame0 = std::move(frame);
        geometry = found;
        return ShowOpenResult::Ok;
    } catch (CException* e) {
        e->Delete();
        return ShowOpenResult::NotOpened;
    } catch (const std::bad_alloc&) {
        return ShowOpenResult::NotOpened;
    }
}

bool ReadShowFrame(const CString& path, const ShowGeometry& geometry, std::uint32_t index, std::vector<BYTE>& frame)
{
    const ULONGLONG size = geometry.FrameBytes();
    if (size == 0)
        return false;
    // The frame must end inside the frame data (not inside the layout copy).
    const ULONGLONG start = kFramesOffset + static_cast<ULONGLONG>(index) * size;
    if (start + size > geometry.framesEnd)
        return false;
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
            return false;
        if (start + size > file.GetLength())
            return false;
        frame.resize(static_cast<std::size_t>(size));
        file.Seek(static_cast<LONGLONG>(start), CFile::begin);
        return ReadExactly(file, frame.data(), frame.size());
    } catch (CException* e) {
        e->Delete();
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool ReadEmbeddedLayout(const CString& path, std::vector<BYTE>& layout)
{
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
            return false;
        const ULONGLONG length = file.GetLength();
        const ULONGLONG end = FramesEndOf(file, length);
        if (end == length)
            return false;
        std::vector<BYTE> bytes(static_cast<std::size_t>(length - kTrailerSize - end));
        file.Seek(static_cast<LONGLONG>(end), CFile::begin);
        if (!ReadExactly(file, bytes.data(), bytes.size()))
            return false;
        MaskWithLayoutKey(bytes.data(), std::min(bytes.size(), kMaskedLayoutBytes));
        layout = std::move(bytes);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace preview
