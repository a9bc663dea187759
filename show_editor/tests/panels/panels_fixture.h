// Test support for the main window's panels: a document host that answers
// language texts from a table and forwards the play commands to the preview
// panel as the program's host does, a tree panel whose mouse position and
// menus are scripted, and a fixture with the three panels as real windows
// of one document.
#pragma once

#include "dornel_doc.h"
#include "fw_testing.h"
#include "player_panel.h"
#include "property_panel.h"
#include "tree_panel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <memory>
#include <vector>

namespace panelstest {

class CPanelTestHost : public CDornelDocHost {
public:
    HWND GetMainWindow() override { return nullptr; }
    BOOL IsMainWindowVisible() override { return TRUE; }
    CString GetLangText(LPCTSTR section, int key) override;
    void StartPlay() override;
    void PausePlay() override;
    void StopPlay() override;
    int SetFourColor(int, int, BYTE) override { return 0; }
    BOOL EditTimeTrigger(SegmentTimePlay&) override { return FALSE; }
    BOOL InputString(CString&) override { return FALSE; }
    CEffectEditor* CreateEffectEditor(const EffectEditorRequest& request) override
    {
        // The program opens an editor here; the panels only ask for it.
        struct CStandInEditor : CEffectEditor {
            explicit CStandInEditor(int id)
                : m_id(id)
            {
            }
            int GetDialogId() const override { return m_id; }
            CRect GetWindowRect() const override { return CRect(); }
            void MoveTo(int, int) override { }
            void Show() override { }
            void DestroyEditor() override { }
            int m_id;
        };
        m_editorRequests.push_back(request.dialogId);
        return new CStandInEditor(request.dialogId);
    }

    std::map<std::pair<std::wstring, int>, CString> m_texts;
    std::vector<CString> m_calls;
    std::vector<int> m_editorRequests;
    CDornelDoc* m_doc = nullptr;
};

// The tree panel with a scripted cursor and recorded context menus.
class CTestTreePanel : public CManagerPanel {
public:
    CPoint m_cursor;
    std::vector<std::vector<UINT>> m_menus; // command ids of each menu shown

protected:
    CPoint GetCursorScreenPos() const override { return m_cursor; }
    void TrackContextMenu(CMenu* popup, CPoint) override;
};

class PanelsTest : public ::testing::Test {
protected:
    PanelsTest();
    ~PanelsTest() override;

    // n segments of one view each; every view holds colour effects of the
    // given played lengths.
    void BuildProject(const std::vector<std::vector<int>>& programLengths);
    QvSegmentGourp* Seg(int number) const { return m_doc->GetSegment(number - 1); }
    ProgramView* View(int segment, int view) const { return CDornelDoc::GetSegmentView(view - 1, Seg(segment)); }
    Program* Prog(int segment, int view, int program) const
    {
        return View(segment, view)->m_programs.GetAt(program - 1);
    }
    // Clicks a tree item as the user would (NM_CLICK with the cursor on it).
    void ClickItem(HTREEITEM item, UINT code = NM_CLICK);
    // The labels of the tree, depth first, indented by two spaces a level.
    std::vector<CString> TreeLabels();
    // A row's value text.
    static CString Text(CMFCPropertyGridProperty* row) { return RowText(row); }
    // The user enters text into a row: the grid reports the change.
    void Edit(CMFCPropertyGridProperty* row, LPCTSTR text);

    fwtest::CScriptedUiHost m_ui;
    CPanelTestHost m_host;
    std::unique_ptr<CDornelDoc> m_doc;
    CWnd m_frame;
    CViewpanel* m_player = nullptr;
    CTestTreePanel* m_tree = nullptr;
    CPropertypanel* m_props = nullptr;
};

// A colour effect of the given played length (start frame 1).
Program* NewEffect(int length);

} // namespace panelstest
