// The framework's scripted UI host, also recording the caption and flags of
// every message box the output code shows.
#pragma once

#include <fw_testing.h>

#include <vector>

struct RecordedMessage {
    CString text;
    CString caption;
    UINT type = 0;
};

class CScriptedOutputHost : public fwtest::CScriptedUiHost {
public:
    std::vector<RecordedMessage> messages;

    int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) override
    {
        messages.push_back({ text, caption, type });
        return fwtest::CScriptedUiHost::MessageBox(owner, text, caption, type);
    }
};
