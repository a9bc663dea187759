// Reading the current layout format from memory. Every count and length is
// checked against the bytes at hand before it is used; a file that breaks
// them is refused as a whole.
#include "LayoutFileFormat.h"

#include <algorithm>
#include <new>
#include <string>

namespace {

CString FromAnsi(const BYTE* bytes, size_t count)
{
    CString text;
    if (count == 0)
        return text;
    const char* from = reinterpret_cast<const char*>(bytes);
    const int n = ::MultiByteToWideChar(CP_ACP, 0, from, static_cast<int>(count), nullptr, 0);
    if (n <= 0)
        return text;
    ::MultiByteToWideChar(CP_ACP, 0, from, static_cast<int>(count), text.GetBuffer(n), n);
    text.ReleaseBuffer(n);
    return text;
}

// Reads big-endian fields from [m_pos, m_end); a masked field has the key in
// its last byte. A read past the end fails the cursor and gives 0.
class CLayoutByteReader {
public:
    CLayoutByteReader(const BYTE* data, size_t begin, size_t end, BYTE key)
        : m_data(data)
        , m_pos(begin)
        , m_end(end)
        , m_key(key)
    {
    }

    bool Failed() const { return m_failed; }
    void Fail() { m_failed = true; }
    size_t Position() const { return m_pos; }

    BYTE U8(bool masked)
    {
        const BYTE* p = Take(1);
        return p == nullptr ? 0 : static_cast<BYTE>(masked ? p[0] ^ m_key : p[0]);
    }
    WORD U16(bool masked)
    {
        const BYTE* p = Take(2);
        if (p == nullptr)
            return 0;
        return static_cast<WORD>((p[0] << 8) | (masked ? p[1] ^ m_key : p[1]));
    }
    DWORD U32(bool masked)
    {
        const BYTE* p = Take(4);
        return p == nullptr ? 0 : Get32(p, masked);
    }
    // The next count bytes, or nullptr when they are not all there.
    const BYTE* Take(size_t count)
    {
        if (m_failed || count > m_end - m_pos) {
            m_failed = true;
            return nullptr;
        }
        const BYTE* p = m_data + m_pos;
        m_pos += count;
        return p;
    }
    // An ANSI text: a u16 byte count of at most 1023, then the bytes.
    CString Ansi()
    {
        const WORD n = U16(false);
        if (n > kMaxLayoutAnsiBytes) {
            m_failed = true;
            return CString();
        }
        const BYTE* p = Take(n);
        return p == nullptr ? CString() : FromAnsi(p, n);
    }

