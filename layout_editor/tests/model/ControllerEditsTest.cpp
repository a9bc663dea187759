// Structural edits by controller and port: inserting and deleting ports and
// controllers, interval clear, clearing by range, swaps, lamp formats,
// colours and reversing, with the modified flag and the undo history.
#include <gtest/gtest.h>

#include "ControllerEdits.h"
#include "LampTypeList.h"
#include "ModelTestUtil.h"

namespace {

class ControllerEditsTest : public ::testing::Test {
protected:
    // Controllers with the given port counts; port i holds `lamps[i]` lamps
    // (default one) on row i, the first on cell (i, i) so the port's former
    // number can be read back.
    void Build(const std::vector<int>& controllers, const std::vector<int>& lamps = {})
    {
        int ports = 0;
        for (int c : controllers)
            ports += c;
        ASSERT_TRUE(m_model.ResetPorts(ports, 64, CString(L"RGB"), 0));
        m_settings.m_controllers.RemoveAll();
        for (int c : controllers)
            m_settings.m_controllers.Add(static_cast<WORD>(c));
        m_settings.m_controllerCount = static_cast<int>(controllers.size());
        m_settings.m_portsPerController = controllers.empty() ? 8 : controllers[0];
        m_settings.m_lampsPerPort = 64;
        for (int p = 0; p < ports; ++p) {
            const int n = p < static_cast<int>(lamps.size()) ? lamps[static_cast<size_t>(p)] : 1;
            std::vector<CLPoint> points;
            for (int k = 0; k < n; ++k)
                points.push_back(Pt(p + k * 100, p));
            Fill(m_model, p, points);
        }
        m_model.m_modified = 0;
    }
    // Former number of each port (-1 empty).
    std::vector<int> Contents() const
    {
        std::vector<int> out;
        for (int p = 0; p < m_model.GetPortCount(); ++p) {
            const LayoutPort& port = m_model.GetPort(p);
            out.push_back(port.GetCount() == 0 ? -1 : port.GetPoint(0).y);
        }
        return out;
    }
    std::vector<int> Controllers() const
    {
        std::vector<int> out;
        for (INT_PTR i = 0; i < m_settings.m_controllers.GetSize(); ++i)
            out.push_back(m_settings.m_controllers.GetAt(i));
        return out;
    }
    // One undo step in the history, so dropping it shows.
    void AddStep()
    {
        m_model.ClearPortPoints(m_model.GetPortCount() - 1);
        ASSERT_EQ(m_model.GetStepCount(), 1);
        m_model.m_modified = 0;
    }

