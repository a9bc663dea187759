// Controller type texts (see ControllerType.h).
#include "ControllerType.h"

namespace {

CString WithoutBlanks(const CString& text)
{
    CString out = text;
    out.Remove(L' ');
    out.Remove(L'\t');
    // The full-width blank of Chinese texts.
    out.Remove(L'\x3000');
    return out;
}

// The leading decimal digits of the text; none gives 0. Saturates instead of
// overflowing so that a long digit run cannot turn negative.
int LeadingNumber(const CString& text)
{
    long long value = 0;
    for (int i = 0; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = value < 0x7FFFFFFF ? value * 10 + (text[i] - L'0') : value;
    return value > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(value);
}

} // namespace

ControllerTypeValues ParseControllerType(const CString& type, const CString& portsWord, const CString& channelsWord)
{
    ControllerTypeValues values;
    const CString text = WithoutBlanks(type);
    const CString ports = WithoutBlanks(portsWord);
    const CString channels = WithoutBlanks(channelsWord);
    if (ports.IsEmpty())
        return values;
    const int m = text.Find(ports);
    if (m < 0)
        return values;
    const CString rest = text.Mid(m + ports.GetLength());
    if (rest.IsEmpty())
        return values;
    const int c = channels.IsEmpty() ? -1 : rest.Find(channels);
    values.ports = LeadingNumber(text.Left(m));
    values.channels = LeadingNumber(c < 0 ? rest : rest.Left(c));
    values.ok = true;
    return values;
}

CString FormatControllerType(int ports, const CString& portsWord, int channels, const CString& channelsWord)
{
    CString text;
    text.Format(L"%d%s %d%s", ports, portsWord.GetString(), channels, channelsWord.GetString());
    return text;
}
