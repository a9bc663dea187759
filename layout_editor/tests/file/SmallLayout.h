// The small layout of the golden-file tests and its file bytes, worked out
// by hand from the format: two ports on one controller, key bytes
// 01 02 04 08 10 (k = 1F). Older versions drop the fields they lack.
#pragma once

#include <vector>

#include "LayoutFileTestUtil.h"

constexpr BYTE kSmallKey[kLayoutKeyBytes] = { 0x01, 0x02, 0x04, 0x08, 0x10 };

// Offsets in the version-6 file.
constexpr size_t kHeaderAt = 17;
constexpr size_t kPort0At = 88;
constexpr size_t kPort0CapacityAt = kPort0At + 2;
constexpr size_t kPort0BrightnessAt = 107;
constexpr size_t kPort0GammaAt = 113;
constexpr size_t kLampAAt = 117;
constexpr size_t kLampBAt = 146;
constexpr size_t kPort1At = 175;
constexpr size_t kPort1BrightnessAt = 194;
constexpr size_t kPort1GammaAt = 198;
constexpr size_t kCurvesAt = 202;
constexpr size_t kSmallFileSize = 459;

// The model, the view's settings and the editor-wide values.
inline void BuildSmallLayout(CLayoutData& model, CLayoutProjectSettings& settings)
{
    model.ResetPorts(2, 4, CString(L"RGB"), 0);
    model.m_width = 16;
    model.m_height = 8;
    model.m_templateKind = 0;

    LayoutPort first;
    first.Allocate(4);
    first.m_colour = 0x000000FF;
    first.m_lampFormat = L"RGB";
    first.m_lampFormatIndex = 0;
    first.m_brightness[1] = 50;
    first.m_adjusted = 1;
    first.m_dataReversed = 1;
    CLPoint a(1, 2);
    a.m_normX = 0.125;
    a.m_normY = 0.25;
    CLPoint b(3, 2);
    b.m_lampFormat = 1;
    b.m_masked = 1;
    b.m_layer = 2;
    const CLPoint lamps[2] = { a, b };
    first.InsertPoints(lamps, 2);
    model.AppendLoadedPort(first);

    LayoutPort second;
    second.Allocate(4);
    second.m_colour = 0x0000FF00;
    second.m_lampFormat = L"GRB";
    second.m_lampFormatIndex = 1;
    model.AppendLoadedPort(second);

    settings.SetControllers(1, 2);
    settings.m_lampFormat = L"RGB";
    settings.m_portsPerController = 2;
    settings.m_channelsPerPort = 12;
    settings.m_lampsPerPort = 4;
    settings.m_doubleSided = 0;
    settings.m_showGrid = 1;
    settings.m_allowOverlap = 0;
    settings.m_allowMaxLamps = 1;
    settings.m_controllerModel = L"A";
    settings.m_showXY = 1;
    settings.m_randomColours = 0;
    settings.m_swatchColour = 0x00123456;
    settings.m_hRulers.RemoveAll();
    settings.m_hRulers.Add(5);
    settings.m_vRulers.RemoveAll();
    settings.m_dataOffset = 3;
    settings.m_backgroundImage = L"bg.png";

    LampTypeList.RemoveAll();
    LampTypeList.Add(L"RGB");
    LampTypeList.Add(L"GRB");
    AlignToGrid = 1;
    LayoutLock = 1;
    WireSelectedPortDirectly = 0;
    ManualTracing = 1;
    GammaCurveTables.Reset();
    GammaCurveTables.m_count = 1;
    GammaCurveTables.m_curves[0][0] = 7;
}

inline void Append(std::vector<BYTE>& to, std::initializer_list<int> bytes)
{
    for (int b : bytes)
        to.push_back(static_cast<BYTE>(b));
}

