// Test support for the list panel: the panel with a scripted cursor and
// recorded context menus, made as a real child of the running editor's
// frame, a fixture that builds layouts of given controllers and lamps, and
// a helper that drives the next modal dialog.
#pragma once

#include "PannexTestUtil.h"

#include <functional>
#include <vector>

#include "BarDlg.h"
#include "LampTypeList.h"
#include "LayoutSelection.h"
#include "ListPanelLabels.h"
#include "fw_window_texts.h"

namespace pannextest {

// One item of a shown context menu (submenus flattened in order).
struct ShownItem {
    UINT id = 0;
    CString text;
    bool enabled = false;
};

struct ShownMenu {
    std::vector<ShownItem> items;
    CString Text(UINT id) const
    {
        for (const ShownItem& item : items)
            if (item.id == id)
                return item.text;
        return L"<missing>";
    }
    bool Enabled(UINT id) const
    {
        for (const ShownItem& item : items)
            if (item.id == id)
                return item.enabled;
        return false;
    }
};

class CTestBarDlg : public CBarDlg {
public:
    CPoint m_cursor;
    std::vector<ShownMenu> m_menus;
    // Every text of the shown menus, popup titles included.
    std::vector<fwtest::CShownText> m_menuTexts;

protected:
    CPoint GetCursorScreenPos() const override { return m_cursor; }
    void TrackContextMenu(CMenu* popup, CPoint) override
    {
        ShownMenu shown;
        Record(popup->GetSafeHmenu(), shown);
        m_menus.push_back(shown);
        fwtest::CollectMenuTexts(popup->GetSafeHmenu(), L"menu", m_menuTexts);
    }

private:
    static void Record(HMENU menu, ShownMenu& shown)
    {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            WCHAR text[128] = {};
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
            info.dwTypeData = text;
            info.cch = 127;
            ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            if (info.hSubMenu != nullptr) {
                Record(info.hSubMenu, shown);
                continue;
            }
            shown.items.push_back({ info.wID, text, (info.fState & MFS_DISABLED) == 0 });
        }
    }
};

class ListPanelTest : public ::testing::Test {
protected:
    ListPanelTest()
        : m_session({})
    {
        ResetLampTypeList();
        m_panel.CreatePanel(m_session.Frame());
        m_panel.MoveWindow(0, 0, 300, 700);
        m_panel.ShowWindow(SW_SHOW);
    }
    ~ListPanelTest() override
    {
        m_panel.DestroyWindow();
        ResetLampTypeList();
    }

    CPannexDoc& Doc() { return *m_session.Doc(); }
    CPannexView& View() { return *m_session.View(); }
    CTreeCtrl& Tree() { return m_panel.m_treeCards; }

    // Controllers with these port counts; port i holds lamps[i] lamps on
    // row i (default none). The tree is rebuilt.
    void Build(const std::vector<int>& controllers, const std::vector<int>& lamps = {})
    {
        int ports = 0;
        for (int c : controllers)
            ports += c;
        CLayoutData& model = Doc().GetLayout();
        if (ports > 0)
            ASSERT_TRUE(model.ResetPorts(ports, 64, CString(L"RGB"), 0));
        else
            model.FreePorts();
        CLayoutProjectSettings& settings = View().m_settings;
        settings.m_controllers.RemoveAll();
        for (int c : controllers)
            settings.m_controllers.Add(static_cast<WORD>(c));
        settings.m_controllerCount = static_cast<int>(controllers.size());
        settings.m_portsPerController = 8;
        settings.m_channelsPerPort = 2048;
        settings.m_lampsPerPort = 64;
        for (int p = 0; p < ports && p < static_cast<int>(lamps.size()); ++p) {
            std::vector<CLPoint> points;
            for (int k = 0; k < lamps[static_cast<size_t>(p)]; ++k) {
                CLPoint lamp(k, p);
                lamp.m_normX = (k + 0.5) / model.m_width;
                lamp.m_normY = (p + 0.5) / model.m_height;
                points.push_back(lamp);
            }
            model.GetPort(p).InsertPoints(points.data(), static_cast<int>(points.size()));
            model.GetPort(p).UpdateBounds();
        }
        model.RebuildUsedPorts();
        model.m_modified = 0;
        m_panel.BuildCardTree();
    }

    HTREEITEM ControllerItem(int c)
    {
        HTREEITEM item = Tree().GetChildItem(Tree().GetRootItem());
        for (int i = 0; i < c && item != nullptr; ++i)
            item = Tree().GetNextSiblingItem(item);
        return item;
    }
    HTREEITEM PortItem(int p)
    {
        for (HTREEITEM card = Tree().GetChildItem(Tree().GetRootItem()); card != nullptr;
             card = Tree().GetNextSiblingItem(card))
            for (HTREEITEM item = Tree().GetChildItem(card); item != nullptr; item = Tree().GetNextSiblingItem(item))
                if (Tree().GetItemData(item) == (ITEM_PORT | static_cast<DWORD>(p)))
                    return item;
        return nullptr;
    }
    // Labels depth first, two spaces a level; and the item data likewise.
    std::vector<CString> Labels()
    {
        std::vector<CString> out;
        Walk(Tree().GetRootItem(), 0, [&](HTREEITEM item, int depth) {
            CString indent;
            for (int i = 0; i < depth; ++i)
                indent += L"  ";
            out.push_back(indent + Tree().GetItemText(item));
        });
        return out;
    }
    std::vector<DWORD> Data()
    {
        std::vector<DWORD> out;
        Walk(Tree().GetRootItem(), 0,
            [&](HTREEITEM item, int) { out.push_back(static_cast<DWORD>(Tree().GetItemData(item))); });
        return out;
    }
    bool Expanded(HTREEITEM item)
    {
        const auto state = Tree().SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED);
        return (state & TVIS_EXPANDED) != 0;
    }
    std::vector<int> SelectedPorts() { return SelectedPortsInOrder(Doc().GetLayout()); }
    int SelectedPointCount()
    {
        int n = 0;
        for (int p : SelectedPorts())
            n += static_cast<int>(SelectedIndexesOf(Doc().GetLayout(), p).size());
        return n;
    }
    // Puts the cursor on the item's label.
    void PointAt(HTREEITEM item)
    {
        Tree().EnsureVisible(item);
        CRect rect;
        Tree().GetItemRect(item, &rect, TRUE);
        CPoint centre = rect.CenterPoint();
        Tree().ClientToScreen(&centre);
        m_panel.m_cursor = centre;
    }
    void ClickItem(HTREEITEM item)
    {
        PointAt(item);
        m_panel.OnTreeClick();
    }
    void RightClickItem(HTREEITEM item)
    {
        PointAt(item);
        m_panel.OnTreeRightClick();
    }
    // Right-clicks the item and sends the command as its menu would.
    void Command(HTREEITEM item, UINT id)
    {
        RightClickItem(item);
        fwtest::SendCommand(m_panel, id);
    }

    fwtest::CScriptedUiHost m_ui;
    CPannexSession m_session;
    CTestBarDlg m_panel;

private:
    void Walk(HTREEITEM item, int depth, const std::function<void(HTREEITEM, int)>& visit)
    {
        for (; item != nullptr; item = Tree().GetNextSiblingItem(item)) {
            visit(item, depth);
            Walk(Tree().GetChildItem(item), depth + 1, visit);
        }
    }
};

} // namespace pannextest
