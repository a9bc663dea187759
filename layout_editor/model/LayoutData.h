// The layout editor's whole model of one layout: the grid size, the ports of
// all controllers in controller order, the list of ports in use, the
// selection, the undo history and the floating buffer of points about to be
// placed. The grouping of ports into controllers is kept by the caller as a
// list of port counts (CControllerList) and passed in where whole
// controllers are inserted or removed.
#pragma once

#include <afx.h>

#include <vector>

#include "LayoutCommand.h"
#include "LayoutLimits.h"
#include "LayoutPort.h"
#include "LayoutSpareBuffers.h"

// Port counts per controller, in controller order.
using CControllerList = CArray<WORD, WORD>;

// Modes of InsertPorts and RemovePorts.
enum LayoutPortMode {
    kPortModeControllers = 0, // whole controllers at a controller position
    kPortModeShiftOne = 1, // one port, the port count stays
    kPortModeRange = 2, // a run of ports at a port position
};

class CLayoutData {
public:
    CLayoutData();
    ~CLayoutData();
    CLayoutData(const CLayoutData&) = delete;
    CLayoutData& operator=(const CLayoutData&) = delete;

    // --- Ports -------------------------------------------------------------

    // Starts a new port set: n empty ports of capacity min(pointsPerPort,
    // 3072). Empties the history and the selection. Refused (false, nothing
    // changed) for n < 1, n > 5120 or pointsPerPort < 1.
    bool ResetPorts(int n, int pointsPerPort, const CString& lampFormat, int formatIndex);
    // Frees every port; the used list and the active port are reset.
    void FreePorts();
    // Grows every port below n (capped at 3072) to n; capacities never shrink.
    void SetPortCapacity(int n);
    // Inserts whole controllers (mode 0), one port in place (mode 1) or a run
    // of ports (mode 2). Refused (false, nothing changed) for positions or
    // counts that do not exist, and when the layout would pass 5120 ports.
    bool InsertPorts(int at, int number, int portsPerController, int capacity, int mode, CControllerList& controllers,
        const CString& lampFormat, int formatIndex);
    // Removes whole controllers (mode 0), one port in place (mode 1) or a run
    // of ports (mode 2). Refused (false, nothing changed) for positions or
    // counts that do not exist.
    bool RemovePorts(int at, int number, int mode, CControllerList& controllers);
    // Exchanges two ports' points and settings; the adjustment tables and
    // flags stay with the slots. No undo step.
    bool SwapPorts(int i, int j);
    // The file readers' sink: fills the next unused slot from the record.
    // Refused when every port is already in use.
    bool AppendLoadedPort(const LayoutPort& record);
    // Thins every port out (see LayoutPort::ThinOut) and marks the layout modified.
    void ThinOutAllPorts(int n);

    int GetPortCount() const { return static_cast<int>(m_ports.size()); }
    // The smallest grid that holds every lamp of the ports (0 x 0 without
    // lamps); a layout cannot be made smaller without moving them.
    CSize GetLampsExtent() const;
    int GetPointsPerPort() const { return m_pointsPerPort; }
    LayoutPort& GetPort(int i) { return m_ports[static_cast<size_t>(i)]; }
    const LayoutPort& GetPort(int i) const { return m_ports[static_cast<size_t>(i)]; }
    bool IsValidPort(int i) const { return i >= 0 && i < GetPortCount(); }

    // --- Used-port list ------------------------------------------------------

    int GetUsedCount() const { return static_cast<int>(m_usedPorts.size()); }
    int GetUsedPort(int i) const { return m_usedPorts[static_cast<size_t>(i)]; }
    bool IsPortInUse(int port) const;
    // Appends the port when it is not listed yet (and there is room).
    bool MarkPortUsed(int port);
    // Every port with at least one point, in port order; bounds refreshed.
    void RebuildUsedPorts();

    // --- Queries by cell ---------------------------------------------------

    // True when a port of the used list has a point on the cell.
    bool IsPointUsed(const CPoint& cell) const;
    // The lamp on the cell as 1-based port and point numbers, (0, 0) when
    // none. The active port wins a shared cell; it and its last hit are
    // updated.
    bool FindPointAt(const CPoint& cell, int& port, int& index);
    // Every lamp on the cell as ((port + 1) << 16) | (index + 1), ports in
    // used-list order, within a port from the highest index down.
    void CollectPortsAtPoint(const CPoint& cell, CDWordArray& out) const;

    // --- Selection ---------------------------------------------------------

    void ClearSelection();

    // --- Undo history ------------------------------------------------------

