// The layout model: construction, reset, capacities, the loaded-port sink,
// the queries by cell, thinning out and the history's release.
#include <gtest/gtest.h>

#include "EditorSettings.h"
#include "ModelTestUtil.h"

namespace {

// Counts how often commands are released and destroyed.
struct CommandLog {
    int released = 0;
    int destroyed = 0;
};

class CountingCommand : public ICLCommand {
public:
    explicit CountingCommand(CommandLog& log)
        : m_log(log)
    {
    }
    ~CountingCommand() override { ++m_log.destroyed; }
    void Redo() override { }
    void Undo() override { }
    void Release() override { ++m_log.released; }

private:
    CommandLog& m_log;
};

void AddStep(CLayoutData& layout, CommandLog& log, int commands)
{
    for (int i = 0; i < commands; ++i)
        layout.m_commands.push_back(new CountingCommand(log));
    layout.m_stepSizes.push_back(commands);
    layout.m_currentStep = layout.GetStepCount();
    layout.m_commandCursor = layout.GetCommandCount();
}

} // namespace

TEST(LayoutData, NewModel)
{
    CLayoutData layout;
    ASSERT_EQ(8, layout.GetPortCount());
    EXPECT_EQ(256, layout.GetPointsPerPort());
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(256, layout.GetPort(i).GetCapacity());
        EXPECT_EQ(0, layout.GetPort(i).GetCount());
        EXPECT_EQ(CString(L"RGB"), layout.GetPort(i).m_lampFormat);
    }
    EXPECT_EQ(256, layout.m_width);
    EXPECT_EQ(128, layout.m_height);
    EXPECT_EQ(0, layout.GetUsedCount());
    EXPECT_EQ(-1, layout.m_activePort);
    EXPECT_EQ(-1, layout.m_strokeStart);
    EXPECT_EQ(0, layout.m_modified);
    EXPECT_EQ(0, layout.m_templateKind);
    EXPECT_EQ(0, layout.GetStepCount());
    EXPECT_EQ(0, layout.GetFloatingCount());
    EXPECT_EQ(5120u, layout.m_blockSelected.size());
}

TEST(LayoutData, ResetPortsTable)
{
    struct Case {
        int n;
        int pointsPerPort;
        bool done;
        int ports;
        int capacity;
        int recorded;
    };
    const Case cases[] = {
        { 4, 5000, true, 4, 3072, 5000 }, // capacity capped, request recorded
        { 3, 100, true, 3, 100, 100 },
        { 5120, 1, true, 5120, 1, 1 }, // the largest layout
        { 5121, 10, false, 8, 256, 256 }, // more ports than a layout can hold
        { 0, 10, false, 8, 256, 256 },
        { 10, 0, false, 8, 256, 256 },
        { -1, 10, false, 8, 256, 256 },
    };
    for (const Case& c : cases) {
        CLayoutData layout;
        EXPECT_EQ(c.done, layout.ResetPorts(c.n, c.pointsPerPort, CString(L"RGBW"), 2)) << c.n;
        EXPECT_EQ(c.ports, layout.GetPortCount()) << c.n;
        EXPECT_EQ(c.recorded, layout.GetPointsPerPort()) << c.n;
        EXPECT_EQ(c.capacity, layout.GetPort(c.ports - 1).GetCapacity()) << c.n;
        EXPECT_EQ(c.done ? CString(L"RGBW") : CString(L"RGB"), layout.GetPort(0).m_lampFormat);
        EXPECT_EQ(c.done ? 2 : 0, layout.GetPort(0).m_lampFormatIndex);
    }
}

TEST(LayoutData, ResetPortsEndsHistorySelectionAndUse)
{
    CLayoutData layout;
    CommandLog log;
    AddStep(layout, log, 2);
    AddStep(layout, log, 1);
    Fill(layout, 2, { Pt(1, 1) });
    layout.m_selectedPorts.push_back(2);
    layout.m_selectionBits.push_back({ true });
    layout.m_activePort = 2;
    layout.m_modified = 1;

    ASSERT_TRUE(layout.ResetPorts(3, 10, CString(L"RGB"), 0));
    EXPECT_EQ(3, log.released);
    EXPECT_EQ(3, log.destroyed);
    EXPECT_EQ(0, layout.GetStepCount());
    EXPECT_EQ(0, layout.GetCommandCount());
    EXPECT_EQ(0, layout.m_currentStep);
    EXPECT_TRUE(layout.m_selectedPorts.empty());
    EXPECT_TRUE(layout.m_selectionBits.empty());
    EXPECT_EQ(0, layout.GetUsedCount());
    EXPECT_EQ(-1, layout.m_activePort);
    EXPECT_EQ(1, layout.m_modified); // not touched
}

