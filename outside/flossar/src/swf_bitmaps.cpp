// Bitmap tag reading and decoding. Lossless data is inflated into a buffer of
// exactly the size its header promises; encoded images are measured from
// their own headers before GDI+ is asked to decode them.
#include "swf_bitmaps.h"

#include "swf_bits.h"

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace flossar {

namespace {

bool StartsWith(const std::vector<uint8_t>& v, std::initializer_list<uint8_t> prefix)
{
    return v.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), v.begin());
}

// Some writers put an empty JPEG (end and start markers) before the real one.
std::vector<uint8_t> CleanJpeg(std::vector<uint8_t> v)
{
    while (StartsWith(v, { 0xFF, 0xD9, 0xFF, 0xD8 }) || StartsWith(v, { 0xFF, 0xD8, 0xFF, 0xD9 }))
        v.erase(v.begin(), v.begin() + 4);
    return v;
}

// Shared tables (without their end marker) followed by the image (without
// its start marker) make one JPEG stream.
std::vector<uint8_t> MergeTables(const std::vector<uint8_t>& tables, std::vector<uint8_t> image)
{
    std::vector<uint8_t> t = CleanJpeg(tables);
    image = CleanJpeg(std::move(image));
    if (t.size() < 4)
        return image;
    if (t[t.size() - 2] == 0xFF && t[t.size() - 1] == 0xD9)
        t.resize(t.size() - 2);
    if (StartsWith(image, { 0xFF, 0xD8 }))
        image.erase(image.begin(), image.begin() + 2);
    t.insert(t.end(), image.begin(), image.end());
    return t;
}

bool InflateExactly(const std::vector<uint8_t>& in, size_t size, std::vector<uint8_t>& out)
{
    out.assign(size, 0);
    if (size == 0)
        return true;
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        return false;
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(size);
    const int rc = inflate(&z, Z_FINISH);
    const size_t produced = size - z.avail_out;
    inflateEnd(&z);
    // A short stream leaves the rest transparent or black; nothing at all is
    // a broken bitmap.
    return produced > 0 && (rc == Z_STREAM_END || rc == Z_OK || rc == Z_BUF_ERROR);
}

uint32_t Premultiply(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    if (a != 255) {
        r = static_cast<uint8_t>((r * a + 127) / 255);
        g = static_cast<uint8_t>((g * a + 127) / 255);
        b = static_cast<uint8_t>((b * a + 127) / 255);
    }
    return (static_cast<uint32_t>(a) << 24) | (r << 16) | (g << 8) | b;
}

bool DecodeLossless(BitmapData& b)
{
    const size_t w = static_cast<size_t>(b.width);
    const size_t h = static_cast<size_t>(b.height);
    std::vector<uint8_t> raw;
    b.pixels.assign(w * h, 0);
    if (b.format == 3) {
        const size_t entry = b.withAlpha ? 4 : 3;
        const size_t stride = (w + 3) & ~size_t(3);
        const size_t paletteBytes = entry * static_cast<size_t>(b.paletteSize);
        if (!InflateExactly(b.data, paletteBytes + stride * h, raw))
            return false;
        uint32_t palette[256] {};
        for (int i = 0; i < b.paletteSize; ++i) {
            const uint8_t* p = raw.data() + i * entry;
            palette[i] = Premultiply(b.withAlpha ? p[3] : 255, p[0], p[1], p[2]);
        }
        for (size_t y = 0; y < h; ++y)
            for (size_t x = 0; x < w; ++x)
                b.pixels[y * w + x] = palette[raw[paletteBytes + y * stride + x]];
        return true;
    }
    if (b.format == 4) {
        const size_t stride = (w * 2 + 3) & ~size_t(3);
        if (!InflateExactly(b.data, stride * h, raw))
            return false;
        for (size_t y = 0; y < h; ++y)
            for (size_t x = 0; x < w; ++x) {
                const uint8_t* p = raw.data() + y * stride + x * 2;
                const unsigned v = (p[0] << 8) | p[1];
                auto expand = [](unsigned c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
                b.pixels[y * w + x] = Premultiply(255, expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
            }
        return true;
    }
    if (b.format == 5) {
        if (!InflateExactly(b.data, w * h * 4, raw))
            return false;
        for (size_t i = 0; i < w * h; ++i) {
            const uint8_t* p = raw.data() + i * 4;
            if (!b.withAlpha) {
                b.pixels[i] = Premultiply(255, p[1], p[2], p[3]);
            } else {
                // Already premultiplied: keep every channel within alpha.
                const uint8_t a = p[0];
                b.pixels[i] = (static_cast<uint32_t>(a) << 24) | (std::min(p[1], a) << 16) | (std::min(p[2], a) << 8)
                    | std::min(p[3], a);
            }
        }
        return true;
    }
    return false;
}

bool DecodeEncoded(BitmapData& b, int64_t budget)
{
    int w = 0;
    int h = 0;
    if (!EncodedImageSize(b.data, w, h) || w <= 0 || h <= 0 || w > Limits::kMaxBitmapSide || h > Limits::kMaxBitmapSide
        || static_cast<int64_t>(w) * h > std::min(budget, Limits::kMaxBitmapPixels))
        return false;
    using namespace Gdiplus::DllExports;
    IStream* stream = ::SHCreateMemStream(b.data.data(), static_cast<UINT>(b.data.size()));
    if (stream == nullptr)
        return false;
    Gdiplus::GpBitmap* bitmap = nullptr;
    bool ok = GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok && bitmap != nullptr;
    UINT bw = 0;
    UINT bh = 0;
    if (ok)
        ok = GdipGetImageWidth(bitmap, &bw) == Gdiplus::Ok && GdipGetImageHeight(bitmap, &bh) == Gdiplus::Ok
            && bw == static_cast<UINT>(w) && bh == static_cast<UINT>(h);
    if (ok) {
        Gdiplus::BitmapData data {};
        Gdiplus::Rect rect(0, 0, w, h);
        ok = GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) == Gdiplus::Ok;
        if (ok) {
            std::vector<uint8_t> alpha;
            const bool hasAlpha = !b.alpha.empty() && InflateExactly(b.alpha, static_cast<size_t>(w) * h, alpha);
            b.pixels.resize(static_cast<size_t>(w) * h);
            for (int y = 0; y < h; ++y) {
                const auto* row
                    = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride);
                for (int x = 0; x < w; ++x) {
                    const uint32_t p = row[x];
                    const uint8_t a = hasAlpha ? alpha[static_cast<size_t>(y) * w + x] : static_cast<uint8_t>(p >> 24);
                    b.pixels[static_cast<size_t>(y) * w + x] = Premultiply(
                        a, static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p));
                }
            }
            GdipBitmapUnlockBits(bitmap, &data);
            b.width = w;
            b.height = h;
        }
    }
    if (bitmap != nullptr)
        GdipDisposeImage(bitmap);
    stream->Release();
    return ok;
}

} // namespace

