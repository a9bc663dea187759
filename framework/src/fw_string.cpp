// CStringT<char> and CStringT<wchar_t>: storage, conversion, formatting,
// searching and editing. Case mapping and case-blind comparison follow the C
// runtime's "C" locale (ASCII letters only), which the programs run in. 8-bit
// strings are stepped by character in double-byte code pages so that a trail
// byte is never mistaken for an ASCII character.
#include "fw_string.h"
#include "fw_exceptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <climits>
#include <new>

namespace {

// Character helpers for both widths.
inline int Len(const wchar_t* p)
{
    return static_cast<int>(wcslen(p));
}
inline int Len(const char* p)
{
    return static_cast<int>(strlen(p));
}

// Characters a multi-byte sequence occupies at p (1 or 2 for 8-bit strings).
inline int CharSize(const wchar_t*)
{
    return 1;
}
inline int CharSize(const char* p)
{
    return (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != 0) ? 2 : 1;
}

template <class T> inline T AsciiLower(T c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<T>(c + ('a' - 'A')) : c;
}
template <class T> inline T AsciiUpper(T c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<T>(c - ('a' - 'A')) : c;
}

inline bool IsSpace(wchar_t c)
{
    return iswspace(c) != 0;
}
inline bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Position of ch in the set (a set of characters, double-byte ones included).
template <class T> bool InSet(const T* p, int nSize, const T* pszSet)
{
    for (const T* s = pszSet; *s != 0; s += CharSize(s)) {
        int n = CharSize(s);
        if (n == nSize && memcmp(s, p, nSize * sizeof(T)) == 0)
            return true;
    }
    return false;
}

// Length of the leading run of p made of characters in (bInclude) or out of
// (!bInclude) the set.
template <class T> int SpanOf(const T* p, const T* pszSet, bool bInclude)
{
    const T* q = p;
    while (*q != 0) {
        int n = CharSize(q);
        if (InSet(q, n, pszSet) != bInclude)
            break;
        q += n;
    }
    return static_cast<int>(q - p);
}

[[noreturn]] void ThrowMemory()
{
    AfxThrowMemoryException();
}

void* Alloc(size_t nBytes)
{
    void* p = malloc(nBytes);
    if (p == nullptr)
        ThrowMemory();
    return p;
}

int Convert(const char* src, int n, wchar_t* dst, int nDst)
{
    return n == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, src, n, dst, nDst);
}
int Convert(const wchar_t* src, int n, char* dst, int nDst)
{
    return n == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, src, n, dst, nDst, nullptr, nullptr);
}

int FormattedLength(const wchar_t* fmt, va_list args)
{
    return _vscwprintf(fmt, args);
}
int FormattedLength(const char* fmt, va_list args)
{
    return _vscprintf(fmt, args);
}
int FormatInto(wchar_t* buf, size_t n, const wchar_t* fmt, va_list args)
{
    return _vsnwprintf(buf, n, fmt, args);
}
int FormatInto(char* buf, size_t n, const char* fmt, va_list args)
{
    return _vsnprintf(buf, n, fmt, args);
}

} // namespace

template <class T> typename CStringT<T>::PXSTR CStringT<T>::EmptyBuffer() noexcept
{
    // Shared, never written: every writer first allocates (m_nAlloc == 0).
    static XCHAR empty[1] = { 0 };
    return empty;
}

template <class T> int CStringT<T>::StrLen(PCXSTR psz) noexcept
{
    return psz == nullptr ? 0 : Len(psz);
}

