// CTime and CTimeSpan over the C runtime's 64-bit time functions.
#include "afx.h"

#include <cwchar>
#include <string>

namespace {

// The runtime's converters use per-thread buffers; copy out at once.
bool ToLocal(__time64_t t, struct tm& out)
{
    const struct tm* p = _localtime64(&t);
    if (p == nullptr)
        return false;
    out = *p;
    return true;
}

bool ToGmt(__time64_t t, struct tm& out)
{
    const struct tm* p = _gmtime64(&t);
    if (p == nullptr)
        return false;
    out = *p;
    return true;
}

CString FormatTm(const struct tm& t, LPCTSTR pFormat)
{
    if (pFormat == nullptr || *pFormat == 0)
        return CString();
    wchar_t buf[512];
    size_t n = wcsftime(buf, sizeof(buf) / sizeof(buf[0]), pFormat, &t);
    return CString(buf, static_cast<int>(n));
}

CString TwoDigits(LONG value)
{
    std::wstring s = std::to_wstring(value);
    if (s.size() < 2)
        s.insert(0, 1, L'0');
    return CString(s.c_str());
}

} // namespace

CTime WINAPI CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    m_time = _mktime64(&t);
    if (m_time == -1)
        AfxThrowInvalidArgException();
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& ft, int nDST)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&ft, &local) || !::FileTimeToSystemTime(&local, &st))
        AfxThrowInvalidArgException();
    *this = CTime(st, nDST);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == nullptr || !ToLocal(m_time, *ptm))
        return nullptr;
    return ptm;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == nullptr || !ToGmt(m_time, *ptm))
        return nullptr;
    return ptm;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t;
    if (!ToLocal(m_time, t))
        return false;
    st = {};
    st.wYear = static_cast<WORD>(t.tm_year + 1900);
    st.wMonth = static_cast<WORD>(t.tm_mon + 1);
    st.wDay = static_cast<WORD>(t.tm_mday);
    st.wHour = static_cast<WORD>(t.tm_hour);
    st.wMinute = static_cast<WORD>(t.tm_min);
    st.wSecond = static_cast<WORD>(t.tm_sec);
    st.wDayOfWeek = static_cast<WORD>(t.tm_wday);
    return true;
}

struct tm CTime::Local() const
{
    struct tm t;
    if (!ToLocal(m_time, t))
        AfxThrowInvalidArgException();
    return t;
}

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm t;
    if (!ToLocal(m_time, t))
        AfxThrowInvalidArgException();
    return FormatTm(t, pFormat);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm t;
    if (!ToGmt(m_time, t))
        AfxThrowInvalidArgException();
    return FormatTm(t, pFormat);
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString result;
    if (pFormat == nullptr)
        return result;
    for (const wchar_t* p = pFormat; *p != 0; ++p) {
        if (*p != L'%' || p[1] == 0) {
            result += *p;
            continue;
        }
        switch (*++p) {
        case L'D':
            result += std::to_wstring(GetDays()).c_str();
            break;
        case L'H':
            result += TwoDigits(GetHours());
            break;
        case L'M':
            result += TwoDigits(GetMinutes());
            break;
        case L'S':
            result += TwoDigits(GetSeconds());
            break;
        case L'%':
            result += L'%';
            break;
        default:
            result += L'%';
            result += *p;
            break;
        }
    }
    return result;
}
