// RIFF AVI file images for tests: hdrl with avih and one strl per stream,
// a movi list with interleaved chunks, and an optional idx1 index.
#include "ClipWriters.h"

#include <windows.h>

#include <algorithm>

namespace clipgen {

namespace {

class CBytes {
public:
    std::vector<uint8_t> data;

    void U8(uint8_t v) { data.push_back(v); }
    void U16(uint16_t v)
    {
        U8(uint8_t(v));
        U8(uint8_t(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(uint16_t(v));
        U16(uint16_t(v >> 16));
    }
    void Tag(const char* fourcc) { data.insert(data.end(), fourcc, fourcc + 4); }
    void Bytes(const std::vector<uint8_t>& b) { data.insert(data.end(), b.begin(), b.end()); }
    size_t Size() const { return data.size(); }
    // Starts a chunk or list; returns the offset of its size field.
    size_t Open(const char* tag)
    {
        Tag(tag);
        U32(0);
        return data.size() - 4;
    }
    void Close(size_t sizeAt)
    {
        if (data.size() % 2 != 0)
            U8(0);
        const uint32_t size = uint32_t(data.size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i)
            data[sizeAt + size_t(i)] = uint8_t(size >> (8 * i));
    }
};

std::string ChunkId(size_t stream, StreamKind kind)
{
    std::string id = { char('0' + stream / 10), char('0' + stream % 10) };
    id += kind == StreamKind::RawVideo ? "db" : kind == StreamKind::Mjpeg ? "dc" : "wb";
    return id;
}

} // namespace

std::vector<uint8_t> DibRows24(const Picture& picture)
{
    const size_t stride = (size_t(picture.width) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> rows(stride * size_t(picture.height), 0);
    for (int y = 0; y < picture.height; ++y) {
        uint8_t* row = rows.data() + size_t(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t v = picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)];
            row[x * 3 + 0] = uint8_t(v);
            row[x * 3 + 1] = uint8_t(v >> 8);
            row[x * 3 + 2] = uint8_t(v >> 16);
        }
    }
    return rows;
}

std::vector<uint8_t> BuildAvi(const std::vector<AviStream>& streams, int fps, bool withIndex)
{
    CBytes f;
    size_t longest = 0;
    size_t biggest = 0;
    int width = 0;
    int height = 0;
    for (const auto& s : streams) {
        longest = std::max(longest, s.chunks.size());
        for (const auto& c : s.chunks)
            biggest = std::max(biggest, c.size());
        if (s.kind != StreamKind::Pcm && width == 0) {
            width = s.width;
            height = s.height;
        }
    }

    const size_t riff = f.Open("RIFF");
    f.Tag("AVI ");
    const size_t hdrl = f.Open("LIST");
    f.Tag("hdrl");
    const size_t avih = f.Open("avih");
    f.U32(uint32_t(1000000 / fps));
    f.U32(0);
    f.U32(0);
    f.U32(withIndex ? 0x10 : 0); // AVIF_HASINDEX
    f.U32(uint32_t(longest));
    f.U32(0);
    f.U32(uint32_t(streams.size()));
    f.U32(uint32_t(biggest));
    f.U32(uint32_t(width));
    f.U32(uint32_t(height));
    for (int i = 0; i < 4; ++i)
        f.U32(0);
    f.Close(avih);

    for (const auto& s : streams) {
        const size_t strl = f.Open("LIST");
        f.Tag("strl");
        const size_t strh = f.Open("strh");
        const bool audio = s.kind == StreamKind::Pcm;
        f.Tag(audio ? "auds" : "vids");
        if (s.kind == StreamKind::Mjpeg)
            f.Tag("MJPG");
        else
            f.U32(0);
        f.U32(0); // flags
        f.U16(0); // priority
        f.U16(0); // language
        f.U32(0); // initial frames
        size_t length = s.chunks.size();
        if (audio) {
            length = 0;
            for (const auto& c : s.chunks)
                length += c.size() / 2;
        }
        f.U32(audio ? 2 : 1); // scale: block align for audio
        f.U32(audio ? 16000 : uint32_t(fps)); // rate
        f.U32(0); // start
        f.U32(uint32_t(length));
        f.U32(uint32_t(biggest));
        f.U32(0xFFFFFFFFu); // quality
        f.U32(audio ? 2 : 0); // sample size
        f.U16(0);
        f.U16(0);
        f.U16(uint16_t(s.width));
        f.U16(uint16_t(s.height));
        f.Close(strh);
        const size_t strf = f.Open("strf");
        if (audio) {
            f.U16(1); // WAVE_FORMAT_PCM
            f.U16(1);
            f.U32(8000);
            f.U32(16000);
            f.U16(2);
            f.U16(16);
            f.U16(0);
        } else {
            f.U32(40);
            f.U32(uint32_t(s.width));
            f.U32(uint32_t(s.height));
            f.U16(1);
            f.U16(24);
            if (s.kind == StreamKind::Mjpeg)
                f.Tag("MJPG");
            else
                f.U32(BI_RGB);
            f.U32(uint32_t(s.kind == StreamKind::RawVideo ? ((s.width * 3 + 3) & ~3) * s.height : 0));
            f.U32(0);
            f.U32(0);
            f.U32(0);
            f.U32(0);
        }
        f.Close(strf);
        f.Close(strl);
    }
    f.Close(hdrl);

    struct Entry {
        std::string id;
        uint32_t offset;
        uint32_t size;
    };
    std::vector<Entry> index;
    const size_t movi = f.Open("LIST");
    const size_t moviTag = f.Size();
    f.Tag("movi");
    for (size_t i = 0; i < longest; ++i) {
        for (size_t n = 0; n < streams.size(); ++n) {
            if (i >= streams[n].chunks.size())
                continue;
            const std::string id = ChunkId(n, streams[n].kind);
            index.push_back({ id, uint32_t(f.Size() - moviTag), uint32_t(streams[n].chunks[i].size()) });
            const size_t chunk = f.Open(id.c_str());
            f.Bytes(streams[n].chunks[i]);
            f.Close(chunk);
        }
    }
    f.Close(movi);
    if (withIndex) {
        const size_t idx1 = f.Open("idx1");
        for (const auto& e : index) {
            f.Tag(e.id.c_str());
            f.U32(0x10); // AVIIF_KEYFRAME
            f.U32(e.offset);
            f.U32(e.size);
        }
        f.Close(idx1);
    }
    f.Close(riff);
    return f.data;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

} // namespace clipgen