template <class T> void CStringT<T>::Reserve(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength <= m_nAlloc)
        return;
    int nNew = nLength;
    if (m_nAlloc > 0 && nNew < m_nAlloc + m_nAlloc / 2 && m_nAlloc < INT_MAX / 3)
        nNew = m_nAlloc + m_nAlloc / 2; // amortised growth for repeated appends
    if (static_cast<size_t>(nNew) + 1 > SIZE_MAX / sizeof(XCHAR))
        ThrowMemory();
    PXSTR p;
    if (m_nAlloc == 0) {
        p = static_cast<PXSTR>(Alloc((static_cast<size_t>(nNew) + 1) * sizeof(XCHAR)));
        memcpy(p, m_pch, (static_cast<size_t>(m_nLength) + 1) * sizeof(XCHAR));
    } else {
        p = static_cast<PXSTR>(realloc(m_pch, (static_cast<size_t>(nNew) + 1) * sizeof(XCHAR)));
        if (p == nullptr)
            ThrowMemory();
    }
    m_pch = p;
    m_nAlloc = nNew;
}

template <class T> void CStringT<T>::SetLengthTerminated(int nLength)
{
    m_nLength = nLength;
    if (m_nAlloc > 0)
        m_pch[nLength] = 0;
}

template <class T>
CStringT<T>::CStringT(const CStringT& src)
    : CStringT()
{
    SetString(src.m_pch, src.m_nLength);
}

template <class T>
CStringT<T>::CStringT(CStringT&& src) noexcept
    : m_pch(src.m_pch)
    , m_nLength(src.m_nLength)
    , m_nAlloc(src.m_nAlloc)
{
    src.m_pch = EmptyBuffer();
    src.m_nLength = 0;
    src.m_nAlloc = 0;
}

template <class T>
CStringT<T>::CStringT(const CStringT<YCHAR>& src)
    : CStringT()
{
    AssignConverted(src.GetString(), src.GetLength());
}

template <class T>
CStringT<T>::CStringT(PCXSTR psz)
    : CStringT()
{
    if (psz != nullptr && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(psz)));
    else
        SetString(psz);
}

template <class T>
CStringT<T>::CStringT(PCYSTR psz)
    : CStringT()
{
    if (psz != nullptr && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(psz)));
    else
        AssignConverted(psz, psz == nullptr ? 0 : Len(psz));
}

template <class T>
CStringT<T>::CStringT(PCXSTR pch, int nLength)
    : CStringT()
{
    SetString(pch, nLength);
}

template <class T>
CStringT<T>::CStringT(PCYSTR pch, int nLength)
    : CStringT()
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    AssignConverted(pch, nLength);
}

template <class T>
CStringT<T>::CStringT(XCHAR ch, int nRepeat)
    : CStringT()
{
    if (nRepeat > 0) {
        Reserve(nRepeat);
        for (int i = 0; i < nRepeat; ++i)
            m_pch[i] = ch;
        SetLengthTerminated(nRepeat);
    }
}

template <class T>
CStringT<T>::CStringT(YCHAR ch, int nRepeat)
    : CStringT()
{
    if (nRepeat > 0) {
        CStringT one(&ch, 1);
        Reserve(one.m_nLength * nRepeat);
        for (int i = 0; i < nRepeat; ++i)
            Append(one.m_pch, one.m_nLength);
    }
}

template <class T> CStringT<T>::~CStringT()
{
    if (m_nAlloc > 0)
        free(m_pch);
}

