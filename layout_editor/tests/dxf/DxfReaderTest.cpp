// DXF import: reading, label numbering, radius, refusals and the drawings
// of common CAD programs.
#include <gtest/gtest.h>

#include "DxfReader.h"
#include "DxfTestUtil.h"
#include "EditorSettings.h"
#include "LampTypeList.h"

#include <commctrl.h>

namespace {

// Three ports in a row each: C1P1 (3 lamps), C1P2 (2 lamps), C2P1 (4 lamps).
void ThreeLabelDrawing(DxfDrawing& d, const char* a = "C1P1", const char* b = "C1P2", const char* c = "C2P1")
{
    d.Label(0, 8, a);
    d.Wire({ { 0, 8 }, { 2, 8 }, { 4, 8 } });
    d.Label(0, 4, b);
    d.Wire({ { 0, 4 }, { 2, 4 } });
    d.Label(0, 0, c);
    d.Wire({ { 0, 0 }, { 2, 0 }, { 4, 0 }, { 6, 0 } });
}

struct ImportResult {
    int result = 0;
    std::vector<WORD> controllers;
};

ImportResult Import(const DxfDrawing& d, CLayoutData& layout, std::initializer_list<WORD> list, int mode = 1,
    DxfReader* reader = nullptr, double factor = 1.0)
{
    ScratchFile file(L".dxf");
    file.Write(d.Build());
    TestControllers controllers(list);
    DxfReader own;
    DxfReader& r = reader ? *reader : own;
    ImportResult out;
    out.result = r.Parse(file, layout, controllers, mode, nullptr, factor);
    out.controllers = ToVector(controllers);
    return out;
}

class DxfReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorSettings();
        ResetLampTypeList();
    }
};

using Cells = std::vector<std::pair<int, int>>;

TEST_F(DxfReaderTest, ControllerAndPortLabelsFillTheirPorts)
{
    DxfDrawing d;
    ThreeLabelDrawing(d);
    CLayoutData layout;
    const ImportResult r = Import(d, layout, { 4 });
    ASSERT_EQ(0, r.result);
    EXPECT_EQ(8, layout.GetPortCount());
    EXPECT_EQ((std::vector<WORD> { 4, 4 }), r.controllers);
    EXPECT_EQ((std::vector<int> { 0, 1, 4 }), UsedPorts(layout));
    // Cell 2 units: x / 2 across, rows counted down from the top (y = 8).
    EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 2, 0 } }), PortCells(layout, 0));
    EXPECT_EQ((Cells { { 0, 2 }, { 1, 2 } }), PortCells(layout, 1));
    EXPECT_EQ((Cells { { 0, 4 }, { 1, 4 }, { 2, 4 }, { 3, 4 } }), PortCells(layout, 4));
    EXPECT_EQ(4, layout.m_width);
    EXPECT_EQ(5, layout.m_height);
    // Normalised positions sit on the cell centres.
    const CLPoint& p = layout.GetPort(4).GetPoint(3);
    EXPECT_DOUBLE_EQ(3.5 / 4, p.m_normX);
    EXPECT_DOUBLE_EQ(4.5 / 5, p.m_normY);
    EXPECT_EQ(CString(L"RGB"), layout.GetPort(0).m_lampFormat);
}

TEST_F(DxfReaderTest, LabelTables)
{
    struct Case {
        std::vector<std::string> labels;
        WORD firstEntry;
        int ports;
        std::vector<WORD> controllers;
    };
    const Case cases[] = {
        // Port-only labels: ceil(10 / 8) controllers of the default size.
        { { "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9", "P10" }, 8, 16, { 8, 8 } },
        // A port number above the default widens every controller.
        { { "C1P12" }, 8, 12, { 12 } },
        { { "C3P2", "C1P1" }, 4, 12, { 4, 4, 4 } },
        // Lower case is taken as upper case.
        { { "c2p3" }, 4, 8, { 4, 4 } },
    };
    for (const Case& c : cases) {
        DxfDrawing d;
        double y = 0;
        for (const std::string& label : c.labels) {
            d.Label(0, y, label);
            d.Wire({ { 0, y }, { 2, y } });
            y += 4;
        }
        CLayoutData layout;
        const ImportResult r = Import(d, layout, { c.firstEntry });
        ASSERT_EQ(0, r.result) << c.labels[0];
        EXPECT_EQ(c.ports, layout.GetPortCount()) << c.labels[0];
        EXPECT_EQ(c.controllers, r.controllers) << c.labels[0];
        EXPECT_EQ(static_cast<int>(c.labels.size()), layout.GetUsedCount()) << c.labels[0];
    }
}

