// The colour-effect element: its exact text, what reading takes from it, and
// the colour texts it accepts.
#include <gtest/gtest.h>

#include "program_records.h"
#include "records_test_support.h"

#include <memory>

namespace {

std::unique_ptr<ProgramColorEffect> NewEffect()
{
    auto effect = std::make_unique<ProgramColorEffect>();
    effect->SetNode(new NodeInfo(1, 1, CString(), NODE_PROGRAM));
    return effect;
}

TEST(ColorEffectRecord, WritesAttributesInOrderAndColoursAsHex)
{
    ProgramColorEffect effect;
    effect.SetNode(new NodeInfo(2, 1, L"Sweep", NODE_PROGRAM));
    effect.m_style = 12;
    effect.m_zoomFactor = 1.5f;
    effect.m_orgFrames = 100;
    effect.m_vTiles = 2;
    effect.m_hTiles = 3;
    effect.m_startFrame = 1;
    effect.m_endFrame = 300;
    effect.m_startSpeed = 1.0f;
    effect.m_endSpeed = 0.25f;
    effect.m_fadeInTime = 1;
    effect.m_fadeOutTime = 2;
    effect.m_mirror = 1;
    auto* gradient = new ColorTemplate;
    gradient->m_colors.Add(255);
    gradient->m_colors.Add(0x12ABCDEF);
    effect.m_templates.Add(gradient);
    auto* solid = new ColorTemplate;
    solid->m_changeMode = ColorTemplate::CHANGE_SOLID; // no colours: kept so
    effect.m_templates.Add(solid);

    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* parent = doc.NewElement("ProgramView");
    doc.InsertEndChild(parent);
    WriteColorEffectProgram(doc, parent, &effect);
    EXPECT_EQ(CompactText(parent->FirstChildElement()),
        "<Program ProgramType=\"0\" PTYPE_EFFECT=\"12\" PROP_VIEW_FACTOR=\"1.50\" PROP_PROG_ORGFRAME=\"100\""
        " PROP_PROG_VTILE=\"2\" PROP_PROG_HTILE=\"3\" PROP_PROG_SFRAME=\"1\" PROP_PROG_EFRAME=\"300\""
        " PROP_PROG_SSPEED=\"1\" PROP_PROG_ESPEED=\"0.25\" PROP_PROG_FADEIN_TIME=\"1\" PROP_PROG_FADEOUT_TIME=\"2\""
        " PROP_PROG_MIRROR=\"1\" PROP_NODE_NAME=\"Sweep\">"
        "<ColorContent PROP_COLOR_CHANGEMODE=\"0\"><Content>0x0000FF</Content><Content>0x12ABCDEF</Content>"
        "</ColorContent><ColorContent PROP_COLOR_CHANGEMODE=\"1\"/></Program>");

    auto read = NewEffect();
    ReadColorEffectProgram(parent->FirstChildElement(), read.get());
    EXPECT_EQ(read->m_style, 12);
    EXPECT_FLOAT_EQ(read->m_zoomFactor, 1.5f);
    EXPECT_EQ(read->m_orgFrames, 100);
    EXPECT_EQ(read->m_vTiles, 2);
    EXPECT_EQ(read->m_hTiles, 3);
    EXPECT_EQ(read->m_endFrame, 300);
    EXPECT_FLOAT_EQ(read->m_endSpeed, 0.25f);
    EXPECT_EQ(read->m_fadeInTime, 1);
    EXPECT_EQ(read->m_fadeOutTime, 2);
    EXPECT_EQ(read->m_mirror, 1);
    EXPECT_EQ(read->m_pNode->m_name, L"Sweep");
    ASSERT_EQ(read->m_templates.GetSize(), 2);
    EXPECT_EQ(read->m_templates[0]->m_changeMode, 0);
    ASSERT_EQ(read->m_templates[0]->m_colors.GetSize(), 2);
    EXPECT_EQ(read->m_templates[0]->m_colors[0], 255u);
    EXPECT_EQ(read->m_templates[0]->m_colors[1], 0x12ABCDEFu);
    EXPECT_EQ(read->m_templates[1]->m_changeMode, 1);
    EXPECT_EQ(read->m_templates[1]->m_colors.GetSize(), 0); // kept empty, as read
}

TEST(ColorEffectRecord, OtherProgramTypesAreNotRead)
{
    for (const char* type : { "ProgramType=\"2\"", "ProgramType=\"\"", "", "ProgramType=\"7\"" }) {
        const std::string text = std::string("<Program ") + type
            + " PTYPE_EFFECT=\"5\"><ColorContent PROP_COLOR_CHANGEMODE=\"1\"><Content>1</Content></ColorContent>"
              "</Program>";
        tinyxml2::XMLDocument doc;
        auto effect = NewEffect();
        effect->m_programType = 9;
        ReadColorEffectProgram(ParseElement(doc, text.c_str()), effect.get());
        EXPECT_EQ(effect->m_style, 0) << type;
        EXPECT_EQ(effect->m_programType, 9) << type;
        EXPECT_EQ(effect->m_templates.GetSize(), 0) << type;
    }
}

TEST(ColorEffectRecord, ColourTextsInDecimalHexAndGarbage)
{
    struct Case {
        const char* content;
        COLORREF color;
    };
    const Case cases[] = {
        { "<Content>255</Content>", 255 },
        { "<Content>0xFF</Content>", 255 },
        { "<Content>0x00ff00</Content>", 0x00FF00 },
        { "<Content>16711680</Content>", 0xFF0000 },
        { "<Content>red</Content>", 0 },
        { "<Content>0x</Content>", 0 },
        { "<Content/>", 0 },
        { "<Content><b>7</b></Content>", 0 },
    };
    std::string text = "<Program ProgramType=\"0\"><ColorContent PROP_COLOR_CHANGEMODE=\"0\">";
    for (const Case& c : cases)
        text += c.content;
    text += "</ColorContent><Other><Content>9</Content></Other></Program>";
    tinyxml2::XMLDocument doc;
    auto effect = NewEffect();
    ReadColorEffectProgram(ParseElement(doc, text.c_str()), effect.get());
    ASSERT_EQ(effect->m_templates.GetSize(), 1);
    const ColorList& colors = effect->m_templates[0]->m_colors;
    ASSERT_EQ(colors.GetSize(), static_cast<INT_PTR>(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(colors[static_cast<INT_PTR>(i)], cases[i].color) << cases[i].content;
}

TEST(ColorEffectRecord, MissingAttributesKeepValuesButFadesAndMirrorBecomeZero)
{
    tinyxml2::XMLDocument doc;
    auto effect = NewEffect();
    effect->m_style = 4;
    effect->m_zoomFactor = 2.0f;
    effect->m_orgFrames = 77;
    effect->m_fadeInTime = 3;
    effect->m_fadeOutTime = 4;
    effect->m_mirror = 2;
    effect->m_pNode->m_name = L"kept";
    effect->m_templates.Add(new ColorTemplate); // templates read are appended after it
    ReadColorEffectProgram(ParseElement(doc,
                               "<Program ProgramType=\"0\" PTYPE_EFFECT=\"\" PROP_PROG_FADEOUT_TIME=\"\">"
                               "<ColorContent/></Program>"),
        effect.get());
    EXPECT_EQ(effect->m_style, 4);
    EXPECT_FLOAT_EQ(effect->m_zoomFactor, 2.0f);
    EXPECT_EQ(effect->m_orgFrames, 77);
    EXPECT_EQ(effect->m_fadeInTime, 0);
    EXPECT_EQ(effect->m_fadeOutTime, 0);
    EXPECT_EQ(effect->m_mirror, 0);
    EXPECT_EQ(effect->m_pNode->m_name, L"kept");
    ASSERT_EQ(effect->m_templates.GetSize(), 2);
    EXPECT_EQ(effect->m_templates[1]->m_changeMode, 0);
}

TEST(ColorEffectRecord, NullArgumentsDoNothing)
{
    tinyxml2::XMLDocument doc;
    ReadColorEffectProgram(ParseElement(doc, "<Program ProgramType=\"0\"/>"), nullptr);
    ReadColorEffectProgram(nullptr, NewEffect().get());
    tinyxml2::XMLElement* parent = doc.NewElement("P");
    WriteColorEffectProgram(doc, parent, nullptr);
    EXPECT_EQ(parent->FirstChildElement(), nullptr);
}

} // namespace