TEST(LayoutData, DropRedoTailAndDestructorReleaseCommands)
{
    CommandLog log;
    {
        CLayoutData layout;
        AddStep(layout, log, 1);
        AddStep(layout, log, 3);
        AddStep(layout, log, 2);
        layout.m_currentStep = 1;
        layout.m_commandCursor = 1;
        layout.DropRedoTail(1);
        EXPECT_EQ(5, log.released);
        EXPECT_EQ(1, layout.GetStepCount());
        EXPECT_EQ(1, layout.GetCommandCount());
        layout.DropRedoTail(4); // beyond the steps: nothing
        EXPECT_EQ(1, layout.GetStepCount());
        AddStep(layout, log, 2);
    }
    EXPECT_EQ(8, log.released);
    EXPECT_EQ(8, log.destroyed);
}

TEST(LayoutData, SetPortCapacityGrowsOnly)
{
    CLayoutData layout;
    ASSERT_TRUE(layout.ResetPorts(2, 1024, CString(L"RGB"), 0));
    layout.GetPort(1).Allocate(256);
    Fill(layout, 1, { Pt(3, 3), Pt(4, 4) });
    layout.GetPort(1).m_lastHit = 1;

    layout.SetPortCapacity(512);
    EXPECT_EQ(1024, layout.GetPort(0).GetCapacity());
    EXPECT_EQ(512, layout.GetPort(1).GetCapacity());
    EXPECT_EQ(2, layout.GetPort(1).GetCount());
    EXPECT_EQ(1, layout.GetPort(1).m_lastHit);
    EXPECT_EQ(512, layout.GetPointsPerPort());

    layout.SetPortCapacity(0); // refused
    layout.SetPortCapacity(100); // nothing grows, points per port stays
    EXPECT_EQ(512, layout.GetPointsPerPort());
    layout.SetPortCapacity(9000); // capped
    EXPECT_EQ(3072, layout.GetPort(0).GetCapacity());
    EXPECT_EQ(3072, layout.GetPointsPerPort());
}

TEST(LayoutData, AppendLoadedPortFillsSlotsInOrder)
{
    CLayoutData layout;
    ASSERT_TRUE(layout.ResetPorts(2, 3, CString(L"RGB"), 0));

    LayoutPort record = MakePort(10, { Pt(1, 0), Pt(2, 0), Pt(3, 0), Pt(4, 0) });
    record.m_lampFormat = L"GRB";
    record.m_lampFormatIndex = 1;
    record.m_colour = 0x00FF00;
    record.m_dataReversed = 1;
    record.m_adjusted = 1;
    record.m_brightness[7] = 50;
    record.m_gamma[9] = 2;
    ASSERT_TRUE(layout.AppendLoadedPort(record));
    const LayoutPort& slot0 = layout.GetPort(0);
    EXPECT_EQ(3, slot0.GetCapacity()); // the slot's capacity, not the record's
    EXPECT_EQ(3, slot0.GetCount()); // cut to it
    EXPECT_EQ(CString(L"GRB"), slot0.m_lampFormat);
    EXPECT_EQ(1, slot0.m_lampFormatIndex);
    EXPECT_EQ(0x00FF00u, slot0.m_colour);
    EXPECT_EQ(1, slot0.m_dataReversed);
    EXPECT_EQ(1, slot0.m_adjusted);
    EXPECT_EQ(50, slot0.m_brightness[7]);
    EXPECT_EQ(2, slot0.m_gamma[9]);
    EXPECT_TRUE(slot0.HasPointAt(3, 0));

    LayoutPort empty; // empty ports are handed over too
    ASSERT_TRUE(layout.AppendLoadedPort(empty));
    EXPECT_EQ((std::vector<int> { 0, 1 }), UsedList(layout));
    EXPECT_FALSE(layout.AppendLoadedPort(record)); // every slot used
    EXPECT_EQ(0, layout.GetStepCount());
    EXPECT_EQ(0, layout.m_modified);
}

