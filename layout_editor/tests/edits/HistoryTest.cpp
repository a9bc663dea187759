// Undo history: step sequences, the redo tail, multi-port steps, and the
// limits of 5120 steps and 5120 commands.
#include <gtest/gtest.h>

#include <functional>

#include "EditTestUtil.h"
#include "LayoutAddPoints.h"
#include "LayoutEditCommands.h"
#include "LayoutSelection.h"

namespace {

TEST_F(EditTest, ThreeAddsTwoUndosOneRedoThenANewAddKillsTheRedoTail)
{
    for (int x = 0; x < 3; ++x)
        ASSERT_EQ(1, AddPointToPort(m_layout, 0, false, Lamp(x, 0)));
    EXPECT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(m_layout.RedoStep());
    EXPECT_EQ((CellList { { 0, 0 }, { 1, 0 } }), Cells(m_layout.GetPort(0)));
    EXPECT_EQ(3, m_layout.GetStepCount());
    EXPECT_EQ(2, m_layout.m_currentStep);

    ASSERT_EQ(1, AddPointToPort(m_layout, 0, false, Lamp(5, 5)));
    EXPECT_EQ(3, m_layout.GetStepCount());
    EXPECT_EQ(3, m_layout.GetCommandCount());
    EXPECT_FALSE(m_layout.RedoStep());
    EXPECT_EQ((CellList { { 0, 0 }, { 1, 0 }, { 5, 5 } }), Cells(m_layout.GetPort(0)));

    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(m_layout.UndoStep());
    EXPECT_FALSE(m_layout.UndoStep());
    EXPECT_EQ(0, m_layout.GetPort(0).GetCount());
    EXPECT_EQ(0, m_layout.m_commandCursor);
}

TEST_F(EditTest, UndoOfATwoPortDeletionRestoresEveryIndex)
{
    Put(m_layout, 1, { { 0, 0 }, { 5, 5 }, { 1, 0 }, { 2, 0 }, { 5, 6 } });
    Put(m_layout, 4, { { 5, 5 }, { 9, 9 }, { 5, 6 }, { 6, 6 } });
    const std::vector<CLPoint> port1 = Snapshot(m_layout.GetPort(1));
    const std::vector<CLPoint> port4 = Snapshot(m_layout.GetPort(4));

    // Cells (5,5) and (5,6) go from port 1 (the lower number); (6,6) from port 4.
    EXPECT_EQ(3, m_layout.DeletePointsInRect(5, 5, 7, 7));
    EXPECT_EQ((CellList { { 0, 0 }, { 1, 0 }, { 2, 0 } }), Cells(m_layout.GetPort(1)));
    EXPECT_EQ((CellList { { 5, 5 }, { 9, 9 }, { 5, 6 } }), Cells(m_layout.GetPort(4)));
    ASSERT_EQ(1, m_layout.GetStepCount());
    EXPECT_EQ(2, m_layout.GetCommandCount());
    EXPECT_NE(nullptr, dynamic_cast<CDelCommand*>(m_layout.m_commands[0]));

    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(1), port1));
    EXPECT_TRUE(SamePoints(m_layout.GetPort(4), port4));
    ASSERT_TRUE(m_layout.RedoStep());
    EXPECT_EQ((CellList { { 5, 5 }, { 9, 9 }, { 5, 6 } }), Cells(m_layout.GetPort(4)));
}

TEST_F(EditTest, PreviewCallsDropTheRedoTailWithoutChangingPoints)
{
    Put(m_layout, 0, { { 2, 2 } });
    ASSERT_EQ(1, AddPointToPort(m_layout, 0, false, Lamp(3, 3)));
    ASSERT_EQ(1, AddPointToPort(m_layout, 0, false, Lamp(4, 4)));
    ASSERT_TRUE(m_layout.UndoStep());
    ASSERT_EQ(2, m_layout.GetStepCount());
    const std::vector<CLPoint> before = Snapshot(m_layout.GetPort(0));

    std::vector<CLPoint> preview;
    AddLineOfPoints(m_layout, 0, true, 0, &preview, Lamp(9, 3));
    EXPECT_TRUE(SamePoints(m_layout.GetPort(0), before));
    EXPECT_EQ(1, m_layout.GetStepCount());
    EXPECT_FALSE(m_layout.RedoStep());

    // The same for the rectangle and the rotation previews.
    ASSERT_TRUE(m_layout.UndoStep());
    AddRectangleWiring(m_layout, 0, 0, 0, 0, true, &preview, 10, 10, 12, 12);
    EXPECT_EQ(0, m_layout.GetStepCount());
    ASSERT_EQ(1, AddPointToPort(m_layout, 0, false, Lamp(3, 3)));
    ASSERT_TRUE(m_layout.UndoStep());
    SelectPort(m_layout, 0);
    EXPECT_TRUE(m_layout.RotateSelection(&preview, 90, Lamp(2, 2)));
    EXPECT_EQ(0, m_layout.GetStepCount());
    EXPECT_EQ((CellList { { 2, 2 } }), Cells(m_layout.GetPort(0)));
}

