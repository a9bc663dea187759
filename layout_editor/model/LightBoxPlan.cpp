// Light-box arithmetic (see LightBoxPlan.h).
#include "LightBoxPlan.h"

#include <algorithm>

#include "LayoutLimits.h"

bool LightBoxValuesValid(const LightBoxValues& v)
{
    return v.width >= 1 && v.height >= 1 && v.width <= kMaxLayoutSide && v.height <= kMaxLayoutSide && v.rows >= 1
        && v.columns >= 1 && v.diameter >= 1 && v.perPort >= 1 && v.top >= 0 && v.left >= 0 && v.rowSpacing >= 0
        && v.columnSpacing >= 0 && v.style >= 1 && v.style <= 4;
}

namespace {

// Last cell of the grid along one side: the lamps, the spacings between
// them and the leading margin.
long long GridEnd(int lamps, int spacing, int margin)
{
    return static_cast<long long>(lamps) + static_cast<long long>(lamps - 1) * spacing + margin - 1;
}

long long CeilDiv(long long a, long long b)
{
    return (a + b - 1) / b;
}

} // namespace

bool LightBoxFits(const LightBoxValues& v, int portsPerController)
{
    if (!LightBoxValuesValid(v) || portsPerController < 1 || portsPerController > kMaxPortsPerController)
        return false;
    if (GridEnd(v.columns, v.columnSpacing, v.left) >= kMaxLayoutSide
        || GridEnd(v.rows, v.rowSpacing, v.top) >= kMaxLayoutSide)
        return false;
    const long long lines = v.style <= 2 ? v.rows : v.columns;
    const long long controllers = CeilDiv(CeilDiv(lines, v.perPort), portsPerController);
    return controllers * portsPerController <= kMaxLayoutPorts;
}

LightBoxPlan PlanLightBox(const LightBoxValues& v, int portsPerController)
{
    LightBoxPlan plan;
    const bool byRows = v.style <= 2;
    const int lines = byRows ? v.rows : v.columns;
    // A port never takes more lines than the whole grid has: the lines past
    // it would only be trimmed again.
    const int perPort = std::min(v.perPort, lines);
    plan.gridRows = byRows ? perPort : v.rows;
    plan.gridColumns = byRows ? v.columns : perPort;
    plan.portsNeeded = static_cast<int>(CeilDiv(lines, perPort));
    const int ppc = std::clamp(portsPerController, 1, kMaxPortsPerController);
    plan.controllers = static_cast<int>(CeilDiv(plan.portsNeeded, ppc));

    // The last cells of the whole grid.
    const int Xe = static_cast<int>(GridEnd(v.columns, v.columnSpacing, v.left));
    const int Ye = static_cast<int>(GridEnd(v.rows, v.rowSpacing, v.top));
    const bool flip = v.flip != 0;
    switch (v.style) {
    case 1:
        plan.drop = CPoint(flip ? Xe : v.left, v.top);
        break;
    case 2:
        plan.drop = CPoint(flip ? Xe : v.left, Ye);
        break;
    case 3:
        plan.drop = CPoint(v.left, flip ? v.top : Ye);
        break;
    default:
        plan.drop = CPoint(Xe, flip ? v.top : Ye);
        break;
    }

    // The strip beyond the grid in the direction the ports follow each
    // other; a strip that would begin inside the grid (no margin left)
    // is empty rather than turned round onto the grid's own lamps.
    CRect trim;
    switch (v.style) {
    case 1:
        trim.SetRect(v.left, Ye + 1, v.width - 1, v.height - 1);
        break;
    case 2:
        trim.SetRect(0, 0, Xe, v.top - 1);
        break;
    case 3:
        trim.SetRect(Xe + 1, 0, v.width - 1, v.height - 1);
        break;
    default:
        trim.SetRect(0, 0, v.left - 1, v.height - 1);
        break;
    }
    plan.hasTrim = trim.left <= trim.right && trim.top <= trim.bottom;
    plan.trim = trim;
    return plan;
}
