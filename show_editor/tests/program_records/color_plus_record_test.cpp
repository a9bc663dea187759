// The Zazez Urad elements: program, items, colour stops and random blocks.
#include <gtest/gtest.h>

#include "program_records.h"
#include "records_test_support.h"

#include <memory>

namespace {

ColorTemplateArrayEx* NewStrip(std::initializer_list<std::pair<int, std::initializer_list<COLORREF>>> stops)
{
    auto* strip = new ColorTemplateArrayEx;
    strip->m_name = L"C:\\bars\\named.ctx";
    int width = 10;
    for (const auto& [mode, colors] : stops) {
        auto* stop = new ColorTemplateEx;
        stop->m_mode = mode;
        stop->m_width = width++;
        for (COLORREF color : colors)
            stop->m_colors.Add(color);
        strip->m_stops.Add(stop);
    }
    return strip;
}

TEST(ColorPlusRecord, TwoStripsOfTwoStopsReadBackAsOneStripOfFour)
{
    ProgramColorEffectPlus item;
    item.m_style = 5;
    item.m_orgFrames = 40;
    item.m_endFrame = 40;
    item.m_fadeOutTime = 1;
    item.m_mirror = 3;
    item.m_colorCount = 46;
    item.m_stepLength = 2;
    item.m_repeatCount = 4;
    item.m_strips.Add(NewStrip({ { 0, { 0x0000FF, 0x00FF00 } }, { 1, { 0xFF0000 } } }));
    item.m_strips.Add(NewStrip({ { 2, { 1, 2 } }, { 1, {} } }));

    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("Program");
    doc.InsertEndChild(parent);
    WriteColorPlusItem(doc, parent, &item, CString());
    EXPECT_EQ(CompactText(parent->FirstChildElement()),
        "<Program ProgramType=\"6\" PTYPE_EFFECT=\"5\" PROP_PROG_ORGFRAME=\"40\" PROP_PROG_VTILE=\"1\""
        " PROP_PROG_HTILE=\"1\" PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"40\" PROP_PROG_SSPEED=\"1\""
        " PROP_PROG_ESPEED=\"1\" PROP_PROG_FADEIN_TIME=\"0\" PROP_PROG_FADEOUT_TIME=\"1\" PROP_PROG_MIRROR=\"3\""
        " PROP_COLOR_COUNT=\"46\" PROP_STEP_LEN=\"2\" PROP_REPEATE_COUNT=\"4\">"
        "<ColorContent PROP_COLOR_CHANGEMODE=\"0\" PROP_COLOR_COUNT=\"10\"><Content>0x0000FF</Content>"
        "<Content>0x00FF00</Content></ColorContent>"
        "<ColorContent PROP_COLOR_CHANGEMODE=\"1\" PROP_COLOR_COUNT=\"11\"><Content>0xFF0000</Content></ColorContent>"
        "<ColorContent PROP_COLOR_CHANGEMODE=\"2\" PROP_COLOR_COUNT=\"10\"><Content>0x000001</Content>"
        "<Content>0x000002</Content></ColorContent>"
        "<ColorContent PROP_COLOR_CHANGEMODE=\"1\" PROP_COLOR_COUNT=\"11\"/></Program>");

    ProgramColorEffectPlus read;
    ReadColorPlusItem(parent->FirstChildElement(), &read, CString());
    EXPECT_EQ(read.m_style, 5);
    EXPECT_EQ(read.m_orgFrames, 40);
    EXPECT_EQ(read.m_fadeOutTime, 1);
    EXPECT_EQ(read.m_mirror, 3);
    EXPECT_EQ(read.m_colorCount, 46);
    EXPECT_EQ(read.m_stepLength, 2);
    EXPECT_EQ(read.m_repeatCount, 4);
    EXPECT_EQ(read.m_pNode, nullptr);
    ASSERT_EQ(read.m_strips.GetSize(), 1);
    const ColorTemplateArrayEx* strip = read.m_strips[0];
    EXPECT_TRUE(strip->m_name.IsEmpty());
    ASSERT_EQ(strip->m_stops.GetSize(), 4);
    const int modes[] = { 0, 1, 2, 1 };
    const int widths[] = { 10, 11, 10, 11 };
    const INT_PTR counts[] = { 2, 1, 2, 0 };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(strip->m_stops[i]->m_mode, modes[i]);
        EXPECT_EQ(strip->m_stops[i]->m_width, widths[i]);
        EXPECT_EQ(strip->m_stops[i]->m_colors.GetSize(), counts[i]); // an empty solid stop stays empty
    }
    EXPECT_EQ(strip->m_stops[1]->m_colors[0], 0xFF0000u);
}