TEST(LayoutData, FindPointAtPriority)
{
    CLayoutData layout;
    Fill(layout, 2, { Pt(1, 1), Pt(5, 5), Pt(1, 1) });
    Fill(layout, 5, { Pt(9, 9), Pt(5, 5) });
    int port = -1, index = -1;

    // Port 2 comes first in the used list; within it the highest index wins.
    EXPECT_TRUE(layout.FindPointAt(CPoint(5, 5), port, index));
    EXPECT_EQ(3, port);
    EXPECT_EQ(2, index);
    EXPECT_EQ(2, layout.m_activePort);
    EXPECT_TRUE(layout.FindPointAt(CPoint(1, 1), port, index));
    EXPECT_EQ(3, index); // last point of the two on the cell
    EXPECT_EQ(2, layout.GetPort(2).m_lastHit);

    // A hit on another lamp of port 5 makes it the active port.
    EXPECT_TRUE(layout.FindPointAt(CPoint(9, 9), port, index));
    EXPECT_EQ(6, port);
    EXPECT_EQ(1, index);
    EXPECT_TRUE(layout.FindPointAt(CPoint(5, 5), port, index));
    EXPECT_EQ(6, port);
    EXPECT_EQ(2, index);

    // The last-hit index is tried first.
    layout.m_activePort = 2;
    layout.GetPort(2).m_lastHit = 0;
    EXPECT_TRUE(layout.FindPointAt(CPoint(1, 1), port, index));
    EXPECT_EQ(3, port);
    EXPECT_EQ(1, index);

    // A stale last hit beyond the count falls back to the used list.
    layout.GetPort(2).m_lastHit = 40;
    EXPECT_TRUE(layout.FindPointAt(CPoint(1, 1), port, index));
    EXPECT_EQ(3, port);
    EXPECT_EQ(3, index);

    EXPECT_FALSE(layout.FindPointAt(CPoint(7, 7), port, index));
    EXPECT_EQ(0, port);
    EXPECT_EQ(0, index);
}

TEST(LayoutData, CollectPortsAtPointOrder)
{
    CLayoutData layout;
    std::vector<CLPoint> chain;
    for (int i = 0; i < 12; ++i)
        chain.push_back(Pt(i, 0));
    chain[4] = Pt(20, 20);
    chain[9] = Pt(20, 20);
    Fill(layout, 3, { Pt(20, 20) });
    Fill(layout, 0, chain);

    CDWordArray out;
    out.Add(77); // emptied first
    layout.CollectPortsAtPoint(CPoint(20, 20), out);
    ASSERT_EQ(3, out.GetSize());
    EXPECT_EQ((4u << 16) | 1u, out[0]); // port 3 is first in the used list
    EXPECT_EQ((1u << 16) | 10u, out[1]);
    EXPECT_EQ((1u << 16) | 5u, out[2]);

    layout.CollectPortsAtPoint(CPoint(50, 50), out);
    EXPECT_EQ(0, out.GetSize());
}

TEST(LayoutData, IsPointUsedOnlyCountsUsedPorts)
{
    CLayoutData layout;
    Fill(layout, 1, { Pt(2, 2) });
    layout.GetPort(4).InsertPoints(std::vector<CLPoint> { Pt(6, 6) }.data(), 1); // not in the used list
    EXPECT_TRUE(layout.IsPointUsed(CPoint(2, 2)));
    EXPECT_FALSE(layout.IsPointUsed(CPoint(6, 6)));
    EXPECT_FALSE(layout.IsPointUsed(CPoint(3, 2)));
    layout.RebuildUsedPorts();
    EXPECT_TRUE(layout.IsPointUsed(CPoint(6, 6)));
    EXPECT_EQ((std::vector<int> { 1, 4 }), UsedList(layout));
}

