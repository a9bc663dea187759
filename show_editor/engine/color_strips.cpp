// Colour strips: template expansion, colour mixing and the row-0 painters of
// strips and templates. Gradients are computed here rather than by a brush,
// so that every pixel is the exact mix InterpolateColor gives and strips look
// the same on every thread and platform.
#include "color_strips.h"

#include "row_painter.h"

#include <memory>

namespace {

constexpr int kExpandedStopWidth = 32;
constexpr int kTemplateStepWidth = 256;

// A colour of a stop or template; a missing one reads as black.
COLORREF ColorOrBlack(const ColorList& colors, INT_PTR index)
{
    return index < colors.GetSize() ? colors.GetAt(index) : RGB(0, 0, 0);
}

void AppendStop(ColorTemplateArrayEx& strip, int mode, COLORREF first, const COLORREF* second)
{
    auto stop = std::make_unique<ColorTemplateEx>();
    stop->m_mode = mode;
    stop->m_width = kExpandedStopWidth;
    stop->m_colors.Add(first);
    if (second != nullptr)
        stop->m_colors.Add(*second);
    strip.m_stops.Add(stop.get());
    stop.release();
}

} // namespace

void ExpandColorTemplates(const ColorTemplateArray& source, ColorStripList& destination)
{
    for (INT_PTR i = 0; i < source.m_templates.GetSize(); ++i) {
        auto owned = std::make_unique<ColorTemplateArrayEx>();
        ColorTemplateArrayEx* strip = owned.get();
        destination.Add(strip);
        owned.release();

        const ColorTemplate* tmpl = source.m_templates.GetAt(i);
        if (tmpl == nullptr)
            continue;
        const ColorList& colors = tmpl->m_colors;
        if (tmpl->m_changeMode == ColorTemplate::CHANGE_SOLID) {
            for (INT_PTR j = 0; j < colors.GetSize(); ++j)
                AppendStop(*strip, ColorTemplateEx::MODE_SOLID, colors.GetAt(j), nullptr);
        } else {
            for (INT_PTR j = 0; j + 1 < colors.GetSize(); ++j)
                AppendStop(*strip, ColorTemplateEx::MODE_GRADIENT, colors.GetAt(j), &colors.GetAt(j + 1));
        }
    }
}

COLORREF InterpolateColor(COLORREF from, COLORREF to, int step, int steps)
{
    if (steps == 0)
        return from & 0x00FFFFFF;
    COLORREF result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const long long f = (from >> shift) & 0xFF;
        const long long t = (to >> shift) & 0xFF;
        const long long channel = f + (t - f) * step / steps; // C++ division truncates toward zero
        result |= static_cast<COLORREF>(channel & 0xFF) << shift;
    }
    return result;
}

void PaintColorStrip(int x, CDC* pDC, const ColorTemplateArrayEx& strip)
{
    if (pDC == nullptr)
        return;
    CRowPainter painter(pDC->GetSafeHdc());
    long long pos = x;
    for (INT_PTR i = 0; i < strip.m_stops.GetSize(); ++i) {
        if (pos >= painter.Right())
            break; // nothing further can show
        const ColorTemplateEx* stop = strip.m_stops.GetAt(i);
        if (stop == nullptr || stop->m_width <= 0)
            continue;
        const COLORREF first = ColorOrBlack(stop->m_colors, 0);
        if (stop->m_mode == ColorTemplateEx::MODE_SOLID)
            painter.Solid(pos, stop->m_width, first);
        else
            painter.Gradient(pos, stop->m_width, first, ColorOrBlack(stop->m_colors, 1), 0, stop->m_width);
        pos += stop->m_width;
    }
}

void DrawTemplateGradient(CDC* pDC, const ColorTemplate& colorTemplate)
{
    if (pDC == nullptr)
        return;
    CRect clip;
    pDC->GetClipBox(&clip);
    const int width = clip.right - clip.left;
    const ColorList& colors = colorTemplate.m_colors;
    const int count = static_cast<int>(colors.GetSize());
    CRowPainter painter(pDC->GetSafeHdc());
    if (colorTemplate.m_changeMode == ColorTemplate::CHANGE_GRADIENT) {
        const int blocks = count - 1;
        if (blocks <= 0)
            return;
        const int block = width / blocks;
        if (block <= 0)
            return;
        for (int b = 0; b < blocks; ++b)
            painter.Gradient(static_cast<long long>(b) * block, block, colors.GetAt(b), colors.GetAt(b + 1), 0, block);
    } else {
        if (count <= 0)
            return;
        const int block = width / count;
        if (block <= 0)
            return;
        for (int i = 0; i < count; ++i)
            painter.Solid(static_cast<long long>(i) * block, block, colors.GetAt(i));
    }
}

void DrawTemplateStrip(CDC* pDC, const ColorTemplateList& templates, int first, int firstColor, int length)
{
    const INT_PTR count = templates.GetSize();
    if (count == 0 || pDC == nullptr)
        return;
    if (first < 0 || first >= count || firstColor < 0)
        AfxThrowInvalidArgException();

    CRowPainter painter(pDC->GetSafeHdc());
    long long x = 0;
    INT_PTR index = first;
    int colorIndex = firstColor;
    // Templates visited from colour 0 in a row that added no step: a whole
    // list of them means no template can ever add one, and the length would
    // never be reached.
    INT_PTR idle = 0;
    bool firstVisit = true;
    for (;;) {
        const ColorTemplate* tmpl = templates.GetAt(index);
        bool added = false;
        if (tmpl != nullptr) {
            const ColorList& colors = tmpl->m_colors;
            const int usable
                = static_cast<int>(colors.GetSize()) - (tmpl->m_changeMode == ColorTemplate::CHANGE_GRADIENT ? 1 : 0);
            for (; colorIndex < usable; ++colorIndex) {
                if (tmpl->m_changeMode == ColorTemplate::CHANGE_GRADIENT)
                    painter.Gradient(x, kTemplateStepWidth, colors.GetAt(colorIndex), colors.GetAt(colorIndex + 1), 0,
                        kTemplateStepWidth);
                else
                    painter.Solid(x, kTemplateStepWidth, colors.GetAt(colorIndex));
                x += kTemplateStepWidth;
                added = true;
                if (x >= length || x >= painter.Right())
                    return;
            }
        }
        if (x >= length)
            return;
        if (!firstVisit) {
            idle = added ? 0 : idle + 1;
            if (idle >= count)
                return;
        }
        firstVisit = false;
        index = (index + 1) % count;
        colorIndex = 0;
    }
}