TEST(ColorPlusRecord, ProgramRoundTripsWithItemsAndRandomBlocks)
{
    ProgramColorEffectPlusArray program;
    program.SetNode(new NodeInfo(1, 2, L"Plus", NODE_PROGRAM));
    program.m_orgFrames = 70;
    program.m_vTiles = 2;
    program.m_hTiles = 3;
    program.m_startFrame = 5;
    program.m_endFrame = 70;
    program.m_fadeInTime = 9; // not stored
    auto* blocks = new ProgramColorEffectPlus;
    blocks->m_style = ProgramColorEffectPlus::STYLE_RANDOM_BLOCKS;
    blocks->m_orgFrames = 30;
    blocks->SetNode(new NodeInfo(-1, 0, L"Blocks", NODE_PROGRAM));
    RandomAnimation settings;
    settings.m_blockWidth = 3;
    settings.m_blockHeight = 4;
    settings.m_changeSpan = 5;
    settings.m_lightingType = 1;
    settings.m_dotShape = 2;
    settings.m_dotCount = 7;
    ProgramColorEffectPlus::SetRandomAnimation(blocks, &settings);
    program.m_items.Add(blocks);
    auto* plain = new ProgramColorEffectPlus;
    plain->m_style = 3;
    plain->m_orgFrames = 40;
    program.m_items.Add(plain);

    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("ProgramView");
    doc.InsertEndChild(parent);
    WriteColorPlusProgram(doc, parent, &program, CString());
    const tinyxml2::XMLElement* element = parent->FirstChildElement();
    const std::string text = CompactText(element);
    EXPECT_EQ(text.substr(0, text.find('>') + 1),
        "<Program ProgramType=\"7\" PROP_PROG_ORGFRAME=\"70\" PROP_NODE_NAME=\"Plus\" PROP_PROG_VTILE=\"2\""
        " PROP_PROG_HTILE=\"3\" PROP_PROG_SFRAME=\"5\" PROP_PROG_EFRAME=\"70\">");
    EXPECT_NE(text.find("PROP_NODE_NAME=\"Blocks\"><RandomAnimation PROP_RANDANI_BLOCKW=\"3\" PROP_RANDANI_BLOCKH=\"4\""
                        " PROP_RANDANI_LIGTENTYPE=\"1\" PROP_RANDANI_CHANGESPAN=\"5\" PROP_RANDANI_DOTSHAPE=\"2\""
                        " PROP_RANDANI_DOTCNT=\"7\"/></Program>"),
        std::string::npos)
        << text;
    EXPECT_EQ(text.find("<RandomAnimation", text.find("PTYPE_EFFECT=\"3\"")), std::string::npos);

    ProgramColorEffectPlusArray read;
    read.SetNode(new NodeInfo(1, 1, CString(), NODE_PROGRAM));
    read.m_programType = 7;
    ReadColorPlusProgram(CString(), &read, element);
    EXPECT_EQ(read.m_programType, 0);
    EXPECT_EQ(read.m_pNode->m_name, L"Plus");
    EXPECT_EQ(read.m_orgFrames, 70);
    EXPECT_EQ(read.m_vTiles, 2);
    EXPECT_EQ(read.m_hTiles, 3);
    EXPECT_EQ(read.m_startFrame, 5);
    EXPECT_EQ(read.m_fadeInTime, 0);
    ASSERT_EQ(read.m_items.GetSize(), 2);
    const ProgramColorEffectPlus* first = read.m_items[0];
    EXPECT_EQ(first->m_pNode, nullptr); // item names are written, never read
    EXPECT_EQ(first->m_orgFrames, 30);
    ASSERT_NE(first->GetRandomAnimation(), nullptr);
    EXPECT_EQ(first->GetRandomAnimation()->m_blockWidth, 3);
    EXPECT_EQ(first->GetRandomAnimation()->m_blockHeight, 4);
    EXPECT_EQ(first->GetRandomAnimation()->m_changeSpan, 5);
    EXPECT_EQ(first->GetRandomAnimation()->m_lightingType, 1);
    EXPECT_EQ(first->GetRandomAnimation()->m_dotShape, 2);
    EXPECT_EQ(first->GetRandomAnimation()->m_dotCount, 7);
    EXPECT_EQ(read.m_items[1]->m_style, 3);
    EXPECT_EQ(read.m_items[1]->GetRandomAnimation(), nullptr);
    EXPECT_EQ(read.m_items[1]->m_strips.GetSize(), 1); // one strip, also when empty
}

