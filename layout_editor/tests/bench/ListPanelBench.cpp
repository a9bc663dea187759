// Times the list panel on the largest layouts: rebuilding the controller
// and port tree for 5,120 ports (640 controllers of 8) holding 1,000,000
// lamps, against inserting the same number of items with one fixed text
// into a bare tree control; and choosing a port in the tree (the view
// selects its lamps and repaints at the fit zoom), against selecting the
// port's lamps in the model alone.
#include "bench.h"

#include <cstdio>

#include "BarDlg.h"
#include "LayoutSelection.h"
#include "MainFrm.h"
#include "PannexApp.h"
#include "PannexDoc.h"
#include "PannexView.h"

namespace {

constexpr int kControllers = 640;
constexpr int kPortsPerController = 8;
constexpr int kPorts = kControllers * kPortsPerController;
constexpr int kLamps = 1000000;
constexpr int kWidth = 1024;
constexpr int kHeight = 1024;

struct Editor {
    CPannexApp app;
    CBarDlg* panel = nullptr;
    CPannexView* view = nullptr;
    CPannexDoc* doc = nullptr;

    Editor()
    {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_HIDE);
        app.InitInstance();
        auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
        view = frame != nullptr ? frame->GetPannexView() : nullptr;
        doc = frame != nullptr ? frame->GetPannexDoc() : nullptr;
        panel = GetListPanel();
        if (view == nullptr || doc == nullptr || panel == nullptr)
            return;
        frame->ShowWindow(SW_SHOW);
        panel->MoveWindow(0, 0, 300, 800);
        CLayoutData& model = doc->GetLayout();
        model.m_width = kWidth;
        model.m_height = kHeight;
        model.ResetPorts(kPorts, 256, L"RGB", 0);
        // Ports fill the grid row by row; the first ports take one lamp more
        // so that the layout holds exactly a million.
        int cell = 0;
        for (int p = 0; p < kPorts; ++p) {
            const int n = kLamps / kPorts + (p < kLamps % kPorts ? 1 : 0);
            std::vector<CLPoint> points;
            for (int i = 0; i < n; ++i, ++cell) {
                CLPoint lamp(cell % kWidth, cell / kWidth);
                lamp.m_normX = (lamp.x + 0.5) / kWidth;
                lamp.m_normY = (lamp.y + 0.5) / kHeight;
                points.push_back(lamp);
            }
            model.GetPort(p).InsertPoints(points.data(), n);
            model.GetPort(p).UpdateBounds();
        }
        model.RebuildUsedPorts();
        view->m_settings.SetControllers(kControllers, kPortsPerController);
        view->ResizeLayout(kWidth, kHeight);
        view->SetEditMode(0);
    }
    ~Editor()
    {
        if (::IsWindow(app.m_pMainWnd != nullptr ? app.m_pMainWnd->GetSafeHwnd() : nullptr))
            app.m_pMainWnd->DestroyWindow();
        app.ExitInstance();
    }
    bool Ready() const { return panel != nullptr && view != nullptr && doc != nullptr; }
};

Editor& TheEditor()
{
    static Editor editor;
    return editor;
}

HTREEITEM PortItem(CTreeCtrl& tree, int controller, int port)
{
    HTREEITEM item = tree.GetChildItem(tree.GetRootItem());
    for (int c = 0; c < controller && item != nullptr; ++c)
        item = tree.GetNextSiblingItem(item);
    item = item != nullptr ? tree.GetChildItem(item) : nullptr;
    for (int k = 0; k < port && item != nullptr; ++k)
        item = tree.GetNextSiblingItem(item);
    return item;
}

} // namespace

