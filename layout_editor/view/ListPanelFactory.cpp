// The list panel that fills the docked pane (see ListPanelHost.h): the
// controller and port panel CBarDlg, made as a child dialog of the pane.
#include "ListPanelHost.h"

#include "BarDlg.h"
#include "LShowStatic.h"

namespace {

class CListPanel : public IListPanel {
public:
    bool Create(CWnd& pane)
    {
        if (!m_panel.CreatePanel(&pane))
            return false;
        m_panel.MoveWindow(0, 0, 400, 100);
        m_panel.ShowWindow(SW_SHOW);
        m_panel.m_wndPreview.CreateBackBuffer();
        return true;
    }
    CWnd* GetPanelWnd() override { return &m_panel; }
    void RefreshFromLayout() override
    {
        m_panel.FillLampTypeCombo();
        m_panel.BuildCardTree();
    }
    void LocalizeLabels() override { m_panel.LocalizeLabels(); }
    CLShowStatic* GetOverview() override { return &m_panel.m_wndPreview; }

private:
    CBarDlg m_panel;
};

} // namespace

std::unique_ptr<IListPanel> CreateListPanel(CWnd& pane, CMainFrame&)
{
    auto panel = std::make_unique<CListPanel>();
    if (!panel->Create(pane))
        return nullptr;
    return panel;
}