TEST(ColorPlusRecord, ProgramWithoutNodeRecordIsNamedAfterThePresetRoot)
{
    ProgramColorEffectPlusArray program;
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("P");
    doc.InsertEndChild(parent);
    WriteColorPlusProgram(doc, parent, &program, CString());
    EXPECT_STREQ(parent->FirstChildElement()->Attribute("PROP_NODE_NAME"), "ColorEffectPlusArray");
}

TEST(ColorPlusRecord, OnlyProgramType7GetsItems)
{
    for (const char* type : { "6", "0", "" }) {
        const std::string text = std::string("<Program ProgramType=\"") + type
            + "\" PROP_PROG_ORGFRAME=\"9\"><Program ProgramType=\"6\"/></Program>";
        tinyxml2::XMLDocument doc;
        ProgramColorEffectPlusArray program;
        program.m_programType = 7;
        ReadColorPlusProgram(CString(), &program, ParseElement(doc, text.c_str()));
        EXPECT_EQ(program.m_items.GetSize(), 0) << type;
        EXPECT_EQ(program.m_orgFrames, 0) << type;
        EXPECT_EQ(program.m_programType, *type != '\0' ? 0 : 7) << type;
    }
}

TEST(ColorPlusRecord, RandomAnimationChildDependsOnStyle36)
{
    struct Case {
        const char* item;
        bool hasRecord;
    };
    const Case cases[] = {
        { "<Program PTYPE_EFFECT=\"36\"/>", false },
        { "<Program PTYPE_EFFECT=\"35\"><RandomAnimation PROP_RANDANI_DOTCNT=\"4\"/></Program>", false },
        { "<Program PTYPE_EFFECT=\"36\"><RandomAnimation PROP_RANDANI_DOTCNT=\"4\"/></Program>", true },
    };
    for (const Case& c : cases) {
        tinyxml2::XMLDocument doc;
        ProgramColorEffectPlus item;
        ReadColorPlusItem(ParseElement(doc, c.item), &item, CString());
        EXPECT_EQ(item.GetRandomAnimation() != nullptr, c.hasRecord) << c.item;
    }
    // A later "RandomAnimation" replaces an earlier one.
    tinyxml2::XMLDocument doc;
    ProgramColorEffectPlus item;
    ReadColorPlusItem(ParseElement(doc,
                          "<Program PTYPE_EFFECT=\"36\"><RandomAnimation PROP_RANDANI_DOTCNT=\"4\"/>"
                          "<ColorContent PROP_COLOR_CHANGEMODE=\"1\" PROP_COLOR_COUNT=\"3\"/>"
                          "<RandomAnimation PROP_RANDANI_DOTCNT=\"6\"/></Program>"),
        &item, CString());
    ASSERT_NE(item.GetRandomAnimation(), nullptr);
    EXPECT_EQ(item.GetRandomAnimation()->m_dotCount, 6);
    ASSERT_EQ(item.m_strips.GetSize(), 1);
    EXPECT_EQ(item.m_strips[0]->m_stops.GetSize(), 1);
}

