// The colourful-text editor's numbers.
#include "words_editor_values.h"

#include "color_animation_render.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

float LeadingNumber(const CString& text)
{
    const wchar_t* start = text.GetString();
    wchar_t* end = nullptr;
    const double value = std::wcstod(start, &end);
    if (end == start || !std::isfinite(value))
        return 0.0f;
    return static_cast<float>(value);
}

int DurationFrames(float seconds, int frameRate)
{
    // In single precision, as the durations are kept: 0.1 s at 30 frames per
    // second is 3 frames, not 4.
    // The store rounds to single precision also where the arithmetic runs in
    // wider registers (the x87 unit of 32-bit builds).
    volatile float product = seconds * static_cast<float>(frameRate);
    const double frames = std::ceil(static_cast<double>(product));
    if (!(frames > 0.0))
        return 0;
    // A duration beyond any show still gives a count the program can hold.
    return frames >= 1e9 ? 1000000000 : static_cast<int>(frames);
}

float WordsTextureSpeedFactor(int passFrames, const ColorTemplateList& templates, int style, int width, int height)
{
    long long steps = 0;
    for (INT_PTR i = 0; i < templates.GetSize(); ++i) {
        const ColorTemplate* colours = templates.GetAt(i);
        if (colours == nullptr)
            continue;
        long long count = colours->m_colors.GetSize();
        if (colours->m_changeMode == ColorTemplate::CHANGE_GRADIENT)
            --count;
        steps += 256 * count;
    }
    // One colour and no gradient gives nothing to travel over.
    if (steps <= 0)
        return 0.0f;
    const float length = static_cast<float>(steps);
    const float n = static_cast<float>(passFrames);
    if (style == COLOR_STYLE_CHANGE)
        return n / length;
    if (style == COLOR_STYLE_FLASH)
        return n / length * 0.5f;
    const int travel = CCColorAnimationRender::TravelLength(style, width, height);
    return (n + static_cast<float>(travel)) / length;
}

std::vector<int> FontSizeHeights(int dotsPerInch)
{
    static const int kPoints[] = { 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };
    std::vector<int> heights;
    for (int points : kPoints)
        heights.push_back(std::abs(::MulDiv(points, dotsPerInch, 72)));
    return heights;
}

CString ChosenTimeText(float seconds)
{
    CString text = L"1.5S";
    if (seconds > 0.0f)
        text.Format(L"%.1fS", static_cast<double>(seconds));
    return text;
}

CString TypedTimeText(float seconds)
{
    CString text = L"1.5S";
    if (seconds >= 0.0f)
        text.Format(L"%.1f", static_cast<double>(seconds));
    return text;
}