TEST_F(EditTest, RefusedAddStillLosesTheRedoTail)
{
    Put(m_layout, 1, { { 7, 7 } });
    ASSERT_EQ(1, AddPointToPort(m_layout, 0, false, Lamp(0, 0)));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_EQ(0, AddPointToPort(m_layout, 0, false, Lamp(7, 7)));
    EXPECT_EQ(0, m_layout.GetStepCount());
}

TEST_F(EditTest, RestructuringPortsEmptiesTheHistory)
{
    ASSERT_EQ(1, AddPointToPort(m_layout, 0, false, Lamp(0, 0)));
    CControllerList controllers;
    controllers.Add(8);
    ASSERT_TRUE(m_layout.InsertPorts(0, 1, 8, 256, kPortModeControllers, controllers, CString(L"RGB"), 0));
    EXPECT_FALSE(m_layout.UndoStep());
    EXPECT_EQ(1, m_layout.GetPort(8).GetCount());
}

// Counts the history's objects still alive.
int g_liveCommands = 0;

class LiveCommand : public ICLCommand {
public:
    LiveCommand() { ++g_liveCommands; }
    ~LiveCommand() override { --g_liveCommands; }
    void Redo() override { }
    void Undo() override { }
    void Release() override { }
};

TEST_F(EditTest, FullHistoryDropsTheOldestSteps)
{
    m_layout.ResetPorts(8, 3072, CString(L"RGB"), 0);
    // 5125 single-lamp adds: the first five steps fall out of the history.
    for (int i = 0; i < kMaxUndoSteps + 5; ++i)
        ASSERT_EQ(1, AddPointToPort(m_layout, i % 8, true, Lamp(i % 32, i / 32 % 16)));
    EXPECT_EQ(kMaxUndoSteps, m_layout.GetStepCount());
    EXPECT_EQ(kMaxUndoCommands, m_layout.GetCommandCount());
    EXPECT_EQ(kMaxUndoSteps, m_layout.m_currentStep);
    int undone = 0;
    while (m_layout.UndoStep())
        ++undone;
    EXPECT_EQ(kMaxUndoSteps, undone);
    int left = 0;
    for (int p = 0; p < 8; ++p)
        left += m_layout.GetPort(p).GetCount();
    EXPECT_EQ(5, left);
    EXPECT_EQ((CellList { { 0, 0 } }), Cells(m_layout.GetPort(0)));
    EXPECT_EQ((CellList { { 4, 0 } }), Cells(m_layout.GetPort(4)));
    EXPECT_EQ(0, m_layout.GetPort(5).GetCount());
}

TEST_F(EditTest, StepOfManyCommandsPushesOutAsManyOldSteps)
{
    g_liveCommands = 0;
    for (int i = 0; i < 5000; ++i)
        m_layout.RecordStep({ new LiveCommand });
    std::vector<ICLCommand*> big;
    for (int i = 0; i < 300; ++i)
        big.push_back(new LiveCommand);
    m_layout.RecordStep(big);
    EXPECT_EQ(5000 - 180 + 1, m_layout.GetStepCount());
    EXPECT_EQ(kMaxUndoCommands, m_layout.GetCommandCount());
    EXPECT_EQ(kMaxUndoCommands, g_liveCommands);

    // A step larger than the whole history cannot be kept at all.
    std::vector<ICLCommand*> huge;
    for (int i = 0; i < kMaxUndoCommands + 1; ++i)
        huge.push_back(new LiveCommand);
    m_layout.RecordStep(huge);
    EXPECT_EQ(0, m_layout.GetStepCount());
    EXPECT_EQ(0, g_liveCommands);

    m_layout.RecordStep({ new LiveCommand });
    m_layout.ClearUndoHistory();
    EXPECT_EQ(0, g_liveCommands);
}