bool EncodedImageSize(const std::vector<uint8_t>& d, int& width, int& height)
{
    if (StartsWith(d, { 0x89, 'P', 'N', 'G' })) {
        if (d.size() < 24)
            return false;
        auto be32 = [&d](size_t i) {
            return (static_cast<uint32_t>(d[i]) << 24) | (static_cast<uint32_t>(d[i + 1]) << 16)
                | (static_cast<uint32_t>(d[i + 2]) << 8) | d[i + 3];
        };
        width = static_cast<int>(std::min<uint32_t>(be32(16), 0x7FFFFFFF));
        height = static_cast<int>(std::min<uint32_t>(be32(20), 0x7FFFFFFF));
        return true;
    }
    if (StartsWith(d, { 'G', 'I', 'F' })) {
        if (d.size() < 10)
            return false;
        width = d[6] | (d[7] << 8);
        height = d[8] | (d[9] << 8);
        return true;
    }
    if (!StartsWith(d, { 0xFF, 0xD8 }))
        return false;
    // Walk the JPEG segments up to the first start-of-frame.
    size_t i = 2;
    while (i + 4 <= d.size()) {
        if (d[i] != 0xFF) {
            ++i;
            continue;
        }
        const uint8_t marker = d[i + 1];
        if (marker == 0xFF || marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            ++i;
            continue;
        }
        const size_t length = (d[i + 2] << 8) | d[i + 3];
        const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (i + 9 > d.size())
                return false;
            height = (d[i + 5] << 8) | d[i + 6];
            width = (d[i + 7] << 8) | d[i + 8];
            return true;
        }
        if (length < 2)
            return false;
        i += 2 + length;
    }
    return false;
}

bool ParseBitmapTag(
    int code, const uint8_t* body, size_t size, const std::vector<uint8_t>& jpegTables, uint16_t& id, BitmapData& out)
{
    BitReader r(body, size);
    id = r.U16();
    if (r.Failed())
        return false;
    if (code == 20 || code == 36) {
        out.kind = BitmapData::Kind::Lossless;
        out.withAlpha = code == 36;
        out.format = r.U8();
        out.width = r.U16();
        out.height = r.U16();
        if (out.format == 3)
            out.paletteSize = r.U8() + 1;
        if (r.Failed() || (out.format != 3 && out.format != 4 && out.format != 5) || out.width == 0 || out.height == 0
            || out.width > Limits::kMaxBitmapSide || out.height > Limits::kMaxBitmapSide
            || static_cast<int64_t>(out.width) * out.height > Limits::kMaxBitmapPixels)
            return false;
        out.data.assign(r.Here(), r.Here() + r.Remaining());
        return true;
    }
    out.kind = BitmapData::Kind::Encoded;
    if (code == 6) {
        out.data = MergeTables(jpegTables, std::vector<uint8_t>(r.Here(), r.Here() + r.Remaining()));
    } else if (code == 21) {
        out.data = CleanJpeg(std::vector<uint8_t>(r.Here(), r.Here() + r.Remaining()));
    } else {
        const uint32_t alphaAt = r.U32();
        if (code == 90)
            r.U16(); // deblocking
        if (r.Failed() || alphaAt > r.Remaining())
            return false;
        out.data = CleanJpeg(std::vector<uint8_t>(r.Here(), r.Here() + alphaAt));
        out.alpha.assign(r.Here() + alphaAt, r.Here() + r.Remaining());
    }
    int w = 0;
    int h = 0;
    if (!EncodedImageSize(out.data, w, h) || w <= 0 || h <= 0 || w > Limits::kMaxBitmapSide
        || h > Limits::kMaxBitmapSide || static_cast<int64_t>(w) * h > Limits::kMaxBitmapPixels)
        return false;
    out.width = w;
    out.height = h;
    return true;
}

bool DecodeBitmap(BitmapData& out, int64_t pixelBudget)
{
    if (static_cast<int64_t>(out.width) * out.height > pixelBudget)
        return false;
    if (out.kind == BitmapData::Kind::Lossless)
        return DecodeLossless(out);
    return DecodeEncoded(out, pixelBudget);
}

} // namespace flossar
