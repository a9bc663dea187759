// Test support for the project document: a host that records what the
// document asks of its surroundings, fake effect editors, fake panels and a
// document fixture with the scripted UI host installed.
#pragma once

#include "dornel_doc.h"
#include "fw_temp_folder.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace doctest {

// One message the document sent or posted to a panel.
struct PanelMessage {
    DocPanel panel;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted;
};

class CFakeEditor;

class CRecordingHost : public CDornelDocHost {
public:
    HWND GetMainWindow() override { return nullptr; }
    BOOL IsMainWindowVisible() override { return m_visible; }
    BOOL GetMainWindowRect(CRect& rect) override
    {
        rect.SetRect(100, 50, 1101, 850);
        return TRUE;
    }
    void SetMainWindowCaption(const CString& caption) override { m_captions.push_back(caption); }
    void SetStatusText(const CString& text) override { m_status.push_back(text); }
    void EnableFileMenuItem(UINT id, BOOL enable) override { m_menu.push_back({ id, enable }); }
    void MinimizeMainWindow() override { m_calls.push_back(L"Minimize"); }
    void ShowMainWindowMaximized() override { m_calls.push_back(L"Maximize"); }
    int GetMainFrameScreen() override { return 3; }
    void SetMainFrameFourColorMode(int mode) override { m_frameColorMode = mode; }
    void LoadHardwareRecord(const BYTE* record) override { m_loadedRecord.assign(record, record + 280); }
    void SaveHardwareRecord(BYTE* record) override
    {
        for (int i = 0; i < 280; ++i)
            record[i] = m_frameRecordByte;
    }
    void ApplyLayoutFile(const CString& path) override { m_appliedLayouts.push_back(path); }
    CString GetProductTitle() override { return L"Title"; }
    CString GetLangText(LPCTSTR section, int key) override;
    LRESULT SendPanelMessage(DocPanel which, CWnd*, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back({ which, message, wParam, lParam, false });
        return 0;
    }
    void PostPanelMessage(DocPanel which, CWnd*, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back({ which, message, wParam, lParam, true });
    }
    void StartPlay() override { m_calls.push_back(L"StartPlay"); }
    void PausePlay() override { m_calls.push_back(L"PausePlay"); }
    void StopPlay() override { m_calls.push_back(L"StopPlay"); }
    void PrevSegment() override { m_calls.push_back(L"PrevSegment"); }
    void NextSegment() override { m_calls.push_back(L"NextSegment"); }
    int SetFourColor(int screen, int mode, BYTE white) override
    {
        m_fourColor.push_back({ screen, mode, white });
        return 0;
    }
    void RunShowMaker() override { m_calls.push_back(L"ShowMaker"); }
    int PassFrameCount(Program*, int width, int height) override { return width + height; }
    CEffectEditor* CreateEffectEditor(const EffectEditorRequest& request) override;
    BOOL ChooseColorTemplate(ColorTemplate*& chosen) override
    {
        m_calls.push_back(L"Chooser");
        chosen = m_chooserResult;
        return m_chooserOk;
    }
    void RunScreenRecorder(const CString& path) override;
    void RunVideoEditorModal(int index) override;
    BOOL EditTimeTrigger(SegmentTimePlay& schedule) override;
    BOOL InputString(CString& text) override
    {
        m_calls.push_back(L"Input:" + text);
        if (m_inputOk)
            text = m_inputText;
        return m_inputOk;
    }

    // Messages of one kind to one panel.
    std::vector<PanelMessage> MessagesTo(DocPanel panel, UINT message) const;
    size_t CountCalls(LPCWSTR call) const;
    void Clear()
    {
        m_messages.clear();
        m_calls.clear();
        m_status.clear();
        m_menu.clear();
        m_captions.clear();
    }

    BOOL m_visible = TRUE;
    std::vector<CString> m_captions;
    std::vector<CString> m_status;
    std::vector<std::pair<UINT, BOOL>> m_menu;
    std::vector<CString> m_calls;
    std::vector<PanelMessage> m_messages;
    std::vector<std::tuple<int, int, int>> m_fourColor;
    std::vector<CString> m_appliedLayouts;
    std::vector<BYTE> m_loadedRecord;
    BYTE m_frameRecordByte = 0x5A;
    int m_frameColorMode = -1;
    bool m_langTexts = false; // answer "<section> <key>" instead of empty texts
    // Texts a test gave: they win over both (standard strings keep the order).
    std::map<std::pair<std::wstring, int>, CString> m_texts;
    BOOL m_chooserOk = TRUE;
    ColorTemplate* m_chooserResult = nullptr;
    BOOL m_inputOk = TRUE;
    CString m_inputText = L"Renamed";
    // Written by the fake screen recorder when set.
    bool m_recorderWrites = true;
    // What the modal video editor hands to the document.
    CDornelDoc* m_doc = nullptr;
    Program* m_modalProgram = nullptr;
    BOOL m_triggerOk = TRUE;
    int m_triggerDuration = 77;
    // Editors created, in order, with their requests.
    std::vector<EffectEditorRequest> m_requests;
    std::vector<CFakeEditor*> m_editors; // still alive
    bool m_wasPlayingAtModal = false;
};

class CFakeEditor : public CEffectEditor {
public:
    CFakeEditor(CRecordingHost& host, int id)
        : m_host(host)
        , m_id(id)
    {
    }
    ~CFakeEditor() override;
    int GetDialogId() const override { return m_id; }
    CRect GetWindowRect() const override { return m_rect; }
    void MoveTo(int left, int top) override
    {
        m_rect.MoveToXY(left, top);
        ++m_moves;
    }
    void Show() override { ++m_shows; }
    void DestroyEditor() override { m_destroyed = true; }
    void BuildPreviewSegment() override { ++m_rebuilds; }
    void LocalizeLabels() override { ++m_relabels; }

    CRecordingHost& m_host;
    int m_id;
    CRect m_rect { 0, 0, 300, 200 };
    int m_moves = 0;
    int m_shows = 0;
    int m_rebuilds = 0;
    int m_relabels = 0;
    bool m_destroyed = false;
};

using fwtest::CTempFolder;

bool FileExists(const CString& path);
void WriteText(const CString& path, const char* text);

class DocTest : public ::testing::Test {
protected:
    DocTest();
    ~DocTest() override;

    // Binds three fake panels (views of the document's panel classes).
    void BindFakePanels();
    // A new project with n segments of one view each, every view holding
    // the given programs' played lengths as colour effects.
    void BuildProject(const std::vector<std::vector<int>>& programLengths);
    QvSegmentGourp* Seg(int number) const { return m_doc->GetSegment(number - 1); }
    ProgramView* View(int segment, int view) const { return CDornelDoc::GetSegmentView(view - 1, Seg(segment)); }
    Program* Prog(int segment, int view, int program) const
    {
        return View(segment, view)->m_programs.GetAt(program - 1);
    }
    // Checks the numbering rules of the whole tree and the frame totals.
    void ExpectTreeNumbering() const;

    fwtest::CScriptedUiHost m_ui;
    CRecordingHost m_host;
    std::unique_ptr<CDornelDoc> m_doc;
    std::vector<std::unique_ptr<CView>> m_panels;
};

// A colour effect of the given played length (start 1).
Program* NewEffect(int length, int style = 0);

} // namespace doctest
