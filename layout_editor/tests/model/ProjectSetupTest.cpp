// Project set-up without windows: lamp capacity per port, the lamp format
// list after the settings dialog's OK, the typed port data offset, the ports
// of a new or re-configured project, the light-box plan and the wiring order
// of the style pictures.
#include <gtest/gtest.h>

#include <functional>

#include "LightBoxPlan.h"
#include "ModelTestUtil.h"
#include "ProjectSetup.h"
#include "WiringOrder.h"

namespace {

std::vector<CString> ListOf(const CStringArray& list)
{
    std::vector<CString> out;
    for (int i = 0; i < list.GetSize(); ++i)
        out.push_back(list.GetAt(i));
    return out;
}

TEST(ProjectSetupTest, PointsPerPortFollowTheLampFormatUnlessTheMaximumIsAllowed)
{
    struct Case {
        int channels;
        const wchar_t* format;
        bool allowMax;
        int points;
    } cases[] = {
        { 2048, L"RGB", false, 682 },
        { 2048, L"RGB", true, 2048 },
        { 512, L"RGBW", false, 128 },
        { 510, L"R1G1B1R2G2B2", false, 85 }, // digits are no letters
        { 512, L"", false, 512 }, // no letters: one channel a lamp, no division by zero
        { 6000, L"RGB", true, 3072 }, // a port's maximum
        { 0, L"RGB", false, 1 },
        { 2, L"RGB", false, 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointsPerPort(c.channels, c.format, c.allowMax), c.points) << c.channels << " " << c.allowMax;
}

TEST(ProjectSetupTest, ANewLampFormatReplacesTheDefaultOnceAndIsAppendedLater)
{
    // First OK with a new format while the list holds only RGB: replaced.
    CStringArray list;
    list.Add(L"RGB");
    BYTE stillDefault = 1;
    EXPECT_TRUE(TakeChosenLampFormat(list, L"GRB", stillDefault));
    EXPECT_EQ(ListOf(list), (std::vector<CString> { L"GRB" }));
    EXPECT_EQ(stillDefault, 0);
    EXPECT_TRUE(TakeChosenLampFormat(list, L"RGBW", stillDefault));
    EXPECT_EQ(ListOf(list), (std::vector<CString> { L"GRB", L"RGBW" }));

    // A first OK that keeps RGB uses up the replacement.
    list.RemoveAll();
    list.Add(L"RGB");
    stillDefault = 1;
    EXPECT_FALSE(TakeChosenLampFormat(list, L"RGB", stillDefault));
    EXPECT_EQ(stillDefault, 0);
    EXPECT_TRUE(TakeChosenLampFormat(list, L"rgb", stillDefault)); // letter case counts
    EXPECT_EQ(ListOf(list), (std::vector<CString> { L"RGB", L"rgb" }));

    // More than one entry at the first OK: appended.
    stillDefault = 1;
    EXPECT_TRUE(TakeChosenLampFormat(list, L"BGR", stillDefault));
    EXPECT_EQ(list.GetSize(), 3);
}

TEST(ProjectSetupTest, PortDataOffsetTexts)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* unit;
        int offset;
    } cases[] = {
        { L"3位", L"位", 3 },
        { L" 7 ", L"位", 7 },
        { L"abc", L"位", 0 },
        { L"10 bytes", L" bytes", 10 },
        { L"4 octets", L" octets", 4 },
        { L"1 0位", L"位", 10 },
        { L"-2位", L"位", 0 },
        { L"", L"位", 0 },
        { L"99999999999", L"", 0x7FFFFFFF },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParsePortDataOffset(c.text, c.unit), c.offset) << CStringA(c.text).GetString();
}

class SetUpPortsTest : public ::testing::Test {
protected:
    // Two controllers of 8 ports, lamps on ports 0 and 15.
    void SetUp() override
    {
        ASSERT_TRUE(SetUpProjectPorts(model, settings, Setup(8, 2, 100), false));
        Fill(model, 0, { Pt(0, 0), Pt(1, 0) });
        Fill(model, 15, { Pt(5, 5) });
    }
    static PortSetup Setup(int ppc, int controllers, int points)
    {
        PortSetup s;
        s.portsPerController = ppc;
        s.controllersUsed = controllers;
        s.pointsPerPort = points;
        return s;
    }
    std::vector<int> Controllers() const
    {
        std::vector<int> out;
        for (int i = 0; i < settings.m_controllers.GetSize(); ++i)
            out.push_back(settings.m_controllers.GetAt(i));
        return out;
    }
    CLayoutData model;
    CLayoutProjectSettings settings;
};

