// Format texts from language files checked against their arguments (see
// FormatCheck.h).
#include "FormatCheck.h"

#include <cstring>
#include <cwchar>

namespace {

char KindOf(wchar_t conversion)
{
    if (std::wcschr(L"diuxXoc", conversion) != nullptr)
        return 'd';
    if (conversion == L's' || conversion == L'S')
        return 's';
    if (std::wcschr(L"feEgG", conversion) != nullptr)
        return 'f';
    return 0;
}

} // namespace

bool FormatConversionsAre(const CString& format, const char* kinds)
{
    const int n = format.GetLength();
    const size_t expected = kinds != nullptr ? std::strlen(kinds) : 0;
    size_t found = 0;
    for (int i = 0; i < n; ++i) {
        if (format[i] != L'%')
            continue;
        if (++i >= n)
            return false;
        if (format[i] == L'%')
            continue;
        while (i < n && std::wcschr(L"-+ #0", format[i]) != nullptr)
            ++i;
        while (i < n && format[i] >= L'0' && format[i] <= L'9')
            ++i;
        if (i < n && format[i] == L'.') {
            ++i;
            while (i < n && format[i] >= L'0' && format[i] <= L'9')
                ++i;
        }
        if (i + 2 < n && format[i] == L'I' && format[i + 1] == L'6' && format[i + 2] == L'4')
            i += 3;
        else
            while (i < n && (format[i] == L'h' || format[i] == L'l'))
                ++i;
        if (i >= n)
            return false;
        const char kind = KindOf(format[i]);
        if (kind == 0 || found >= expected || kinds[found] != kind)
            return false;
        ++found;
    }
    return found == expected;
}
