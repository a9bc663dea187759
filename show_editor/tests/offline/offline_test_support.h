// Test support for the off-line output dialogs: a document host that records
// what the dialogs ask of the document's surroundings, an output host with
// scripted configuration-writer results, and a document fixture with the
// scripted UI host installed.
#pragma once

#include "HardwareConfig.h"
#include "OfflineGeneration.h"
#include "dornel_doc.h"
#include "fw_temp_folder.h"
#include "fw_testing.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace offtest {

struct PanelCall {
    DocPanel panel;
    UINT message;
    WPARAM wParam;
    bool posted;
};

class CDocHost : public CDornelDocHost {
public:
    HWND GetMainWindow() override { return nullptr; }
    // "<section> <key>" so that tests see which text was used, or the text
    // a test gave that key in m_texts.
    CString GetLangText(LPCTSTR section, int key) override;
    LRESULT SendPanelMessage(DocPanel which, CWnd*, UINT message, WPARAM wParam, LPARAM) override
    {
        m_panelCalls.push_back({ which, message, wParam, false });
        return 0;
    }
    void PostPanelMessage(DocPanel which, CWnd*, UINT message, WPARAM wParam, LPARAM) override
    {
        m_panelCalls.push_back({ which, message, wParam, true });
    }
    void StopPlay() override { ++m_stopPlays; }
    void EnableFileMenuItem(UINT, BOOL) override { }
    BOOL InputString(CString& text) override
    {
        m_inputPrompts.push_back(text);
        if (m_inputOk)
            text = m_inputText;
        return m_inputOk;
    }
    BOOL InputStringWithCaption(CString& text, const CString& caption) override
    {
        m_inputCaptions.push_back(caption);
        return InputString(text);
    }

    // Standard strings: a CString key would be ordered by its address.
    std::map<std::pair<std::wstring, int>, CString> m_texts;
    std::vector<PanelCall> m_panelCalls;
    int m_stopPlays = 0;
    std::vector<CString> m_inputPrompts;
    std::vector<CString> m_inputCaptions;
    BOOL m_inputOk = TRUE;
    CString m_inputText = L"1";
};

// Records the writer's calls and answers with a chosen result (or calls the
// real writer when told to).
class COutputHost : public COfflineOutputHost {
public:
    ConfigWriteResult WriteConfigFiles(
        const HardwareConfig& config, const CString& folder, int count, const ConfigWriteTexts& texts) override
    {
        m_writes.push_back({ folder, count });
        m_texts = texts;
        if (m_realWriter)
            return COfflineOutputHost::WriteConfigFiles(config, folder, count, texts);
        return m_result;
    }
    void CardwellOpen(const CString& folder) override { m_cardwell.push_back(folder); }

    struct Write {
        CString folder;
        int count;
    };
    std::vector<Write> m_writes;
    std::vector<CString> m_cardwell;
    ConfigWriteTexts m_texts; // of the last write
    ConfigWriteResult m_result = ConfigWriteResult::kWritten;
    bool m_realWriter = false;
};

using fwtest::CTempFolder;

bool FileExists(const CString& path);
std::string ReadBytes(const CString& path);

class OfflineTest : public ::testing::Test {
protected:
    OfflineTest();
    ~OfflineTest() override;

    // A project that can be recorded: frames, segments and a layout file.
    void MakeRecordable(int segments = 2, int totalFrames = 120, int playFrames = 100);
    std::vector<PanelCall> PanelCalls(UINT message) const;

    fwtest::CScriptedUiHost m_ui;
    CDocHost m_host;
    COutputHost m_output;
    HardwareConfig m_config;
    std::unique_ptr<CDornelDoc> m_doc;
    CWnd m_viewPanel; // stands for the preview panel (never created)
};

} // namespace offtest