TEST(ColorPlusRecord, RandomAnimationValuesOfZeroOrLessReadAsOne)
{
    struct Case {
        const char* attributes;
        int width, height, lighting, span, shape, count;
    };
    const Case cases[] = {
        { "", 1, 1, 0, 1, 0, 1 },
        { "PROP_RANDANI_BLOCKW=\"0\" PROP_RANDANI_BLOCKH=\"-3\" PROP_RANDANI_CHANGESPAN=\"0\""
          " PROP_RANDANI_DOTCNT=\"-1\" PROP_RANDANI_LIGTENTYPE=\"-2\" PROP_RANDANI_DOTSHAPE=\"-4\"",
            1, 1, -2, 1, -4, 1 },
        { "PROP_RANDANI_BLOCKW=\"\" PROP_RANDANI_LIGTENTYPE=\"\" PROP_RANDANI_DOTCNT=\"abc\"", 1, 1, 0, 1, 0, 1 },
        { "PROP_RANDANI_BLOCKW=\"8\" PROP_RANDANI_BLOCKH=\"9\" PROP_RANDANI_CHANGESPAN=\"10\""
          " PROP_RANDANI_DOTCNT=\"11\" PROP_RANDANI_LIGTENTYPE=\"1\" PROP_RANDANI_DOTSHAPE=\"2\"",
            8, 9, 1, 10, 2, 11 },
        { "PROP_RANDANI_DOTCNT=\"2000000000\"", 1, 1, 0, 1, 0, kMaxRandomDots },
    };
    for (const Case& c : cases) {
        const std::string text = std::string("<RandomAnimation ") + c.attributes + "/>";
        tinyxml2::XMLDocument doc;
        RandomAnimation record;
        record.m_lightingType = 5; // missing values take the reading defaults, not the record's
        record.m_blockWidth = 5;
        ReadRandomAnimation(&record, ParseElement(doc, text.c_str()));
        EXPECT_EQ(record.m_blockWidth, c.width) << c.attributes;
        EXPECT_EQ(record.m_blockHeight, c.height) << c.attributes;
        EXPECT_EQ(record.m_lightingType, c.lighting) << c.attributes;
        EXPECT_EQ(record.m_changeSpan, c.span) << c.attributes;
        EXPECT_EQ(record.m_dotShape, c.shape) << c.attributes;
        EXPECT_EQ(record.m_dotCount, c.count) << c.attributes;
    }
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("P");
    WriteRandomAnimation(nullptr, parent, doc);
    EXPECT_EQ(parent->FirstChildElement(), nullptr);
    ReadRandomAnimation(nullptr, parent); // nothing happens
}

TEST(ColorPlusRecord, ItemCountsAreReadAsTruncatedNumbers)
{
    tinyxml2::XMLDocument doc;
    ProgramColorEffectPlus item;
    item.m_stepLength = 7;
    ReadColorPlusItem(ParseElement(doc,
                          "<Program PROP_COLOR_COUNT=\"12.7\" PROP_STEP_LEN=\"\" PROP_REPEATE_COUNT=\"3e1\">"
                          "<ColorContent PROP_COLOR_COUNT=\"999999999\"><Content>5</Content></ColorContent>"
                          "</Program>"),
        &item, CString());
    EXPECT_EQ(item.m_colorCount, 12);
    EXPECT_EQ(item.m_stepLength, 7);
    EXPECT_EQ(item.m_repeatCount, 30);
    ASSERT_EQ(item.m_strips.GetSize(), 1);
    EXPECT_EQ(item.m_strips[0]->m_stops[0]->m_width, kMaxStripWidth);
    EXPECT_EQ(item.m_strips[0]->m_stops[0]->m_colors.GetSize(), 1); // a gradient stop of one colour stays so
}

TEST(ColorPlusRecord, ItemsPastTheFrameLimitAreNotRead)
{
    std::string text = "<Program ProgramType=\"7\">";
    for (int i = 0; i < 3; ++i)
        text += "<Program ProgramType=\"6\" PROP_PROG_ORGFRAME=\"60000000\"/>";
    text += "</Program>";
    tinyxml2::XMLDocument doc;
    ProgramColorEffectPlusArray program;
    ReadColorPlusProgram(CString(), &program, ParseElement(doc, text.c_str()));
    ASSERT_EQ(program.m_items.GetSize(), 1);
    program.UpdateTotalFrames();
    EXPECT_EQ(program.m_orgFrames, 60000000);
}

} // namespace