TEST_F(EditTest, ANewDeleteAfterAnUndoCopiesIntoTheDroppedStepsBuffers)
{
    Put(m_layout, 2, Block(0, 0, 25, 4));
    const std::vector<CLPoint> before = Snapshot(m_layout.GetPort(2));
    const CLPoint* chain = m_layout.GetPort(2).GetPoints();

    ASSERT_EQ(50, m_layout.DeletePointsInRect(0, 0, 32, 2));
    const CLPoint* copies = dynamic_cast<CDelCommand&>(*m_layout.m_commands[0]).GetPoints().data();
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(2), before));
    EXPECT_EQ(chain, m_layout.GetPort(2).GetPoints()); // put back in place

    ASSERT_EQ(50, m_layout.DeletePointsInRect(0, 2, 32, 4));
    ASSERT_EQ(1, m_layout.GetCommandCount());
    const auto& again = dynamic_cast<CDelCommand&>(*m_layout.m_commands[0]);
    EXPECT_EQ(copies, again.GetPoints().data());
    EXPECT_EQ(Cells(std::vector<CLPoint>(before.begin() + 50, before.end())), Cells(again.GetPoints()));
    EXPECT_EQ(Cells(std::vector<CLPoint>(before.begin(), before.begin() + 50)), Cells(m_layout.GetPort(2)));
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(2), before));

    // Every lamp: the chain goes to the step, and its undo gives the port
    // room from the spare buffers.
    ASSERT_EQ(100, m_layout.DeletePointsInRect(0, 0, 32, 16));
    EXPECT_EQ(0, m_layout.GetPort(2).GetCount());
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(2), before));
    ASSERT_TRUE(m_layout.RedoStep());
    EXPECT_EQ(0, m_layout.GetPort(2).GetCount());
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(2), before));

    EXPECT_GT(m_layout.Spares().GetCount(), 0u);
    EXPECT_LE(m_layout.Spares().GetBytes(), 65536 * (sizeof(CLPoint) + sizeof(int)));
    m_layout.ClearUndoHistory();
    EXPECT_EQ(0u, m_layout.Spares().GetBytes());
}

TEST_F(EditTest, UndoneDeleteOfAWholePortSurvivesChangesMadeOutsideTheHistory)
{
    // A delete of every lamp of port 2, undone; then a change that records
    // no step; then redo and undo again. Redo and undo work from the step's
    // own lamps as they were when it was recorded.
    const CellList cells { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 1 } };
    const CellList reversed { { 3, 1 }, { 2, 0 }, { 1, 0 }, { 0, 0 } };
    struct Case {
        const char* name;
        std::function<void(CLayoutData&)> change;
        CellList port3AfterRedo;
        CellList port2AfterUndo;
    };
    const Case cases[] = {
        { "nothing", [](CLayoutData&) {}, {}, cells },
        { "a lamp's flag", [](CLayoutData& layout) { layout.GetPort(2).EditPoint(1).m_masked = 1; }, {}, cells },
        { "a reversed run", [](CLayoutData& layout) { ReversePointRange(1, 4, layout.GetPort(2)); }, {}, reversed },
        { "ports swapped", [](CLayoutData& layout) { layout.SwapPorts(2, 3); }, cells, cells },
        { "lamps thinned out", [](CLayoutData& layout) { layout.GetPort(2).ThinOut(3); }, {}, cells },
    };
    for (const Case& c : cases) {
        m_layout.ResetPorts(8, 256, CString(L"RGB"), 0);
        Put(m_layout, 2, cells);
        const std::vector<CLPoint> before = Snapshot(m_layout.GetPort(2));
        ASSERT_EQ(4, m_layout.DeletePointsInRect(0, 0, 32, 16)) << c.name;
        ASSERT_TRUE(m_layout.UndoStep()) << c.name;
        EXPECT_TRUE(SamePoints(m_layout.GetPort(2), before)) << c.name;
        c.change(m_layout);
        ASSERT_TRUE(m_layout.RedoStep()) << c.name;
        EXPECT_EQ(0, m_layout.GetPort(2).GetCount()) << c.name;
        EXPECT_EQ(c.port3AfterRedo, Cells(m_layout.GetPort(3))) << c.name;
        ASSERT_TRUE(m_layout.UndoStep()) << c.name;
        EXPECT_EQ(c.port2AfterUndo, Cells(m_layout.GetPort(2))) << c.name;
        for (int i = 0; i < m_layout.GetPort(2).GetCount(); ++i)
            EXPECT_EQ(0, m_layout.GetPort(2).GetPoint(i).m_masked) << c.name;
    }
}

TEST_F(EditTest, UndoingADeleteOfAWholePortGivesTheChainBackWithoutACopy)
{
    Put(m_layout, 2, Block(0, 3, 30, 4));
    const std::vector<CLPoint> before = Snapshot(m_layout.GetPort(2));
    const CLPoint* chain = m_layout.GetPort(2).GetPoints();
    ASSERT_EQ(30, m_layout.DeletePointsInRect(0, 0, 32, 16));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(m_layout.UndoStep());
        EXPECT_EQ(chain, m_layout.GetPort(2).GetPoints()) << round;
        EXPECT_TRUE(SamePoints(m_layout.GetPort(2), before)) << round;
        ASSERT_TRUE(m_layout.RedoStep());
        EXPECT_EQ(0, m_layout.GetPort(2).GetCount()) << round;
    }
    ASSERT_TRUE(m_layout.UndoStep());
    // A new edit drops the undone step: the port keeps the chain as its own.
    ASSERT_EQ(1, m_layout.DeletePointsInRect(0, 3, 1, 4));
    EXPECT_EQ(chain, m_layout.GetPort(2).GetPoints());
    ASSERT_TRUE(m_layout.UndoStep());
    EXPECT_TRUE(SamePoints(m_layout.GetPort(2), before));
}

} // namespace