LS_BENCHMARK(ListPanelTreeFor5120PortsAndAMillionLamps)
{
    Editor& editor = TheEditor();
    if (!bench::Check(editor.Ready(), "the editor did not start"))
        return;
    CTreeCtrl& tree = editor.panel->m_treeCards;
    tree.DeleteAllItems();
    const double build = bench::Measure([&] { editor.panel->BuildCardTree(); }, 2.0);
    // The project, its controllers and their ports.
    bench::Check(static_cast<int>(tree.GetCount()) == 1 + kControllers + kPorts && PortItem(tree, 639, 7) != nullptr,
        "the tree does not show every controller and port");

    // The plain job of the same size: as many items, fixed text, redraw off.
    CTreeCtrl bare;
    bare.Create(WS_CHILD | TVS_HASLINES, CRect(0, 0, 300, 600), editor.panel, 4242);
    const double plain = bench::Measure(
        [&] {
            bare.SendMessage(WM_SETREDRAW, FALSE);
            bare.DeleteAllItems();
            HTREEITEM root = bare.InsertItem(L"Project");
            for (int c = 0; c < kControllers; ++c) {
                HTREEITEM card = bare.InsertItem(L"Controller", root);
                for (int k = 0; k < kPortsPerController; ++k)
                    bare.InsertItem(L"[1] Port 1 (195)", card);
                bare.Expand(card, TVE_EXPAND);
            }
            bare.SendMessage(WM_SETREDRAW, TRUE);
        },
        2.0);
    bench::Check(static_cast<int>(bare.GetCount()) == 1 + kControllers + kPorts, "the bare tree lacks items");
    bare.DestroyWindow();
    bench::Report("tree rebuild, 5120 ports", build * 1000, "ms");
    bench::Report("bare tree of as many items", plain * 1000, "ms");
    bench::Report("ratio", build / plain, "x");
}

LS_BENCHMARK(ListPanelSelectingAPortSelectsItsLamps)
{
    Editor& editor = TheEditor();
    if (!bench::Check(editor.Ready(), "the editor did not start"))
        return;
    editor.panel->BuildCardTree();
    CTreeCtrl& tree = editor.panel->m_treeCards;
    HTREEITEM a = PortItem(tree, 320, 3);
    HTREEITEM b = PortItem(tree, 639, 7);
    if (!bench::Check(a != nullptr && b != nullptr, "the tree lacks the ports"))
        return;
    CLayoutData& model = editor.doc->GetLayout();
    const int portA = 320 * 8 + 3;
    const int portB = kPorts - 1;
    auto selectedOnly = [&](int port) {
        return model.m_selectedPorts.size() == 1 && model.m_selectedPorts[0] == port
            && SelectedIndexesOf(model, port).size() == static_cast<size_t>(model.GetPort(port).GetCount());
    };
    // The timed calls alternate between the two ports: the last one's lamps
    // are to be selected, and only they.
    bool flip = false;
    const double select = bench::Measure(
        [&] {
            flip = !flip;
            tree.SelectItem(flip ? a : b);
        },
        2.0);
    bench::Check(selectedOnly(flip ? portA : portB), "selecting a port item did not select the port's lamps");
    // The panel's handling of the tree's selection notice, as a click on a
    // port item sends it: the port's lamps selected and the view repainted
    // at once.
    editor.view->Redraw();
    const double chosen = bench::Measure(
        [&] {
            flip = !flip;
            editor.panel->OnTreeSelectionChanged(flip ? a : b);
        },
        2.0);
    bench::Check(selectedOnly(flip ? portA : portB), "choosing a port in the panel did not select the port's lamps");
    const double model_only = bench::Measure(
        [&] {
            flip = !flip;
            model.ClearSelection();
            SelectPort(model, flip ? portA : portB);
        },
        1.0);
    bench::Check(selectedOnly(flip ? portA : portB), "the model did not select the port's lamps");
    const double repaint = bench::Measure([&] { editor.view->Redraw(); }, 1.0);
    bench::Report("tree port selected, lamps selected and view repainted", select * 1000, "ms");
    bench::Report("port chosen in the panel: its lamps selected, the view repainted", chosen * 1000, "ms");
    bench::Report("the view's full repaint", repaint * 1000, "ms");
    bench::Report("model selection of the port alone", model_only * 1000, "ms");
}
