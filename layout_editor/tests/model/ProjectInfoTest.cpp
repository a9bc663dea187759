// The project information counts: the unit of each lamp format, controllers
// in use, lamps on the canvas and overlapping cells, and the channel totals
// per unit with units off the canvas counted vacant.
#include <gtest/gtest.h>

#include "ModelTestUtil.h"
#include "ProjectInfo.h"

namespace {

struct FormatCase {
    const wchar_t* format;
    int channels;
    int lamps;
    int vacant;
};

TEST(ProjectInfoTest, LampFormatUnits)
{
    const FormatCase cases[] = {
        { L"RGB", 3, 1, 0 },
        { L"R1G1B1R2G2B2W3", 7, 3, 1 },
        { L"RGBN", 4, 1, 1 },
        { L"rgbw", 4, 1, 1 }, // lower case reads the same
        { L"R1G1B1R2G2B2", 6, 2, 0 },
        { L"Y", 1, 1, 0 },
        { L"", 0, 1, 0 }, // no letters: one lamp, no channels
        { L"3RGB", 3, 1, 0 }, // digits not after a channel letter are skipped
        { L"R G-B", 3, 1, 0 }, // other characters are skipped
        { L"R0", 1, 1, 0 }, // at least one lamp
        { L"XR12Q", 1, 12, 0 }, // other letters skipped, digits consumed
        { L"R99999999999G", 2, 3072, 0 }, // a digit run is capped, never overflows
        { L"NW", 2, 1, 2 },
    };
    for (const FormatCase& c : cases) {
        const LampFormatUnit u = DescribeLampFormat(c.format);
        EXPECT_EQ(u.channels, c.channels) << CStringA(c.format).GetString();
        EXPECT_EQ(u.lamps, c.lamps) << CStringA(c.format).GetString();
        EXPECT_EQ(u.vacant, c.vacant) << CStringA(c.format).GetString();
    }
}

class ProjectInfoCountTest : public ::testing::Test {
protected:
    // Controllers of the given port counts, each port with the given lamps.
    void Build(const std::vector<int>& controllers, const std::vector<std::vector<CLPoint>>& ports)
    {
        int total = 0;
        m_controllers.RemoveAll();
        for (int c : controllers) {
            total += c;
            m_controllers.Add(static_cast<WORD>(c));
        }
        ASSERT_TRUE(m_model.ResetPorts(total, 64, CString(L"RGB"), 0));
        for (size_t p = 0; p < ports.size(); ++p)
            Fill(m_model, static_cast<int>(p), ports[p]);
        m_types.RemoveAll();
        m_types.Add(L"RGB");
        m_types.Add(L"R1G1B1R2G2B2");
        m_types.Add(L"RGBN");
    }
    ProjectInfoCounts Count(int width = 32, int height = 16)
    {
        return CountProjectInfo(m_model, m_controllers, width, height, m_types);
    }
    static std::vector<CLPoint> Row(int n, int y, int x0 = 0)
    {
        std::vector<CLPoint> points;
        for (int i = 0; i < n; ++i)
            points.push_back(Pt(x0 + i, y));
        return points;
    }