TEST_F(SetUpPortsTest, ANewProjectGetsEmptyPortsOfTheChosenSize)
{
    EXPECT_EQ(model.GetPortCount(), 16);
    EXPECT_EQ(model.GetPort(3).GetCapacity(), 100);
    EXPECT_EQ(Controllers(), (std::vector<int> { 8, 8 }));
    EXPECT_EQ(settings.m_controllerCount, 2);
}

TEST_F(SetUpPortsTest, FromTheCommandFewerEqualOrMoreControllers)
{
    struct Case {
        int ppc;
        int controllers;
        int ports;
        std::vector<int> counts;
        int lampsOfPort15; // -1: the port is gone
    } cases[] = {
        { 8, 1, 8, { 8 }, -1 }, // fewer: ports past the new count go
        { 8, 2, 16, { 8, 8 }, 1 }, // equal
        { 8, 3, 24, { 8, 8, 8 }, 1 }, // more: empty ports appended
        { 4, 2, 16, { 4, 4, 4, 4 }, 1 }, // same count, fewer ports each: all kept
        { 5, 2, 20, { 5, 5, 5, 5 }, 1 }, // 16 / 5: a fourth controller, filled up
    };
    for (const Case& c : cases) {
        SetUp();
        ASSERT_TRUE(SetUpProjectPorts(model, settings, Setup(c.ppc, c.controllers, 200), true)) << c.ppc;
        EXPECT_EQ(model.GetPortCount(), c.ports) << c.ppc << "x" << c.controllers;
        EXPECT_EQ(Controllers(), c.counts) << c.ppc << "x" << c.controllers;
        EXPECT_EQ(model.GetPort(0).GetCount(), 2);
        EXPECT_EQ(model.GetPort(0).GetCapacity(), 200); // grown to the points per port
        if (c.lampsOfPort15 >= 0) {
            EXPECT_EQ(model.GetPort(15).GetCount(), c.lampsOfPort15);
        }
        EXPECT_EQ(model.GetPort(c.ports - 1).GetCapacity(), 200);
    }
}

TEST_F(SetUpPortsTest, ImpossibleSetUpsChangeNothing)
{
    const PortSetup bad[] = { Setup(0, 2, 100), Setup(8, 0, 100), Setup(8, -1, 100), Setup(8, 2, 0), Setup(256, 1, 100),
        Setup(16, 321, 100) };
    for (const PortSetup& s : bad) {
        for (bool fromCommand : { false, true }) {
            EXPECT_FALSE(SetUpProjectPorts(model, settings, s, fromCommand));
            EXPECT_EQ(model.GetPortCount(), 16);
            EXPECT_EQ(Controllers(), (std::vector<int> { 8, 8 }));
            EXPECT_EQ(model.GetPort(0).GetCount(), 2);
        }
    }
}

TEST(ProjectSetupTest, ANewLampFormatGoesToThePortsOfTheReplacedFormat)
{
    CStringArray list;
    list.Add(L"RGB");
    list.Add(L"RGBW");
    list.Add(L"GRB");
    CLayoutData model;
    ASSERT_TRUE(model.ResetPorts(3, 10, L"RGB", 0));
    model.GetPort(1).m_lampFormatIndex = 1;
    model.GetPort(1).m_lampFormat = L"RGBW";
    ReplacePortLampFormat(model, list, 1, 2);
    EXPECT_EQ(model.GetPort(0).m_lampFormatIndex, 0);
    EXPECT_EQ(model.GetPort(1).m_lampFormatIndex, 2);
    EXPECT_EQ(model.GetPort(1).m_lampFormat, L"GRB");
    ReplacePortLampFormat(model, list, -1, 1); // every port
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(model.GetPort(p).m_lampFormat, L"RGBW");
    ReplacePortLampFormat(model, list, -1, 3); // not listed: nothing
    EXPECT_EQ(model.GetPort(0).m_lampFormatIndex, 1);
}

TEST(LightBoxPlanTest, PortsAndControllers)
{
    LightBoxValues v;
    v.columns = 38;
    v.rows = 64;
    v.perPort = 1;
    v.style = 3;
    LightBoxPlan plan = PlanLightBox(v, 8);
    EXPECT_EQ(plan.portsNeeded, 38);
    EXPECT_EQ(plan.controllers, 5);
    EXPECT_EQ(plan.gridRows, 64);
    EXPECT_EQ(plan.gridColumns, 1);
    v.style = 1;
    v.perPort = 3;
    plan = PlanLightBox(v, 8);
    EXPECT_EQ(plan.portsNeeded, 22); // 64 rows, 3 a port
    EXPECT_EQ(plan.controllers, 3);
    EXPECT_EQ(plan.gridRows, 3);
    EXPECT_EQ(plan.gridColumns, 38);
}

