// The list panel that fills the docked pane (see ListPanelHost.h). Until the
// controller and port tree is built here, the pane holds an empty panel.
#include "ListPanelHost.h"

namespace {

class CEmptyListPanel : public IListPanel {
public:
    bool Create(CWnd& pane)
    {
        return m_wnd.Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                   L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &pane, 1)
            != FALSE;
    }
    CWnd* GetPanelWnd() override { return &m_wnd; }
    void RefreshFromLayout() override { }
    void LocalizeLabels() override { }
    CLShowStatic* GetOverview() override { return nullptr; }

private:
    CWnd m_wnd;
};

} // namespace

std::unique_ptr<IListPanel> CreateListPanel(CWnd& pane, CMainFrame&)
{
    auto panel = std::make_unique<CEmptyListPanel>();
    if (!panel->Create(pane))
        return nullptr;
    return panel;
}