template <class T> CStringT<T>& CStringT<T>::operator=(const CStringT& src)
{
    if (this != &src)
        SetString(src.m_pch, src.m_nLength);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::operator=(CStringT&& src) noexcept
{
    if (this != &src) {
        if (m_nAlloc > 0)
            free(m_pch);
        m_pch = src.m_pch;
        m_nLength = src.m_nLength;
        m_nAlloc = src.m_nAlloc;
        src.m_pch = EmptyBuffer();
        src.m_nLength = 0;
        src.m_nAlloc = 0;
    }
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::operator=(const CStringT<YCHAR>& src)
{
    AssignConverted(src.GetString(), src.GetLength());
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::operator=(PCXSTR psz)
{
    SetString(psz);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::operator=(PCYSTR psz)
{
    AssignConverted(psz, psz == nullptr ? 0 : Len(psz));
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::operator=(XCHAR ch)
{
    SetString(&ch, 1);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::operator=(YCHAR ch)
{
    AssignConverted(&ch, 1);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::operator+=(PCXSTR psz)
{
    return Append(psz);
}

template <class T> CStringT<T>& CStringT<T>::operator+=(PCYSTR psz)
{
    return Append(CStringT(psz));
}

template <class T> CStringT<T>& CStringT<T>::operator+=(YCHAR ch)
{
    return Append(CStringT(&ch, 1));
}

template <class T> void CStringT<T>::AssignConverted(PCYSTR psz, int nLength)
{
    if (psz == nullptr || nLength <= 0) {
        Empty();
        return;
    }
    int nNeeded = Convert(psz, nLength, static_cast<PXSTR>(nullptr), 0);
    CStringT tmp;
    tmp.Reserve(nNeeded);
    int n = Convert(psz, nLength, tmp.m_pch, nNeeded);
    tmp.SetLengthTerminated(n > 0 ? n : 0);
    *this = std::move(tmp);
}

template <class T> void CStringT<T>::Empty()
{
    if (m_nAlloc > 0)
        free(m_pch);
    m_pch = EmptyBuffer();
    m_nLength = 0;
    m_nAlloc = 0;
}

template <class T> typename CStringT<T>::XCHAR CStringT<T>::GetAt(int iChar) const
{
    if (iChar < 0 || iChar > m_nLength)
        AfxThrowInvalidArgException();
    return m_pch[iChar];
}

template <class T> void CStringT<T>::SetAt(int iChar, XCHAR ch)
{
    if (iChar < 0 || iChar >= m_nLength)
        AfxThrowInvalidArgException();
    m_pch[iChar] = ch; // m_nLength > 0, so the buffer is allocated
}

template <class T> typename CStringT<T>::PXSTR CStringT<T>::GetBuffer()
{
    Reserve(m_nLength > 0 ? m_nLength : 1);
    return m_pch;
}

template <class T> typename CStringT<T>::PXSTR CStringT<T>::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nMinBufferLength > m_nLength ? nMinBufferLength : (m_nLength > 0 ? m_nLength : 1));
    return m_pch;
}

template <class T> typename CStringT<T>::PXSTR CStringT<T>::GetBufferSetLength(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nLength > 0 ? nLength : 1);
    SetLengthTerminated(nLength);
    return m_pch;
}

template <class T> void CStringT<T>::ReleaseBuffer(int nNewLength)
{
    if (m_nAlloc == 0) {
        m_nLength = 0;
        return;
    }
    if (nNewLength < 0) {
        // The caller wrote a terminated string somewhere in the buffer.
        int n = 0;
        while (n < m_nAlloc && m_pch[n] != 0)
            ++n;
        nNewLength = n;
    }
    if (nNewLength > m_nAlloc)
        AfxThrowInvalidArgException();
    SetLengthTerminated(nNewLength);
}

template <class T> void CStringT<T>::Preallocate(int nLength)
{
    Reserve(nLength);
}

template <class T> void CStringT<T>::FreeExtra()
{
    if (m_nAlloc > m_nLength) {
        if (m_nLength == 0) {
            Empty();
            return;
        }
        PXSTR p = static_cast<PXSTR>(realloc(m_pch, (static_cast<size_t>(m_nLength) + 1) * sizeof(XCHAR)));
        if (p != nullptr) {
            m_pch = p;
            m_nAlloc = m_nLength;
        }
    }
}

template <class T> void CStringT<T>::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > m_nLength)
        AfxThrowInvalidArgException();
    SetLengthTerminated(nNewLength);
}

template <class T> void CStringT<T>::SetString(PCXSTR psz)
{
    SetString(psz, StrLen(psz));
}

template <class T> void CStringT<T>::SetString(PCXSTR pch, int nLength)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength == 0) {
        SetLengthTerminated(0);
        return;
    }
    if (m_nAlloc > 0 && pch >= m_pch && pch <= m_pch + m_nLength) {
        // Source inside our own buffer: it cannot move, it only shrinks.
        memmove(m_pch, pch, static_cast<size_t>(nLength) * sizeof(XCHAR));
    } else {
        if (nLength > m_nAlloc) {
            Empty();
            Reserve(nLength);
        }
        memcpy(m_pch, pch, static_cast<size_t>(nLength) * sizeof(XCHAR));
    }
    SetLengthTerminated(nLength);
}