TEST(LightBoxPlanTest, DropCellAndTrimOfEachStyle)
{
    // 4 columns, 3 rows, spacing 2 and 1, margins 5 and 7 on a 40 x 30 canvas:
    // Xe = 4 + 3 * 2 + 5 - 1 = 14, Ye = 3 + 2 * 1 + 7 - 1 = 11.
    LightBoxValues v;
    v.width = 40;
    v.height = 30;
    v.columns = 4;
    v.rows = 3;
    v.columnSpacing = 2;
    v.rowSpacing = 1;
    v.left = 5;
    v.top = 7;
    struct Case {
        int style;
        int flip;
        CPoint drop;
        CRect trim;
    } cases[] = {
        { 1, 0, CPoint(5, 7), CRect(5, 12, 39, 29) },
        { 1, 1, CPoint(14, 7), CRect(5, 12, 39, 29) },
        { 2, 0, CPoint(5, 11), CRect(0, 0, 14, 6) },
        { 2, 1, CPoint(14, 11), CRect(0, 0, 14, 6) },
        { 3, 0, CPoint(5, 11), CRect(15, 0, 39, 29) },
        { 3, 1, CPoint(5, 7), CRect(15, 0, 39, 29) },
        { 4, 0, CPoint(14, 11), CRect(0, 0, 4, 29) },
        { 4, 1, CPoint(14, 7), CRect(0, 0, 4, 29) },
    };
    for (const Case& c : cases) {
        v.style = c.style;
        v.flip = c.flip;
        const LightBoxPlan plan = PlanLightBox(v, 8);
        EXPECT_EQ(plan.drop, c.drop) << c.style << " " << c.flip;
        EXPECT_TRUE(plan.hasTrim);
        EXPECT_EQ(plan.trim, c.trim) << c.style;
    }
    // No margin left beyond the grid: nothing is trimmed (the strip would
    // otherwise turn round onto the grid's own first row or column).
    v.top = 0;
    v.style = 2;
    EXPECT_FALSE(PlanLightBox(v, 8).hasTrim);
    v.left = 0;
    v.style = 4;
    EXPECT_FALSE(PlanLightBox(v, 8).hasTrim);
    v.style = 1;
    v.top = 7;
    v.height = 12; // Ye = 11 is the canvas's last row
    EXPECT_FALSE(PlanLightBox(v, 8).hasTrim);
}

TEST(LightBoxPlanTest, ValuesThatCannotMakeALightBox)
{
    EXPECT_TRUE(LightBoxValuesValid(LightBoxValues {}));
    const auto broken = std::vector<std::function<void(LightBoxValues&)>> {
        [](LightBoxValues& v) { v.width = 0; },
        [](LightBoxValues& v) { v.height = 65536; },
        [](LightBoxValues& v) { v.rows = 0; },
        [](LightBoxValues& v) { v.columns = -3; },
        [](LightBoxValues& v) { v.diameter = 0; },
        [](LightBoxValues& v) { v.perPort = 0; },
        [](LightBoxValues& v) { v.top = -1; },
        [](LightBoxValues& v) { v.columnSpacing = -1; },
        [](LightBoxValues& v) { v.style = 5; },
    };
    for (size_t i = 0; i < broken.size(); ++i) {
        LightBoxValues v;
        broken[i](v);
        EXPECT_FALSE(LightBoxValuesValid(v)) << i;
    }
}

