// Writing the current layout format, streamed through a bounded buffer.
#include "LayoutFileFormat.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <string>

const char kLayoutMagic[kLayoutMagicSize] = { 'Q', 'V', 'T', 'N', 'L', 'A', 'Y', 'O', 'U', 'T' };

LONG EncodeNormalised(double value)
{
    const double scaled = value * kNormalisedScale;
    // Also false for NaN.
    if (!(scaled > static_cast<double>(LONG_MIN) - 1.0 && scaled < static_cast<double>(LONG_MAX) + 1.0))
        return LONG_MIN;
    LONG whole = static_cast<LONG>(scaled); // truncated toward zero
    // A value a reader made from a stored integer (n / 10,000,000) may scale
    // back to just short of n: it stores n again, so that opening and saving
    // a layout does not creep its lamps.
    constexpr double kSlack = 1e-6;
    if (scaled > 0 && whole < LONG_MAX && (whole + 1.0) - scaled < kSlack)
        ++whole;
    else if (scaled < 0 && whole > LONG_MIN + 1 && scaled - (whole - 1.0) < kSlack)
        --whole;
    return whole;
}

double DecodeNormalised(LONG stored)
{
    return stored == LONG_MIN ? kUnsetNormalised : stored / kNormalisedScale;
}

bool HasLayoutMagic(const BYTE* data, size_t size)
{
    return data != nullptr && size >= static_cast<size_t>(kLayoutMagicSize)
        && std::equal(kLayoutMagic, kLayoutMagic + kLayoutMagicSize, data,
            [](char a, BYTE b) { return static_cast<BYTE>(a) == b; });
}

