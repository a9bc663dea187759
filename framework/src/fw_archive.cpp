// CArchive: buffering, numbers and the stored string form.
#include "afx.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

// Hostile lengths are read in slices, so that a huge length in a short file
// ends in endOfFile instead of a huge allocation.
constexpr UINT kSliceUnits = 32 * 1024;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile)
    , m_nMode(nMode)
{
    if (pFile == nullptr)
        AfxThrowInvalidArgException();
    if (nBufSize < 128)
        nBufSize = 128;
    m_nBufSize = static_cast<UINT>(nBufSize);
    m_bUserBuf = lpBuf != nullptr;
    m_pBuf = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[m_nBufSize];
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr) {
        if (m_nMode & bNoFlushOnDelete) {
            Abort();
        } else {
            try {
                Close();
            } catch (CException* e) {
                e->Delete();
                Abort();
            }
        }
    }
    if (!m_bUserBuf)
        delete[] m_pBuf;
}

void CArchive::ThrowArchive(int cause) const
{
    CString name;
    if (m_pFile != nullptr)
        name = m_pFile->GetFilePath();
    AfxThrowArchiveException(cause, name.IsEmpty() ? nullptr : static_cast<LPCTSTR>(name));
}

void CArchive::CheckLoading() const
{
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const
{
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
}

void CArchive::FillBuffer()
{
    m_pos = 0;
    m_end = 0;
    m_end = m_pFile->Read(m_pBuf, m_nBufSize);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_pos == m_end) {
            UINT left = nMax - done;
            // Large reads go straight to the file.
            if (left >= m_nBufSize) {
                UINT got = m_pFile->Read(out + done, left);
                done += got;
                if (got == 0)
                    break;
                continue;
            }
            FillBuffer();
            if (m_end == 0)
                break;
        }
        UINT n = std::min(nMax - done, m_end - m_pos);
        std::memcpy(out + done, m_pBuf + m_pos, n);
        m_pos += n;
        done += n;
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    if (m_pos + nMax <= m_nBufSize) {
        std::memcpy(m_pBuf + m_pos, in, nMax);
        m_pos += nMax;
        return;
    }
    Flush();
    if (nMax >= m_nBufSize) {
        m_pFile->Write(in, nMax);
        return;
    }
    std::memcpy(m_pBuf, in, nMax);
    m_pos = nMax;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        if (m_pos > 0) {
            UINT n = m_pos;
            m_pos = 0;
            m_pFile->Write(m_pBuf, n);
        }
    } else {
        if (m_pos < m_end)
            m_pFile->Seek(-static_cast<LONGLONG>(m_end - m_pos), CFile::current);
        m_pos = m_end = 0;
    }
}

void CArchive::Close()
{
    if (m_pFile == nullptr)
        return;
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_pos = m_end = 0;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    *this >> by;
    b = by != 0;
    return *this;
}

// Text lines.
void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(lstrlenW(lpsz)) * sizeof(wchar_t));
}