    // Releases and deletes the commands of every step from `from` on.
    void DropRedoTail(int from);
    // Drops every step and command.
    void ClearUndoHistory();
    int GetCommandCount() const { return static_cast<int>(m_commands.size()); }
    int GetStepCount() const { return static_cast<int>(m_stepSizes.size()); }
    // Takes back the commands of the last applied step, last first. False
    // when nothing is applied.
    bool UndoStep();
    // Applies the commands of the next undone step again, first to last.
    // False when nothing is undone.
    bool RedoStep();
    // Stores the commands of one edit (already applied, built in full) as one
    // step and makes every step current. Callers drop the redo tail before
    // their change. The history takes ownership; when it is full the oldest
    // steps go. No commands: no step.
    void RecordStep(std::vector<ICLCommand*> commands);
    // Buffers of dropped steps, for the copies of the next ones. They hold
    // room for at most as many lamps and indexes as the layout has lamps
    // (65,536 for a smaller layout); emptying the history frees them.
    CSpareBuffers& Spares() { return m_spares; }
    // Gives the port room for n more points (up to its capacity) from the
    // spare buffers, so that an insertion does not grow the chain.
    void MakeRoom(int port, int n);
    // Called once a layout is loaded: sets aside, among the spare buffers,
    // room for one copy of each port's lamps and indexes, touched now, so
    // that the first large edit copies its undo step into memory the process
    // already holds rather than into pages fresh from the system.
    void ReserveForEdits();

    // --- Deleting, moving and reshaping points -------------------------------

    // Deletes the lamps on the cells in use in [left, right) x [top, bottom),
    // each cell's lamp of the lowest-numbered port. Returns the number of
    // cells in use found.
    int DeletePointsInRect(int left, int top, int right, int bottom);
    // Empties one port as one undo step. Returns the number removed.
    int ClearPortPoints(int port);
    // Deletes the selected points and clears the selection. Returns the
    // number of selected points. When every lamp in use is selected the
    // ports are emptied without an undo step.
    int DeleteSelection();
    // Replaces the point at index with newPoint (false when out of range or
    // when the cell does not change).
    bool MovePoint(int port, int index, const CLPoint& newPoint);
    // Moves the selected points by to - from (cells and normalised positions).
    bool MoveSelectedPoints(const CLPoint& from, const CLPoint& to);
    // Rotates the selected points by angle degrees about centre. With a
    // preview buffer, the rotated points are written into it and the model
    // stays unchanged (the redo tail still goes).
    bool RotateSelection(std::vector<CLPoint>* preview, double angle, const CLPoint& centre);
    // Spreads the points between the lamps on two cells of one port evenly
    // along the straight segment between them.
    bool StraightenPointRange(int port, const CPoint& first, const CPoint& second);

    // --- Floating buffer -----------------------------------------------------

    // Replaces the floating buffer: the points, of which the first count are
    // to be placed, as one group.
    void SetFloatingPoints(std::vector<CLPoint> points, int count);
    void ClearFloatingPoints();
    const CLPoint* GetFloatingPoints() const { return m_floatingPoints.data(); }
    int GetFloatingCount() const { return m_floatingCount; }
    WORD GetFloatingPortCount() const { return m_floatingPortCount; }
    const std::vector<WORD>& GetFloatingGroupSizes() const { return m_floatingGroupSizes; }

    // --- Plain state, read and written by the editor -----------------------

    int m_strokeStart = -1; // index in the stroke's port where a drag stroke began
    std::vector<WORD> m_selectedPorts; // ports holding selected points, in order of selection
    std::vector<std::vector<bool>> m_selectionBits; // one per selected port: bit i = point i selected
    std::vector<BYTE> m_blockSelected; // per port: wholly selected and fills its rectangle
    BYTE m_templateKind = 0; // 0 plain layout, 1 project template, 2 and 3 from template files
    BYTE m_modified = 0;
    int m_activePort = -1; // port of the last successful hit test
    int m_width = 256; // grid width in cells
    int m_height = 128; // grid height in cells

    // Undo history: owned commands, oldest first; the cursor counts the
    // applied ones; one size per step; current step counts applied steps.
    std::vector<ICLCommand*> m_commands;
    int m_commandCursor = 0;
    std::vector<int> m_stepSizes;
    int m_currentStep = 0;

private:
    // Checks the new port count against the limit.
    static bool FitsPortLimit(long long ports) { return ports >= 0 && ports <= kMaxLayoutPorts; }
    // Ports of controllers first..first+count-1; -1 when the list lacks them.
    static long long SumControllers(const CControllerList& controllers, int first, int count);
    // Common end of InsertPorts and RemovePorts.
    void PortsRestructured();
    // Sets the spare buffers' limit from the lamps in the layout.
    void FitSparesToLayout();

    std::vector<LayoutPort> m_ports;
    int m_pointsPerPort = 256; // capacity the ports were last set up with, before the cap
    std::vector<int> m_usedPorts; // ports in order of first use, at most 5120

    std::vector<CLPoint> m_floatingPoints;
    int m_floatingCount = 0;
    WORD m_floatingPortCount = 0;
    std::vector<WORD> m_floatingGroupSizes;

    CSpareBuffers m_spares;
};
