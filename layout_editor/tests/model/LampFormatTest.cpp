// Lamp formats built from segments, the segment table file and the
// duplicate test of the project's format list.
#include <gtest/gtest.h>

#include "LampFormatBuild.h"

namespace {

std::vector<LampSegment> Segments(std::initializer_list<std::pair<int, const wchar_t*>> list)
{
    std::vector<LampSegment> out;
    for (const auto& [lamps, letters] : list)
        out.push_back({ static_cast<WORD>(lamps), letters });
    return out;
}

} // namespace

TEST(LampFormatTest, SegmentsNumberEveryLetterWithItsLamp)
{
    struct Case {
        std::vector<LampSegment> segments;
        const wchar_t* format;
    };
    Case cases[] = {
        { Segments({ { 2, L"rgb" }, { 1, L"W" } }), L"R1G1B1R2G2B2W3" },
        { Segments({ { 3, L"RG" }, { 2, L"B" } }), L"R1G1R2G2R3G3B4B5" },
        { Segments({ { 0, L"RGB" }, { 1, L"w" } }), L"W1" },
        { Segments({}), L"" },
    };
    for (Case& c : cases) {
        SCOPED_TRACE(CStringA(c.format).GetString());
        EXPECT_EQ(BuildSegmentFormat(c.segments), c.format);
        for (const LampSegment& s : c.segments)
            EXPECT_EQ(s.letters, CString(s.letters).MakeUpper());
    }
}

TEST(LampFormatTest, BuiltFormatsStopAtTheLampsOfOnePort)
{
    auto segments = Segments({ { 3000, L"R" }, { 100, L"G" } });
    const CString format = BuildSegmentFormat(segments);
    EXPECT_EQ(format.Right(5), L"G3072");
    EXPECT_EQ(ChannelsPerLamp(format), 3072);
}

TEST(LampFormatTest, SegmentTableRoundTripsWithEitherLineEnd)
{
    const auto segments = Segments({ { 2, L"RGB" }, { 10, L"W" }, { 1, L"RGBW" } });
    const CStringA text = FormatSegmentTable(segments);
    EXPECT_EQ(text, "2,RGB\r\n10,W\r\n1,RGBW\r\n");
    CStringA lf = text;
    lf.Replace("\r\n", "\n");
    for (const CStringA& file : { text, lf }) {
        std::vector<LampSegment> back;
        ASSERT_EQ(ParseSegmentTable(CString(file), back), SegmentTableResult::Ok);
        ASSERT_EQ(back.size(), segments.size());
        for (size_t i = 0; i < back.size(); ++i) {
            EXPECT_EQ(back[i].lamps, segments[i].lamps);
            EXPECT_EQ(back[i].letters, segments[i].letters);
        }
    }
}

TEST(LampFormatTest, SegmentTableImportRules)
{
    struct Case {
        const char* name;
        const wchar_t* text;
        SegmentTableResult result;
        size_t segments;
    };
    const Case cases[] = {
        { "line without a comma stops", L"2,RGB\r\n3\r\n4,W\r\n", SegmentTableResult::MissingLetters, 1 },
        { "empty line skipped", L"2,RGB\r\n\r\n4,W\r\n", SegmentTableResult::Ok, 2 },
        { "no final line end", L"2,RGB", SegmentTableResult::Ok, 1 },
        { "empty file", L"", SegmentTableResult::Ok, 0 },
        { "count that is no number", L"x,RG\n", SegmentTableResult::Ok, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LampSegment> back;
        EXPECT_EQ(ParseSegmentTable(c.text, back), c.result);
        EXPECT_EQ(back.size(), c.segments);
    }
}

TEST(LampFormatTest, DuplicatesAreFoundWithoutCase)
{
    CStringArray list;
    list.Add(L"RGB");
    list.Add(L"R1G1W2");
    EXPECT_TRUE(IsDuplicateLampFormat(list, L"rgb"));
    EXPECT_TRUE(IsDuplicateLampFormat(list, L"r1g1w2"));
    EXPECT_FALSE(IsDuplicateLampFormat(list, L"RGBW"));
    EXPECT_EQ(ChannelsPerLamp(L"RGB"), 3);
    EXPECT_EQ(ChannelsPerLamp(L"R1G1B1R2G2B2W3"), 7);
}