// The file of the small layout as a writer of `version` stores it.
inline std::vector<BYTE> SmallLayoutBytes(int version = 6)
{
    std::vector<BYTE> f;
    Append(f, { 'Q', 'V', 'T', 'N', 'L', 'A', 'Y', 'O', 'U', 'T' });
    Append(f, { version, 0x00, 0x01, 0x02, 0x04, 0x08, 0x10 });

    // Header: 68 bytes up to the rulers, then one byte per gated flag.
    const int headerLength = 68 + (version >= 2) + (version >= 3) + (version >= 4);
    Append(f, { 0x00, headerLength ^ 0x1F });
    Append(f, { 0x00, 0x1D }); // 2 ports
    Append(f, { 0x00, 0x1B }); // 4 points per port
    Append(f, { 0x00, 0x00, 0x00, 0x0F }); // width 16
    Append(f, { 0x00, 0x00, 0x00, 0x17 }); // height 8
    Append(f, { 0x00, 0x00, 0x00, 0x1C }); // largest x 3
    Append(f, { 0x00, 0x00, 0x00, 0x1D }); // largest y 2
    Append(f, { 0x00, 0x1E }); // 1 controller
    Append(f, { 0x1D }); // of 2 ports
    Append(f, { 0x1D }); // 2 lamp formats
    Append(f, { 0x00, 0x03, 'R', 'G', 'B' });
    Append(f, { 0x00, 0x03, 'G', 'R', 'B' });
    Append(f, { 0x00, 0x03, 'R', 'G', 'B' }); // project lamp format
    Append(f, { 0x00, 0x1D }); // 2 ports per controller
    Append(f, { 0x00, 0x13 }); // 12 channels per port
    Append(f, { 0x00, 0x1B }); // 4 lamps per port
    Append(f, { 0x1F, 0x1E, 0x1F, 0x1E }); // double-sided 0, grid 1, overlap 0, maximum 1
    Append(f, { 0x00, 0x02, 'A', 0x00 }); // controller model "A"
    Append(f, { 0x1E, 0x1E, 0x1F }); // align 1, show x,y 1, random colours 0
    Append(f, { 0x00, 0x12, 0x34, 0x49 }); // swatch 0x123456
    Append(f, { 0x00, 0x1E, 0x00, 0x05 }); // one horizontal ruler at 5
    Append(f, { 0x00, 0x1F }); // no vertical ruler
    if (version >= 2)
        Append(f, { 0x01 }); // lock
    if (version >= 3)
        Append(f, { 0x00 }); // wire directly
    if (version >= 4)
        Append(f, { 0x01 }); // tracing

    const bool reversed = version >= 6;
    const bool layer = version >= 5;
    // Port 0.
    Append(f, { 0x00, (18 + reversed) ^ 0x1F });
    Append(f, { 0x00, 0x1B, 0x00, 0x1D }); // capacity 4, 2 lamps
    Append(f, { 0x00, 0x03, 'R', 'G', 'B' });
    Append(f, { 0x1F }); // format index 0
    Append(f, { 0x00, 0x1C }); // data offset 3
    Append(f, { 0x00, 0x00, 0x00, 0xFF }); // colour
    if (reversed)
        Append(f, { 0x01 });
    Append(f, { 0x00, 0x19, 0x00, 0x02, 100, 50 }); // brightness: 2 entries
    Append(f, { 0x00, 0x1B, 0x00, 0x00 }); // gamma: none
    const int record = (28 + layer) ^ 0x1F;
    Append(f, { 0x00, record });
    Append(f, { 0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x1D, 0x00, 0x00, 0x00, 0x1D }); // 1, 2, 2
    Append(f, { 0x00, 0x13, 0x12, 0xCF, 0x00, 0x26, 0x25, 0xBF, 0x00, 0x26, 0x25, 0xBF }); // 0.125, 0.25, 0.25
    Append(f, { 0x00, 0x00 });
    if (layer)
        Append(f, { 0x00 });
    Append(f, { 0x00, record });
    Append(f, { 0x00, 0x00, 0x00, 0x1C, 0x00, 0x00, 0x00, 0x1D, 0x00, 0x00, 0x00, 0x1D }); // 3, 2, 2
    Append(f, { 0x80, 0x00, 0x00, 0x1F, 0x80, 0x00, 0x00, 0x1F, 0x80, 0x00, 0x00, 0x1F }); // unset
    Append(f, { 0x01, 0x01 });
    if (layer)
        Append(f, { 0x02 });
    // Port 1.
    Append(f, { 0x00, (18 + reversed) ^ 0x1F });
    Append(f, { 0x00, 0x1B, 0x00, 0x1F }); // capacity 4, no lamps
    Append(f, { 0x00, 0x03, 'G', 'R', 'B' });
    Append(f, { 0x1E }); // format index 1
    Append(f, { 0x00, 0x1C });
    Append(f, { 0x00, 0x00, 0xFF, 0x00 });
    if (reversed)
        Append(f, { 0x00 });
    Append(f, { 0x00, 0x1B, 0x00, 0x00 });
    Append(f, { 0x00, 0x1B, 0x00, 0x00 });
    // One user curve: identity but for entry 0.
    Append(f, { 0x01, 0x07 });
    for (int i = 1; i < 256; ++i)
        f.push_back(static_cast<BYTE>(i));
    return f;
}