TEST_F(DxfReaderTest, CleanUpDropsBadLabels)
{
    DxfDrawing d;
    const char* labels[]
        = { "C1P1", "C0P1", "P0", "CP1", "AP1", "P", "c2p3", "C1", "Lamp", "P123456789012345678901234567890" };
    double y = 0;
    for (const char* label : labels) {
        d.Label(0, y, label);
        d.Wire({ { 0, y }, { 2, y } });
        y += 4;
    }
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, { 4 }, 1, &reader).result);
    std::vector<std::wstring> kept;
    for (const DxfText& t : reader.GetTexts())
        kept.emplace_back(t.text);
    EXPECT_EQ((std::vector<std::wstring> { L"C1P1", L"C2P3" }), kept);
    EXPECT_EQ(1, reader.GetLabelKind());
    EXPECT_EQ((std::vector<int> { 0, 6 }), UsedPorts(layout));
}

TEST_F(DxfReaderTest, PortOrControllerBelowOneIsSkipped)
{
    DxfDrawing d;
    d.Label(0, 0, "C1P1");
    d.Wire({ { 0, 0 }, { 2, 0 } });
    // Would land on port 3 (the last of controller 1) if it were counted.
    d.Label(0, 4, "C2P0");
    d.Wire({ { 0, 4 }, { 2, 4 } });
    d.Label(0, 8, "C1P-2");
    d.Wire({ { 0, 8 }, { 2, 8 } });
    CLayoutData layout;
    const ImportResult r = Import(d, layout, { 4 });
    ASSERT_EQ(0, r.result);
    EXPECT_EQ((std::vector<int> { 0 }), UsedPorts(layout));
    // Controller 2 is named only by the skipped label.
    EXPECT_EQ((std::vector<WORD> { 4 }), r.controllers);
}

TEST_F(DxfReaderTest, RadiusBases)
{
    struct Case {
        int basis;
        double blockCircle;
        double radius;
    };
    const Case cases[] = { { 0, 0, 5 }, { 1, 0, 3 }, { 2, 0, 5 }, { 0, 7, 7 }, { 1, 7, 3 }, { 2, 2, 5 } };
    for (const Case& c : cases) {
        DxfDrawing d;
        d.AddPreamble(c.blockCircle);
        d.Label(0, 0, "P1");
        d.Line(0, 0, 20, 0);
        d.Circle(0, 0, 5);
        d.Circle(20, 0, 3);
        d.Circle(40, 0, 4);
        CLayoutData layout;
        DxfReader reader;
        reader.m_radiusBasis = c.basis;
        ASSERT_EQ(0, Import(d, layout, { 8 }, 1, &reader).result);
        EXPECT_DOUBLE_EQ(c.radius, reader.GetRadius()) << c.basis << " " << c.blockCircle;
        EXPECT_DOUBLE_EQ(2 * c.radius, reader.GetCell());
    }
}

TEST_F(DxfReaderTest, EllipseGivesItsMajorAxisAsRadius)
{
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Line(0, 0, 4, 0);
    d.Ellipse(0, 0, 2.5);
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, { 8 }, 1, &reader).result);
    EXPECT_DOUBLE_EQ(2.5, reader.GetRadius());
    EXPECT_EQ(1u, reader.GetCircles().size());
}

TEST_F(DxfReaderTest, FactorScalesTheCells)
{
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Wire({ { 0, 0 }, { 4, 0 }, { 8, 0 } });
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, { 8 }, 1, &reader, 2.0).result);
    EXPECT_DOUBLE_EQ(4.0, reader.GetCell());
    EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 2, 0 } }), PortCells(layout, 0));
}

