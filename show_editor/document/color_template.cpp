// Copies of colour templates and colour strips.
#include "color_template.h"

namespace {

void CopyColorsReversed(ColorList& target, const ColorList& source)
{
    const INT_PTR count = source.GetSize();
    target.SetSize(count);
    for (INT_PTR i = 0; i < count; ++i)
        target.SetAt(i, source.GetAt(count - 1 - i));
}

} // namespace

ColorTemplate* ColorTemplate::Clone(const ColorTemplate* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ColorTemplate;
    copy->m_changeMode = source->m_changeMode;
    copy->m_colors.Copy(source->m_colors);
    return copy;
}

ColorTemplate* ColorTemplate::CloneReversed(const ColorTemplate* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ColorTemplate;
    copy->m_changeMode = source->m_changeMode;
    CopyColorsReversed(copy->m_colors, source->m_colors);
    return copy;
}

void FreeColorTemplates(ColorTemplateList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    list.RemoveAll();
}

void AppendColorTemplateCopies(ColorTemplateList& target, const ColorTemplateList& source)
{
    for (INT_PTR i = 0; i < source.GetSize(); ++i)
        target.Add(ColorTemplate::Clone(source.GetAt(i)));
}

ColorTemplateArray::~ColorTemplateArray()
{
    FreeColorTemplates(m_templates);
}

ColorTemplateEx* ColorTemplateEx::Clone(const ColorTemplateEx* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ColorTemplateEx;
    copy->m_mode = source->m_mode;
    copy->m_width = source->m_width;
    copy->m_colors.Copy(source->m_colors);
    return copy;
}

ColorTemplateEx* ColorTemplateEx::CloneReversed(const ColorTemplateEx* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ColorTemplateEx;
    copy->m_mode = source->m_mode;
    copy->m_width = source->m_width;
    CopyColorsReversed(copy->m_colors, source->m_colors);
    return copy;
}

ColorTemplateArrayEx::~ColorTemplateArrayEx()
{
    RemoveAllStops();
}

ColorTemplateArrayEx* ColorTemplateArrayEx::Clone(const ColorTemplateArrayEx* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ColorTemplateArrayEx;
    for (INT_PTR i = 0; i < source->m_stops.GetSize(); ++i)
        copy->m_stops.Add(ColorTemplateEx::Clone(source->m_stops.GetAt(i)));
    copy->m_name = source->m_name;
    return copy;
}

ColorTemplateArrayEx* ColorTemplateArrayEx::CloneReversed(const ColorTemplateArrayEx* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ColorTemplateArrayEx;
    for (INT_PTR i = source->m_stops.GetSize() - 1; i >= 0; --i)
        copy->m_stops.Add(ColorTemplateEx::CloneReversed(source->m_stops.GetAt(i)));
    copy->m_name = source->m_name;
    return copy;
}

int ColorTemplateArrayEx::GetTotalWidth() const
{
    int width = 0;
    for (INT_PTR i = 0; i < m_stops.GetSize(); ++i)
        width += m_stops.GetAt(i)->m_width;
    return width;
}

void ColorTemplateArrayEx::RemoveAllStops()
{
    for (INT_PTR i = 0; i < m_stops.GetSize(); ++i)
        delete m_stops.GetAt(i);
    m_stops.RemoveAll();
}

void FreeColorStrips(ColorStripList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    list.RemoveAll();
}