namespace {

// A port block without its lamp format's bytes.
constexpr size_t kPortBlockFixedBytes = 16;

std::string ToAnsi(const CString& text)
{
    std::string bytes;
    const int length = text.GetLength();
    if (length == 0)
        return bytes;
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.GetString(), length, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return bytes;
    bytes.resize(static_cast<size_t>(n));
    ::WideCharToMultiByte(CP_ACP, 0, text.GetString(), length, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

WORD ClampWord(long long value)
{
    return static_cast<WORD>(std::clamp<long long>(value, 0, 0xFFFF));
}

// Writes big-endian fields through a bounded buffer into the sink; a masked
// field has the key in its last byte. The buffer goes to the sink whenever
// the next field does not fit, so a file of any size costs one buffer.
class CLayoutByteWriter {
public:
    CLayoutByteWriter(std::vector<BYTE>& buffer, ILayoutByteSink& sink, BYTE key)
        : m_buffer(buffer)
        , m_sink(sink)
        , m_key(key)
    {
    }

    // False once the sink refused a piece; nothing more goes to it then.
    bool Flush()
    {
        if (m_used > 0 && !m_failed)
            m_failed = !m_sink.Put(m_buffer.data(), m_used);
        m_used = 0;
        return !m_failed;
    }

    void U8(unsigned value, bool masked) { *Room(1) = static_cast<BYTE>(masked ? value ^ m_key : value); }
    void U16(unsigned value, bool masked)
    {
        BYTE* p = Room(2);
        p[0] = static_cast<BYTE>(value >> 8);
        p[1] = static_cast<BYTE>(masked ? (value ^ m_key) : value);
    }
    void U32(DWORD value, bool masked) { PutU32(Room(4), masked ? value ^ m_key : value); }
    void Bytes(const void* data, size_t count)
    {
        const BYTE* from = static_cast<const BYTE*>(data);
        while (count > 0) {
            const size_t piece = std::min(count, m_buffer.size());
            std::memcpy(Room(piece), from, piece);
            from += piece;
            count -= piece;
        }
    }
    void Ansi(const std::string& text)
    {
        U16(static_cast<unsigned>(text.size()), false);
        Bytes(text.data(), text.size());
    }

    // One record per lamp, as many at a time as the buffer holds.
    void Lamps(const CLPoint* lamps, size_t count)
    {
        const size_t perBuffer = m_buffer.size() / kLayoutLampRecordSize;
        while (count > 0) {
            const size_t n = std::min(count, perBuffer);
            BYTE* p = Room(n * kLayoutLampRecordSize);
            for (size_t i = 0; i < n; ++i, p += kLayoutLampRecordSize)
                Lamp(lamps[i], p);
            lamps += n;
            count -= n;
        }
    }

private:
    // Room for count bytes (at most the buffer's size) at the buffer's end.
    BYTE* Room(size_t count)
    {
        if (m_used + count > m_buffer.size())
            Flush();
        BYTE* p = m_buffer.data() + m_used;
        m_used += count;
        return p;
    }
    static void PutU32(BYTE* p, DWORD value)
    {
        p[0] = static_cast<BYTE>(value >> 24);
        p[1] = static_cast<BYTE>(value >> 16);
        p[2] = static_cast<BYTE>(value >> 8);
        p[3] = static_cast<BYTE>(value);
    }
    void Lamp(const CLPoint& lamp, BYTE* p) const
    {
        const DWORD key = m_key;
        const DWORD normY = static_cast<DWORD>(EncodeNormalised(lamp.m_normY)) ^ key;
        p[0] = 0;
        p[1] = static_cast<BYTE>(kLayoutLampRecordSize ^ key);
        PutU32(p + 2, static_cast<DWORD>(lamp.x) ^ key);
        PutU32(p + 6, static_cast<DWORD>(lamp.y) ^ key);
        PutU32(p + 10, static_cast<DWORD>(lamp.y) ^ key);
        PutU32(p + 14, static_cast<DWORD>(EncodeNormalised(lamp.m_normX)) ^ key);
        PutU32(p + 18, normY);
        PutU32(p + 22, normY);
        p[26] = lamp.m_lampFormat;
        p[27] = lamp.m_masked;
        p[28] = lamp.m_layer;
    }

    std::vector<BYTE>& m_buffer;
    ILayoutByteSink& m_sink;
    BYTE m_key;
    size_t m_used = 0;
    bool m_failed = false;
};

// Stored entries of a table: up to the last one that differs from the default.
size_t StoredEntries(const std::vector<BYTE>& table, BYTE defaultValue)
{
    size_t n = std::min(table.size(), static_cast<size_t>(kPortTableSize));
    while (n > 0 && table[n - 1] == defaultValue)
        --n;
    return n;
}

// The texts of a layout in the bytes they are stored as, checked against
// the format's limits.
struct PreparedTexts {
    std::vector<std::string> lampTypes;
    std::string projectLampFormat;
    std::vector<std::string> portFormats;
    size_t headerLength = 0;
    size_t totalLength = 0;
};

bool Prepare(const LayoutWriteSource& source, PreparedTexts& texts)
{
    const CLayoutData& model = *source.model;
    const CLayoutProjectSettings& settings = *source.settings;
    const int ports = model.GetPortCount();
    if (ports < 1 || ports > kMaxLayoutPorts)
        return false;
    // The readers walk the ports controller by controller: the counts must
    // fit their bytes and add up to the port count.
    const INT_PTR controllers = settings.m_controllers.GetSize();
    if (controllers > 0xFFFF)
        return false;
    long long sum = 0;
    for (INT_PTR i = 0; i < controllers; ++i) {
        if (settings.m_controllers[i] > 0xFF)
            return false;
        sum += settings.m_controllers[i];
    }
    if (sum != ports)
        return false;
    if (source.lampTypes->GetSize() > 0xFF || source.curves->m_count < 0 || source.curves->m_count > kMaxUserCurves)
        return false;
    if (settings.m_hRulers.GetSize() > 0xFFFF || settings.m_vRulers.GetSize() > 0xFFFF)
        return false;
    if (settings.m_controllerModel.GetLength() * 2 > kMaxLayoutModelBytes)
        return false;

    size_t textBytes = 0;
    for (INT_PTR i = 0; i < source.lampTypes->GetSize(); ++i) {
        texts.lampTypes.push_back(ToAnsi(source.lampTypes->GetAt(i)));
        textBytes += 2 + texts.lampTypes.back().size();
        if (texts.lampTypes.back().size() > static_cast<size_t>(kMaxLayoutAnsiBytes))
            return false;
    }
    texts.projectLampFormat = ToAnsi(settings.m_lampFormat);
    if (texts.projectLampFormat.size() > static_cast<size_t>(kMaxLayoutAnsiBytes))
        return false;
    texts.headerLength = 2 + 2 + 2 + 4 + 4 + 4 + 4 + 2 + static_cast<size_t>(controllers) + 1 + textBytes + 2
        + texts.projectLampFormat.size() + 2 + 2 + 2 + 4 + 2
        + static_cast<size_t>(settings.m_controllerModel.GetLength()) * 2 + 3 + 4 + 2
        + 2 * static_cast<size_t>(settings.m_hRulers.GetSize()) + 2
        + 2 * static_cast<size_t>(settings.m_vRulers.GetSize()) + 3;
    if (texts.headerLength > 0xFFFF)
        return false;

    size_t total = kLayoutHeaderOffset + texts.headerLength;
    for (int p = 0; p < ports; ++p) {
        const LayoutPort& port = model.GetPort(p);
        texts.portFormats.push_back(ToAnsi(port.m_lampFormat));
        if (texts.portFormats.back().size() > static_cast<size_t>(kMaxLayoutAnsiBytes) || port.GetCount() > 0xFFFF
            || port.GetCapacity() > 0xFFFF)
            return false;
        total += kPortBlockFixedBytes + texts.portFormats.back().size() + 4 + StoredEntries(port.m_brightness, 100) + 4
            + StoredEntries(port.m_gamma, 0) + static_cast<size_t>(port.GetCount()) * kLayoutLampRecordSize;
    }
    total += 1 + static_cast<size_t>(source.curves->m_count) * kCurveEntries;
    texts.totalLength = total;
    return true;
}

void WriteHeader(CLayoutByteWriter& out, const LayoutWriteSource& source, const PreparedTexts& texts)
{
    const CLayoutData& model = *source.model;
    const CLayoutProjectSettings& settings = *source.settings;
    int largestX = 0;
    int largestY = 0;
    for (int p = 0; p < model.GetPortCount(); ++p) {
        const LayoutPort& port = model.GetPort(p);
        for (int i = 0; i < port.GetCount(); ++i) {
            largestX = std::max(largestX, static_cast<int>(port.GetPoint(i).x));
            largestY = std::max(largestY, static_cast<int>(port.GetPoint(i).y));
        }
    }
    out.U16(static_cast<unsigned>(texts.headerLength), true);
    out.U16(static_cast<unsigned>(model.GetPortCount()), true);
    out.U16(ClampWord(model.GetPointsPerPort()), true);
    out.U32(static_cast<DWORD>(model.m_width), true);
    out.U32(static_cast<DWORD>(model.m_height), true);
    out.U32(static_cast<DWORD>(largestX), true);
    out.U32(static_cast<DWORD>(largestY), true);
    out.U16(static_cast<unsigned>(settings.m_controllers.GetSize()), true);
    for (INT_PTR i = 0; i < settings.m_controllers.GetSize(); ++i)
        out.U8(settings.m_controllers[i] & 0xFF, true);
    out.U8(static_cast<unsigned>(texts.lampTypes.size()), true);
    for (const std::string& type : texts.lampTypes)
        out.Ansi(type);
    out.Ansi(texts.projectLampFormat);
    out.U16(ClampWord(settings.m_portsPerController), true);
    out.U16(ClampWord(settings.m_channelsPerPort), true);
    out.U16(ClampWord(settings.m_lampsPerPort), true);
    out.U8(static_cast<BYTE>(settings.m_doubleSided), true);
    out.U8(static_cast<BYTE>(settings.m_showGrid), true);
    out.U8(static_cast<BYTE>(settings.m_allowOverlap), true);
    out.U8(static_cast<BYTE>(settings.m_allowMaxLamps), true);
    const int modelChars = settings.m_controllerModel.GetLength();
    out.U16(static_cast<unsigned>(modelChars * 2), false);
    for (int i = 0; i < modelChars; ++i) {
        const WCHAR c = settings.m_controllerModel[i];
        out.U8(c & 0xFF, false);
        out.U8(c >> 8, false);
    }
    out.U8(static_cast<BYTE>(source.alignToGrid), true);
    out.U8(static_cast<BYTE>(settings.m_showXY), true);
    out.U8(static_cast<BYTE>(settings.m_randomColours), true);
    out.U32(settings.m_swatchColour, true);
    for (const CArray<WORD, WORD>* rulers : { &settings.m_hRulers, &settings.m_vRulers }) {
        out.U16(static_cast<unsigned>(rulers->GetSize()), true);
        for (INT_PTR i = 0; i < rulers->GetSize(); ++i)
            out.U16(rulers->GetAt(i), false);
    }
    out.U8(static_cast<BYTE>(source.lock), false);
    out.U8(static_cast<BYTE>(source.wireDirectly), false);
    out.U8(static_cast<BYTE>(source.tracing), false);
}

void WriteTable(CLayoutByteWriter& out, const std::vector<BYTE>& table, BYTE defaultValue)
{
    const size_t n = StoredEntries(table, defaultValue);
    out.U16(static_cast<unsigned>(4 + n), true);
    out.U16(static_cast<unsigned>(n), false);
    out.Bytes(table.data(), n);
}

void WritePort(CLayoutByteWriter& out, const LayoutPort& port, const std::string& format, int dataOffset)
{
    out.U16(static_cast<unsigned>(kPortBlockFixedBytes + format.size()), true);
    out.U16(static_cast<unsigned>(port.GetCapacity()), true);
    out.U16(static_cast<unsigned>(port.GetCount()), true);
    out.Ansi(format);
    out.U8(static_cast<BYTE>(port.m_lampFormatIndex), true);
    out.U16(ClampWord(dataOffset), true);
    out.U32(port.m_colour, false);
    out.U8(port.m_dataReversed, false);
    WriteTable(out, port.m_brightness, 100);
    WriteTable(out, port.m_gamma, 0);
    out.Lamps(port.GetPoints(), static_cast<size_t>(port.GetCount()));
}

// Collects the whole file in memory.
class CMemorySink : public ILayoutByteSink {
public:
    explicit CMemorySink(std::vector<BYTE>& bytes)
        : m_bytes(bytes)
    {
    }
    bool Begin(size_t size) override
    {
        m_bytes.reserve(size);
        return true;
    }
    bool Put(const BYTE* data, size_t count) override
    {
        m_bytes.insert(m_bytes.end(), data, data + count);
        return true;
    }

private:
    std::vector<BYTE>& m_bytes;
};

} // namespace

LayoutWriteResult StreamLayoutBytes(
    const LayoutWriteSource& source, const BYTE keyBytes[kLayoutKeyBytes], ILayoutByteSink& sink, size_t bufferBytes)
{
    if (source.model == nullptr || source.settings == nullptr || source.lampTypes == nullptr || source.curves == nullptr
        || keyBytes == nullptr)
        return LayoutWriteResult::Unrepresentable;
    PreparedTexts texts;
    std::vector<BYTE> buffer;
    try {
        if (!Prepare(source, texts))
            return LayoutWriteResult::Unrepresentable;
        buffer.resize(std::max<size_t>(std::min(texts.totalLength, bufferBytes), kLayoutLampRecordSize));
        if (!sink.Begin(texts.totalLength))
            return LayoutWriteResult::NotCreated;
    } catch (const std::bad_alloc&) {
        return LayoutWriteResult::NoMemory;
    }

    BYTE key = 0;
    for (int i = 0; i < kLayoutKeyBytes; ++i)
        key ^= keyBytes[i];
    CLayoutByteWriter out(buffer, sink, key);
    out.Bytes(kLayoutMagic, kLayoutMagicSize);
    out.U8(kLayoutFileVersion, false);
    out.U8(source.model->m_templateKind, false);
    out.Bytes(keyBytes, kLayoutKeyBytes);
    WriteHeader(out, source, texts);
    const CLayoutData& model = *source.model;
    for (int p = 0; p < model.GetPortCount(); ++p)
        WritePort(out, model.GetPort(p), texts.portFormats[static_cast<size_t>(p)], source.settings->m_dataOffset);
    out.U8(static_cast<unsigned>(source.curves->m_count), false);
    for (int c = 0; c < source.curves->m_count; ++c)
        out.Bytes(source.curves->m_curves[c], kCurveEntries);
    return out.Flush() ? LayoutWriteResult::Ok : LayoutWriteResult::NotCreated;
}

LayoutWriteResult BuildLayoutBytes(
    const LayoutWriteSource& source, const BYTE keyBytes[kLayoutKeyBytes], std::vector<BYTE>& bytes)
{
    bytes.clear();
    CMemorySink sink(bytes);
    LayoutWriteResult result = LayoutWriteResult::NoMemory;
    try {
        result = StreamLayoutBytes(source, keyBytes, sink);
    } catch (const std::bad_alloc&) {
    }
    if (result != LayoutWriteResult::Ok)
        bytes = std::vector<BYTE>();
    return result;
}
