// DXF export: entity texts, the whole file of a small layout byte for byte,
// refusals, and export followed by import.
#include <gtest/gtest.h>

#include <fw_replacefile.h>

#include "DxfExporter.h"
#include "DxfReader.h"
#include "DxfTestUtil.h"
#include "EditorSettings.h"
#include "LampTypeList.h"
#include "LayoutMessages.h"

namespace {

std::vector<std::wstring> g_messages;
void RecordMessage(LPCWSTR text, LPCWSTR)
{
    g_messages.emplace_back(text);
}

class DxfExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorSettings();
        ResetLampTypeList();
        g_messages.clear();
        m_previous = SetLayoutMessageHandler(&RecordMessage);
    }
    void TearDown() override { SetLayoutMessageHandler(m_previous); }

    LayoutMessageHandler m_previous = nullptr;
};

void AddLamps(CLayoutData& layout, int port, std::initializer_list<std::pair<int, int>> cells)
{
    for (const auto& c : cells) {
        CLPoint p(c.first, c.second);
        p.m_normX = (c.first + 0.5) / layout.m_width;
        p.m_normY = (c.second + 0.5) / layout.m_height;
        layout.GetPort(port).InsertPoints(&p, 1);
    }
    layout.MarkPortUsed(port);
}

TEST_F(DxfExportTest, EntityTexts)
{
    EXPECT_EQ("0\nCIRCLE\n8\n0\n62\n7\n6\nCONTINUOUS\n10\n12.500000\n20\n-3.000000\n30\n0\n40\n0.100000\n",
        DxfExporter::FormatCircle(12.5, -3, 0.1));
    EXPECT_EQ("0\nLINE\n8\n0\n62\n1\n6\nCONTINUOUS\n10\n1.000000\n20\n2.000000\n30\n0\n11\n3.000000\n21\n4.000000\n"
              "31\n0\n39\n0.000\n",
        DxfExporter::FormatLine(1, 2, 3, 4, 0));
    EXPECT_EQ("0\nTEXT\n8\n0\n62\n3\n10\n1.000000\n20\n2.000000\n30\n0\n40\n0.500000\n1\nc1p1\n",
        DxfExporter::FormatText("c1p1", 1, 2, 0.5, 0));
    EXPECT_EQ("0\nTEXT\n8\n0\n62\n3\n10\n1.000000\n20\n2.000000\n30\n0\n40\n0.500000\n1\n7\n50\n90.000000\n",
        DxfExporter::FormatText("7", 1, 2, 0.5, 90));
}

TEST_F(DxfExportTest, RadiusAndLabels)
{
    EXPECT_DOUBLE_EQ(5.0, DxfExporter::RadiusFor(3000, 256, 128));
    EXPECT_DOUBLE_EQ(5.0, DxfExporter::RadiusFor(12000, 256, 128));
    EXPECT_DOUBLE_EQ(4.9, DxfExporter::RadiusFor(17000, 256, 128));
    EXPECT_DOUBLE_EQ(0.1, DxfExporter::RadiusFor(300000, 256, 128));
    EXPECT_DOUBLE_EQ(0.1, DxfExporter::RadiusFor(10, 2049, 128));
    EXPECT_DOUBLE_EQ(0.1, DxfExporter::RadiusFor(10, 20, 2049));
    TestControllers list({ 8, 8 });
    EXPECT_EQ("c2p2", DxfExporter::PortLabel(9, list));
    EXPECT_EQ("c1p1", DxfExporter::PortLabel(0, list));
    EXPECT_EQ("c1p8", DxfExporter::PortLabel(7, list));
    EXPECT_EQ("c2p1", DxfExporter::PortLabel(8, list));
}

TEST_F(DxfExportTest, FixedPartsFrameTheEntities)
{
    DxfExporter e;
    const std::string& tables = e.GetTables();
    EXPECT_EQ(0u, tables.find("0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nVPORT\n70\n2\n0\nVPORT\n2\n*ACTIVE\n70\n0\n"));
    EXPECT_NE(std::string::npos, tables.find("12\n1044.517924691618\n22\n593.10166070817399\n"));
    EXPECT_NE(std::string::npos, tables.find("0\nLAYER\n2\n0\n70\n0\n62\n7\n6\nCONTINUOUS\n0\nENDTAB\n"));
    EXPECT_NE(std::string::npos, tables.find("3\ntxt\n4\ngbcbig.shx\n0\nENDTAB\n"));
    EXPECT_NE(std::string::npos, tables.find("0\nDIMSTYLE\n2\nISO-25\n70\n0\n3\n\n4\n\n5\n\n6\n\n7\n\n40\n1.0\n"));
    EXPECT_NE(std::string::npos,
        tables.find("0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\n$MODEL_SPACE\n"));
    const std::string paperEnd = "0\nENDBLK\n5\nD5\n67\n1\n8\n0\n";
    EXPECT_EQ(tables.size() - paperEnd.size(), tables.rfind(paperEnd));
    EXPECT_EQ("0\nSECTION\n2\nENTITIES\n", e.GetEntitiesOpener());
    EXPECT_EQ("0\nENDSEC\n", e.GetTextBlocks());
    EXPECT_EQ("0\nENDSEC\n0\nEOF", e.GetClosing());
}

