// DXF import: builds the ports of a layout from an ASCII DXF drawing. Lamps
// are CIRCLE or ELLIPSE entities, the wiring between the lamps of a port is
// drawn as LINE entities, and each port is named by a TEXT label ("C1P2":
// controller 1, port 2; or "P5": port 5) that sits on the far end of a short
// leader line from the port's first lamp. The reader re-creates the ports,
// follows the wiring from every label (lamps at the line ends, or the
// circles along the lines) and fits the grid to the lamps.
//
// The progress goes to a progress-bar control that may be null.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "LayoutData.h"

struct DxfText {
    double x = 0;
    double y = 0;
    double z = 0;
    WCHAR text[50] = {};
    int controller = 0;
    int port = 0;
    BYTE snapped = 0;
};

struct DxfLine {
    double x1 = 0;
    double y1 = 0;
    double z1 = 0;
    double x2 = 0;
    double y2 = 0;
    double z2 = 0;
    BYTE used = 0;
};

struct DxfCircle {
    double x = 0;
    double y = 0;
    double z = 0;
    BYTE used = 0;
};

class CDxfLineSource;
class CDxfPointIndex;

class DxfReader {
public:
    // Import modes of Parse: lamps at the line ends, or circles on the lines.
    static constexpr int kEndpointMode = 1;
    static constexpr int kCircleMode = 2;
    // Most lamps one chain collects.
    static constexpr int kMaxChain = 4096;
    // Largest grid (columns or rows) a drawing may span before the lamps are
    // fitted; a larger one is refused.
    static constexpr int kMaxGridCells = 1 << 20;
    // Most records of each kind a drawing may hold; more is refused, so a
    // hostile file cannot exhaust the memory of the 32-bit process.
    static constexpr size_t kMaxTexts = 1 << 20;
    static constexpr size_t kMaxLines = 1 << 21;
    static constexpr size_t kMaxCircles = 1 << 21;

    DxfReader();
    ~DxfReader();
    DxfReader(const DxfReader&) = delete;
    DxfReader& operator=(const DxfReader&) = delete;

    // Empties the records and puts the counters and bounds back to their
    // empty values (origin, reference, spans and height stay).
    void Reset();

    // Result of a parse whose labels ask for more ports on one controller
    // than m_maxPortsPerController allows.
    static constexpr int kTooManyPorts = -2;

    // Reads a two-dimensional drawing into the layout. mode kEndpointMode
    // takes the lamps at the ends of the wiring lines, any other value the
    // circles along them. factor multiplies the lamp radius. 0 on success;
    // -1 when the drawing cannot be used and kTooManyPorts when it needs too
    // many ports per controller, the layout and the controller list then
    // unchanged.
    int Parse(
        LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int mode, HWND progress, double factor = 1.0);
    // Reads a three-dimensional drawing seen from the front (view 0) or the
    // top (1): the ports follow the labels and stay empty.
    int Parse3D(LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int view, HWND progress);

    // The port builders, run by Parse after the grid numbers are known.
    int BuildPortsFromLineEnds(CLayoutData& layout, CControllerList& controllers, HWND progress);
    int BuildPortsFromLineEndsNoRepeat(CLayoutData& layout, CControllerList& controllers, HWND progress);
    int BuildPortsFromCircles(CLayoutData& layout, CControllerList& controllers, HWND progress);

    // Options, set by the caller before a parse.
    int m_radiusBasis = 2; // 0 first circle, 1 smallest, 2 largest
    int m_overlapMode = 0; // endpoint chains end on a cell they already hold
    double m_precision = 0.6; // sampling tolerance of the circle mode, in radii
    // Most ports one controller may get (the layout file stores the count in
    // a byte); 0: no limit beyond the layout's port limit.
    int m_maxPortsPerController = 0;

    // What the last parse found (read by tests and the caller).
    const std::vector<DxfText>& GetTexts() const { return m_texts; }
    const std::vector<DxfLine>& GetLines() const { return m_lines; }
    const std::vector<DxfCircle>& GetCircles() const { return m_circles; }
    int GetLabelKind() const { return m_labelKind; }
    int GetHighestController() const { return m_highestController; }
    int GetHighestPort() const { return m_highestPort; }
    double GetRadius() const { return m_radius; }
    double GetCell() const { return m_cell; }
    int GetColumns() const { return m_columns; }
    int GetRows() const { return m_rows; }
    double GetMinX() const { return m_minX; }
    double GetMinY() const { return m_minY; }
    double GetMaxX() const { return m_maxX; }
    double GetMaxY() const { return m_maxY; }

private:
    struct PortPlan {
        int controllers = 0;
        int portsPerController = 0;
    };
    enum class ChainKind { LineEnds, LineEndsNoRepeat, Circles };

    int ParseChecked(LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int mode, int view, HWND progress,
        double factor, bool threeD);
    int ParseDrawing(LPCWSTR path, CLayoutData& layout, CControllerList& controllers, int mode, int view, HWND progress,
        double factor, bool threeD);
    bool ReadEntities(CDxfLineSource& source, HWND progress, bool threeD, int view);
    bool ReadCircle(CDxfLineSource& source, bool threeD, int view, DxfCircle& circle, double& candidate);
    void TakeRadius(double candidate, bool threeD, bool entity);
    void CleanLabels();
    bool NumberLabels(bool threeD, WCHAR separator);
    void SnapLabels(bool threeD);
    void ComputeGrid();
    int PortIndexOf(const DxfText& text, int portsPerController) const;

    int BuildPorts(CLayoutData& layout, CControllerList& controllers, HWND progress, ChainKind kind);
    void BuildLineEndChain(const DxfText& text, bool noRepeat, std::vector<CLPoint>& chain);
    void BuildCircleChain(const DxfText& text, std::vector<CLPoint>& chain);
    void TakeCirclesNear(double x, double y, std::vector<CLPoint>& chain);
    void TakeCirclesAlong(double x, double y, double sx, double sy, double last, std::vector<CLPoint>& chain);
    void TakeCircle(int id, std::vector<CLPoint>& chain);
    // First free line (lowest index, at least minId) with an end within the
    // tolerance of the point; which end matched in `end` (0 or 1). -1: none.
    int FindLine(double x, double y, double z, double tolerance, int minId, bool useZ, int& end) const;
    CLPoint PlaceLamp(double x, double y) const;
    static void StoreChain(CLayoutData& layout, int portIndex, const std::vector<CLPoint>& chain);
    void FitGrid(CLayoutData& layout);
    void BuildIndexes();

    std::vector<DxfText> m_texts;
    std::vector<DxfLine> m_lines;
    std::vector<DxfCircle> m_circles;
    int m_labelKind = 0;
    int m_highestController = 1;
    int m_highestPort = 1;
    double m_radius = 1.0;
    double m_cell = 2.0;
    double m_minX = 16777215.0;
    double m_minY = 16777215.0;
    double m_maxX = -16777215.0;
    double m_maxY = -16777215.0;
    double m_minZ = 16777215.0;
    double m_maxZ = -16777215.0;
    int m_columns = 1;
    int m_rows = 1;
    double m_originX = 0;
    double m_referenceY = 0;
    double m_spanX = 1.0;
    double m_spanY = 1.0;
    double m_height = 1.0;
    double m_snapTolerance = 0.5;
    double m_sampleTolerance = 0.6;

    WCHAR m_separator = L'P';
    int m_portsPerController = 1;
    int m_freeCircles = 0;
    std::unique_ptr<CDxfPointIndex> m_lineIndex; // both ends of every line
    std::unique_ptr<CDxfPointIndex> m_circleIndex; // circle centres
};
