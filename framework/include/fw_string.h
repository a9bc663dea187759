// CString (wide, the programs' string), CStringA (8-bit, ANSI code page) and
// CStringW. Buffers come from the C runtime heap (malloc/free of the shared
// msvcrt), so a string can be handed to and freed by another module.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <cstdarg>
#include <type_traits>
#include <utility>

#include "fw_object.h"

template <class T> class CStringT;
using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
using CString = CStringW;

// Format arguments: strings of either width are passed as their character
// pointer, so `Format(L"%s", str)` works as it does with the framework.
template <class A> inline decltype(auto) FwFormatArg(A&& a)
{
    return std::forward<A>(a);
}
template <class C> inline const C* FwFormatArg(const CStringT<C>& s)
{
    return s.GetString();
}
template <class C> inline const C* FwFormatArg(CStringT<C>& s)
{
    return s.GetString();
}
template <class C> inline const C* FwFormatArg(CStringT<C>&& s)
{
    return s.GetString();
}

template <class T> class CStringT {
public:
    using XCHAR = T;
    using YCHAR = std::conditional_t<std::is_same_v<T, wchar_t>, char, wchar_t>;
    using PXSTR = XCHAR*;
    using PCXSTR = const XCHAR*;
    using PYSTR = YCHAR*;
    using PCYSTR = const YCHAR*;

    CStringT() noexcept
        : m_pch(EmptyBuffer())
        , m_nLength(0)
        , m_nAlloc(0)
    {
    }
    CStringT(const CStringT& src);
    CStringT(CStringT&& src) noexcept;
    CStringT(const CStringT<YCHAR>& src);
    // A pointer made by MAKEINTRESOURCE loads that string resource.
    CStringT(PCXSTR psz);
    CStringT(PCYSTR psz);
    CStringT(PCXSTR pch, int nLength);
    CStringT(PCYSTR pch, int nLength);
    explicit CStringT(XCHAR ch, int nRepeat = 1);
    explicit CStringT(YCHAR ch, int nRepeat = 1);
    ~CStringT();

    CStringT& operator=(const CStringT& src);
    CStringT& operator=(CStringT&& src) noexcept;
    CStringT& operator=(const CStringT<YCHAR>& src);
    CStringT& operator=(PCXSTR psz);
    CStringT& operator=(PCYSTR psz);
    CStringT& operator=(XCHAR ch);
    CStringT& operator=(YCHAR ch);

    CStringT& operator+=(const CStringT& str) { return Append(str.m_pch, str.m_nLength); }
    CStringT& operator+=(PCXSTR psz);
    CStringT& operator+=(PCYSTR psz);
    CStringT& operator+=(XCHAR ch) { return AppendChar(ch); }
    CStringT& operator+=(YCHAR ch);

    // Length, content and raw buffer.
    int GetLength() const noexcept { return m_nLength; }
    BOOL IsEmpty() const noexcept { return m_nLength == 0; }
    void Empty();
    PCXSTR GetString() const noexcept { return m_pch; }
    operator PCXSTR() const noexcept { return m_pch; }
    int GetAllocLength() const noexcept { return m_nAlloc; }

    // Index 0..GetLength() may be read (the last gives the terminator);
    // anything else throws CInvalidArgException.
    XCHAR GetAt(int iChar) const;
    void SetAt(int iChar, XCHAR ch);
    XCHAR operator[](int iChar) const { return GetAt(iChar); }

    PXSTR GetBuffer();
    PXSTR GetBuffer(int nMinBufferLength);
    PXSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
    PXSTR LockBuffer() { return GetBuffer(); }
    void UnlockBuffer() { }
    void Preallocate(int nLength);
    void FreeExtra();
    void Truncate(int nNewLength);
    void SetString(PCXSTR psz);
    void SetString(PCXSTR pch, int nLength);

    CStringT& Append(PCXSTR psz);
    CStringT& Append(PCXSTR pch, int nLength);
    CStringT& Append(const CStringT& str) { return Append(str.m_pch, str.m_nLength); }
    CStringT& AppendChar(XCHAR ch);

    // printf-style formatting with the C runtime's rules: in a wide string %s
    // takes a wide string and %S an 8-bit one; in an 8-bit string the reverse.
    template <class... Args> void Format(PCXSTR pszFormat, Args&&... args)
    {
        FormatInternal(pszFormat, FwFormatArg(std::forward<Args>(args))...);
    }
    template <class... Args> void Format(UINT nFormatID, Args&&... args)
    {
        CStringT fmt;
        fmt.LoadString(nFormatID);
        FormatInternal(fmt.m_pch, FwFormatArg(std::forward<Args>(args))...);
    }
    template <class... Args> void AppendFormat(PCXSTR pszFormat, Args&&... args)
    {
        AppendFormatInternal(pszFormat, FwFormatArg(std::forward<Args>(args))...);
    }
    template <class... Args> void AppendFormat(UINT nFormatID, Args&&... args)
    {
        CStringT fmt;
        fmt.LoadString(nFormatID);
        AppendFormatInternal(fmt.m_pch, FwFormatArg(std::forward<Args>(args))...);
    }
    // FormatMessage-style inserts (%1, %2!d!, ...).
    template <class... Args> void FormatMessage(PCXSTR pszFormat, Args&&... args)
    {
        FormatMessageInternal(pszFormat, FwFormatArg(std::forward<Args>(args))...);
    }
    template <class... Args> void FormatMessage(UINT nFormatID, Args&&... args)
    {
        CStringT fmt;
        fmt.LoadString(nFormatID);
        FormatMessageInternal(fmt.m_pch, FwFormatArg(std::forward<Args>(args))...);
    }
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormatV(PCXSTR pszFormat, va_list args);
    void FormatMessageV(PCXSTR pszFormat, va_list* pArgList);

    // Loads a string resource from AfxGetResourceHandle(). FALSE if missing.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Slicing clamps counts and positions into the string, never throws.
    CStringT Mid(int iFirst) const;
    CStringT Mid(int iFirst, int nCount) const;
    CStringT Left(int nCount) const;
    CStringT Right(int nCount) const;
    CStringT SpanIncluding(PCXSTR pszCharSet) const;
    CStringT SpanExcluding(PCXSTR pszCharSet) const;

    // Searching: -1 when not found or the start is outside the string.
    int Find(XCHAR ch, int iStart = 0) const;
    int Find(PCXSTR pszSub, int iStart = 0) const;
    int ReverseFind(XCHAR ch) const;
    int FindOneOf(PCXSTR pszCharSet) const;

    // Editing; each returns a count or the new length, as the framework does.
    int Replace(XCHAR chOld, XCHAR chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(XCHAR chRemove);
    int Insert(int iIndex, XCHAR ch);
    int Insert(int iIndex, PCXSTR psz);
    int Delete(int iIndex, int nCount = 1);

    CStringT& Trim();
    CStringT& Trim(XCHAR chTarget);
    CStringT& Trim(PCXSTR pszTargets);
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR chTarget);
    CStringT& TrimLeft(PCXSTR pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR chTarget);
    CStringT& TrimRight(PCXSTR pszTargets);

    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();

    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;
    int Collate(PCXSTR psz) const;
    int CollateNoCase(PCXSTR psz) const;

    // Returns the next token after skipping leading delimiters and advances
    // iStart past it; at the end returns an empty string and sets iStart to -1.
    CStringT Tokenize(PCXSTR pszTokens, int& iStart) const;

    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    friend CStringT operator+(const CStringT& a, const CStringT& b)
    {
        return Concat(a.m_pch, a.m_nLength, b.m_pch, b.m_nLength);
    }
    friend CStringT operator+(const CStringT& a, PCXSTR b) { return Concat(a.m_pch, a.m_nLength, b, StrLen(b)); }
    friend CStringT operator+(PCXSTR a, const CStringT& b) { return Concat(a, StrLen(a), b.m_pch, b.m_nLength); }
    friend CStringT operator+(const CStringT& a, XCHAR b) { return Concat(a.m_pch, a.m_nLength, &b, 1); }
    friend CStringT operator+(XCHAR a, const CStringT& b) { return Concat(&a, 1, b.m_pch, b.m_nLength); }

    friend bool operator==(const CStringT& a, const CStringT& b)
    {
        return a.m_nLength == b.m_nLength && a.Compare(b.m_pch) == 0;
    }
    friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(PCXSTR a, const CStringT& b) { return b.Compare(a) == 0; }
    friend bool operator==(const CStringT& a, XCHAR b) { return a.m_nLength == 1 && a.m_pch[0] == b; }
    friend bool operator==(XCHAR a, const CStringT& b) { return b == a; }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, PCXSTR b) { return !(a == b); }
    friend bool operator!=(PCXSTR a, const CStringT& b) { return !(b == a); }
    friend bool operator!=(const CStringT& a, XCHAR b) { return !(a == b); }
    friend bool operator!=(XCHAR a, const CStringT& b) { return !(b == a); }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.Compare(b.m_pch) < 0; }
    friend bool operator<(const CStringT& a, PCXSTR b) { return a.Compare(b) < 0; }
    friend bool operator<(PCXSTR a, const CStringT& b) { return b.Compare(a) > 0; }
    friend bool operator>(const CStringT& a, const CStringT& b) { return a.Compare(b.m_pch) > 0; }
    friend bool operator>(const CStringT& a, PCXSTR b) { return a.Compare(b) > 0; }
    friend bool operator>(PCXSTR a, const CStringT& b) { return b.Compare(a) < 0; }
    friend bool operator<=(const CStringT& a, const CStringT& b) { return a.Compare(b.m_pch) <= 0; }
    friend bool operator<=(const CStringT& a, PCXSTR b) { return a.Compare(b) <= 0; }
    friend bool operator<=(PCXSTR a, const CStringT& b) { return b.Compare(a) >= 0; }
    friend bool operator>=(const CStringT& a, const CStringT& b) { return a.Compare(b.m_pch) >= 0; }
    friend bool operator>=(const CStringT& a, PCXSTR b) { return a.Compare(b) >= 0; }
    friend bool operator>=(PCXSTR a, const CStringT& b) { return b.Compare(a) <= 0; }

    static int StrLen(PCXSTR psz) noexcept;

private:
    static PXSTR EmptyBuffer() noexcept;
    static CStringT Concat(PCXSTR a, int na, PCXSTR b, int nb);
    // Makes room for nLength characters plus terminator, keeping the content.
    void Reserve(int nLength);
    void SetLengthTerminated(int nLength);
    void AssignConverted(PCYSTR psz, int nLength);
    void FormatInternal(PCXSTR pszFormat, ...);
    void AppendFormatInternal(PCXSTR pszFormat, ...);
    void FormatMessageInternal(PCXSTR pszFormat, ...);

    PXSTR m_pch; // never null; EmptyBuffer() when nothing is allocated
    int m_nLength;
    int m_nAlloc; // characters available excluding the terminator; 0 = not allocated
};

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;
