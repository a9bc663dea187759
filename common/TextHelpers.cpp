// Token splitting, string-array lookup and comma-separated integers.
#include "TextHelpers.h"

#include <cstdint>

int WideTextToInt(const wchar_t* text)
{
    if (text == nullptr)
        return 0;
    while (*text == L' ' || (*text >= L'\t' && *text <= L'\r'))
        ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') {
        negative = *text == L'-';
        ++text;
    }
    uint32_t value = 0;
    while (*text >= L'0' && *text <= L'9') {
        value = value * 10u + static_cast<uint32_t>(*text - L'0');
        ++text;
    }
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

void SplitTokens(const CString& text, const CString& separators, CStringArray& tokens)
{
    const int length = text.GetLength();
    int start = 0;
    while (start < length) {
        int end = start;
        while (end < length && separators.Find(text[end]) < 0)
            ++end;
        tokens.Add(text.Mid(start, end - start));
        start = end + 1; // the token and the one separator after it
    }
}

int FindStringIndex(const CString& text, const CStringArray& strings)
{
    for (INT_PTR i = 0; i < strings.GetSize(); ++i) {
        if (strings[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

void ParseTwoInts(const CString& text, int& first, int& second)
{
    const int comma = text.Find(L',');
    if (comma < 0) {
        first = 0;
        second = WideTextToInt(text);
        return;
    }
    first = WideTextToInt(text.Left(comma));
    second = WideTextToInt(text.GetString() + comma + 1);
}

void ParseFourInts(const CString& text, int& a, int& b, int& c, int& d)
{
    CStringArray tokens;
    SplitTokens(text, L",", tokens);
    int* outputs[4] = { &a, &b, &c, &d };
    for (INT_PTR i = 0; i < tokens.GetSize() && i < 4; ++i)
        *outputs[i] = WideTextToInt(tokens[i]);
}
