// The colourful-text editor's numbers: leading numbers of the box texts,
// frames of durations, the texture speed factor by style and its finite
// fallback, the font sizes of a resolution and the time texts.
#include <gtest/gtest.h>

#include "words_editor_values.h"

#include <cmath>

namespace {

ColorTemplate* Make(int colours, int mode)
{
    auto* made = new ColorTemplate;
    made->m_changeMode = mode;
    for (int i = 0; i < colours; ++i)
        made->m_colors.Add(RGB(i, 0, 0));
    return made;
}

} // namespace

TEST(WordsValues, LeadingNumbersAndFrames)
{
    const struct {
        LPCWSTR text;
        float value;
    } numbers[] = { { L"1.5S", 1.5f }, { L"2.0S", 2.0f }, { L"10", 10.0f }, { L"100%", 100.0f }, { L"", 0.0f },
        { L"S", 0.0f }, { L"-3", -3.0f }, { L" 4", 4.0f } };
    for (const auto& n : numbers)
        EXPECT_FLOAT_EQ(LeadingNumber(n.text), n.value) << CStringA(n.text).GetString();

    const struct {
        float seconds;
        int rate;
        int frames;
    } frames[] = { { 1.5f, 25, 38 }, { 2.0f, 25, 50 }, { 0.0f, 25, 0 }, { 0.1f, 30, 3 }, { -1.0f, 25, 0 },
        { 1e12f, 25, 1000000000 } };
    for (const auto& f : frames)
        EXPECT_EQ(DurationFrames(f.seconds, f.rate), f.frames) << f.seconds;
}

TEST(WordsValues, TextureSpeedFactorByStyle)
{
    ColorTemplateList templates;
    templates.Add(Make(3, ColorTemplate::CHANGE_GRADIENT)); // 2 steps
    templates.Add(Make(2, ColorTemplate::CHANGE_SOLID)); // 2 steps
    const float a = 4 * 256.0f;
    EXPECT_FLOAT_EQ(WordsTextureSpeedFactor(126, templates, 0, 100, 30), 126 / a);
    EXPECT_FLOAT_EQ(WordsTextureSpeedFactor(126, templates, 1, 100, 30), 126 / a * 0.5f);
    EXPECT_FLOAT_EQ(WordsTextureSpeedFactor(126, templates, 4, 100, 30), (126 + 100) / a);
    EXPECT_FLOAT_EQ(WordsTextureSpeedFactor(126, templates, 20, 100, 30), (126 + 100) / a);
    // Diagonals travel ceil(sqrt(100^2 + 30^2)) = 105.
    EXPECT_FLOAT_EQ(WordsTextureSpeedFactor(126, templates, 11, 100, 30), (126 + 105) / a);
    FreeColorTemplates(templates);

    // Nothing to travel over: 0, never infinite.
    templates.Add(Make(1, ColorTemplate::CHANGE_GRADIENT));
    const float none = WordsTextureSpeedFactor(126, templates, 11, 100, 30);
    EXPECT_TRUE(std::isfinite(none));
    EXPECT_EQ(none, 0.0f);
    FreeColorTemplates(templates);
    EXPECT_EQ(WordsTextureSpeedFactor(126, templates, 0, 100, 30), 0.0f);
}

TEST(WordsValues, FontSizesAndTimeTexts)
{
    EXPECT_EQ(
        FontSizeHeights(96), (std::vector<int> { 11, 12, 13, 15, 16, 19, 21, 24, 27, 29, 32, 35, 37, 48, 64, 96 }));
    EXPECT_EQ(FontSizeHeights(72).front(), 8);
    EXPECT_EQ(ChosenTimeText(3.0f), CString(L"3.0S"));
    EXPECT_EQ(ChosenTimeText(0.0f), CString(L"1.5S"));
    EXPECT_EQ(TypedTimeText(0.0f), CString(L"0.0"));
    EXPECT_EQ(TypedTimeText(2.26f), CString(L"2.3"));
    EXPECT_EQ(TypedTimeText(-0.5f), CString(L"1.5S"));
}