TEST(LayoutData, ThinOutAllPortsMarksModified)
{
    CLayoutData layout;
    std::vector<CLPoint> nine;
    for (int i = 0; i < 9; ++i)
        nine.push_back(Pt(i, 1));
    Fill(layout, 0, nine);
    Fill(layout, 6, { Pt(0, 3), Pt(1, 3) });
    layout.ThinOutAllPorts(2);
    EXPECT_EQ(3, layout.GetPort(0).GetCount());
    EXPECT_EQ(1, layout.GetPort(6).GetCount());
    EXPECT_EQ(1, layout.m_modified);
}

TEST(LayoutData, FloatingBuffer)
{
    CLayoutData layout;
    std::vector<CLPoint> points = { Pt(1, 1), Pt(2, 2), Pt(3, 3) };
    layout.SetFloatingPoints(points, 2);
    EXPECT_EQ(2, layout.GetFloatingCount());
    EXPECT_EQ(1, layout.GetFloatingPortCount());
    ASSERT_EQ(1u, layout.GetFloatingGroupSizes().size());
    EXPECT_EQ(2, layout.GetFloatingGroupSizes()[0]);
    EXPECT_EQ(2, layout.GetFloatingPoints()[1].x);
    layout.SetFloatingPoints(points, 10); // never more than it holds
    EXPECT_EQ(3, layout.GetFloatingCount());
    layout.ClearFloatingPoints();
    EXPECT_EQ(0, layout.GetFloatingCount());
    EXPECT_EQ(0, layout.GetFloatingPortCount());
}

TEST(EditorSettings, Defaults)
{
    ResetEditorSettings();
    EXPECT_EQ(1, AlignToGrid);
    EXPECT_EQ(256, LayoutWidth);
    EXPECT_EQ(128, LayoutHeight);
    EXPECT_EQ(0, WireSelectedPortDirectly);
    EXPECT_EQ(0, ManualTracing);
    EXPECT_EQ(0, LayoutLock);
}

TEST(LayoutData, QueriesAgreeWhileIndexesAreBuiltBitByBit)
{
    // More lamps than one query indexes: the first queries scan some ports
    // and index others; every answer must match a plain walk of the rules.
    CLayoutData layout;
    ASSERT_TRUE(layout.ResetPorts(30, 3000, CString(L"RGB"), 0));
    for (int p = 0; p < 30; ++p) {
        LayoutPort record;
        record.Allocate(3000);
        std::vector<CLPoint> points;
        for (int i = 0; i < 3000; ++i)
            points.push_back(Pt((i * 7 + p * 13) % 97, (i / 97 + p) % 40)); // shared cells across ports
        record.InsertPoints(points.data(), 3000);
        ASSERT_TRUE(layout.AppendLoadedPort(record));
    }
    for (int round = 0; round < 3; ++round) {
        for (int y = 0; y < 42; y += 5) {
            for (int x = 0; x < 99; x += 3) {
                // The plain rules: used ports in order, highest index first.
                std::vector<DWORD> expected;
                for (int u = 0; u < layout.GetUsedCount(); ++u) {
                    const LayoutPort& port = layout.GetPort(layout.GetUsedPort(u));
                    for (int i = port.GetCount() - 1; i >= 0; --i)
                        if (port.GetPoint(i).IsAt(x, y))
                            expected.push_back((static_cast<DWORD>(layout.GetUsedPort(u) + 1) << 16) | (i + 1));
                }
                CDWordArray got;
                layout.CollectPortsAtPoint(CPoint(x, y), got);
                ASSERT_EQ(static_cast<INT_PTR>(expected.size()), got.GetSize()) << x << "," << y;
                for (size_t k = 0; k < expected.size(); ++k)
                    EXPECT_EQ(expected[k], got[static_cast<INT_PTR>(k)]);
                EXPECT_EQ(!expected.empty(), layout.IsPointUsed(CPoint(x, y)));
                layout.m_activePort = -1;
                int port = 0, index = 0;
                layout.FindPointAt(CPoint(x, y), port, index);
                EXPECT_EQ(expected.empty() ? 0u : expected[0], (static_cast<DWORD>(port) << 16) | index);
            }
        }
    }
}
