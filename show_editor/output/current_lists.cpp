// The current lists of the channel current dialogs.
#include "current_lists.h"

#include <cwchar>

namespace {

CString Formatted(LPCTSTR format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

std::vector<CString> Fixed(std::initializer_list<LPCTSTR> texts)
{
    std::vector<CString> list;
    for (LPCTSTR text : texts)
        list.emplace_back(text);
    return list;
}

} // namespace

std::vector<CString> AbcCurrentList()
{
    std::vector<CString> list;
    for (int ma = 10; ma <= 41; ++ma) {
        CString text;
        text.Format(L"%dMA", ma);
        list.push_back(text);
    }
    return list;
}

std::vector<CString> Channel12CurrentList()
{
    std::vector<CString> list;
    for (int i = 0; i < 16; ++i)
        list.push_back(Formatted(L"%.1fMA", 2.0 + 1.2 * i));
    return list;
}

std::vector<CString> AbcdCurrentList(int kind, bool mode48)
{
    std::vector<CString> list;
    switch (kind) {
    case 0:
        for (int i = 0; i < 64; ++i)
            list.push_back(Formatted(L"%.1fMA", 6.5 + 0.5 * i));
        break;
    case 1: {
        const double step = mode48 ? 3.0 : 1.5;
        for (int i = 0; i < 16; ++i)
            list.push_back(Formatted(L"%.1fMA", step + step * i));
        break;
    }
    case 2:
        for (int i = 0; i < 32; ++i)
            list.push_back(Formatted(L"%.2fMA", 1.68 + 0.56 * i));
        break;
    case 3:
        list = Fixed({ L"1.1MA", L"2.1MA", L"3.2MA", L"4.3MA", L"5.3MA", L"6.4MA", L"7.4MA", L"8.5MA", L"9.6MA",
            L"10.6MA", L"11.7MA", L"12.8MA", L"13.8MA", L"14.9MA", L"15.9MA", L"17.0MA" });
        break;
    default:
        break;
    }
    return list;
}

double ResistorFromText(const CString& text)
{
    CString digits = text;
    digits.MakeUpper();
    digits.Remove(L'K');
    digits.Trim();
    return std::wcstod(digits.GetString(), nullptr);
}

double ResistorOfChoice(int choice)
{
    switch (choice) {
    case 1:
        return 1.8;
    case 2:
        return 1.0;
    default:
        return 0.0;
    }
}

std::vector<CString> Abcd1CurrentList(int kind, bool openPin, double resistorKOhm)
{
    if (kind != 0)
        return {};
    if (openPin) {
        return Fixed({ L"1.5MA", L"2.6MA", L"3.6MA", L"4.6MA", L"5.6MA", L"6.6MA", L"7.7MA", L"8.7MA", L"9.7MA",
            L"10.8MA", L"11.8MA", L"12.8MA", L"13.9MA", L"14.9MA", L"15.9MA", L"17.0MA" });
    }
    // Also refuses NaN: the comparison is false for it.
    if (!(resistorKOhm > 0.00001))
        return {};
    const double factor = 33.0 / resistorKOhm + 17.0;
    std::vector<CString> list;
    for (int b = 1; b <= 16; ++b)
        list.push_back(Formatted(L"%.2fMA", (0.06 * b + 0.03) * factor));
    return list;
}
