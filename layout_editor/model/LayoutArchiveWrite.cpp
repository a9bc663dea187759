// Writing the archive layout format, and the key and number encodings that
// the reader shares.
#include "LayoutArchive.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "EditorSettings.h"
#include "LampTypeList.h"

const char kArchiveKey[kArchiveKeyLength + 1] = "pixrowmak-gridun";

LONG ArchiveKeyAt(int position)
{
    // The key's characters are all below 128; sign extension keeps them.
    return static_cast<LONG>(static_cast<signed char>(kArchiveKey[position % kArchiveKeyLength]));
}

DWORD EncodeArchiveNormalised(double value)
{
    const double scaled = std::trunc(value * kNormalisedScale);
    // Only the low 32 bits are kept; values beyond a 64-bit integer (and
    // NaN) have no defined low bits, so they are stored as 0.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        return 0;
    return static_cast<DWORD>(static_cast<unsigned long long>(static_cast<long long>(scaled)));
}

double DecodeArchiveNormalised(DWORD stored)
{
    return static_cast<double>(stored) / kNormalisedScale;
}

namespace {

// Body fields in order; a masked field takes the next key character.
class CArchiveBodyWriter {
public:
    explicit CArchiveBodyWriter(CArchive& ar)
        : m_ar(ar)
    {
    }
    void Masked(LONG value)
    {
        m_ar << static_cast<LONG>(value ^ ArchiveKeyAt(m_key));
        m_key = (m_key + 1) % kArchiveKeyLength;
    }
    void Plain(LONG value) { m_ar << value; }
    void Text(const CString& text) { m_ar << text; }

private:
    CArchive& m_ar;
    int m_key = 0;
};

void PutWord(BYTE* at, WORD value)
{
    at[0] = static_cast<BYTE>(value & 0xFF);
    at[1] = static_cast<BYTE>(value >> 8);
}

void PutRulers(BYTE* header, int offset, const CArray<WORD, WORD>& rulers)
{
    const int count = static_cast<int>(std::min<INT_PTR>(rulers.GetSize(), kMaxRulers));
    header[offset] = static_cast<BYTE>(count);
    for (int i = 0; i < count; ++i)
        PutWord(header + offset + 1 + 2 * i, rulers.GetAt(i));
}

} // namespace

void WriteLayoutArchive(const CLayoutData& model, CArchive& ar, const CLayoutProjectSettings& settings)
{
    LONG largestX = 0;
    LONG largestY = 0;
    for (int p = 0; p < model.GetPortCount(); ++p) {
        const LayoutPort& port = model.GetPort(p);
        for (int i = 0; i < port.GetCount(); ++i) {
            largestX = std::max(largestX, port.GetPoint(i).x);
            largestY = std::max(largestY, port.GetPoint(i).y);
        }
    }

    BYTE header[kArchiveHeaderSize];
    std::memset(header, 0, sizeof(header));
    header[0] = kArchiveVersion;
    header[1] = model.m_templateKind;
    header[3] = static_cast<BYTE>(settings.m_showXY);
    header[4] = static_cast<BYTE>(settings.m_randomColours);
    const DWORD colour = settings.m_swatchColour;
    for (int i = 0; i < 4; ++i)
        header[5 + i] = static_cast<BYTE>(colour >> (8 * i));
    header[9] = static_cast<BYTE>(settings.m_doubleSided);
    PutWord(header + 10, static_cast<WORD>(largestX));
    PutWord(header + 12, static_cast<WORD>(largestY));
    header[14] = static_cast<BYTE>(settings.m_dataOffset);
    PutRulers(header, kArchiveHRulerOffset, settings.m_hRulers);
    PutRulers(header, kArchiveVRulerOffset, settings.m_vRulers);
    ar.Write(header, kArchiveHeaderSize);

    CArchiveBodyWriter body(ar);
    body.Masked(model.GetPortCount());
    body.Masked(model.GetPointsPerPort());
    body.Masked(model.m_width);
    body.Masked(model.m_height);
    const INT_PTR controllers = settings.m_controllers.GetSize();
    body.Masked(static_cast<LONG>(controllers));
    for (INT_PTR i = 0; i < controllers; ++i)
        body.Masked(settings.m_controllers.GetAt(i));
    const INT_PTR lampTypes = LampTypeList.GetSize();
    body.Masked(static_cast<LONG>(lampTypes));
    for (INT_PTR i = 0; i < lampTypes; ++i)
        body.Text(LampTypeList.GetAt(i));
    body.Text(settings.m_lampFormat);
    body.Masked(settings.m_portsPerController);
    body.Masked(settings.m_channelsPerPort);
    body.Masked(settings.m_lampsPerPort);
    body.Masked(settings.m_showGrid);
    body.Masked(settings.m_allowOverlap);
    body.Masked(settings.m_allowMaxLamps);
    body.Text(settings.m_controllerModel);

    for (int p = 0; p < model.GetPortCount(); ++p) {
        const LayoutPort& port = model.GetPort(p);
        body.Plain(port.GetCapacity());
        body.Masked(port.GetCount());
        body.Text(port.m_lampFormat);
        body.Plain(port.m_lampFormatIndex);
        for (int i = 0; i < port.GetCount(); ++i) {
            body.Masked(port.GetPoint(i).x);
            body.Masked(port.GetPoint(i).y);
        }
    }

    body.Masked(AlignToGrid);
    for (int p = 0; p < model.GetPortCount(); ++p) {
        const LayoutPort& port = model.GetPort(p);
        for (int i = 0; i < port.GetCount(); ++i) {
            body.Masked(static_cast<LONG>(EncodeArchiveNormalised(port.GetPoint(i).m_normX)));
            body.Masked(static_cast<LONG>(EncodeArchiveNormalised(port.GetPoint(i).m_normY)));
        }
    }
}