    DWORD Get32(const BYTE* p, bool masked) const
    {
        return (static_cast<DWORD>(p[0]) << 24) | (static_cast<DWORD>(p[1]) << 16) | (static_cast<DWORD>(p[2]) << 8)
            | static_cast<DWORD>(masked ? p[3] ^ m_key : p[3]);
    }

private:
    const BYTE* m_data;
    size_t m_pos;
    size_t m_end;
    BYTE m_key;
    bool m_failed = false;
};

// A block at `at`: its stored length (masked u16, counted from its own first
// byte) must cover at least the length field and stay inside the file.
// Returns a reader over the rest of the block and the next block's offset.
bool OpenBlock(const BYTE* data, size_t size, size_t at, BYTE key, CLayoutByteReader& block, size_t& next)
{
    if (at > size || size - at < 2)
        return false;
    const size_t length = (static_cast<size_t>(data[at]) << 8) | static_cast<BYTE>(data[at + 1] ^ key);
    if (length < 2 || length > size - at)
        return false;
    block = CLayoutByteReader(data, at + 2, at + length, key);
    next = at + length;
    return true;
}

bool ReadRulers(CLayoutByteReader& in, std::vector<WORD>& rulers)
{
    const WORD count = in.U16(true);
    const BYTE* p = in.Take(static_cast<size_t>(count) * 2);
    if (p == nullptr)
        return false;
    // The view holds at most kMaxRulers; further entries are stepped over.
    const int kept = std::min<int>(count, kMaxRulers);
    rulers.resize(static_cast<size_t>(kept));
    for (int i = 0; i < kept; ++i)
        rulers[static_cast<size_t>(i)] = static_cast<WORD>((p[2 * i] << 8) | p[2 * i + 1]);
    return true;
}

bool ReadHeader(CLayoutByteReader& in, int version, LayoutFileContents& c)
{
    c.portCount = in.U16(true);
    c.pointsPerPort = in.U16(true);
    const DWORD width = in.U32(true);
    const DWORD height = in.U32(true);
    c.largestX = in.U32(true);
    c.largestY = in.U32(true);
    if (in.Failed() || c.portCount < 1 || c.portCount > kMaxLayoutPorts || c.pointsPerPort < 1 || width < 1
        || height < 1 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return false;
    c.width = static_cast<int>(width);
    c.height = static_cast<int>(height);

    // The readers walk the ports controller by controller: the counts must
    // add up to the port count.
    const WORD controllers = in.U16(true);
    c.controllers.resize(controllers);
    long long sum = 0;
    for (WORD i = 0; i < controllers; ++i) {
        c.controllers[i] = in.U8(true);
        sum += c.controllers[i];
    }
    if (in.Failed() || sum != c.portCount)
        return false;

    const BYTE types = in.U8(true);
    c.lampTypes.resize(types);
    for (CString& type : c.lampTypes)
        type = in.Ansi();
    c.projectLampFormat = in.Ansi();
    c.portsPerController = in.U16(true);
    c.channelsPerPort = in.U16(true);
    c.lampsPerPort = in.U16(true);
    c.doubleSided = in.U8(true);
    c.showGrid = in.U8(true);
    c.allowOverlap = in.U8(true);
    c.allowMaxLamps = in.U8(true);

    const WORD modelBytes = in.U16(false);
    if (modelBytes > kMaxLayoutModelBytes)
        return false;
    const BYTE* model = in.Take(modelBytes);
    if (model == nullptr)
        return false;
    // UTF-16LE; an odd last byte is no character.
    std::wstring text;
    for (WORD i = 0; i + 1 < modelBytes; i += 2)
        text.push_back(static_cast<wchar_t>(model[i] | (model[i + 1] << 8)));
    c.controllerModel = CString(text.c_str(), static_cast<int>(text.size()));

    c.alignToGrid = in.U8(true);
    c.showXY = in.U8(true);
    c.randomColours = in.U8(true);
    c.swatchColour = in.U32(true);
    if (!ReadRulers(in, c.hRulers) || !ReadRulers(in, c.vRulers))
        return false;
    c.lock = version >= kVersionLock ? in.U8(false) : 0;
    c.wireDirectly = version >= kVersionWireDirectly ? in.U8(false) : 0;
    c.tracing = version >= kVersionTracing ? in.U8(false) : 0;
    return !in.Failed();
}

// A brightness or gamma block: u16 length, u16 n, then n entries.
bool ReadTable(const BYTE* data, size_t size, size_t& at, BYTE key, std::vector<BYTE>& entries)
{
    CLayoutByteReader in(data, 0, 0, key);
    size_t next = 0;
    if (!OpenBlock(data, size, at, key, in, next))
        return false;
    const WORD n = in.U16(false);
    if (n > kPortTableSize)
        return false;
    const BYTE* p = in.Take(n);
    if (p == nullptr)
        return false;
    entries.assign(p, p + n);
    at = next;
    return true;
}

// One lamp record at p (its length already checked).
void DecodeLamp(const BYTE* p, BYTE key, int version, CLPoint& lamp)
{
    auto get32 = [p, key](int at) {
        return static_cast<LONG>((static_cast<DWORD>(p[at]) << 24) | (static_cast<DWORD>(p[at + 1]) << 16)
            | (static_cast<DWORD>(p[at + 2]) << 8) | static_cast<DWORD>(p[at + 3] ^ key));
    };
    lamp.x = get32(2);
    lamp.y = get32(6);
    lamp.m_normX = DecodeNormalised(get32(14));
    lamp.m_normY = DecodeNormalised(get32(18));
    lamp.m_lampFormat = p[26];
    lamp.m_masked = p[27];
    lamp.m_layer = version >= kVersionLayer ? p[28] : 0;
}

size_t RecordLength(const BYTE* data, size_t at, BYTE key)
{
    return (static_cast<size_t>(data[at]) << 8) | static_cast<BYTE>(data[at + 1] ^ key);
}

bool ReadPort(const BYTE* data, size_t size, size_t& at, BYTE key, int version, bool decodeLamps, LayoutFilePort& port)
{
    CLayoutByteReader in(data, 0, 0, key);
    size_t next = 0;
    if (!OpenBlock(data, size, at, key, in, next))
        return false;
    port.capacity = in.U16(true);
    port.lampCount = in.U16(true);
    port.lampFormat = in.Ansi();
    port.lampFormatIndex = in.U8(true);
    port.dataOffset = in.U16(true);
    port.colour = in.U32(false);
    port.dataReversed = version >= kVersionDataReversed ? in.U8(false) : 0;
    if (in.Failed())
        return false;
    at = next;
    if (!ReadTable(data, size, at, key, port.brightness) || !ReadTable(data, size, at, key, port.gamma))
        return false;

    // Every record is stepped over by its own length; a record must hold the
    // fields its version carries.
    const size_t minimum = version >= kVersionLayer ? 29 : 28;
    if (static_cast<size_t>(port.lampCount) > (size - at) / minimum)
        return false;
    port.lampRecordsAt = at;
    if (decodeLamps)
        port.lamps.resize(static_cast<size_t>(port.lampCount));
    for (int i = 0; i < port.lampCount; ++i) {
        if (size - at < 2)
            return false;
        const size_t length = RecordLength(data, at, key);
        if (length < minimum || length > size - at)
            return false;
        if (decodeLamps)
            DecodeLamp(data + at, key, version, port.lamps[static_cast<size_t>(i)]);
        at += length;
    }
    return true;
}

LayoutReadResult Parse(const BYTE* data, size_t size, bool decodeLamps, LayoutFileContents& c)
{
    if (data == nullptr || size == 0)
        return LayoutReadResult::NotOpened;
    if (!HasLayoutMagic(data, size))
        return LayoutReadResult::NotLayout;
    if (size < static_cast<size_t>(kLayoutHeaderOffset))
        return LayoutReadResult::Corrupt;
    c.version = data[10];
    c.templateKind = data[11];
    BYTE key = 0;
    for (int i = 12; i < 12 + kLayoutKeyBytes; ++i)
        key ^= data[i];
    c.key = key;

    CLayoutByteReader header(data, 0, 0, key);
    size_t at = 0;
    if (!OpenBlock(data, size, kLayoutHeaderOffset, key, header, at) || !ReadHeader(header, c.version, c))
        return LayoutReadResult::Corrupt;

    c.ports.resize(static_cast<size_t>(c.portCount));
    for (LayoutFilePort& port : c.ports)
        if (!ReadPort(data, size, at, key, c.version, decodeLamps, port))
            return LayoutReadResult::Corrupt;

    if (at >= size)
        return LayoutReadResult::Corrupt;
    c.curveCount = data[at++];
    if (c.curveCount > kMaxUserCurves || static_cast<size_t>(c.curveCount) * kCurveEntries > size - at)
        return LayoutReadResult::Corrupt;
    for (int i = 0; i < c.curveCount; ++i, at += kCurveEntries)
        std::copy(data + at, data + at + kCurveEntries, c.curves[i]);
    return LayoutReadResult::Ok;
}

} // namespace

LayoutReadResult ParseLayoutBytes(const BYTE* data, size_t size, LayoutFileContents& contents, bool decodeLamps)
{
    contents = LayoutFileContents();
    try {
        return Parse(data, size, decodeLamps, contents);
    } catch (const std::bad_alloc&) {
        return LayoutReadResult::NotOpened;
    }
}

void DecodeLayoutLamps(const BYTE* data, const LayoutFileContents& contents, size_t at, int count, CLPoint* lamps)
{
    for (int i = 0; i < count; ++i) {
        DecodeLamp(data + at, contents.key, contents.version, lamps[i]);
        at += RecordLength(data, at, contents.key);
    }
}
