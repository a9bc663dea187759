// Reading an SWF file: header, zlib body, the tag walk of the main timeline
// and of sprites, and the dictionary. A tag whose length runs past the end
// ends the walk; a tag that does not parse is skipped; what was read before
// stays playable.
#include "swf_movie.h"

#include "swf_bitmaps.h"
#include "swf_bits.h"
#include "swf_shape_parse.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>

namespace flossar {

namespace {

enum Tag : int {
    kEnd = 0,
    kShowFrame = 1,
    kDefineShape = 2,
    kPlaceObject = 4,
    kRemoveObject = 5,
    kDefineBits = 6,
    kJpegTables = 8,
    kSetBackgroundColor = 9,
    kDefineFont = 10,
    kDefineText = 11,
    kDefineBitsLossless = 20,
    kDefineBitsJpeg2 = 21,
    kDefineShape2 = 22,
    kPlaceObject2 = 26,
    kRemoveObject2 = 28,
    kDefineShape3 = 32,
    kDefineText2 = 33,
    kDefineBitsJpeg3 = 35,
    kDefineBitsLossless2 = 36,
    kDefineSprite = 39,
    kDefineMorphShape = 46,
    kDefineFont2 = 48,
    kPlaceObject3 = 70,
    kDefineFont3 = 75,
    kDefineShape4 = 83,
    kDefineMorphShape2 = 84,
    kDefineBitsJpeg4 = 90,
};

// Inflates a zlib stream into at most limit bytes. A stream cut short keeps
// what came out of it.
std::vector<uint8_t> Inflate(const uint8_t* data, size_t size, size_t expected, size_t limit)
{
    std::vector<uint8_t> out;
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        return out;
    expected = std::min(expected, limit);
    out.resize(std::min<size_t>(std::max<size_t>(expected, 64), 1u << 20));
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    size_t produced = 0;
    for (;;) {
        if (produced == out.size()) {
            if (out.size() >= limit)
                break;
            out.resize(std::min(limit, out.size() * 2));
        }
        z.next_out = out.data() + produced;
        z.avail_out = static_cast<uInt>(out.size() - produced);
        const int rc = inflate(&z, Z_NO_FLUSH);
        produced = out.size() - z.avail_out;
        if (rc != Z_OK)
            break; // end of stream, a damaged stream or input cut short
        if (z.avail_in == 0 && z.avail_out != 0)
            break;
    }
    inflateEnd(&z);
    out.resize(produced);
    return out;
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes)
{
    HANDLE file = ::CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size {};
    bool ok = ::GetFileSizeEx(file, &size) != 0 && size.QuadPart >= 0
        && static_cast<unsigned long long>(size.QuadPart) <= Limits::kMaxFileBytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty()
            || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) != 0
                && read == bytes.size());
    }
    ::CloseHandle(file);
    return ok;
}

} // namespace

Matrix Lerp(const Matrix& m0, const Matrix& m1, double t)
{
    return { m0.a + (m1.a - m0.a) * t, m0.b + (m1.b - m0.b) * t, m0.c + (m1.c - m0.c) * t, m0.d + (m1.d - m0.d) * t,
        m0.tx + (m1.tx - m0.tx) * t, m0.ty + (m1.ty - m0.ty) * t };
}

Rgba ColorTransform::Apply(Rgba c) const
{
    auto channel = [](uint8_t v, double m, double a) {
        return static_cast<uint8_t>(std::clamp(std::floor(v * m + a), 0.0, 255.0));
    };
    return { channel(c.r, mr, ar), channel(c.g, mg, ag), channel(c.b, mb, ab), channel(c.a, ma, aa) };
}

ColorTransform ColorTransform::Then(const ColorTransform& o) const
{
    ColorTransform t;
    t.mr = mr * o.mr;
    t.mg = mg * o.mg;
    t.mb = mb * o.mb;
    t.ma = ma * o.ma;
    t.ar = ar * o.mr + o.ar;
    t.ag = ag * o.mg + o.ag;
    t.ab = ab * o.mb + o.ab;
    t.aa = aa * o.ma + o.aa;
    return t;
}

bool Movie::Spend(size_t items)
{
    if (items > Limits::kMaxItems - m_items)
        return false;
    m_items += items;
    return true;
}

const Character* Movie::Find(uint16_t id) const
{
    auto it = m_dictionary.find(id);
    return it == m_dictionary.end() ? nullptr : &it->second;
}

void Movie::Define(uint16_t id, Character c)
{
    m_dictionary.emplace(id, std::move(c)); // the first definition of an id stands
}

bool Movie::Load(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    return LoadBytes(std::move(bytes));
}

