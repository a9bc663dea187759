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

LightBoxPlan PlanLightBox(const LightBoxValues& v, int portsPerController)
{
    LightBoxPlan plan;
    const bool byRows = v.style <= 2;
    plan.gridRows = byRows ? v.perPort : v.rows;
    plan.gridColumns = byRows ? v.columns : v.perPort;
    const long long lines = byRows ? v.rows : v.columns;
    plan.portsNeeded = static_cast<int>((lines + v.perPort - 1) / v.perPort);
    const int ppc = std::max(portsPerController, 1);
    plan.controllers = (plan.portsNeeded + ppc - 1) / ppc;

    // The last cells of the whole grid.
    const long long xe
        = static_cast<long long>(v.columns) + static_cast<long long>(v.columns - 1) * v.columnSpacing + v.left - 1;
    const long long ye = static_cast<long long>(v.rows) + static_cast<long long>(v.rows - 1) * v.rowSpacing + v.top - 1;
    const int Xe = static_cast<int>(std::min<long long>(xe, 0x7FFFFFFF));
    const int Ye = static_cast<int>(std::min<long long>(ye, 0x7FFFFFFF));
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
