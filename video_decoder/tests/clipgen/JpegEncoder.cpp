// JPEG coding through the GDI+ flat API into a memory stream.
#include "JpegEncoder.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace clipgen {

namespace {
// image/jpeg encoder and the quality parameter.
const CLSID kJpegEncoder = { 0x557CF401, 0x1A04, 0x11D3, { 0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E } };
const GUID kQuality = { 0x1D5BE4B5, 0xFA4A, 0x452D, { 0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB } };
} // namespace

CJpegEncoder::CJpegEncoder()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok)
        m_token = token;
}

CJpegEncoder::~CJpegEncoder()
{
    if (m_token != 0)
        Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(m_token));
}

std::vector<uint8_t> CJpegEncoder::Encode(const Picture& picture, int quality) const
{
    using namespace Gdiplus::DllExports;
    std::vector<uint8_t> result;
    if (m_token == 0)
        return result;
    Gdiplus::GpBitmap* bitmap = nullptr;
    auto* scan0 = reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.pixels.data()));
    if (GdipCreateBitmapFromScan0(picture.width, picture.height, picture.width * 4, PixelFormat32bppRGB, scan0, &bitmap)
        != Gdiplus::Ok)
        return result;
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        Gdiplus::EncoderParameters params {};
        ULONG value = static_cast<ULONG>(quality);
        params.Count = 1;
        params.Parameter[0].Guid = kQuality;
        params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
        params.Parameter[0].NumberOfValues = 1;
        params.Parameter[0].Value = &value;
        if (GdipSaveImageToStream(bitmap, stream, &kJpegEncoder, &params) == Gdiplus::Ok) {
            HGLOBAL memory = nullptr;
            if (SUCCEEDED(GetHGlobalFromStream(stream, &memory))) {
                STATSTG stat {};
                stream->Stat(&stat, STATFLAG_NONAME);
                const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
                if (bytes != nullptr) {
                    result.assign(bytes, bytes + stat.cbSize.QuadPart);
                    GlobalUnlock(memory);
                }
            }
        }
        stream->Release();
    }
    GdipDisposeImage(bitmap);
    return result;
}

} // namespace clipgen