// Refusals: the layout and the controller list stay as they were.
TEST_F(DxfReaderTest, RefusedDrawingsLeaveTheLayoutUntouched)
{
    struct Case {
        const char* name;
        std::string text;
        WORD firstEntry;
        double factor;
    };
    DxfDrawing good;
    ThreeLabelDrawing(good);
    DxfDrawing noCircles;
    noCircles.Label(0, 0, "C1P1");
    noCircles.Line(0, 0, 2, 0);
    DxfDrawing noText;
    noText.Wire({ { 0, 0 }, { 2, 0 } });
    DxfDrawing tooMany; // 5121 ports in one controller
    tooMany.Label(0, 0, "C1P5121");
    tooMany.Wire({ { 0, 0 }, { 2, 0 } });
    DxfDrawing tooManyControllers; // 600 controllers of 9 ports
    tooManyControllers.Label(0, 0, "C600P9");
    tooManyControllers.Wire({ { 0, 0 }, { 2, 0 } });
    std::string noEntities = good.Build();
    noEntities.replace(noEntities.find("ENTITIES"), 8, "ENTITIEZ");
    const Case cases[] = {
        { "no ENTITIES", noEntities, 4, 1.0 },
        { "no circle", noCircles.Build(), 4, 1.0 },
        { "no text", noText.Build(), 4, 1.0 },
        { "factor 0", good.Build(), 4, 0.0 },
        { "factor below 0", good.Build(), 4, -1.0 },
        { "first entry 0", good.Build(), 0, 1.0 },
        { "5121 ports", tooMany.Build(), 4, 1.0 },
        { "5400 ports", tooManyControllers.Build(), 9, 1.0 },
        { "empty file", "", 4, 1.0 },
    };
    for (const Case& c : cases) {
        ScratchFile file(L".dxf");
        file.Write(c.text);
        CLayoutData layout;
        layout.ResetPorts(3, 100, CString(L"RGB"), 0);
        const CLPoint lamp(5, 6);
        layout.GetPort(1).InsertPoints(&lamp, 1);
        layout.MarkPortUsed(1);
        layout.m_width = 33;
        layout.m_height = 44;
        TestControllers controllers({ c.firstEntry, 1, 1 });
        DxfReader reader;
        EXPECT_EQ(-1, reader.Parse(file, layout, controllers, 1, nullptr, c.factor)) << c.name;
        EXPECT_EQ(3, layout.GetPortCount()) << c.name;
        EXPECT_EQ(1, layout.GetPort(1).GetCount()) << c.name;
        EXPECT_EQ((std::vector<int> { 1 }), UsedPorts(layout)) << c.name;
        EXPECT_EQ(33, layout.m_width) << c.name;
        EXPECT_EQ(44, layout.m_height) << c.name;
        EXPECT_EQ((std::vector<WORD> { c.firstEntry, 1, 1 }), ToVector(controllers)) << c.name;
    }
    CLayoutData layout;
    TestControllers controllers({ 4 });
    DxfReader reader;
    EXPECT_EQ(-1, reader.Parse(L"Z:\\no\\such\\drawing.dxf", layout, controllers, 1, nullptr, 1.0));
    CControllerList empty;
    ScratchFile file(L".dxf");
    file.Write(good.Build());
    EXPECT_EQ(-1, reader.Parse(file, layout, empty, 1, nullptr, 1.0));
    EXPECT_EQ(8, layout.GetPortCount());
}

// A tiny drawing (under 256 bytes) drives a real progress bar to the end.
TEST_F(DxfReaderTest, SmallFileDrivesTheProgressBar)
{
    INITCOMMONCONTROLSEX init { sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS };
    ::InitCommonControlsEx(&init);
    HWND bar = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr, nullptr, nullptr);
    if (bar == nullptr)
        GTEST_SKIP() << "no display for a progress bar";
    const std::string text = "0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n-1\n20\n0\n1\nP1\n0\nLINE\n10\n0\n20\n0\n30\n0\n"
                             "11\n-1\n21\n0\n0\nCIRCLE\n10\n0\n20\n0\n30\n0\n40\n1\n0\nEOF\n";
    ASSERT_LT(text.size(), 256u);
    ScratchFile file(L".dxf");
    file.Write(text);
    CLayoutData layout;
    TestControllers controllers({ 8 });
    DxfReader reader;
    EXPECT_EQ(0, reader.Parse(file, layout, controllers, 1, bar, 1.0));
    EXPECT_EQ((Cells { { 0, 0 } }), PortCells(layout, 0));
    // The builders leave the bar at the count of labels.
    EXPECT_EQ(1, static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0)));
    ::DestroyWindow(bar);
}

// Files as CAD programs write them: header, tables and blocks with circles
// before the entities, padded group codes, CR LF, handles and subclass
// markers, layers and extra TEXT groups.
TEST_F(DxfReaderTest, DrawingsOfCadPrograms)
{
    for (int style = 0; style < 4; ++style) {
        DxfDrawing d;
        d.m_crlf = (style & 1) != 0;
        d.m_padCodes = true;
        d.m_cadStyle = true;
        d.AddPreamble(style >= 2 ? 9.0 : 0.0);
        d.m_layer = "Labels";
        d.Label(0, 8, "C1P1");
        d.m_layer = "Lamps";
        d.Circle(0, 8, 1);
        d.Circle(2, 8, 1);
        d.Circle(4, 8, 1);
        d.m_layer = "Wires";
        d.Line(0, 8, 2, 8);
        d.Line(2, 8, 4, 8);
        d.m_layer = "Labels";
        d.Label(0, 0, "C1P2");
        d.m_layer = "Lamps";
        d.Circle(0, 0, 1);
        d.Circle(2, 0, 1);
        d.m_layer = "Wires";
        d.Line(2, 0, 0, 0); // drawn backwards
        CLayoutData layout;
        DxfReader reader;
        reader.m_radiusBasis = 1; // the smallest: the block's larger circle does not count
        ASSERT_EQ(0, Import(d, layout, { 4 }, 1, &reader).result) << style;
        EXPECT_DOUBLE_EQ(1.0, reader.GetRadius()) << style;
        EXPECT_EQ((std::vector<int> { 0, 1 }), UsedPorts(layout)) << style;
        EXPECT_EQ((Cells { { 0, 0 }, { 1, 0 }, { 2, 0 } }), PortCells(layout, 0)) << style;
        EXPECT_EQ((Cells { { 0, 4 }, { 1, 4 } }), PortCells(layout, 1)) << style;
    }
}