bool Movie::LoadBytes(std::vector<uint8_t> file)
{
    if (file.size() < 8 || file[1] != 'W' || file[2] != 'S')
        return false;
    const uint32_t declared = file[4] | (file[5] << 8) | (file[6] << 16) | (static_cast<uint32_t>(file[7]) << 24);
    std::vector<uint8_t> body;
    if (file[0] == 'F') {
        body.assign(file.begin() + 8, file.end());
    } else if (file[0] == 'C') {
        const size_t expected = declared > 8 ? declared - 8 : 0;
        body = Inflate(file.data() + 8, file.size() - 8, expected, Limits::kMaxBodyBytes);
    } else {
        return false; // LZMA ("ZWS") and anything else
    }
    m_version = file[3];
    file.clear();
    BitReader r(body.data(), body.size());
    m_stage = r.Rect();
    r.U16(); // frame rate: the caller paces the frames
    r.U16(); // declared frame count: the frames found are what plays
    if (r.Failed() || m_stage.xMax <= m_stage.xMin || m_stage.yMax <= m_stage.yMin)
        return false;
    ReadTags(r.Here(), r.Remaining());
    if (m_root.frames.empty())
        m_root.frames.emplace_back();
    return true;
}

void Movie::ReadTags(const uint8_t* data, size_t size)
{
    BitReader r(data, size);
    std::vector<PlaceCommand> frame;
    bool pending = false; // commands after the last ShowFrame
    while (r.Remaining() >= 2) {
        const uint16_t head = r.U16();
        const int code = head >> 6;
        size_t length = head & 0x3F;
        if (length == 0x3F) {
            length = r.U32();
            if (r.Failed())
                break;
        }
        if (length > r.Remaining())
            break; // a tag running past the end: nothing after it can be found
        const uint8_t* body = r.Here();
        r.Skip(length);
        if (code == kEnd)
            break;
        if (code == kShowFrame) {
            if (m_frames >= Limits::kMaxFrames)
                break;
            ++m_frames;
            m_root.frames.push_back(std::move(frame));
            frame.clear();
            pending = false;
            continue;
        }
        if (ReadControlTag(code, body, length, frame)) {
            pending = true;
            continue;
        }
        BitReader t(body, length);
        switch (code) {
        case kSetBackgroundColor: {
            const Rgba c = t.Rgb();
            if (!t.Failed())
                m_background = c;
            break;
        }
        case kDefineShape:
        case kDefineShape2:
        case kDefineShape3:
        case kDefineShape4: {
            const int version = code == kDefineShape ? 1 : code == kDefineShape2 ? 2 : code == kDefineShape3 ? 3 : 4;
            auto shape = std::make_shared<ShapeData>();
            uint16_t id = 0;
            if (ParseShapeTag(body, length, version, *this, id, *shape)) {
                Character c;
                c.kind = CharKind::Shape;
                c.shape = std::move(shape);
                Define(id, std::move(c));
            }
            break;
        }
        case kDefineMorphShape:
        case kDefineMorphShape2: {
            auto morph = std::make_shared<MorphData>();
            uint16_t id = 0;
            if (ParseMorphTag(body, length, code == kDefineMorphShape ? 1 : 2, *this, id, *morph)) {
                Character c;
                c.kind = CharKind::Morph;
                c.morph = std::move(morph);
                Define(id, std::move(c));
            }
            break;
        }
        case kDefineFont:
        case kDefineFont2:
        case kDefineFont3: {
            auto font = std::make_shared<FontData>();
            uint16_t id = 0;
            const int version = code == kDefineFont ? 1 : code == kDefineFont2 ? 2 : 3;
            if (ParseFontTag(body, length, version, *this, id, *font)) {
                Character c;
                c.kind = CharKind::Font;
                c.font = std::move(font);
                Define(id, std::move(c));
            }
            break;
        }
        case kDefineText:
        case kDefineText2: {
            auto text = std::make_shared<TextData>();
            uint16_t id = 0;
            if (ParseTextTag(body, length, code == kDefineText ? 1 : 2, *this, id, *text)) {
                Character c;
                c.kind = CharKind::Text;
                c.text = std::move(text);
                Define(id, std::move(c));
            }
            break;
        }
        case kDefineSprite: {
            const uint16_t id = t.U16();
            t.U16(); // declared frame count
            if (t.Failed())
                break;
            Timeline saved = std::move(m_root);
            m_root = Timeline {};
            ReadSprite(t.Here(), t.Remaining());
            Character c;
            c.kind = CharKind::Sprite;
            c.sprite = std::make_shared<Timeline>(std::move(m_root));
            m_root = std::move(saved);
            Define(id, std::move(c));
            break;
        }
        case kJpegTables:
            m_jpegTables.assign(body, body + length);
            break;
        case kDefineBits:
        case kDefineBitsJpeg2:
        case kDefineBitsJpeg3:
        case kDefineBitsJpeg4:
        case kDefineBitsLossless:
        case kDefineBitsLossless2: {
            auto bitmap = std::make_shared<BitmapData>();
            uint16_t id = 0;
            if (ParseBitmapTag(code, body, length, m_jpegTables, id, *bitmap)) {
                Character c;
                c.kind = CharKind::Bitmap;
                c.bitmap = std::move(bitmap);
                Define(id, std::move(c));
            }
            break;
        }
        default:
            break; // scripts, sounds, labels and the rest play no part in the picture
        }
    }
    if (pending && m_root.frames.empty())
        m_root.frames.push_back(std::move(frame));
}