    CLayoutData m_model;
    CLayoutProjectSettings m_settings;
};

TEST_F(ControllerEditsTest, FirstPortsComeFromThePortCounts)
{
    Build({ 8, 4, 2 });
    EXPECT_EQ(FirstPortOfController(m_settings, 0), 0);
    EXPECT_EQ(FirstPortOfController(m_settings, 1), 8);
    EXPECT_EQ(FirstPortOfController(m_settings, 2), 12);
    EXPECT_EQ(FirstPortOfController(m_settings, 3), -1);
    EXPECT_EQ(FirstPortOfController(m_settings, -1), -1);
    EXPECT_EQ(PortsOfController(m_settings, 1), 4);
    EXPECT_EQ(PortsOfController(m_settings, 3), 0);
}

TEST_F(ControllerEditsTest, InsertPortWhenTheLastPortIsEmpty)
{
    Build({ 4 });
    AddStep(); // empties port 3: the last port is empty
    ASSERT_TRUE(InsertPortAt(m_model, m_settings, 1));
    EXPECT_EQ(Controllers(), (std::vector<int> { 4 }));
    EXPECT_EQ(Contents(), (std::vector<int> { 0, -1, 1, 2 }));
    EXPECT_EQ(m_model.GetStepCount(), 0);
    EXPECT_EQ(m_model.m_modified, 1);
}

TEST_F(ControllerEditsTest, InsertPortWhenTheLastPortHoldsLampsAppendsAControllerFirst)
{
    Build({ 4 });
    ASSERT_TRUE(InsertPortAt(m_model, m_settings, 1));
    EXPECT_EQ(Controllers(), (std::vector<int> { 4, 4 }));
    EXPECT_EQ(m_settings.m_controllerCount, 2);
    // Nothing is lost: the former last port is the new controller's first.
    EXPECT_EQ(Contents(), (std::vector<int> { 0, -1, 1, 2, 3, -1, -1, -1 }));
    EXPECT_EQ(m_model.m_modified, 1);
}

TEST_F(ControllerEditsTest, InsertPortWithRandomColoursColoursTheNewPorts)
{
    Build({ 2 });
    for (int p = 0; p < 2; ++p)
        m_model.GetPort(p).m_colour = 1;
    m_settings.m_randomColours = 1;
    ASSERT_TRUE(InsertPortAt(m_model, m_settings, 0));
    // Ports 1 and 2 moved down with their colours; port 0 is new and port 3
    // came from the appended controller.
    EXPECT_EQ(m_model.GetPort(1).m_colour, 1u);
    EXPECT_EQ(m_model.GetPort(2).m_colour, 1u);
    for (int p : { 0, 3 }) {
        const COLORREF c = m_model.GetPort(p).m_colour;
        for (int shift : { 0, 8, 16 }) {
            const int v = static_cast<int>((c >> shift) & 0xFF);
            EXPECT_GE(v, 35) << p;
            EXPECT_LE(v, 254) << p;
        }
    }
}

TEST_F(ControllerEditsTest, DeletePortKeepsThePortCount)
{
    Build({ 4 });
    ASSERT_TRUE(DeletePortAt(m_model, m_settings, 1));
    EXPECT_EQ(Contents(), (std::vector<int> { 0, 2, 3, -1 }));
    EXPECT_EQ(Controllers(), (std::vector<int> { 4 }));
    EXPECT_EQ(m_model.m_modified, 1);
    EXPECT_FALSE(DeletePortAt(m_model, m_settings, 4));
}

TEST_F(ControllerEditsTest, InsertingControllersColoursEveryNewPortOnly)
{
    Build({ 4, 4 });
    for (int p = 0; p < 8; ++p)
        m_model.GetPort(p).m_colour = 7;
    m_settings.m_portsPerController = 4;
    m_settings.m_randomColours = 1;
    EXPECT_EQ(InsertControllers(m_model, m_settings, 1, 3), 4);
    EXPECT_EQ(Controllers(), (std::vector<int> { 4, 4, 4, 4, 4 }));
    for (int p = 0; p < m_model.GetPortCount(); ++p)
        EXPECT_EQ(m_model.GetPort(p).m_colour == 7, p < 4 || p >= 16) << p;
    EXPECT_EQ(Contents()[16], 4);
}

TEST_F(ControllerEditsTest, SetControllerCount)
{
    struct Row {
        const char* name;
        int n;
        std::vector<int> controllers;
        bool ok;
    };
    const Row rows[] = {
        { "more", 4, { 2, 2, 2, 2 }, true },
        { "fewer", 1, { 2 }, true },
        { "same", 2, { 2, 2 }, true },
        { "none", 0, {}, true },
        { "negative", -1, { 2, 2 }, false },
    };
    for (const Row& row : rows) {
        Build({ 2, 2 });
        m_settings.m_portsPerController = 2;
        EXPECT_EQ(SetControllerCount(m_model, m_settings, row.n), row.ok) << row.name;
        EXPECT_EQ(Controllers(), row.controllers) << row.name;
        EXPECT_EQ(m_settings.m_controllerCount, static_cast<int>(row.controllers.size())) << row.name;
        EXPECT_EQ(m_model.GetPortCount(), 2 * static_cast<int>(row.controllers.size())) << row.name;
    }
}

TEST_F(ControllerEditsTest, DeleteControllerRemovesItsPorts)
{
    Build({ 2, 3, 2 });
    ASSERT_TRUE(DeleteController(m_model, m_settings, 1));
    EXPECT_EQ(Controllers(), (std::vector<int> { 2, 2 }));
    EXPECT_EQ(Contents(), (std::vector<int> { 0, 1, 5, 6 }));
    EXPECT_FALSE(DeleteController(m_model, m_settings, 2));
}

TEST_F(ControllerEditsTest, IntervalClearKeepsEveryOtherLampAndDropsTheHistory)
{
    struct Row {
        const char* name;
        DWORD item;
        std::vector<int> counts;
    };
    const Row rows[] = {
        { "port", ITEM_PORT | 0, { 4, 3, 5, 0 } },
        { "controller", ITEM_CONTROLLER | 1, { 7, 3, 3, 0 } },
        { "root", 0, { 4, 2, 3, 0 } },
    };
    for (const Row& row : rows) {
        Build({ 2, 2 }, { 7, 3, 5, 2 });
        AddStep();
        ASSERT_TRUE(ThinOutItem(m_model, m_settings, row.item, 1)) << row.name;
        std::vector<int> counts;
        for (int p = 0; p < 4; ++p)
            counts.push_back(m_model.GetPort(p).GetCount());
        EXPECT_EQ(counts, row.counts) << row.name;
        EXPECT_EQ(m_model.GetStepCount(), 0) << row.name;
        EXPECT_EQ(m_model.m_modified, 1) << row.name;
    }
    // Lamps 1, 3, 5 and 7 of the seven stay.
    Build({ 2, 2 }, { 7 });
    AddStep();
    ASSERT_TRUE(ThinOutItem(m_model, m_settings, ITEM_PORT | 0, 1));
    std::vector<int> xs;
    for (int i = 0; i < m_model.GetPort(0).GetCount(); ++i)
        xs.push_back(m_model.GetPort(0).GetPoint(i).x / 100 + 1);
    EXPECT_EQ(xs, (std::vector<int> { 1, 3, 5, 7 }));
    EXPECT_FALSE(m_model.UndoStep());
}

TEST_F(ControllerEditsTest, IntervalClearRefusesBadInput)
{
    Build({ 2 }, { 5, 5 });
    EXPECT_FALSE(ThinOutItem(m_model, m_settings, 0, 0));
    EXPECT_FALSE(ThinOutItem(m_model, m_settings, ITEM_PORT | 9, 1));
    EXPECT_FALSE(ThinOutItem(m_model, m_settings, ITEM_CONTROLLER | 1, 1));
    EXPECT_EQ(m_model.GetPort(0).GetCount(), 5);
    EXPECT_EQ(m_model.m_modified, 0);
}

TEST_F(ControllerEditsTest, ClearAllWiringOfOneControllerIsUndoablePerPort)
{
    Build({ 3 }, { 2, 0, 2 });
    ClearAllPorts(m_model);
    EXPECT_EQ(Contents(), (std::vector<int> { -1, -1, -1 }));
    EXPECT_EQ(m_model.GetStepCount(), 2);
    EXPECT_EQ(m_model.m_modified, 1);
    ASSERT_TRUE(m_model.UndoStep());
    EXPECT_EQ(m_model.GetPort(2).GetCount(), 2);
}

TEST_F(ControllerEditsTest, ClearControllerRange)
{
    struct Row {
        const char* name;
        int first;
        int last;
        bool ok;
        std::vector<int> contents;
    };
    const Row rows[] = {
        { "middle", 2, 2, true, { 0, 1, -1, -1, 4, 5 } },
        { "all", 1, 3, true, { -1, -1, -1, -1, -1, -1 } },
        { "first zero", 0, 2, false, { 0, 1, 2, 3, 4, 5 } },
        { "first after last", 3, 2, false, { 0, 1, 2, 3, 4, 5 } },
        { "last beyond count", 2, 4, false, { 0, 1, 2, 3, 4, 5 } },
        { "negative", -5, -1, false, { 0, 1, 2, 3, 4, 5 } },
    };
    for (const Row& row : rows) {
        Build({ 2, 2, 2 });
        AddStep();
        Fill(m_model, 5, { Pt(5, 5) });
        EXPECT_EQ(ClearControllerRange(m_model, m_settings, row.first, row.last), row.ok) << row.name;
        EXPECT_EQ(Contents(), row.contents) << row.name;
        EXPECT_EQ(m_model.GetStepCount(), row.ok ? 0 : 1) << row.name;
        EXPECT_EQ(m_model.m_modified, row.ok ? 1 : 0) << row.name;
    }
}

TEST_F(ControllerEditsTest, DeletingTheWiringOfTwoControllersGivesTwoSteps)
{
    Build({ 2, 2, 2 });
    ASSERT_TRUE(DeleteControllerWiring(m_model, m_settings, 2));
    ASSERT_TRUE(DeleteControllerWiring(m_model, m_settings, 0));
    EXPECT_EQ(Contents(), (std::vector<int> { -1, -1, 2, 3, -1, -1 }));
    EXPECT_EQ(m_model.GetStepCount(), 2);
    EXPECT_TRUE(m_model.m_selectedPorts.empty());
}

TEST_F(ControllerEditsTest, SwapControllers)
{
    struct Row {
        const char* name;
        int a;
        int b;
        SwapResult result;
        std::vector<int> contents;
    };
    const std::vector<int> same { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 };
    const Row rows[] = {
        // Controller 1 has 8 ports, 2 has 4: only the first 4 of each change.
        { "8 and 4", 1, 2, SwapResult::Done, { 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3 } },
        { "itself", 2, 2, SwapResult::Same, same },
        { "zero", 0, 1, SwapResult::BadController, same },
        { "beyond", 1, 3, SwapResult::BadController, same },
    };
    for (const Row& row : rows) {
        Build({ 8, 4 });
        EXPECT_EQ(SwapControllers(m_model, m_settings, row.a, row.b), row.result) << row.name;
        EXPECT_EQ(Contents(), row.contents) << row.name;
        EXPECT_EQ(m_model.m_modified, row.result == SwapResult::Done ? 1 : 0) << row.name;
    }
}

TEST_F(ControllerEditsTest, SwapPortsChecksTheNumbers)
{
    struct Row {
        const char* name;
        int ca, pa, cb, pb;
        SwapResult result;
    };
    const Row rows[] = {
        { "ok", 1, 1, 2, 4, SwapResult::Done },
        { "port 9 of 16", 1, 9, 1, 1, SwapResult::BadPort },
        { "port 6 of 4", 1, 1, 2, 6, SwapResult::BadPort },
        { "port 0", 1, 0, 1, 1, SwapResult::BadPort },
        { "controller 3", 3, 1, 1, 1, SwapResult::BadController },
        { "controller 0", 1, 1, 0, 1, SwapResult::BadController },
    };
    for (const Row& row : rows) {
        Build({ 16, 4 });
        EXPECT_EQ(SwapControllerPorts(m_model, m_settings, row.ca, row.pa, row.cb, row.pb), row.result) << row.name;
    }
    Build({ 16, 4 });
    ASSERT_EQ(SwapControllerPorts(m_model, m_settings, 1, 2, 2, 4), SwapResult::Done);
    EXPECT_EQ(Contents()[1], 19);
    EXPECT_EQ(Contents()[19], 1);
}

TEST_F(ControllerEditsTest, LampTypesColoursAndReversing)
{
    Build({ 2, 2 }, { 3, 3, 3, 3 });
    ResetLampTypeList();
    LampTypeList.Add(L"RGBW");
    ASSERT_TRUE(SetControllerLampType(m_model, m_settings, 1, 1));
    EXPECT_EQ(m_model.GetPort(1).m_lampFormatIndex, 0);
    EXPECT_EQ(m_model.GetPort(2).m_lampFormatIndex, 1);
    EXPECT_EQ(m_model.GetPort(3).m_lampFormat, L"RGBW");
    EXPECT_FALSE(SetControllerLampType(m_model, m_settings, 1, 2));
    EXPECT_FALSE(SetPortLampType(m_model, 0, -1));
    EXPECT_EQ(m_model.m_modified, 1);

    m_model.m_modified = 0;
    ASSERT_TRUE(SetControllerColour(m_model, m_settings, 0, RGB(1, 2, 3)));
    EXPECT_EQ(m_model.GetPort(1).m_colour, RGB(1, 2, 3));
    EXPECT_NE(m_model.GetPort(2).m_colour, RGB(1, 2, 3));
    EXPECT_EQ(m_model.m_modified, 1);

    m_model.m_modified = 0;
    ASSERT_TRUE(ReverseControllerPorts(m_model, m_settings, 0));
    EXPECT_EQ(m_model.GetPort(0).GetPoint(0).x, 200);
    EXPECT_EQ(m_model.GetPort(2).GetPoint(0).x, 2);
    EXPECT_EQ(m_model.m_modified, 1);
    ReverseUsedPorts(m_model);
    EXPECT_EQ(m_model.GetPort(0).GetPoint(0).x, 0);
    EXPECT_EQ(m_model.GetPort(2).GetPoint(0).x, 202);
    ResetLampTypeList();
}

TEST_F(ControllerEditsTest, MaskLampsIsHeldToThePort)
{
    Build({ 1 }, { 5 });
    EXPECT_EQ(MaskPortLamps(m_model, 0, 0, 3, true), 3);
    EXPECT_EQ(MaskPortLamps(m_model, 0, 4, 99, true), 2);
    EXPECT_EQ(MaskPortLamps(m_model, 0, 1, 99, false), 5);
    EXPECT_EQ(MaskPortLamps(m_model, 3, 1, 2, true), 0);
}

} // namespace
