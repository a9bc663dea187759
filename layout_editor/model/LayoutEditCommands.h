// The undoable edits of the layout's history: adding points, deleting
// points, replacing one point, and offsetting points by one difference or by
// one difference per point. Each command records a change to one port and
// names the port by its slot in the model.
#pragma once

#include <memory>
#include <vector>

#include "LPoint.h"
#include "LayoutCommand.h"
#include "LayoutPort.h"

class CLayoutData;
class LayoutPort;

// Most steps and most commands the history keeps; when an edit would pass
// either, the oldest steps are dropped.
constexpr int kMaxUndoSteps = 5120;
constexpr int kMaxUndoCommands = 5120;

// Points inserted into a port: appended, or point i at indexes[i].
class CAddCommand : public ICLCommand {
public:
    CAddCommand(CLayoutData& layout, int port, std::vector<CLPoint> points, std::vector<int> indexes = {});
    void Redo() override;
    void Undo() override;
    void Release() override;

    int GetPort() const { return m_port; }
    const std::vector<CLPoint>& GetPoints() const { return m_points; }
    const std::vector<int>& GetIndexes() const { return m_indexes; }

private:
    CLayoutData& m_layout;
    std::vector<CLPoint> m_points;
    std::vector<int> m_indexes; // empty: appended
    int m_port;
};

// Points removed from a port; indexes are the removal positions (point i
// removed at indexes[i], from the last point to the first). Undone into an
// empty port, the points become its chain again without a copy: the port
// holds them for the step (CChainLoan) and a redo takes them back.
class CDelCommand : public ICLCommand {
public:
    CDelCommand(CLayoutData& layout, int port, std::vector<CLPoint> points, std::vector<int> indexes);
    void Redo() override;
    void Undo() override;
    void Release() override;

    int GetPort() const { return m_port; }
    // Empty while the port holds them.
    const std::vector<CLPoint>& GetPoints() const { return m_points; }
    const std::vector<int>& GetIndexes() const { return m_indexes; }

private:
    // True when an undo would make the points the port's whole chain.
    bool RestoresWholeChain(const LayoutPort& port) const;

    CLayoutData& m_layout;
    std::vector<CLPoint> m_points;
    std::vector<int> m_indexes;
    std::shared_ptr<CChainLoan> m_loan; // while undone into the port's chain
    int m_port;
};

// One point replaced: the stored point and the port's point change places
// on every application.
class CMoveCommand : public ICLCommand {
public:
    CMoveCommand(CLayoutData& layout, int port, int index, const CLPoint& point);
    void Redo() override;
    void Undo() override;
    void Release() override;

private:
    CLayoutData& m_layout;
    CLPoint m_point;
    int m_index;
    int m_port;
};

// Points offset by one difference; each application negates it, so Redo
// and Undo are the same operation.
class CMoveCommand2 : public ICLCommand {
public:
    CMoveCommand2(CLayoutData& layout, int port, const CLPoint& difference, std::vector<int> indexes);
    void Redo() override;
    void Undo() override;
    void Release() override;

private:
    CLayoutData& m_layout;
    CLPoint m_difference;
    std::vector<int> m_indexes;
    int m_port;
};

// Points offset by one difference each; self-inverse like CMoveCommand2.
class CMoveCommand3 : public ICLCommand {
public:
    CMoveCommand3(CLayoutData& layout, int port, std::vector<CLPoint> differences, std::vector<int> indexes);
    void Redo() override;
    void Undo() override;
    void Release() override;

private:
    CLayoutData& m_layout;
    std::vector<CLPoint> m_differences;
    std::vector<int> m_indexes;
    int m_port;
};

// Removes exactly the given points: point k at positions[k], taken from the
// last point to the first (the positions RemovePoints records). Refuses
// (false, nothing changed) when a position is out of range or holds another
// cell.
bool RemovePointsAtPositions(LayoutPort& port, const CLPoint* points, int n, const int* positions);
