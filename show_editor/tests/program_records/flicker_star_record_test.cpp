// The flicker-star element and the stars rebuilt from the C runtime's
// generator after reading it.
#include <gtest/gtest.h>

#include "program_records.h"
#include "records_test_support.h"

#include <cstdlib>

namespace {

TEST(FlickerStarRecord, WritesTheElementAndReadsItBack)
{
    CEFlickerStar stars;
    stars.m_orgFrames = 250;
    stars.m_endFrame = 100;
    stars.m_backgroundColor = 0x00010203;
    stars.m_starColor = 0x00FFFFFF;
    stars.m_speed = 1.5f;
    stars.m_playTime = 10.0f;
    stars.m_starCount = 3;
    stars.m_shape = 1;
    stars.m_size = 2;
    stars.m_randomStartColor = 1;
    stars.m_minBrightness = 10;
    stars.m_maxBrightness = 200;
    stars.m_fadeInTime = 4; // not stored
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("ProgramView");
    doc.InsertEndChild(parent);
    WriteFlickerStarProgram(doc, parent, &stars, CString());
    EXPECT_EQ(CompactText(parent->FirstChildElement()),
        "<Program ProgramType=\"8\" CE_FRAMES=\"250\" FLICKERSTAR_BACKCOLOR=\"66051\""
        " FLICKERSTAR_STARTCOLOR=\"16777215\" FLICKERSTAR_SPEED=\"1.5\" FLICKERSTAR_PLAYTIME=\"10\""
        " FLICKERSTAR_STARNUMS=\"3\" FLICKERSTAR_SHAPE=\"1\" FLICKERSTAR_SIZE=\"2\""
        " FLICKERSTAR_RAND_START_COLOR=\"1\" FLICKERSTAR_MIN_BRIGHT=\"10\" FLICKERSTAR_MAX_BRIGHT=\"200\"/>");

    CEFlickerStar read;
    ReadFlickerStarProgram(parent->FirstChildElement(), &read, CString());
    EXPECT_EQ(read.m_orgFrames, 250);
    EXPECT_EQ(read.m_endFrame, 250); // the end frame follows the frames of one pass
    EXPECT_EQ(read.m_backgroundColor, 0x00010203u);
    EXPECT_FLOAT_EQ(read.m_speed, 1.5f);
    EXPECT_FLOAT_EQ(read.m_playTime, 10.0f);
    EXPECT_EQ(read.m_starCount, 3);
    EXPECT_EQ(read.m_shape, 1);
    EXPECT_EQ(read.m_size, 2);
    EXPECT_EQ(read.m_randomStartColor, 1);
    EXPECT_EQ(read.m_minBrightness, 10);
    EXPECT_EQ(read.m_maxBrightness, 200);
    EXPECT_EQ(read.m_fadeInTime, 0);
    EXPECT_EQ(read.m_phases.GetSize(), 3);
    EXPECT_EQ(read.m_startPoints.GetSize(), 3);
}

TEST(FlickerStarRecord, RuntimeGeneratorIsMsvcrts)
{
    // The stars below depend on this sequence.
    std::srand(1);
    EXPECT_EQ(std::rand(), 41);
    EXPECT_EQ(std::rand(), 18467);
    EXPECT_EQ(std::rand(), 6334);
}

TEST(FlickerStarRecord, StarsComeFromSeeds255And250)
{
    tinyxml2::XMLDocument doc;
    CEFlickerStar stars;
    ReadFlickerStarProgram(ParseElement(doc,
                               "<Program ProgramType=\"8\" FLICKERSTAR_STARNUMS=\"3\""
                               " FLICKERSTAR_STARTCOLOR=\"4660\"/>"),
        &stars, CString());
    ASSERT_EQ(stars.m_phases.GetSize(), 3);
    EXPECT_EQ(stars.m_phases[0], 106);
    EXPECT_EQ(stars.m_phases[1], 4);
    EXPECT_EQ(stars.m_phases[2], 175);
    ASSERT_EQ(stars.m_startPoints.GetSize(), 3);
    const int xs[] = { 55, 33, 194 };
    const int ys[] = { 45, 21, 39 };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(stars.m_startPoints[i].m_x, xs[i]);
        EXPECT_EQ(stars.m_startPoints[i].m_y, ys[i]);
        EXPECT_EQ(stars.m_startPoints[i].m_color, 4660u);
    }