    CLayoutData m_model;
    CControllerList m_controllers;
    CStringArray m_types;
};

TEST_F(ProjectInfoCountTest, EmptyLayoutCountsNothing)
{
    Build({ 8, 8 }, {});
    const ProjectInfoCounts c = Count();
    EXPECT_EQ(c.controllersInUse, 0);
    EXPECT_EQ(c.lampsOnCanvas, 0);
    EXPECT_EQ(c.overlappingCells, 0);
    EXPECT_EQ(c.totalChannels, 0);
    EXPECT_EQ(c.vacantChannels, 0);
}

TEST_F(ProjectInfoCountTest, ControllersWithOnlyEmptyPortsAreNotInUse)
{
    // Controller 0 empty, controller 1 uses its last port, controller 2
    // empty, controller 3 uses its first.
    std::vector<std::vector<CLPoint>> ports(12);
    ports[5] = Row(1, 0);
    ports[9] = Row(1, 1);
    Build({ 3, 3, 3, 3 }, ports);
    EXPECT_EQ(Count().controllersInUse, 2);
}

TEST_F(ProjectInfoCountTest, TwoLampUnitsCountPerUnit)
{
    // 10 lamps of R1G1B1R2G2B2: five units of six channels.
    Build({ 1 }, { Row(10, 0) });
    m_model.GetPort(0).m_lampFormatIndex = 1;
    const ProjectInfoCounts c = Count();
    EXPECT_EQ(c.totalChannels, 30);
    EXPECT_EQ(c.vacantChannels, 0);
    EXPECT_EQ(c.lampsOnCanvas, 10);
}

TEST_F(ProjectInfoCountTest, OverlappingCellsAcrossPortsCountOnceEachLampOnCanvas)
{
    // Port 0 and port 1 share cells (1,0) and (2,0); port 1 also stacks two
    // lamps on (5,5).
    Build({ 2 }, { Row(3, 0), { Pt(1, 0), Pt(2, 0), Pt(5, 5), Pt(5, 5) } });
    const ProjectInfoCounts c = Count();
    EXPECT_EQ(c.lampsOnCanvas, 7);
    EXPECT_EQ(c.overlappingCells, 3);
    EXPECT_EQ(c.controllersInUse, 1);
}

struct EdgeCase {
    CLPoint lamp;
    int onCanvas;
    long long vacant; // one RGBN lamp: 4 channels, 1 vacant
};

TEST_F(ProjectInfoCountTest, CanvasEdges)
{
    const int w = 32;
    const int h = 16;
    const EdgeCase cases[] = {
        { Pt(0, 0), 1, 1 },
        { Pt(w - 1, h - 1), 1, 1 },
        { Pt(w, 0), 0, 5 }, // x = W is outside: all four channels vacant too
        { Pt(0, h), 0, 5 },
        { Pt(-1, 3), 0, 5 },
    };
    for (const EdgeCase& e : cases) {
        Build({ 1 }, { { e.lamp } });
        m_model.GetPort(0).m_lampFormatIndex = 2;
        const ProjectInfoCounts c = Count(w, h);
        EXPECT_EQ(c.lampsOnCanvas, e.onCanvas) << e.lamp.x << "," << e.lamp.y;
        EXPECT_EQ(c.totalChannels, 4) << e.lamp.x << "," << e.lamp.y;
        EXPECT_EQ(c.vacantChannels, e.vacant) << e.lamp.x << "," << e.lamp.y;
    }
}

TEST_F(ProjectInfoCountTest, OnlyTheFirstLampOfAUnitIsTested)
{
    // Units (0,0)+(40,0) and (41,0)+(1,0) on a 32-wide canvas: the second
    // unit starts outside, so its six channels are vacant.
    Build({ 1 }, { { Pt(0, 0), Pt(40, 0), Pt(41, 0), Pt(1, 0) } });
    m_model.GetPort(0).m_lampFormatIndex = 1;
    const ProjectInfoCounts c = Count();
    EXPECT_EQ(c.totalChannels, 12);
    EXPECT_EQ(c.vacantChannels, 6);
    EXPECT_EQ(c.lampsOnCanvas, 2);
}

TEST_F(ProjectInfoCountTest, FormatIndexOutsideTheListUsesThePortsOwnFormat)
{
    Build({ 1 }, { Row(2, 0) });
    LayoutPort& port = m_model.GetPort(0);
    port.m_lampFormatIndex = 7;
    port.m_lampFormat = L"RGBW";
    const ProjectInfoCounts c = Count();
    EXPECT_EQ(c.totalChannels, 8);
    EXPECT_EQ(c.vacantChannels, 2);
}

} // namespace
