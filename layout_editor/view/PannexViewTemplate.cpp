// The floating template over the layout: its menu (rotate, mirror, position,
// size, close), the rulers dialog and the coordinate tip that follows the
// cursor.
#include "PannexView.h"

#include <algorithm>

#include "EditorSettings.h"
#include "LayoutLangText.h"
#include "PannexEditResource.h"
#include "PannexMenus.h"
#include "ScaleSetDlg.h"
#include "TemplateDialogs.h"

void CPannexView::ShowTemplateMenu(CPoint screen)
{
    TrackViewMenu(IDR_TEMPLATE_MENU, LocalizeTemplateMenu, screen);
}

void CPannexView::OnTemplateCommand(UINT id)
{
    // The turns and mirrors in command order.
    constexpr int kTransforms[] = { kTemplateRotateClockwise, kTemplateRotateCounterClockwise, kTemplateRotate180,
        kTemplateMirrorLeftRight, kTemplateMirrorTopBottom };
    switch (id) {
    case ID_TEMPLATE_ROTATE_CW:
    case ID_TEMPLATE_ROTATE_CCW:
    case ID_TEMPLATE_ROTATE_180:
    case ID_TEMPLATE_MIRROR_LR:
    case ID_TEMPLATE_MIRROR_TB:
        m_copyBuffer.Transform(kTransforms[id - ID_TEMPLATE_ROTATE_CW]);
        break;
    case ID_TEMPLATE_LOCATE: {
        CTemplateLocateDlg dlg(this);
        const int r = std::clamp(m_copyBuffer.m_referencePoint, 0, 8);
        const CPoint shown = TemplateReferencePosition(r);
        dlg.m_reference = r;
        dlg.m_x = shown.x;
        dlg.m_y = shown.y;
        if (dlg.DoModal() != IDOK)
            return;
        PlaceTemplateReference(dlg.m_reference, dlg.m_x, dlg.m_y);
        // The copy's new corner comes to the middle of the view.
        PanToPoint(
            CPoint(m_copyBuffer.m_left, m_copyBuffer.m_top), CPoint(m_clientWidth / 2, m_clientHeight / 2), false);
        return;
    }
    case ID_TEMPLATE_SIZE: {
        CTemplateSizeDlg dlg(this);
        dlg.m_width = m_copyBuffer.m_width;
        dlg.m_height = m_copyBuffer.m_height;
        if (dlg.DoModal() != IDOK)
            return;
        m_copyBuffer.Resize(dlg.m_width, dlg.m_height);
        break;
    }
    case ID_TEMPLATE_CLOSE:
        // The copy stays in the buffer for the paste commands.
        m_templateShown = 0;
        break;
    default:
        return;
    }
    Redraw();
}

CPoint CPannexView::TemplateReferencePosition(int r) const
{
    const CLightBarTemplate& copy = m_copyBuffer;
    auto along = [](int start, int size, int part) {
        return part == 0 ? start + 1 : part == 1 ? start + size / 2 : start + size;
    };
    return CPoint(along(copy.m_left, copy.m_width, r % 3), along(copy.m_top, copy.m_height, r / 3));
}

void CPannexView::PlaceTemplateReference(int r, int X, int Y)
{
    r = std::clamp(r, 0, 8);
    CLightBarTemplate& copy = m_copyBuffer;
    auto back = [](int value, int size, int part) {
        return part == 0 ? value - 1 : part == 1 ? value - size / 2 : value - size;
    };
    copy.m_referencePoint = r;
    copy.m_left = back(X, copy.m_width, r % 3);
    copy.m_top = back(Y, copy.m_height, r / 3);
    copy.m_leastNormX = (copy.m_left + 0.5) / std::max(LayoutWidth, 1);
    copy.m_leastNormY = (copy.m_top + 0.5) / std::max(LayoutHeight, 1);
}

void CPannexView::OnRulers()
{
    CLayoutData* model = GetModel();
    CScaleSetDlg dlg(this);
    dlg.m_hRulers.Copy(m_settings.m_hRulers);
    dlg.m_vRulers.Copy(m_settings.m_vRulers);
    if (dlg.DoModal() != IDOK)
        return;
    m_settings.m_hRulers.Copy(dlg.m_hRulers);
    m_settings.m_vRulers.Copy(dlg.m_vRulers);
    // The rulers are saved with the layout.
    if (model != nullptr)
        model->m_modified = 1;
    Redraw();
}

void CPannexView::UpdateCoordinateTip(CPoint client)
{
    CShowPointDlg* tip = m_coordinateTip.get();
    if (tip == nullptr || tip->GetSafeHwnd() == nullptr)
        return;
    if (!m_settings.m_showXY) {
        if (tip->IsWindowVisible())
            tip->ShowWindow(SW_HIDE);
        return;
    }
    CString text;
    text.Format(L"X=%d\r\nY=%d", m_currentCell.x + 1, m_currentCell.y + 1);
    POINT screen = client;
    if (GetSafeHwnd() != nullptr)
        ::ClientToScreen(m_hWnd, &screen);
    tip->SetWindowPos(nullptr, screen.x + 13, screen.y, 53, 35, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    tip->ShowText(text);
}
