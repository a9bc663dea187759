// Inserting, removing and exchanging ports of the layout model.
#include <gtest/gtest.h>

#include "ModelTestUtil.h"

namespace {

class FakeCommand : public ICLCommand {
public:
    void Redo() override { }
    void Undo() override { }
    void Release() override { }
};

// A layout of `ports` ports where port i holds one lamp on cell (i, i), has
// colour i, brightness[0] = i and gamma[0] = i (these move with the
// contents), and format index 100 + i and data-reversed flag i % 2 (these
// stay with the slot in the in-place modes).
void MarkPorts(CLayoutData& layout, int ports)
{
    ASSERT_TRUE(layout.ResetPorts(ports, 16, CString(L"RGB"), 0));
    for (int i = 0; i < ports; ++i) {
        LayoutPort& port = layout.GetPort(i);
        Fill(layout, i, { Pt(i, i) });
        port.m_colour = static_cast<COLORREF>(i);
        port.m_brightness[0] = static_cast<BYTE>(i);
        port.m_gamma[0] = static_cast<BYTE>(i);
        port.m_lampFormatIndex = 100 + i;
        port.m_dataReversed = static_cast<BYTE>(i % 2);
    }
}

// The former port number whose contents a port holds (-1 for an empty port).
int ContentsOf(const LayoutPort& port)
{
    return port.GetCount() == 0 ? -1 : port.GetPoint(0).x;
}

std::vector<int> AllContents(const CLayoutData& layout)
{
    std::vector<int> out;
    for (int i = 0; i < layout.GetPortCount(); ++i)
        out.push_back(ContentsOf(layout.GetPort(i)));
    return out;
}

std::vector<int> ListOf(const CControllerList& list)
{
    std::vector<int> out;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        out.push_back(list.GetAt(i));
    return out;
}

void SetList(CControllerList& list, const std::vector<int>& counts)
{
    list.RemoveAll();
    for (int c : counts)
        list.Add(static_cast<WORD>(c));
}

void AddHistory(CLayoutData& layout)
{
    layout.m_commands.push_back(new FakeCommand);
    layout.m_stepSizes.push_back(1);
    layout.m_currentStep = 1;
    layout.m_commandCursor = 1;
}

void ExpectRestructured(const CLayoutData& layout)
{
    EXPECT_EQ(0, layout.GetStepCount());
    EXPECT_EQ(0, layout.GetCommandCount());
    EXPECT_EQ(1, layout.m_modified);
    EXPECT_EQ(-1, layout.m_activePort);
    EXPECT_TRUE(layout.m_selectedPorts.empty());
    // The used list is every port with points, in port order.
    std::vector<int> expected;
    for (int i = 0; i < layout.GetPortCount(); ++i)
        if (layout.GetPort(i).GetCount() > 0)
            expected.push_back(i);
    EXPECT_EQ(expected, UsedList(layout));
}

std::vector<int> Seq(int from, int to)
{
    std::vector<int> out;
    for (int i = from; i <= to; ++i)
        out.push_back(i);
    return out;
}

std::vector<int> Cat(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(InsertPorts, WholeControllerInTheMiddle)
{
    CLayoutData layout;
    MarkPorts(layout, 16);
    layout.m_selectedPorts.push_back(9);
    layout.m_selectionBits.push_back({ true });
    layout.m_activePort = 9;
    AddHistory(layout);
    CControllerList list;
    SetList(list, { 8, 8 });

    ASSERT_TRUE(layout.InsertPorts(1, 1, 8, 5000, kPortModeControllers, list, CString(L"RGBW"), 3));
    ASSERT_EQ(24, layout.GetPortCount());
    EXPECT_EQ((std::vector<int> { 8, 8, 8 }), ListOf(list));
    EXPECT_EQ(Cat(Cat(Seq(0, 7), std::vector<int>(8, -1)), Seq(8, 15)), AllContents(layout));
    for (int p = 16; p < 24; ++p) { // everything travels with a copied port
        EXPECT_EQ(static_cast<COLORREF>(p - 8), layout.GetPort(p).m_colour);
        EXPECT_EQ(p - 8, layout.GetPort(p).m_brightness[0]);
        EXPECT_EQ(100 + p - 8, layout.GetPort(p).m_lampFormatIndex);
        EXPECT_EQ((p - 8) % 2, layout.GetPort(p).m_dataReversed);
        EXPECT_TRUE(layout.GetPort(p).HasPointAt(p - 8, p - 8));
    }
    for (int p = 8; p < 16; ++p) { // new ports: the defaults, the capped capacity
        EXPECT_EQ(3072, layout.GetPort(p).GetCapacity());
        EXPECT_EQ(CString(L"RGB"), layout.GetPort(p).m_lampFormat);
        EXPECT_EQ(0, layout.GetPort(p).m_lampFormatIndex);
        EXPECT_EQ(255u, layout.GetPort(p).m_colour);
        EXPECT_EQ(100, layout.GetPort(p).m_brightness[0]);
    }
    ExpectRestructured(layout);
}

TEST(InsertPorts, ControllersAtTheStartAndEnd)
{
    CLayoutData layout;
    MarkPorts(layout, 6);
    CControllerList list;
    SetList(list, { 4, 2 });
    ASSERT_TRUE(layout.InsertPorts(0, 2, 1, 10, kPortModeControllers, list, CString(L"RGB"), 0));
    EXPECT_EQ((std::vector<int> { 1, 1, 4, 2 }), ListOf(list));
    EXPECT_EQ(Cat({ -1, -1 }, Seq(0, 5)), AllContents(layout));
    ASSERT_TRUE(layout.InsertPorts(4, 1, 3, 10, kPortModeControllers, list, CString(L"RGB"), 0));
    EXPECT_EQ((std::vector<int> { 1, 1, 4, 2, 3 }), ListOf(list));
    EXPECT_EQ(Cat(Cat({ -1, -1 }, Seq(0, 5)), { -1, -1, -1 }), AllContents(layout));
}

TEST(InsertPorts, OnePortInPlace)
{
    CLayoutData layout;
    MarkPorts(layout, 8);
    CControllerList list;
    SetList(list, { 8 });
    ASSERT_TRUE(layout.InsertPorts(2, 1, 8, 40, kPortModeShiftOne, list, CString(L"X"), 9));
    ASSERT_EQ(8, layout.GetPortCount());
    EXPECT_EQ((std::vector<int> { 8 }), ListOf(list));
    EXPECT_EQ((std::vector<int> { 0, 1, -1, 2, 3, 4, 5, 6 }), AllContents(layout)); // port 7's points dropped
    for (int p = 3; p < 8; ++p) {
        const LayoutPort& port = layout.GetPort(p);
        // Points, colour and tables moved up ...
        EXPECT_EQ(static_cast<COLORREF>(p - 1), port.m_colour);
        EXPECT_EQ(p - 1, port.m_brightness[0]);
        EXPECT_EQ(p - 1, port.m_gamma[0]);
        EXPECT_EQ(16, port.GetCapacity());
        // ... format index and flags stayed with the slot.
        EXPECT_EQ(100 + p, port.m_lampFormatIndex);
        EXPECT_EQ(p % 2, port.m_dataReversed);
    }
    const LayoutPort& slot = layout.GetPort(2);
    EXPECT_EQ(40, slot.GetCapacity());
    EXPECT_EQ(102, slot.m_lampFormatIndex);
    EXPECT_EQ(CString(L"RGB"), slot.m_lampFormat);
    EXPECT_EQ(2u, slot.m_colour); // kept its own colour and tables
    EXPECT_EQ(2, slot.m_brightness[0]);
    ExpectRestructured(layout);

    // At the last port only that port is emptied.
    ASSERT_TRUE(layout.InsertPorts(7, 1, 8, 5, kPortModeShiftOne, list, CString(L"X"), 9));
    EXPECT_EQ((std::vector<int> { 0, 1, -1, 2, 3, 4, 5, -1 }), AllContents(layout));
}

TEST(InsertPorts, RangeOfPorts)
{
    CLayoutData layout;
    MarkPorts(layout, 5);
    CControllerList list;
    SetList(list, { 5 });
    ASSERT_TRUE(layout.InsertPorts(2, 3, 8, 77, kPortModeRange, list, CString(L"RGBW"), 4));
    EXPECT_EQ((std::vector<int> { 0, 1, -1, -1, -1, 2, 3, 4 }), AllContents(layout));
    EXPECT_EQ((std::vector<int> { 5 }), ListOf(list)); // untouched
    EXPECT_EQ(CString(L"RGBW"), layout.GetPort(3).m_lampFormat);
    EXPECT_EQ(4, layout.GetPort(3).m_lampFormatIndex);
    EXPECT_EQ(77, layout.GetPort(3).GetCapacity());
    EXPECT_EQ(104, layout.GetPort(7).m_lampFormatIndex);
    ASSERT_TRUE(layout.InsertPorts(8, 1, 8, 1, kPortModeRange, list, CString(L"RGB"), 0)); // at the end
    EXPECT_EQ(9, layout.GetPortCount());
    ExpectRestructured(layout);
}

TEST(InsertPorts, RefusedCallsChangeNothing)
{
    struct Case {
        const char* name;
        int ports;
        int at;
        int number;
        int perController;
        int mode;
    };
    const Case cases[] = {
        { "controller position past the list", 16, 3, 1, 8, 0 },
        { "negative position", 16, -1, 1, 8, 0 },
        { "no controllers", 16, 1, 0, 8, 0 },
        { "controller too wide for the list", 16, 1, 1, 70000, 0 },
        { "past 5120 ports by controllers", 16, 2, 639, 8, 0 },
        { "in-place port past the end", 16, 16, 1, 8, 1 },
        { "range past the end", 16, 17, 1, 8, 2 },
        { "range of nothing", 16, 0, 0, 8, 2 },
        { "range past 5120 ports", 16, 0, 5105, 8, 2 },
        { "unknown mode", 16, 0, 1, 8, 7 },
    };
    for (const Case& c : cases) {
        CLayoutData layout;
        MarkPorts(layout, c.ports);
        AddHistory(layout);
        CControllerList list;
        SetList(list, { 8, 8 });
        EXPECT_FALSE(layout.InsertPorts(c.at, c.number, c.perController, 10, c.mode, list, CString(L"RGB"), 0))
            << c.name;
        EXPECT_EQ(Seq(0, c.ports - 1), AllContents(layout)) << c.name;
        EXPECT_EQ((std::vector<int> { 8, 8 }), ListOf(list)) << c.name;
        EXPECT_EQ(1, layout.GetStepCount()) << c.name;
        EXPECT_EQ(0, layout.m_modified) << c.name;
    }
}

TEST(InsertPorts, FillsUpToTheLimitExactly)
{
    CLayoutData layout;
    MarkPorts(layout, 16);
    CControllerList list;
    SetList(list, { 8, 8 });
    ASSERT_TRUE(layout.InsertPorts(2, 638, 8, 1, kPortModeControllers, list, CString(L"RGB"), 0));
    EXPECT_EQ(5120, layout.GetPortCount());
    EXPECT_EQ(640, list.GetSize());
    EXPECT_FALSE(layout.InsertPorts(0, 1, 8, 1, kPortModeRange, list, CString(L"RGB"), 0));
    EXPECT_TRUE(layout.InsertPorts(0, 1, 8, 1, kPortModeShiftOne, list, CString(L"RGB"), 0)); // count stays
}

TEST(RemovePorts, WholeControllers)
{
    CLayoutData layout;
    MarkPorts(layout, 20);
    AddHistory(layout);
    CControllerList list;
    SetList(list, { 8, 4, 8 });
    ASSERT_TRUE(layout.RemovePorts(1, 1, kPortModeControllers, list));
    EXPECT_EQ((std::vector<int> { 8, 8 }), ListOf(list));
    EXPECT_EQ(Cat(Seq(0, 7), Seq(12, 19)), AllContents(layout));
    EXPECT_EQ(112, layout.GetPort(8).m_lampFormatIndex); // whole ports move
    EXPECT_EQ(12u, layout.GetPort(8).m_colour);
    ExpectRestructured(layout);
    ASSERT_TRUE(layout.RemovePorts(0, 2, kPortModeControllers, list));
    EXPECT_EQ(0, layout.GetPortCount());
    EXPECT_EQ(0, list.GetSize());
}

TEST(RemovePorts, OnePortInPlace)
{
    CLayoutData layout;
    MarkPorts(layout, 8);
    layout.GetPort(7).Allocate(30); // the last slot's capacity moves down with it
    Fill(layout, 7, { Pt(7, 7) });
    CControllerList list;
    SetList(list, { 8 });
    ASSERT_TRUE(layout.RemovePorts(2, 1, kPortModeShiftOne, list));
    EXPECT_EQ((std::vector<int> { 0, 1, 3, 4, 5, 6, 7, -1 }), AllContents(layout));
    for (int p = 2; p < 7; ++p) {
        EXPECT_EQ(static_cast<COLORREF>(p + 1), layout.GetPort(p).m_colour);
        EXPECT_EQ(p + 1, layout.GetPort(p).m_brightness[0]);
        EXPECT_EQ(100 + p, layout.GetPort(p).m_lampFormatIndex);
    }
    EXPECT_EQ(30, layout.GetPort(6).GetCapacity());
    const LayoutPort& last = layout.GetPort(7);
    EXPECT_EQ(0, last.GetCount());
    EXPECT_EQ(30, last.GetCapacity());
    EXPECT_EQ(107, last.m_lampFormatIndex);
    EXPECT_FALSE(last.HasPointAt(7, 7));
    // The emptied last slot has storage of its own: filling it leaves port 6 alone.
    Fill(layout, 7, { Pt(50, 50) });
    EXPECT_EQ(1, layout.GetPort(6).GetCount());
    EXPECT_TRUE(layout.GetPort(6).HasPointAt(7, 7));
    ExpectRestructured(layout);
}

TEST(RemovePorts, RangeAndRefusals)
{
    CLayoutData layout;
    MarkPorts(layout, 8);
    CControllerList list;
    SetList(list, { 8 });
    ASSERT_TRUE(layout.RemovePorts(5, 3, kPortModeRange, list));
    EXPECT_EQ(Seq(0, 4), AllContents(layout));
    EXPECT_EQ((std::vector<int> { 8 }), ListOf(list));

    struct Case {
        const char* name;
        int at;
        int number;
        int mode;
    };
    const Case cases[] = {
        { "controllers past the list", 0, 2, 0 },
        { "controller position past the list", 1, 1, 0 },
        { "negative position", -1, 1, 0 },
        { "no controllers", 0, 0, 0 },
        { "controllers with more ports than the layout", 0, 1, 0 },
        { "in-place port past the end", 5, 1, 1 },
        { "range past the end", 3, 3, 2 },
        { "empty range", 0, 0, 2 },
        { "unknown mode", 0, 1, 3 },
    };
    for (const Case& c : cases) {
        layout.m_modified = 0;
        EXPECT_FALSE(layout.RemovePorts(c.at, c.number, c.mode, list)) << c.name;
        EXPECT_EQ(Seq(0, 4), AllContents(layout)) << c.name;
        EXPECT_EQ((std::vector<int> { 8 }), ListOf(list)) << c.name;
        EXPECT_EQ(0, layout.m_modified) << c.name;
    }
}

TEST(SwapPorts, ExchangesContentsButNotTables)
{
    CLayoutData layout;
    ASSERT_TRUE(layout.ResetPorts(4, 16, CString(L"RGB"), 0));
    Fill(layout, 0, { Pt(1, 1), Pt(2, 1) });
    LayoutPort& a = layout.GetPort(0);
    a.m_colour = 0x111111;
    a.m_lampFormat = L"GRB";
    a.m_lampFormatIndex = 2;
    a.m_wiringMark = 1;
    a.m_lastHit = 1;
    a.m_brightness[0] = 40;
    a.m_adjusted = 1;
    a.m_dataReversed = 1;
    layout.GetPort(3).Allocate(99);
    layout.m_selectedPorts.push_back(0);
    layout.m_selectionBits.push_back({ true, false });
    AddHistory(layout);

    ASSERT_TRUE(layout.SwapPorts(0, 3));
    const LayoutPort& p0 = layout.GetPort(0);
    const LayoutPort& p3 = layout.GetPort(3);
    EXPECT_EQ(0, p0.GetCount());
    EXPECT_EQ(99, p0.GetCapacity());
    EXPECT_EQ(2, p3.GetCount());
    EXPECT_EQ(16, p3.GetCapacity());
    EXPECT_TRUE(p3.HasPointAt(2, 1));
    EXPECT_FALSE(p0.HasPointAt(2, 1));
    EXPECT_EQ(CRect(0, 0, 3, 2), p3.GetBounds());
    EXPECT_TRUE(p3.FillsRectangle());
    EXPECT_EQ(0x111111u, p3.m_colour);
    EXPECT_EQ(CString(L"GRB"), p3.m_lampFormat);
    EXPECT_EQ(2, p3.m_lampFormatIndex);
    EXPECT_EQ(1, p3.m_wiringMark);
    EXPECT_EQ(1, p3.m_lastHit);
    EXPECT_EQ(255u, p0.m_colour);
    // The tables and flags stay with the slots.
    EXPECT_EQ(40, p0.m_brightness[0]);
    EXPECT_EQ(1, p0.m_adjusted);
    EXPECT_EQ(1, p0.m_dataReversed);
    EXPECT_EQ(100, p3.m_brightness[0]);
    EXPECT_EQ((std::vector<int> { 3 }), UsedList(layout));
    EXPECT_TRUE(layout.m_selectedPorts.empty());
    EXPECT_EQ(1, layout.GetStepCount());
    EXPECT_EQ(0, layout.m_modified);
}

TEST(SwapPorts, UsedListEntriesAndRefusals)
{
    CLayoutData layout;
    Fill(layout, 5, { Pt(5, 5) });
    Fill(layout, 1, { Pt(1, 1) });
    Fill(layout, 2, { Pt(2, 2) });
    ASSERT_TRUE(layout.SwapPorts(5, 2));
    EXPECT_EQ((std::vector<int> { 2, 1, 5 }), UsedList(layout));
    ASSERT_TRUE(layout.SwapPorts(6, 7)); // neither used
    EXPECT_EQ((std::vector<int> { 2, 1, 5 }), UsedList(layout));
    EXPECT_FALSE(layout.SwapPorts(0, 8));
    EXPECT_FALSE(layout.SwapPorts(-1, 0));
    int port = 0, index = 0;
    EXPECT_TRUE(layout.FindPointAt(CPoint(5, 5), port, index));
    EXPECT_EQ(3, port);
}

TEST(LayoutScenario, LoadEditAndQueryWithAControllerList)
{
    // Two controllers of four ports, loaded the way the file readers do it.
    CLayoutData layout;
    CControllerList list;
    SetList(list, { 4, 4 });
    ASSERT_TRUE(layout.ResetPorts(8, 100, CString(L"RGB"), 0));
    for (int p = 0; p < 8; ++p) {
        std::vector<CLPoint> chain;
        for (int i = 0; i < 9; ++i)
            chain.push_back(Pt(i, p));
        LayoutPort record = MakePort(100, chain);
        record.m_colour = static_cast<COLORREF>(p);
        ASSERT_TRUE(layout.AppendLoadedPort(record));
    }
    LayoutPort shared = MakePort(1, { Pt(4, 0) });
    EXPECT_FALSE(layout.AppendLoadedPort(shared));
    layout.GetPort(5).InsertPoints(std::vector<CLPoint> { Pt(4, 0) }.data(), 1); // shares a cell with port 0

    int port = 0, index = 0;
    ASSERT_TRUE(layout.FindPointAt(CPoint(4, 0), port, index));
    EXPECT_EQ(1, port);
    EXPECT_EQ(5, index);
    CDWordArray hits;
    layout.CollectPortsAtPoint(CPoint(4, 0), hits);
    ASSERT_EQ(2, hits.GetSize());
    EXPECT_EQ((6u << 16) | 10u, hits[1]);

    // A third controller between the two, then the first one removed.
    ASSERT_TRUE(layout.InsertPorts(1, 1, 2, 50, kPortModeControllers, list, CString(L"RGB"), 0));
    EXPECT_EQ((std::vector<int> { 4, 2, 4 }), ListOf(list));
    EXPECT_EQ(10, layout.GetPortCount());
    EXPECT_EQ(7u, layout.GetPort(9).m_colour);
    ASSERT_TRUE(layout.RemovePorts(0, 1, kPortModeControllers, list));
    EXPECT_EQ((std::vector<int> { 2, 4 }), ListOf(list));
    EXPECT_EQ(6, layout.GetPortCount());
    EXPECT_EQ((std::vector<int> { 2, 3, 4, 5 }), UsedList(layout));
    EXPECT_EQ(-1, layout.m_activePort);

    // The old port 5 (now 3) still holds the shared cell; swapping it to slot 0 moves it there.
    ASSERT_TRUE(layout.FindPointAt(CPoint(4, 0), port, index));
    EXPECT_EQ(4, port);
    EXPECT_EQ(10, index);
    ASSERT_TRUE(layout.SwapPorts(3, 0));
    EXPECT_EQ((std::vector<int> { 2, 0, 4, 5 }), UsedList(layout));
    layout.m_activePort = -1;
    ASSERT_TRUE(layout.FindPointAt(CPoint(4, 0), port, index));
    EXPECT_EQ(1, port);

    layout.m_modified = 0;
    layout.ThinOutAllPorts(2); // 9 or 10 lamps keep indexes 0, 3, 6 (and 9)
    EXPECT_EQ(1, layout.m_modified);
    EXPECT_EQ(4, layout.GetPort(0).GetCount());
    EXPECT_EQ(3, layout.GetPort(2).GetCount());
    EXPECT_TRUE(layout.IsPointUsed(CPoint(4, 0)));
    EXPECT_FALSE(layout.IsPointUsed(CPoint(4, 6)));
    EXPECT_TRUE(layout.IsPointUsed(CPoint(3, 6)));
}
