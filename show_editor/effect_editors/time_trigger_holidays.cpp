// The holiday table of the time-trigger dialog and the holiday file reader.
#include "time_trigger_holidays.h"

namespace {

const HolidayEntry kFixed[] = {
    { 0, 101, 210, L"1月1日 元旦" },
    { 1, 214, 211, L"2月14日 情人节" },
    { 2, 308, 212, L"3月8日 国际妇女节" },
    { 3, 501, 213, L"5月1日 国际劳动节" },
    { 4, 601, 214, L"6月1日 国际儿童节" },
    { 5, 1001, 215, L"10月1日 国庆节" },
    { 6, 1224, 216, L"12月24日 平安夜" },
    { 7, 1225, 217, L"12月25日 圣诞节" },
};

const HolidayEntry kLunar[] = {
    { 12, 0, 218, L"除夕" },
    { 8, 0, 219, L"春节" },
    { 9, 0, 220, L"元宵" },
    { 10, 0, 221, L"端午" },
    { 11, 0, 222, L"中秋" },
};

// A file larger than this is not a holiday list.
constexpr ULONGLONG kMaxHolidayFileBytes = 1024 * 1024;

} // namespace

const HolidayEntry* FixedHolidays(int& count)
{
    count = static_cast<int>(std::size(kFixed));
    return kFixed;
}

const HolidayEntry* LunarHolidays(int& count)
{
    count = static_cast<int>(std::size(kLunar));
    return kLunar;
}

std::vector<CString> SplitHolidayFields(const CString& text, wchar_t separator)
{
    std::vector<CString> pieces;
    int start = 0;
    for (;;) {
        int at = text.Find(separator, start);
        if (at < 0) {
            if (start == 0 || start < text.GetLength())
                pieces.push_back(text.Mid(start));
            break;
        }
        pieces.push_back(text.Mid(start, at - start));
        start = at + 1;
    }
    return pieces;
}

int HolidayFieldValue(const CString& text)
{
    int i = 0;
    const int n = text.GetLength();
    while (i < n && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    int value = 0;
    for (int digits = 0; i < n && text[i] >= L'0' && text[i] <= L'9' && digits < 9; ++i, ++digits)
        value = value * 10 + (text[i] - L'0');
    return value;
}

std::vector<int> HolidayCodesForYear(const CString& fileText, int year)
{
    std::vector<int> codes;
    for (const CString& rawLine : SplitHolidayFields(fileText, L'\n')) {
        CString line = rawLine;
        line.TrimRight(L"\r");
        std::vector<CString> fields = SplitHolidayFields(line, L',');
        if (fields.empty() || HolidayFieldValue(fields[0]) != year)
            continue;
        for (size_t i = 1; i < fields.size(); ++i) {
            std::vector<CString> parts = SplitHolidayFields(fields[i], L'.');
            if (parts.size() < 2)
                continue;
            int month = HolidayFieldValue(parts[0]);
            int day = HolidayFieldValue(parts[1]);
            // A date that names no day of the year cannot become a slot date.
            if (month < 1 || month > 12 || day < 1 || day > 31)
                continue;
            codes.push_back(month * 100 + day);
        }
        break;
    }
    return codes;
}

std::vector<int> ReadHolidayFile(const CString& path, int year)
{
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    LARGE_INTEGER size {};
    std::vector<char> bytes;
    if (::GetFileSizeEx(file, &size) && size.QuadPart >= 0
        && static_cast<ULONGLONG>(size.QuadPart) <= kMaxHolidayFileBytes) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() && !::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            read = 0;
        bytes.resize(read);
    }
    ::CloseHandle(file);
    // The file holds only digits and punctuation; read it byte for byte.
    CString text;
    for (char c : bytes)
        text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return HolidayCodesForYear(text, year);
}