template <class T> CStringT<T>& CStringT<T>::Append(PCXSTR psz)
{
    return Append(psz, StrLen(psz));
}

template <class T> CStringT<T>& CStringT<T>::Append(PCXSTR pch, int nLength)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return *this;
    if (nLength > INT_MAX - m_nLength)
        ThrowMemory();
    if (m_nAlloc > 0 && pch >= m_pch && pch <= m_pch + m_nLength) {
        // Appending part of ourselves: keep the offset across reallocation.
        size_t offset = static_cast<size_t>(pch - m_pch);
        Reserve(m_nLength + nLength);
        pch = m_pch + offset;
    } else {
        Reserve(m_nLength + nLength);
    }
    memmove(m_pch + m_nLength, pch, static_cast<size_t>(nLength) * sizeof(XCHAR));
    SetLengthTerminated(m_nLength + nLength);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::AppendChar(XCHAR ch)
{
    return Append(&ch, 1);
}

template <class T> CStringT<T> CStringT<T>::Concat(PCXSTR a, int na, PCXSTR b, int nb)
{
    CStringT r;
    r.Reserve(na + nb);
    r.Append(a, na);
    r.Append(b, nb);
    return r;
}

template <class T> void CStringT<T>::FormatV(PCXSTR pszFormat, va_list args)
{
    CStringT tmp;
    tmp.AppendFormatV(pszFormat, args);
    *this = std::move(tmp);
}

template <class T> void CStringT<T>::AppendFormatV(PCXSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
        AfxThrowInvalidArgException();
    va_list copy;
    va_copy(copy, args);
    int n = FormattedLength(pszFormat, copy);
    va_end(copy);
    if (n <= 0)
        return; // nothing to add, or a format the runtime rejects
    // Formatted apart: an argument may point into this string's buffer,
    // which growing would free.
    CStringT tmp;
    tmp.Reserve(n);
    int nWritten = FormatInto(tmp.m_pch, static_cast<size_t>(n) + 1, pszFormat, args);
    tmp.SetLengthTerminated(nWritten < 0 || nWritten > n ? n : nWritten);
    if (m_nLength == 0)
        *this = std::move(tmp);
    else
        Append(tmp.m_pch, tmp.m_nLength);
}

template <class T> void CStringT<T>::FormatInternal(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

template <class T> void CStringT<T>::AppendFormatInternal(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <class T> void CStringT<T>::FormatMessageInternal(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatMessageV(pszFormat, &args);
    va_end(args);
}

template <class T> void CStringT<T>::FormatMessageV(PCXSTR pszFormat, va_list* pArgList)
{
    if (pszFormat == nullptr)
        AfxThrowInvalidArgException();
    // Done in UTF-16 for both widths, then converted.
    CStringW fmt(pszFormat);
    LPWSTR pBuf = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, fmt.GetString(), 0, 0,
        reinterpret_cast<LPWSTR>(&pBuf), 0, pArgList);
    if (n == 0 || pBuf == nullptr) {
        if (pBuf != nullptr)
            LocalFree(pBuf);
        ThrowMemory();
    }
    *this = CStringW(pBuf, static_cast<int>(n));
    LocalFree(pBuf);
}

template <class T> BOOL CStringT<T>::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

template <class T> BOOL CStringT<T>::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With a zero buffer size LoadStringW returns a pointer into the resource.
    const wchar_t* p = nullptr;
    int n = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&p), 0);
    if (n <= 0 || p == nullptr) {
        Empty();
        return FALSE;
    }
    *this = CStringW(p, n);
    return TRUE;
}