BOOL CArchive::ReadString(CString& rString)
{
    std::wstring line;
    bool any = false;
    wchar_t ch;
    while (Read(&ch, sizeof(ch)) == sizeof(ch)) {
        any = true;
        if (ch == L'\n')
            break;
        line.push_back(ch);
    }
    if (!line.empty() && line.back() == L'\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return any;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    UINT n = 0;
    wchar_t ch;
    while (n + 1 < nMax && Read(&ch, sizeof(ch)) == sizeof(ch)) {
        if (ch == L'\n') {
            if (n > 0 && lpsz[n - 1] == L'\r')
                --n;
            lpsz[n++] = L'\n';
            break;
        }
        lpsz[n++] = ch;
    }
    lpsz[n] = 0;
    return n == 0 ? nullptr : lpsz;
}

// Stored strings.
void CArchive::WriteStringLength(ULONGLONG nLength, BOOL bUnicode)
{
    if (bUnicode) {
        *this << static_cast<BYTE>(0xFF);
        *this << static_cast<WORD>(0xFFFE);
    }
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
        return;
    }
    *this << static_cast<BYTE>(0xFF);
    // 0xFFFE is the wide-string marker, so it cannot be a 16-bit length.
    if (nLength < 0xFFFE) {
        *this << static_cast<WORD>(nLength);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (nLength < 0xFFFFFFFFull) {
        *this << static_cast<DWORD>(nLength);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << static_cast<ULONGLONG>(nLength);
}

ULONGLONG CArchive::ReadStringLength(BOOL& bUnicode)
{
    bUnicode = FALSE;
    BYTE b;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w;
    *this >> w;
    if (w == 0xFFFE) {
        bUnicode = TRUE;
        *this >> b;
        if (b < 0xFF)
            return b;
        *this >> w;
        if (w == 0xFFFE)
            ThrowArchive(CArchiveException::badIndex);
    }
    if (w < 0xFFFE)
        return w;
    DWORD dw;
    *this >> dw;
    if (dw < 0xFFFFFFFF)
        return dw;
    ULONGLONG q;
    *this >> q;
    return q;
}

void CArchive::WriteWide(const wchar_t* pch, int nLength)
{
    WriteStringLength(static_cast<ULONGLONG>(nLength), TRUE);
    Write(pch, static_cast<UINT>(nLength) * sizeof(wchar_t));
}

void CArchive::WriteNarrow(const char* pch, int nLength)
{
    WriteStringLength(static_cast<ULONGLONG>(nLength), FALSE);
    Write(pch, static_cast<UINT>(nLength));
}

CArchive& CArchive::operator<<(const CString& str)
{
    WriteWide(str.GetString(), str.GetLength());
    return *this;
}

CArchive& CArchive::operator<<(const CStringA& str)
{
    WriteNarrow(str.GetString(), str.GetLength());
    return *this;
}

CArchive& CArchive::operator<<(LPCWSTR lpsz)
{
    WriteWide(lpsz != nullptr ? lpsz : L"", lpsz != nullptr ? lstrlenW(lpsz) : 0);
    return *this;
}

CArchive& CArchive::operator<<(LPCSTR lpsz)
{
    WriteNarrow(lpsz != nullptr ? lpsz : "", lpsz != nullptr ? lstrlenA(lpsz) : 0);
    return *this;
}

void CArchive::ReadWideBody(ULONGLONG nLength, CString& out)
{
    if (nLength > static_cast<ULONGLONG>(INT_MAX / 2))
        ThrowArchive(CArchiveException::badIndex);
    std::wstring units;
    units.reserve(static_cast<size_t>(std::min<ULONGLONG>(nLength, kSliceUnits)));
    ULONGLONG left = nLength;
    while (left > 0) {
        UINT n = static_cast<UINT>(std::min<ULONGLONG>(left, kSliceUnits));
        size_t at = units.size();
        units.resize(at + n);
        ReadExact(units.data() + at, n * sizeof(wchar_t));
        left -= n;
    }
    out = CString(units.data(), static_cast<int>(units.size()));
}

void CArchive::ReadNarrowBody(ULONGLONG nLength, CStringA& out)
{
    if (nLength > static_cast<ULONGLONG>(INT_MAX / 2))
        ThrowArchive(CArchiveException::badIndex);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(std::min<ULONGLONG>(nLength, kSliceUnits)));
    ULONGLONG left = nLength;
    while (left > 0) {
        UINT n = static_cast<UINT>(std::min<ULONGLONG>(left, kSliceUnits));
        size_t at = bytes.size();
        bytes.resize(at + n);
        ReadExact(bytes.data() + at, n);
        left -= n;
    }
    out = CStringA(bytes.data(), static_cast<int>(bytes.size()));
}

namespace {

CString AnsiToWide(const CStringA& s)
{
    CString out;
    if (s.IsEmpty())
        return out;
    int n = ::MultiByteToWideChar(CP_ACP, 0, s.GetString(), s.GetLength(), nullptr, 0);
    if (n > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, s.GetString(), s.GetLength(), out.GetBuffer(n), n);
        out.ReleaseBuffer(n);
    }
    return out;
}

CStringA WideToAnsi(const CString& s)
{
    CStringA out;
    if (s.IsEmpty())
        return out;
    int n = ::WideCharToMultiByte(CP_ACP, 0, s.GetString(), s.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, s.GetString(), s.GetLength(), out.GetBuffer(n), n, nullptr, nullptr);
        out.ReleaseBuffer(n);
    }
    return out;
}

} // namespace

CArchive& CArchive::operator>>(CString& str)
{
    BOOL bUnicode;
    ULONGLONG n = ReadStringLength(bUnicode);
    if (bUnicode) {
        ReadWideBody(n, str);
    } else {
        CStringA narrow;
        ReadNarrowBody(n, narrow);
        str = AnsiToWide(narrow);
    }
    return *this;
}

CArchive& CArchive::operator>>(CStringA& str)
{
    BOOL bUnicode;
    ULONGLONG n = ReadStringLength(bUnicode);
    if (bUnicode) {
        CString wide;
        ReadWideBody(n, wide);
        str = WideToAnsi(wide);
    } else {
        ReadNarrowBody(n, str);
    }
    return *this;
}