TEST(LightBoxPlanTest, GridsAndPortCountsPastTheLayoutsLimitsDoNotFit)
{
    // Counted in 64 bits: none of these may overflow on the way to "no".
    struct Case {
        const char* name;
        std::function<void(LightBoxValues&)> set;
        int portsPerController;
        bool fits;
    };
    const Case cases[] = {
        { "the dialog's own values", [](LightBoxValues&) {}, 8, true },
        // Last row at cell 2 + 65533 + 0 - 1 = 65534, the largest layout's
        // last cell; one more spacing puts it outside.
        { "two rows, spacing 65533", [](LightBoxValues& v) { v.rows = 2, v.top = 0, v.rowSpacing = 65533; }, 8, true },
        { "two rows, spacing 65534", [](LightBoxValues& v) { v.rows = 2, v.top = 0, v.rowSpacing = 65534; }, 8, false },
        { "two rows, spacing 2147483647", [](LightBoxValues& v) { v.rows = 2, v.rowSpacing = 0x7FFFFFFF; }, 8, false },
        { "2147483647 rows", [](LightBoxValues& v) { v.rows = 0x7FFFFFFF, v.rowSpacing = 0; }, 8, false },
        { "2147483647 columns", [](LightBoxValues& v) { v.columns = 0x7FFFFFFF, v.columnSpacing = 0; }, 8, false },
        { "left margin 2147483647", [](LightBoxValues& v) { v.left = 0x7FFFFFFF; }, 8, false },
        { "2147483647 ports a controller", [](LightBoxValues&) {}, 0x7FFFFFFF, false },
        { "256 ports a controller", [](LightBoxValues&) {}, 256, false },
        { "255 ports a controller", [](LightBoxValues&) {}, 255, true },
        { "no ports a controller", [](LightBoxValues&) {}, 0, false },
        // 5120 rows one a port: 5120 ports, exactly the layout's limit.
        { "5120 ports", [](LightBoxValues& v) { v.rows = 5120, v.rowSpacing = 0; }, 8, true },
        { "5121 ports", [](LightBoxValues& v) { v.rows = 5121, v.rowSpacing = 0; }, 8, false },
        // 5113 ports need 640 whole controllers of 8: 5120 ports.
        { "5113 ports in controllers of 8", [](LightBoxValues& v) { v.rows = 5113, v.rowSpacing = 0; }, 8, true },
        { "5113 ports in controllers of 255", [](LightBoxValues& v) { v.rows = 5113, v.rowSpacing = 0; }, 255, false },
        { "2147483647 rows a port", [](LightBoxValues& v) { v.perPort = 0x7FFFFFFF; }, 8, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LightBoxValues v;
        c.set(v);
        EXPECT_EQ(LightBoxFits(v, c.portsPerController), c.fits);
    }
}

TEST(LightBoxPlanTest, APortOfMoreLinesThanTheGridTakesTheWholeGrid)
{
    LightBoxValues v; // 64 rows of 38
    v.perPort = 0x7FFFFFFF;
    const LightBoxPlan byRows = PlanLightBox(v, 8);
    EXPECT_EQ(byRows.gridRows, 64);
    EXPECT_EQ(byRows.gridColumns, 38);
    EXPECT_EQ(byRows.portsNeeded, 1);
    EXPECT_EQ(byRows.controllers, 1);
    v.style = 3;
    const LightBoxPlan byColumns = PlanLightBox(v, 8);
    EXPECT_EQ(byColumns.gridRows, 64);
    EXPECT_EQ(byColumns.gridColumns, 38);
    EXPECT_EQ(byColumns.portsNeeded, 1);
}

TEST(WiringOrderTest, TheStylePicturesCellOrders)
{
    // 3 rows of 5 (styles 1, 2) or 5 rows of 3 (styles 3, 4), as the
    // wiring style pictures draw them.
    struct Case {
        int style, z, flip;
        std::vector<std::pair<int, int>> first6;
        std::pair<int, int> last;
    } cases[] = {
        { 1, 0, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 }, { 4, 1 } }, { 4, 2 } },
        { 1, 1, 0, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 }, { 0, 1 } }, { 4, 2 } },
        { 1, 0, 1, { { 4, 0 }, { 3, 0 }, { 2, 0 }, { 1, 0 }, { 0, 0 }, { 0, 1 } }, { 0, 2 } },
        { 2, 0, 0, { { 0, 2 }, { 1, 2 }, { 2, 2 }, { 3, 2 }, { 4, 2 }, { 4, 1 } }, { 4, 0 } },
        { 2, 1, 1, { { 4, 2 }, { 3, 2 }, { 2, 2 }, { 1, 2 }, { 0, 2 }, { 4, 1 } }, { 0, 0 } },
        { 3, 1, 0, { { 0, 4 }, { 0, 3 }, { 0, 2 }, { 0, 1 }, { 0, 0 }, { 1, 4 } }, { 2, 0 } },
        { 3, 0, 1, { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 0, 3 }, { 0, 4 }, { 1, 4 } }, { 2, 4 } },
        { 4, 0, 0, { { 2, 4 }, { 2, 3 }, { 2, 2 }, { 2, 1 }, { 2, 0 }, { 1, 0 } }, { 0, 0 } },
        { 4, 1, 1, { { 2, 0 }, { 2, 1 }, { 2, 2 }, { 2, 3 }, { 2, 4 }, { 1, 0 } }, { 0, 4 } },
    };
    for (const Case& c : cases) {
        const int rows = c.style <= 2 ? 3 : 5;
        const int columns = c.style <= 2 ? 5 : 3;
        std::vector<std::pair<int, int>> got;
        for (int k = 0; k < 6; ++k) {
            const CPoint cell = WiringCellAt(c.style, c.z, c.flip, rows, columns, k);
            got.emplace_back(cell.x, cell.y);
        }
        EXPECT_EQ(got, c.first6) << c.style << c.z << c.flip;
        const CPoint last = WiringCellAt(c.style, c.z, c.flip, rows, columns, 14);
        EXPECT_EQ(std::make_pair(static_cast<int>(last.x), static_cast<int>(last.y)), c.last)
            << c.style << c.z << c.flip;
    }
}

} // namespace