    // Random start colours take three more draws per star: r1 is the highest byte.
    CEFlickerStar colored;
    ReadFlickerStarProgram(
        ParseElement(doc, "<Program FLICKERSTAR_STARNUMS=\"2\" FLICKERSTAR_RAND_START_COLOR=\"1\"/>"), &colored,
        CString());
    ASSERT_EQ(colored.m_startPoints.GetSize(), 2);
    EXPECT_EQ(colored.m_startPoints[0].m_x, 55);
    EXPECT_EQ(colored.m_startPoints[0].m_y, 45);
    EXPECT_EQ(colored.m_startPoints[0].m_color, 0xE92EE5u);
    EXPECT_EQ(colored.m_startPoints[1].m_x, 39);
    EXPECT_EQ(colored.m_startPoints[1].m_y, 46);
    EXPECT_EQ(colored.m_startPoints[1].m_color, 0xC6919Eu);
}

TEST(FlickerStarRecord, EveryLoadGivesTheSameStarsInsideTheFixedArea)
{
    const char* text = "<Program FLICKERSTAR_STARNUMS=\"500\" FLICKERSTAR_RAND_START_COLOR=\"1\"/>";
    tinyxml2::XMLDocument doc;
    CEFlickerStar first;
    ReadFlickerStarProgram(ParseElement(doc, text), &first, CString());
    std::srand(12345); // whatever was drawn before does not matter
    (void)std::rand();
    CEFlickerStar second;
    ReadFlickerStarProgram(doc.FirstChildElement(), &second, CString());
    ASSERT_EQ(first.m_phases.GetSize(), 500);
    ASSERT_EQ(second.m_phases.GetSize(), 500);
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(first.m_phases[i], second.m_phases[i]);
        EXPECT_LT(first.m_phases[i], 255);
        EXPECT_EQ(first.m_startPoints[i].m_x, second.m_startPoints[i].m_x);
        EXPECT_EQ(first.m_startPoints[i].m_y, second.m_startPoints[i].m_y);
        EXPECT_EQ(first.m_startPoints[i].m_color, second.m_startPoints[i].m_color);
        EXPECT_GE(first.m_startPoints[i].m_x, 0);
        EXPECT_LT(first.m_startPoints[i].m_x, 200);
        EXPECT_GE(first.m_startPoints[i].m_y, 0);
        EXPECT_LT(first.m_startPoints[i].m_y, 50);
    }
}

TEST(FlickerStarRecord, MissingValuesAndHostileCounts)
{
    tinyxml2::XMLDocument doc;
    CEFlickerStar stars;
    stars.m_orgFrames = 20;
    stars.m_endFrame = 30;
    stars.m_starColor = 77;
    stars.m_size = 9;
    stars.m_maxBrightness = 255;
    stars.m_randomStartColor = 1;
    ReadFlickerStarProgram(ParseElement(doc, "<Program CE_FRAMES=\"\" FLICKERSTAR_SHAPE=\"258\"/>"), &stars, CString());
    EXPECT_EQ(stars.m_orgFrames, 20);
    EXPECT_EQ(stars.m_endFrame, 30);
    EXPECT_EQ(stars.m_starColor, 77u);
    EXPECT_EQ(stars.m_shape, 2); // the low 8 bits
    EXPECT_EQ(stars.m_size, 1);
    EXPECT_EQ(stars.m_maxBrightness, 0);
    EXPECT_EQ(stars.m_randomStartColor, 0);
    EXPECT_EQ(stars.m_phases.GetSize(), 0);

    for (const char* count : { "4294967295", "-7" }) {
        const std::string text = std::string("<Program FLICKERSTAR_STARNUMS=\"") + count + "\"/>";
        CEFlickerStar negative;
        ReadFlickerStarProgram(ParseElement(doc, text.c_str()), &negative, CString());
        EXPECT_EQ(negative.m_starCount, 0) << count;
        EXPECT_EQ(negative.m_startPoints.GetSize(), 0) << count;
    }
    CEFlickerStar many;
    ReadFlickerStarProgram(ParseElement(doc, "<Program FLICKERSTAR_STARNUMS=\"2000000000\"/>"), &many, CString());
    EXPECT_EQ(many.m_starCount, kMaxFlickerStars);
    EXPECT_EQ(many.m_phases.GetSize(), kMaxFlickerStars);
    EXPECT_EQ(many.m_startPoints.GetSize(), kMaxFlickerStars);
}

} // namespace
