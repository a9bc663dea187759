// Colour templates and strips: clones, reversed clones and ownership.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "alloc_tracker.h"
#include "color_template.h"

namespace {

std::vector<COLORREF> Colors(const ColorList& list)
{
    std::vector<COLORREF> out;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        out.push_back(list.GetAt(i));
    return out;
}

void SetColors(ColorList& list, std::initializer_list<COLORREF> colors)
{
    list.RemoveAll();
    for (COLORREF c : colors)
        list.Add(c);
}

ColorTemplateEx* MakeStop(int mode, int width, std::initializer_list<COLORREF> colors)
{
    auto* stop = new ColorTemplateEx;
    stop->m_mode = mode;
    stop->m_width = width;
    SetColors(stop->m_colors, colors);
    return stop;
}

TEST(ColorTemplate, CloneAndReversedCloneKeepModeAndShareNothing)
{
    ColorTemplate source;
    source.m_changeMode = ColorTemplate::CHANGE_SOLID;
    SetColors(source.m_colors, { 0x0000FF, 0x00FF00, 0xFF0000 });

    ColorTemplate* copy = ColorTemplate::Clone(&source);
    ColorTemplate* reversed = ColorTemplate::CloneReversed(&source);
    EXPECT_EQ(copy->m_changeMode, ColorTemplate::CHANGE_SOLID);
    EXPECT_EQ(Colors(copy->m_colors), (std::vector<COLORREF> { 0x0000FF, 0x00FF00, 0xFF0000 }));
    EXPECT_EQ(reversed->m_changeMode, ColorTemplate::CHANGE_SOLID);
    EXPECT_EQ(Colors(reversed->m_colors), (std::vector<COLORREF> { 0xFF0000, 0x00FF00, 0x0000FF }));

    copy->m_colors.SetAt(0, 0x123456);
    EXPECT_EQ(source.m_colors.GetAt(0), 0x0000FFu);
    delete copy;
    delete reversed;

    ColorTemplate empty;
    empty.m_changeMode = 7;
    ColorTemplate* emptyReversed = ColorTemplate::CloneReversed(&empty);
    EXPECT_EQ(emptyReversed->m_changeMode, 7);
    EXPECT_EQ(emptyReversed->m_colors.GetSize(), 0);
    delete emptyReversed;

    EXPECT_EQ(ColorTemplate::Clone(nullptr), nullptr);
    EXPECT_EQ(ColorTemplate::CloneReversed(nullptr), nullptr);
}

TEST(ColorTemplateArrayEx, CloneReversedReversesStopsAndTheirColours)
{
    ColorTemplateArrayEx strip;
    strip.m_name = L"C:\\bars\\1.ctx";
    strip.m_stops.Add(MakeStop(0, 10, { 1, 2 })); // A
    strip.m_stops.Add(MakeStop(1, 4, { 3 })); // B

    ColorTemplateArrayEx* reversed = ColorTemplateArrayEx::CloneReversed(&strip);
    ASSERT_EQ(reversed->m_stops.GetSize(), 2);
    EXPECT_EQ(reversed->m_name, CString(L"C:\\bars\\1.ctx"));
    EXPECT_EQ(reversed->m_stops[0]->m_mode, 1);
    EXPECT_EQ(reversed->m_stops[0]->m_width, 4);
    EXPECT_EQ(Colors(reversed->m_stops[0]->m_colors), (std::vector<COLORREF> { 3 }));
    EXPECT_EQ(reversed->m_stops[1]->m_mode, 0);
    EXPECT_EQ(reversed->m_stops[1]->m_width, 10);
    EXPECT_EQ(Colors(reversed->m_stops[1]->m_colors), (std::vector<COLORREF> { 2, 1 }));
    EXPECT_EQ(reversed->GetTotalWidth(), 14);

    ColorTemplateArrayEx* copy = ColorTemplateArrayEx::Clone(&strip);
    ASSERT_EQ(copy->m_stops.GetSize(), 2);
    EXPECT_EQ(copy->m_name, strip.m_name);
    EXPECT_NE(copy->m_stops[0], strip.m_stops[0]);
    EXPECT_EQ(Colors(copy->m_stops[0]->m_colors), (std::vector<COLORREF> { 1, 2 }));
    EXPECT_EQ(copy->m_stops[1]->m_width, 4);
    copy->m_stops[0]->m_colors.SetAt(0, 99);
    EXPECT_EQ(strip.m_stops[0]->m_colors.GetAt(0), 1u);

    delete reversed;
    delete copy;
}

TEST(ColorTemplateArrayEx, StripsAndTemplateFilesFreeWhatTheyOwnOnce)
{
    alloc_tracker::Scope scope;
    {
        auto* strip = new ColorTemplateArrayEx;
        strip->m_stops.Add(MakeStop(0, 3, { 1, 2 }));
        strip->m_stops.Add(MakeStop(1, 5, { 3 }));
        ColorStripList strips;
        strips.Add(strip);
        strips.Add(ColorTemplateArrayEx::Clone(strip));
        strips.Add(ColorTemplateArrayEx::CloneReversed(strip));
        FreeColorStrips(strips);

        auto* file = new ColorTemplateArray;
        for (int i = 0; i < 3; ++i) {
            auto* t = new ColorTemplate;
            SetColors(t->m_colors, { 1, 2, 3 });
            file->m_templates.Add(t);
        }
        delete file;
    }
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_GT(counts.allocations, 10);
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

} // namespace
