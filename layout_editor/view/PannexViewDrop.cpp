// Dropping the generated grid of lamps (edit mode 2) into the current port,
// and with the panel's repeat option into the following ports.
#include "PannexView.h"

#include <algorithm>

#include "BarDlg.h"
#include "EditorSettings.h"
#include "FormatCheck.h"
#include "LayoutAddPoints.h"
#include "LayoutLangText.h"

namespace {

GridDropOptions ReadDropOptions()
{
    GridDropOptions options;
    if (const CBarDlg* panel = GetListPanel()) {
        options.style = panel->m_nArrangeStyle;
        options.columnGap = panel->m_nArrangeColumnGap;
        options.rowGap = panel->m_nArrangeRowGap;
        options.repeat = panel->m_bArrangeNextPorts != 0;
        options.toEnd = panel->m_bArrangeNextControllers != 0;
    }
    return options;
}

} // namespace

int CPannexView::DropTemplate(bool messages, const CPoint& cell)
{
    return DropTemplate(messages, cell, ReadDropOptions());
}

int CPannexView::DropTemplate(bool messages, const CPoint& cell, const GridDropOptions& given)
{
    CLayoutData* model = GetModel();
    if (model == nullptr || model->GetFloatingCount() == 0 || model->GetFloatingPoints() == nullptr)
        return 0;
    GridDropOptions options = given;
    options.style = std::clamp(options.style, 1, 4);
    options.columnGap = std::max(options.columnGap, 0);
    options.rowGap = std::max(options.rowGap, 0);
    const int s = options.style;
    const int n = model->GetPortCount();
    int t = m_currentPort;
    int controller = 0;
    int portInController = 0;
    BarToCardPort(t, controller, portInController);
    int e = 0;
    for (INT_PTR c = 0; c < m_settings.m_controllers.GetSize() && c < controller; ++c)
        e += m_settings.m_controllers.GetAt(c);

    // A drop cannot be undone, and nothing before it either.
    model->ClearUndoHistory();

    const CLPoint* grid = model->GetFloatingPoints();
    const int count = model->GetFloatingCount();
    // Cells and steps are worked out in 64 bits: a grid or gap of any size
    // only fails to fit.
    long long mx = 0;
    long long my = 0;
    for (int i = 0; i < count; ++i) {
        mx = std::max<long long>(mx, grid[i].x);
        my = std::max<long long>(my, grid[i].y);
    }
    // The grid's first lamp names its start corner.
    const bool right = grid[0].x == mx && s != 3;
    const bool bottom = grid[0].y == my && s != 1;
    const int w = LayoutWidth;
    const int h = LayoutHeight;
    auto fitsX = [&](long long x) { return right ? x - mx >= 0 && x < w : x >= 0 && x + mx < w; };
    auto fitsY = [&](long long y) { return bottom ? y - my >= 0 && y < h : y >= 0 && y + my < h; };
    // Only called for a drop cell that fits, so the corner is a grid cell.
    auto cornerAt = [&](long long x, long long y) {
        CLPoint corner(static_cast<int>(right ? x - mx : x), static_cast<int>(bottom ? y - my : y));
        corner.m_normX = (corner.x + 0.5) / std::max(w, 1);
        corner.m_normY = (corner.y + 0.5) / std::max(h, 1);
        return corner;
    };
    auto tell = [&] {
        if (!messages || t >= n)
            return;
        int c = 0;
        int p = 0;
        BarToCardPort(t, c, p);
        const CString text = GetLangText(L"LAYOUT", 174) + L"\r\n"
            + FormatCheckedText(GetLangText(L"LAYOUT", 175), L"Controller %d, port %d", "dd", c, p);
        AfxMessageBox(text, MB_OK);
    };

    long long x = cell.x;
    long long y = cell.y;
    if (!fitsX(x) || !fitsY(y)) {
        tell();
        return 1;
    }
    const bool overlap = m_settings.m_allowOverlap != 0;
    if (!options.repeat) {
        PlaceTemplatePort(*model, t, overlap, true, cornerAt(x, y));
        return 1;
    }

    const int end = options.toEnd ? n : std::min(e, n);
    // A direction the corner does not lead to places nothing.
    if (t >= end || (s == 2 && !bottom) || (s == 4 && !right))
        return 1;
    const long long firstY = y;
    for (;;) {
        PlaceTemplatePort(*model, t, true, false, cornerAt(x, y));
        ++t;
        if (t >= end)
            return 1;
        switch (s) {
        case 1:
            y += my + 1 + options.rowGap;
            break;
        case 2:
            y -= my + 1 + options.rowGap;
            break;
        case 3:
            x += mx + 1 + options.columnGap;
            break;
        default:
            x -= mx + 1 + options.columnGap;
            break;
        }
        if (fitsX(x) && fitsY(y))
            continue;
        // Filling to the end downwards from a top-left corner: a column that
        // reached the bottom goes on at the top of the next column.
        const long long nextX = x + mx + 1 + options.columnGap;
        if (options.toEnd && s == 1 && !right && !bottom && y + my >= h && fitsX(nextX) && fitsY(firstY)) {
            x = nextX;
            y = firstY;
            continue;
        }
        tell();
        return 1;
    }
}