template <class T> CStringT<T> CStringT<T>::Mid(int iFirst) const
{
    return Mid(iFirst, m_nLength - iFirst);
}

template <class T> CStringT<T> CStringT<T>::Mid(int iFirst, int nCount) const
{
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst > m_nLength)
        iFirst = m_nLength;
    if (nCount > m_nLength - iFirst)
        nCount = m_nLength - iFirst;
    if (iFirst == 0 && nCount == m_nLength)
        return *this;
    return CStringT(m_pch + iFirst, nCount);
}

template <class T> CStringT<T> CStringT<T>::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= m_nLength)
        return *this;
    return CStringT(m_pch, nCount);
}

template <class T> CStringT<T> CStringT<T>::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= m_nLength)
        return *this;
    return CStringT(m_pch + m_nLength - nCount, nCount);
}

template <class T> CStringT<T> CStringT<T>::SpanIncluding(PCXSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        AfxThrowInvalidArgException();
    return Left(SpanOf(m_pch, pszCharSet, true));
}

template <class T> CStringT<T> CStringT<T>::SpanExcluding(PCXSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        AfxThrowInvalidArgException();
    return Left(SpanOf(m_pch, pszCharSet, false));
}

template <class T> int CStringT<T>::Find(XCHAR ch, int iStart) const
{
    if (iStart < 0 || iStart >= m_nLength)
        return -1;
    for (int i = iStart; i < m_nLength; i += CharSize(m_pch + i)) {
        if (m_pch[i] == ch)
            return i;
    }
    return -1;
}

template <class T> int CStringT<T>::Find(PCXSTR pszSub, int iStart) const
{
    if (pszSub == nullptr || iStart < 0 || iStart > m_nLength)
        return -1;
    int nSub = Len(pszSub);
    for (int i = iStart; i + nSub <= m_nLength; i += CharSize(m_pch + i)) {
        if (memcmp(m_pch + i, pszSub, static_cast<size_t>(nSub) * sizeof(XCHAR)) == 0)
            return i;
        if (m_pch[i] == 0)
            break;
    }
    return -1;
}

template <class T> int CStringT<T>::ReverseFind(XCHAR ch) const
{
    int found = -1;
    for (int i = 0; i < m_nLength; i += CharSize(m_pch + i)) {
        if (m_pch[i] == ch)
            found = i;
    }
    return found;
}

template <class T> int CStringT<T>::FindOneOf(PCXSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        AfxThrowInvalidArgException();
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        if (InSet(m_pch + i, n, pszCharSet))
            return i;
        i += n;
    }
    return -1;
}

