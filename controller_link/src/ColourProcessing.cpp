// White modes and the fifth colour (see ColourProcessing.h), and the
// screen's colour tables.
#include "ColourProcessing.h"

#include <algorithm>
#include <cmath>

namespace {

// The integer part of a value held to 0..255: a result beyond a channel's
// range saturates instead of wrapping (keeping the low eight bits would turn
// a bright result dark). NaN gives 0.
BYTE Saturated(double value)
{
    if (std::isnan(value) || value <= 0)
        return 0;
    if (value >= 255)
        return 255;
    return static_cast<BYTE>(value);
}

void FillWeights(std::vector<double>& table, double weight)
{
    table.resize(256);
    for (int i = 0; i < 256; ++i)
        table[static_cast<size_t>(i)] = i * weight;
}

struct Weights {
    std::vector<double> red, green, blue;
    Weights()
    {
        FillWeights(red, 0.3);
        FillWeights(green, 0.586);
        FillWeights(blue, 0.114);
    }
};

// Mode 1: white takes the common part of the three colours.
void SplitWhite(BYTE* p)
{
    const BYTE m = std::min({ p[0], p[1], p[2] });
    p[3] = m;
    p[0] = static_cast<BYTE>(p[0] - m);
    p[1] = static_cast<BYTE>(p[1] - m);
    p[2] = static_cast<BYTE>(p[2] - m);
}

} // namespace

void CLEDScreen::BuildColourTables()
{
    if (m_colour.whiteMode == 2) {
        FillWeights(m_colour.redWeights, 0.3);
        FillWeights(m_colour.greenWeights, 0.586);
        FillWeights(m_colour.blueWeights, 0.114);
    }
}

void ApplyWhiteChannel(int whiteMode, BYTE* frame, const CLEDScreen& screen, std::size_t frameLength)
{
    if (frame == nullptr || whiteMode < 1 || whiteMode > kMaxWhiteMode)
        return;
    const std::size_t pixels = frameLength / 4;
    const ScreenColour& colour = screen.m_colour;

    const std::vector<double>* red = &colour.redWeights;
    const std::vector<double>* green = &colour.greenWeights;
    const std::vector<double>* blue = &colour.blueWeights;
    if (whiteMode == 2 && (red->size() != 256 || green->size() != 256 || blue->size() != 256)) {
        // The mode was set without its tables: the same values, built once.
        static const Weights weights;
        red = &weights.red;
        green = &weights.green;
        blue = &weights.blue;
    }

    // One loop per mode: the simple ones then run many pixels at a time.
    auto each = [frame, pixels](auto&& change) {
        for (std::size_t i = 0; i < pixels; ++i)
            change(frame + 4 * i, i);
    };
    auto grey = [](const BYTE* p) { return p[2] == p[1] && p[1] == p[0]; };
    switch (whiteMode) {
    case 1:
        each([](BYTE* p, std::size_t) { SplitWhite(p); });
        break;
    case 2:
        each([&](BYTE* p, std::size_t) { p[3] = Saturated((*red)[p[2]] + (*green)[p[1]] + (*blue)[p[0]]); });
        break;
    case 3:
        each([](BYTE* p, std::size_t) { p[3] = std::min({ p[2], p[1], p[0] }); });
        break;
    case 4:
        each([](BYTE* p, std::size_t) {
            p[3] = static_cast<BYTE>((p[2] + p[1] + p[0]) / 3);
            p[0] = p[1] = p[2] = 0;
        });
        break;
    case 5:
        each([&](BYTE* p, std::size_t) {
            p[3] = colour.fixedWhite;
            p[0] = p[1] = p[2] = 0;
        });
        break;
    case 6:
        each([&](BYTE* p, std::size_t) {
            if (grey(p)) {
                p[3] = p[2];
                p[0] = p[1] = p[2] = 0;
            } else {
                p[3] = 0;
            }
        });
        break;
    case 7:
        each([&](BYTE* p, std::size_t) {
            if (grey(p) && p[2] == 255)
                p[3] = 255;
        });
        break;
    case 8:
        each([&](BYTE* p, std::size_t i) {
            if (i < screen.m_whiteMask.size() && (screen.m_whiteMask[i] & 0xFF) != 0)
                SplitWhite(p);
        });
        break;
    case 10:
        each([&](BYTE* p, std::size_t) {
            if (grey(p))
                p[3] = p[2];
        });
        break;
    case 11:
        each([&](BYTE* p, std::size_t) { p[3] = colour.whiteValue; });
        break;
    default: // 9 changes nothing
        break;
    }
}

void ApplyFiveColour(std::size_t frameLength, BYTE* frame, const CLEDScreen& screen, BYTE* fifthBuffer)
{
    if (frame == nullptr || fifthBuffer == nullptr)
        return;
    const ScreenColour& c = screen.m_colour;
    const std::size_t pixels = frameLength / 4;
    for (std::size_t i = 0; i < pixels; ++i) {
        BYTE* p = frame + 4 * i;
        const double b = p[0], g = p[1], r = p[2];
        if (c.greyPairOnly != 0 && !(p[2] == p[1] && p[2] != p[0])) {
            fifthBuffer[4 * i] = 0;
            continue;
        }
        fifthBuffer[4 * i] = Saturated(c.k[0] * r + c.k[1] * g + c.k[2] * b);
        p[2] = Saturated(r - c.k[3] * r);
        p[1] = Saturated(g - c.k[4] * g);
        p[0] = Saturated(b - c.k[5] * b);
    }
}

BYTE* PrepareFifthColourBuffer(CLEDScreen& screen)
{
    const std::size_t size = static_cast<std::size_t>(std::max(screen.m_width, 0))
            * static_cast<std::size_t>(std::max(screen.m_height, 0)) * 4
        + 4;
    if (screen.m_colour.fifthBuffer.size() != size)
        screen.m_colour.fifthBuffer.assign(size, 0);
    return screen.m_colour.fifthBuffer.data();
}
