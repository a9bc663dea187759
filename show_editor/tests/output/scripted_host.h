// Answers the output code's message boxes from a queue and records what was
// asked, for as long as the object lives.
#pragma once

#include <afx.h>

#include "OutputMessage.h"

#include <deque>
#include <vector>

struct RecordedMessage {
    CString text;
    CString caption;
    UINT type = 0;
};

class CScriptedOutputHost {
public:
    CScriptedOutputHost()
    {
        s_current = this;
        m_previous = SetOutputMessageHandler(&Answer);
    }
    ~CScriptedOutputHost()
    {
        SetOutputMessageHandler(m_previous);
        s_current = nullptr;
    }
    CScriptedOutputHost(const CScriptedOutputHost&) = delete;
    CScriptedOutputHost& operator=(const CScriptedOutputHost&) = delete;

    std::deque<int> answers; // IDOK when empty
    std::vector<RecordedMessage> messages;

private:
    static int Answer(LPCWSTR text, LPCWSTR caption, UINT type)
    {
        CScriptedOutputHost& self = *s_current;
        self.messages.push_back({ text, caption, type });
        if (self.answers.empty())
            return IDOK;
        const int answer = self.answers.front();
        self.answers.pop_front();
        return answer;
    }

    static inline CScriptedOutputHost* s_current = nullptr;
    OutputMessageHandler m_previous = nullptr;
};