void Movie::ReadSprite(const uint8_t* data, size_t size)
{
    BitReader r(data, size);
    std::vector<PlaceCommand> frame;
    bool pending = false;
    while (r.Remaining() >= 2) {
        const uint16_t head = r.U16();
        const int code = head >> 6;
        size_t length = head & 0x3F;
        if (length == 0x3F) {
            length = r.U32();
            if (r.Failed())
                break;
        }
        if (length > r.Remaining())
            break;
        const uint8_t* body = r.Here();
        r.Skip(length);
        if (code == kEnd)
            break;
        if (code == kShowFrame) {
            if (m_frames >= Limits::kMaxFrames)
                break;
            ++m_frames;
            m_root.frames.push_back(std::move(frame));
            frame.clear();
            pending = false;
        } else if (ReadControlTag(code, body, length, frame)) {
            pending = true;
        }
    }
    if (pending || m_root.frames.empty())
        m_root.frames.push_back(std::move(frame));
}

bool Movie::ReadControlTag(int code, const uint8_t* body, size_t length, std::vector<PlaceCommand>& frame)
{
    if (code != kPlaceObject && code != kPlaceObject2 && code != kPlaceObject3 && code != kRemoveObject
        && code != kRemoveObject2)
        return false;
    BitReader r(body, length);
    PlaceCommand cmd;
    switch (code) {
    case kPlaceObject:
        cmd.hasChar = true;
        cmd.charId = r.U16();
        cmd.depth = r.U16();
        cmd.hasMatrix = true;
        cmd.matrix = r.ReadMatrix();
        if (!r.Failed() && r.Remaining() > 0) {
            cmd.colorTransform = r.ReadColorTransform(false);
            cmd.hasColorTransform = !r.Failed();
        }
        break;
    case kRemoveObject:
        cmd.remove = true;
        r.U16();
        cmd.depth = r.U16();
        break;
    case kRemoveObject2:
        cmd.remove = true;
        cmd.depth = r.U16();
        break;
    default: {
        const uint8_t flags = r.U8();
        const uint8_t flags2 = code == kPlaceObject3 ? r.U8() : 0;
        cmd.depth = r.U16();
        if (code == kPlaceObject3 && ((flags2 & 0x08) != 0 || ((flags2 & 0x10) != 0 && (flags & 0x02) != 0)))
            r.String(); // class name
        cmd.move = (flags & 0x01) != 0;
        cmd.hasChar = (flags & 0x02) != 0;
        if (cmd.hasChar)
            cmd.charId = r.U16();
        cmd.hasMatrix = (flags & 0x04) != 0;
        if (cmd.hasMatrix)
            cmd.matrix = r.ReadMatrix();
        cmd.hasColorTransform = (flags & 0x08) != 0;
        if (cmd.hasColorTransform)
            cmd.colorTransform = r.ReadColorTransform(true);
        cmd.hasRatio = (flags & 0x10) != 0;
        if (cmd.hasRatio)
            cmd.ratio = r.U16();
        if (flags & 0x20)
            r.String(); // instance name
        cmd.hasClipDepth = (flags & 0x40) != 0;
        if (cmd.hasClipDepth)
            cmd.clipDepth = r.U16();
        break; // clip actions, filters and blend modes are not drawn
    }
    }
    if (r.Failed() || !Spend(1))
        return true; // a broken placement is dropped, but it was a control tag
    frame.push_back(cmd);
    return true;
}

const BitmapData* Movie::DecodedBitmap(uint16_t id)
{
    auto it = m_dictionary.find(id);
    if (it == m_dictionary.end() || it->second.kind != CharKind::Bitmap)
        return nullptr;
    BitmapData& b = *it->second.bitmap;
    if (!b.tried) {
        b.tried = true;
        const int64_t before = m_decodedPixels;
        if (!DecodeBitmap(b, Limits::kMaxDecodedPixels - before))
            b.pixels.clear();
        m_decodedPixels += static_cast<int64_t>(b.pixels.size());
    }
    return b.pixels.empty() ? nullptr : &b;
}

} // namespace flossar
