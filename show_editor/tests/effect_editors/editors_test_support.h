// Test support for the effect editors: a document host that opens the real
// editors owned by a stand-in main window, which hands their close notices
// to the document as the main frame does; a document with a small template
// library; helpers that drive combo boxes and wait for messages.
#pragma once

#include "dornel_doc.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace edtest {

// The main frame's part: WM_EFFECT_DIALOG_CLOSED goes to the document.
class CMainStandIn : public CWnd {
public:
    BOOL CreateMain();
    CDornelDoc* m_pDoc = nullptr;
    std::vector<int> m_closedIds;

protected:
    LRESULT OnEffectDialogClosed(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CEditorHost : public CDornelDocHost {
public:
    HWND GetMainWindow() override { return m_pMain != nullptr ? m_pMain->GetSafeHwnd() : nullptr; }
    BOOL GetMainWindowRect(CRect& rect) override
    {
        rect.SetRect(0, 0, 1000, 740);
        return TRUE;
    }
    void SetMainWindowCaption(const CString&) override { }
    void EnableFileMenuItem(UINT, BOOL) override { }
    CString GetLangText(LPCTSTR section, int key) override;
    LRESULT SendPanelMessage(DocPanel, CWnd*, UINT, WPARAM, LPARAM) override { return 0; }
    void PostPanelMessage(DocPanel, CWnd*, UINT, WPARAM, LPARAM) override { }
    void StartPlay() override { m_calls.push_back(L"StartPlay"); }
    void StopPlay() override { m_calls.push_back(L"StopPlay"); }
    void PausePlay() override { }
    CEffectEditor* CreateEffectEditor(const EffectEditorRequest& request) override;
    BOOL ChooseColorTemplate(ColorTemplate*& chosen) override
    {
        m_calls.push_back(L"Chooser");
        chosen = nullptr;
        return m_chooserOk;
    }
    size_t Count(LPCWSTR call) const;

    CDornelDoc* m_pDoc = nullptr;
    CMainStandIn* m_pMain = nullptr;
    BOOL m_chooserOk = TRUE;
    int m_templateFileIndex = -1;
    std::vector<EffectEditorRequest> m_requests;
    std::vector<CString> m_calls;
    std::map<CString, CString> m_texts; // "SECTION key" -> text
};

class EditorTest : public ::testing::Test {
protected:
    EditorTest();
    ~EditorTest() override;

    // Template library: n templates (thumbnails of 4 x 1 pixels).
    void AddLibraryTemplate(int mode, std::vector<COLORREF> colors);
    // One template file holding the given templates.
    void AddTemplateFile(const std::vector<std::vector<COLORREF>>& gradients);
    // A segment with one view holding the program; the view becomes current
    // and the program selected.
    void AddProjectProgram(Program* program);

    CEffectEditor* OpenEditor(int id) const;
    // Pumps until the document has no editor of this kind.
    bool WaitClosed(CEffectEditor* const& slot);

    fwtest::CScriptedUiHost m_ui;
    CEditorHost m_host;
    std::unique_ptr<CDornelDoc> m_doc;
    CMainStandIn m_main;
};

// Selects item index of a combo box and tells its parent, as the user does.
void ChooseComboItem(CWnd& dialog, int nID, int index);
CString ComboText(CWnd& dialog, int nID);
// A folder of its own under the temporary folder, removed afterwards.
CString TempPath(LPCWSTR name);

} // namespace edtest