template <class T> int CStringT<T>::Replace(XCHAR chOld, XCHAR chNew)
{
    int nCount = 0;
    for (int i = 0; i < m_nLength; i += CharSize(m_pch + i)) {
        if (m_pch[i] == chOld) {
            m_pch[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

template <class T> int CStringT<T>::Replace(PCXSTR pszOld, PCXSTR pszNew)
{
    int nOld = StrLen(pszOld);
    if (nOld == 0)
        return 0;
    int nNew = StrLen(pszNew);
    int nCount = 0;
    CStringT result;
    int iCopied = 0;
    for (int i = 0; i + nOld <= m_nLength;) {
        if (memcmp(m_pch + i, pszOld, static_cast<size_t>(nOld) * sizeof(XCHAR)) == 0) {
            result.Append(m_pch + iCopied, i - iCopied);
            result.Append(pszNew, nNew);
            i += nOld;
            iCopied = i;
            ++nCount;
        } else {
            i += CharSize(m_pch + i);
        }
    }
    if (nCount > 0) {
        result.Append(m_pch + iCopied, m_nLength - iCopied);
        *this = std::move(result);
    }
    return nCount;
}

template <class T> int CStringT<T>::Remove(XCHAR chRemove)
{
    int iOut = 0;
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        if (!(n == 1 && m_pch[i] == chRemove)) {
            for (int k = 0; k < n; ++k)
                m_pch[iOut++] = m_pch[i + k];
        }
        i += n;
    }
    int nRemoved = m_nLength - iOut;
    if (nRemoved > 0)
        SetLengthTerminated(iOut);
    return nRemoved;
}

template <class T> int CStringT<T>::Insert(int iIndex, XCHAR ch)
{
    return Insert(iIndex, CStringT(&ch, 1));
}

template <class T> int CStringT<T>::Insert(int iIndex, PCXSTR psz)
{
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > m_nLength)
        iIndex = m_nLength;
    int n = StrLen(psz);
    if (n > 0) {
        CStringT result;
        result.Reserve(m_nLength + n);
        result.Append(m_pch, iIndex);
        result.Append(psz, n);
        result.Append(m_pch + iIndex, m_nLength - iIndex);
        *this = std::move(result);
    }
    return m_nLength;
}

template <class T> int CStringT<T>::Delete(int iIndex, int nCount)
{
    if (iIndex < 0)
        iIndex = 0;
    if (nCount < 0)
        nCount = 0;
    if (iIndex > m_nLength)
        iIndex = m_nLength;
    if (nCount > m_nLength - iIndex)
        nCount = m_nLength - iIndex;
    if (nCount > 0) {
        memmove(
            m_pch + iIndex, m_pch + iIndex + nCount, static_cast<size_t>(m_nLength - iIndex - nCount) * sizeof(XCHAR));
        SetLengthTerminated(m_nLength - nCount);
    }
    return m_nLength;
}

template <class T> CStringT<T>& CStringT<T>::TrimLeft()
{
    int i = 0;
    while (i < m_nLength && IsSpace(m_pch[i]))
        ++i;
    if (i > 0)
        Delete(0, i);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::TrimLeft(XCHAR chTarget)
{
    int i = 0;
    while (i < m_nLength && m_pch[i] == chTarget)
        ++i;
    if (i > 0)
        Delete(0, i);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::TrimLeft(PCXSTR pszTargets)
{
    if (pszTargets == nullptr || *pszTargets == 0)
        return *this;
    int i = SpanOf(m_pch, pszTargets, true);
    if (i > 0)
        Delete(0, i);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::TrimRight()
{
    // Walk forward so that trail bytes of double-byte characters are skipped.
    int iKeep = 0;
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        if (!(n == 1 && IsSpace(m_pch[i])))
            iKeep = i + n;
        i += n;
    }
    if (iKeep < m_nLength)
        SetLengthTerminated(iKeep);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::TrimRight(XCHAR chTarget)
{
    int iKeep = 0;
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        if (!(n == 1 && m_pch[i] == chTarget))
            iKeep = i + n;
        i += n;
    }
    if (iKeep < m_nLength)
        SetLengthTerminated(iKeep);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::TrimRight(PCXSTR pszTargets)
{
    if (pszTargets == nullptr || *pszTargets == 0)
        return *this;
    int iKeep = 0;
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        if (!InSet(m_pch + i, n, pszTargets))
            iKeep = i + n;
        i += n;
    }
    if (iKeep < m_nLength)
        SetLengthTerminated(iKeep);
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::Trim()
{
    return TrimRight().TrimLeft();
}
template <class T> CStringT<T>& CStringT<T>::Trim(XCHAR chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}
template <class T> CStringT<T>& CStringT<T>::Trim(PCXSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

template <class T> CStringT<T>& CStringT<T>::MakeUpper()
{
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        if (n == 1)
            m_pch[i] = AsciiUpper(m_pch[i]);
        i += n;
    }
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::MakeLower()
{
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        if (n == 1)
            m_pch[i] = AsciiLower(m_pch[i]);
        i += n;
    }
    return *this;
}

template <class T> CStringT<T>& CStringT<T>::MakeReverse()
{
    if (m_nLength < 2)
        return *this;
    CStringT result;
    result.Reserve(m_nLength);
    // Characters are reversed, not bytes: a double-byte pair stays in order.
    for (int i = 0; i < m_nLength;) {
        int n = CharSize(m_pch + i);
        for (int k = 0; k < n; ++k)
            result.m_pch[m_nLength - i - n + k] = m_pch[i + k];
        i += n;
    }
    result.SetLengthTerminated(m_nLength);
    *this = std::move(result);
    return *this;
}

template <class T> int CStringT<T>::Compare(PCXSTR psz) const
{
    if (psz == nullptr)
        AfxThrowInvalidArgException();
    using U = std::make_unsigned_t<XCHAR>;
    for (int i = 0;; ++i) {
        U a = static_cast<U>(m_pch[i]);
        U b = static_cast<U>(psz[i]);
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;
    }
}

template <class T> int CStringT<T>::CompareNoCase(PCXSTR psz) const
{
    if (psz == nullptr)
        AfxThrowInvalidArgException();
    using U = std::make_unsigned_t<XCHAR>;
    int nTrail = 0; // 1 while on the trail byte of a double-byte character
    for (int i = 0;; ++i) {
        U a = static_cast<U>(m_pch[i]);
        U b = static_cast<U>(psz[i]);
        if (nTrail == 0) {
            a = static_cast<U>(AsciiLower(a));
            b = static_cast<U>(AsciiLower(b));
        }
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;
        nTrail = (nTrail == 0 && CharSize(m_pch + i) == 2) ? 1 : 0;
    }
}

namespace {
int CollateStr(const wchar_t* a, const wchar_t* b)
{
    return wcscoll(a, b);
}
int CollateStr(const char* a, const char* b)
{
    return strcoll(a, b);
}
int CollateStrNoCase(const wchar_t* a, const wchar_t* b)
{
    return _wcsicoll(a, b);
}
int CollateStrNoCase(const char* a, const char* b)
{
    return _stricoll(a, b);
}
} // namespace

template <class T> int CStringT<T>::Collate(PCXSTR psz) const
{
    if (psz == nullptr)
        AfxThrowInvalidArgException();
    return CollateStr(m_pch, psz);
}

template <class T> int CStringT<T>::CollateNoCase(PCXSTR psz) const
{
    if (psz == nullptr)
        AfxThrowInvalidArgException();
    return CollateStrNoCase(m_pch, psz);
}

template <class T> CStringT<T> CStringT<T>::Tokenize(PCXSTR pszTokens, int& iStart) const
{
    if (iStart < 0)
        AfxThrowInvalidArgException();
    if (pszTokens == nullptr || *pszTokens == 0) {
        // No delimiters: the rest is one token. Moving iStart to the end
        // makes the next call report the end instead of repeating forever.
        if (iStart < m_nLength) {
            CStringT rest = Mid(iStart);
            iStart = m_nLength;
            return rest;
        }
    } else if (iStart < m_nLength) {
        int nSkip = SpanOf(m_pch + iStart, pszTokens, true);
        if (iStart + nSkip < m_nLength) {
            int iFrom = iStart + nSkip;
            int nToken = SpanOf(m_pch + iFrom, pszTokens, false);
            iStart = iFrom + nToken + 1;
            return Mid(iFrom, nToken);
        }
    }
    iStart = -1;
    return CStringT();
}

template <class T> BSTR CStringT<T>::AllocSysString() const
{
    CStringW w(*this);
    BSTR b = ::SysAllocStringLen(w.GetString(), static_cast<UINT>(w.GetLength()));
    if (b == nullptr)
        ThrowMemory();
    return b;
}

template <class T> BSTR CStringT<T>::SetSysString(BSTR* pbstr) const
{
    if (pbstr == nullptr)
        AfxThrowInvalidArgException();
    CStringW w(*this);
    if (!::SysReAllocStringLen(pbstr, w.GetString(), static_cast<UINT>(w.GetLength())))
        ThrowMemory();
    return *pbstr;
}

template class CStringT<wchar_t>;
template class CStringT<char>;