TEST_F(DxfExportTest, TwoLampPortByteForByte)
{
    CLayoutData layout;
    layout.ResetPorts(2, 16, CString(L"RGB"), 0);
    AddLamps(layout, 1, { { 0, 0 }, { 1, 0 } });
    TestControllers controllers({ 2 });
    for (int numbers = 0; numbers < 2; ++numbers) {
        ScratchFile file(L".dxf");
        ASSERT_EQ(1, ExportDxf(file, layout, controllers, numbers != 0, nullptr));
        // Two lamps: radius 5 (limited from 5.2), cell 10.
        std::string entities
            = "0\nCIRCLE\n8\n0\n62\n7\n6\nCONTINUOUS\n10\n0.000000\n20\n0.000000\n30\n0\n40\n5.000000\n"
              "0\nTEXT\n8\n0\n62\n3\n10\n-4.500000\n20\n-1.250000\n30\n0\n40\n2.500000\n1\nc1p2\n";
        if (numbers)
            entities += "0\nTEXT\n8\n0\n62\n3\n10\n-3.500000\n20\n-1.250000\n30\n0\n40\n2.500000\n1\n1\n";
        entities += "0\nLINE\n8\n0\n62\n1\n6\nCONTINUOUS\n10\n0.000000\n20\n0.000000\n30\n0\n11\n-4.500000\n21\n"
                    "-1.250000\n31\n0\n39\n0.000\n"
                    "0\nCIRCLE\n8\n0\n62\n7\n6\nCONTINUOUS\n10\n10.000000\n20\n0.000000\n30\n0\n40\n5.000000\n"
                    "0\nLINE\n8\n0\n62\n1\n6\nCONTINUOUS\n10\n0.000000\n20\n0.000000\n30\n0\n11\n10.000000\n21\n"
                    "0.000000\n31\n0\n39\n0.000\n";
        if (numbers)
            entities += "0\nTEXT\n8\n0\n62\n3\n10\n6.500000\n20\n-1.250000\n30\n0\n40\n2.500000\n1\n2\n";
        DxfExporter parts;
        const std::string expected = parts.GetTables() + parts.GetDimensionBlocks() + parts.GetTextBlocks()
            + "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF";
        EXPECT_EQ(expected, file.Read()) << numbers;
    }
}

TEST_F(DxfExportTest, FreePositionsWhenNotAlignedToGrid)
{
    AlignToGrid = 0;
    CLayoutData layout;
    layout.m_width = 10;
    layout.m_height = 4;
    layout.ResetPorts(1, 16, CString(L"RGB"), 0);
    CLPoint p(3, 1);
    p.m_normX = 0.25;
    p.m_normY = 0.75;
    layout.GetPort(0).InsertPoints(&p, 1);
    layout.MarkPortUsed(0);
    ScratchFile file(L".dxf");
    ASSERT_EQ(1, ExportDxf(file, layout, TestControllers({ 1 }), false, nullptr));
    // X = 10 * 0.25 * 10, Y = (1 - 0.75) * 4 * 10.
    EXPECT_NE(
        std::string::npos, file.Read().find("0\nCIRCLE\n8\n0\n62\n7\n6\nCONTINUOUS\n10\n25.000000\n20\n10.000000\n"));
}

TEST_F(DxfExportTest, FailuresLeaveTheTargetAsItWas)
{
    ScratchFile target(L".dxf");
    target.Write("old drawing");
    CLayoutData empty; // no used port
    EXPECT_EQ(0, ExportDxf(target, empty, TestControllers({ 8 }), false, nullptr));
    EXPECT_EQ("old drawing", target.Read());
    EXPECT_TRUE(g_messages.empty());

    CLayoutData layout;
    AddLamps(layout, 0, { { 1, 1 } });
    EXPECT_EQ(0, ExportDxf(L"Z:\\no\\such\\folder\\out.dxf", layout, TestControllers({ 8 }), false, nullptr));
    ASSERT_EQ(1u, g_messages.size());
    EXPECT_EQ(std::wstring(kDxfWriteFailedText), g_messages[0]);

    // The target is a folder: it cannot be replaced, and no temporary file
    // is left beside it.
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    CString dir;
    dir.Format(L"%sdxf_export_dir_%lu", folder, ::GetCurrentProcessId());
    ::CreateDirectoryW(dir, nullptr);
    EXPECT_EQ(0, ExportDxf(dir, layout, TestControllers({ 8 }), false, nullptr));
    EXPECT_EQ(2u, g_messages.size());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(AfxReplacementTempPath(dir)));
    ::RemoveDirectoryW(dir);
}

TEST_F(DxfExportTest, ExportThenImportGivesTheSamePorts)
{
    for (int numbers = 0; numbers < 2; ++numbers) {
        CLayoutData layout;
        layout.ResetPorts(8, 64, CString(L"RGB"), 0);
        AddLamps(layout, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 1 }, { 3, 2 } });
        AddLamps(layout, 5, { { 6, 6 }, { 5, 6 }, { 4, 6 } });
        AddLamps(layout, 2, { { 0, 9 } });
        AddLamps(layout, 7, { { 8, 3 }, { 8, 4 }, { 9, 4 }, { 9, 3 } });
        TestControllers exported({ 4, 4 });
        ScratchFile file(L".dxf");
        ASSERT_EQ(1, ExportDxf(file, layout, exported, numbers != 0, nullptr));

        CLayoutData back;
        TestControllers controllers({ 4 });
        DxfReader reader;
        ASSERT_EQ(0, reader.Parse(file, back, controllers, DxfReader::kEndpointMode, nullptr, 1.0));
        EXPECT_EQ((std::vector<WORD> { 4, 4 }), ToVector(controllers));
        ASSERT_EQ(8, back.GetPortCount());
        EXPECT_EQ((std::vector<int> { 0, 5, 2, 7 }), UsedPorts(back));
        for (int port : { 0, 2, 5, 7 })
            EXPECT_EQ(PortCells(layout, port), PortCells(back, port)) << port;
        EXPECT_EQ(10, back.m_width);
        EXPECT_EQ(10, back.m_height);
    }
}

} // namespace