TEST_F(DxfReaderTest, LabelOnNoLineEndBuildsNoPort)
{
    DxfDrawing d;
    d.Label(0, 0, "P1");
    d.Wire({ { 0, 0 }, { 2, 0 } });
    d.Text(50, 50, "P2"); // floating, far from every line
    d.Circle(50, 60, 1);
    CLayoutData layout;
    DxfReader reader;
    ASSERT_EQ(0, Import(d, layout, { 8 }, 1, &reader).result);
    EXPECT_EQ((std::vector<int> { 0 }), UsedPorts(layout));
    EXPECT_EQ(0, layout.GetPort(1).GetCount());
    EXPECT_FALSE(reader.GetTexts()[1].snapped);
}

TEST_F(DxfReaderTest, ThreeDimensionalReadingNumbersPortsAndLeavesThemEmpty)
{
    for (int view = 0; view < 2; ++view) {
        std::string text = "0\nSECTION\n2\nENTITIES\n";
        auto text3 = [&](double x, double y, double z, const char* label) {
            char b[256];
            std::snprintf(b, sizeof b, "0\nTEXT\n8\n0\n10\n%f\n20\n%f\n30\n%f\n40\n1.0\n1\n%s\n", x, y, z, label);
            text += b;
        };
        auto line3 = [&](double x1, double y1, double z1, double x2, double y2, double z2) {
            char b[256];
            std::snprintf(
                b, sizeof b, "0\nLINE\n8\n0\n10\n%f\n20\n%f\n30\n%f\n11\n%f\n21\n%f\n31\n%f\n", x1, y1, z1, x2, y2, z2);
            text += b;
        };
        text += "0\nCIRCLE\n8\n0\n10\n0\n20\n0\n30\n0\n40\n2\n";
        text3(-1, 0, 5, "c1p1");
        line3(0, 0, 0, -1, 0, 5);
        text3(-1, 0, 9, "c2p3");
        line3(0, 2, 4, -1, 0, 9);
        text += "0\nENDSEC\n0\nEOF\n";
        ScratchFile file(L".dxf");
        file.Write(text);
        CLayoutData layout;
        TestControllers controllers({ 2 });
        DxfReader reader;
        ASSERT_EQ(0, reader.Parse3D(file, layout, controllers, view, nullptr));
        EXPECT_EQ(1, reader.GetLabelKind());
        EXPECT_EQ(6, layout.GetPortCount());
        EXPECT_EQ((std::vector<WORD> { 3, 3 }), ToVector(controllers));
        EXPECT_EQ(0, layout.GetUsedCount());
        EXPECT_DOUBLE_EQ(2.0, reader.GetRadius());
        // Snapped onto the far ends: front view keeps y, top view takes z.
        ASSERT_EQ(2u, reader.GetTexts().size());
        EXPECT_TRUE(reader.GetTexts()[1].snapped);
        EXPECT_DOUBLE_EQ(view == 0 ? 2.0 : 4.0, reader.GetTexts()[1].y);
    }
}

} // namespace

TEST_F(DxfReaderTest, MorePortsPerControllerThanAllowedAreRefusedBeforeTheLayoutChanges)
{
    DxfDrawing d;
    ThreeLabelDrawing(d, "C1P1", "C1P256", "C2P1");
    CLayoutData layout;
    ASSERT_TRUE(layout.ResetPorts(3, 16, L"RGB", 0));
    DxfReader reader;
    reader.m_maxPortsPerController = 255;
    const ImportResult refused = Import(d, layout, { 4 }, 1, &reader);
    EXPECT_EQ(DxfReader::kTooManyPorts, refused.result);
    EXPECT_EQ((std::vector<WORD> { 4 }), refused.controllers);
    EXPECT_EQ(3, layout.GetPortCount());
    EXPECT_EQ(16, layout.GetPort(0).GetCapacity());

    // 255 ports fit; without a limit 256 are read as before.
    DxfDrawing fits;
    ThreeLabelDrawing(fits, "C1P1", "C1P255", "C2P1");
    EXPECT_EQ(0, Import(fits, layout, { 4 }, 1, &reader).result);
    const ImportResult open = Import(d, layout, { 4 });
    EXPECT_EQ(0, open.result);
    EXPECT_EQ((std::vector<WORD> { 256, 256 }), open.controllers);
}
