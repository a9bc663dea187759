// Matroska file images for tests, from a tiny EBML writer: header, segment
// with info, one video track, cues and clusters of simple blocks.
#include "ClipWriters.h"

#include <cstring>

namespace clipgen {

namespace {

using Bytes = std::vector<uint8_t>;

void PutId(Bytes& out, uint32_t id)
{
    int bytes = id > 0xFFFFFF ? 4 : id > 0xFFFF ? 3 : id > 0xFF ? 2 : 1;
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(uint8_t(id >> (8 * i)));
}

// Sizes always take 8 bytes: valid EBML and independent of the value.
void PutSize(Bytes& out, uint64_t size)
{
    out.push_back(0x01);
    for (int i = 6; i >= 0; --i)
        out.push_back(uint8_t(size >> (8 * i)));
}

Bytes Element(uint32_t id, const Bytes& body)
{
    Bytes out;
    PutId(out, id);
    PutSize(out, body.size());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes UInt(uint32_t id, uint64_t value, int width = 0)
{
    Bytes body;
    int bytes = 1;
    while (bytes < 8 && (value >> (8 * bytes)) != 0)
        ++bytes;
    if (width > bytes)
        bytes = width;
    for (int i = bytes - 1; i >= 0; --i)
        body.push_back(uint8_t(value >> (8 * i)));
    return Element(id, body);
}

Bytes Text(uint32_t id, const char* text)
{
    return Element(id, Bytes(text, text + std::strlen(text)));
}

Bytes Float(uint32_t id, double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, 8);
    Bytes body;
    for (int i = 7; i >= 0; --i)
        body.push_back(uint8_t(bits >> (8 * i)));
    return Element(id, body);
}

void Append(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

} // namespace

std::vector<uint8_t> BuildMkvMjpeg(int width, int height, int fps, const std::vector<std::vector<uint8_t>>& jpegs)
{
    const int framesPerCluster = 10;
    const double frameMs = 1000.0 / fps;

    Bytes header;
    Append(header, UInt(0x4286, 1));
    Append(header, UInt(0x42F7, 1));
    Append(header, UInt(0x42F2, 4));
    Append(header, UInt(0x42F3, 8));
    Append(header, Text(0x4282, "matroska"));
    Append(header, UInt(0x4287, 2));
    Append(header, UInt(0x4285, 2));

    Bytes info;
    Append(info, UInt(0x2AD7B1, 1000000)); // timestamps in milliseconds
    Append(info, Float(0x4489, frameMs * double(jpegs.size())));
    Append(info, Text(0x4D80, "clipgen"));
    Append(info, Text(0x5741, "clipgen"));

    Bytes video;
    Append(video, UInt(0xB0, uint64_t(width)));
    Append(video, UInt(0xBA, uint64_t(height)));
    Bytes track;
    Append(track, UInt(0xD7, 1));
    Append(track, UInt(0x73C5, 1));
    Append(track, UInt(0x83, 1)); // video
    Append(track, UInt(0x9C, 0));
    Append(track, Text(0x86, "V_MJPEG"));
    Append(track, UInt(0x23E383, uint64_t(1000000000 / fps)));
    Append(track, Element(0xE0, video));
    const Bytes tracks = Element(0x1654AE6B, Element(0xAE, track));
    const Bytes infoElement = Element(0x1549A966, info);

    std::vector<Bytes> clusters;
    std::vector<uint64_t> clusterTimes;
    for (size_t first = 0; first < jpegs.size(); first += framesPerCluster) {
        const uint64_t clusterTime = uint64_t(double(first) * frameMs + 0.5);
        Bytes body = UInt(0xE7, clusterTime);
        for (size_t i = first; i < jpegs.size() && i < first + framesPerCluster; ++i) {
            const int relative = int(uint64_t(double(i) * frameMs + 0.5) - clusterTime);
            Bytes block = { 0x81, uint8_t(relative >> 8), uint8_t(relative), 0x80 }; // track 1, key frame
            Append(block, jpegs[i]);
            Append(body, Element(0xA3, block));
        }
        clusters.push_back(Element(0x1F43B675, body));
        clusterTimes.push_back(clusterTime);
    }

    // Cues come before the clusters so the demuxer meets them while reading
    // the header; positions have a fixed width, so their size is known first.
    auto buildCues = [&](const std::vector<uint64_t>& positions) {
        Bytes points;
        for (size_t c = 0; c < clusters.size(); ++c) {
            Bytes where = UInt(0xF7, 1);
            Append(where, UInt(0xF1, positions[c], 8));
            Bytes point = UInt(0xB3, clusterTimes[c]);
            Append(point, Element(0xB7, where));
            Append(points, Element(0xBB, point));
        }
        return Element(0x1C53BB6B, points);
    };
    std::vector<uint64_t> positions(clusters.size(), 0);
    const size_t cuesSize = buildCues(positions).size();
    uint64_t at = infoElement.size() + tracks.size() + cuesSize;
    for (size_t c = 0; c < clusters.size(); ++c) {
        positions[c] = at;
        at += clusters[c].size();
    }

    Bytes segment = infoElement;
    Append(segment, tracks);
    Append(segment, buildCues(positions));
    for (const auto& c : clusters)
        Append(segment, c);

    Bytes file = Element(0x1A45DFA3, header);
    Append(file, Element(0x18538067, segment));
    return file;
}

} // namespace clipgen
