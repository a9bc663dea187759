// CArchive: a buffered binary stream over a CFile, in the framework's stored
// form (little-endian numbers, length-prefixed strings).
//
// Strings: a wide string is written as FF FE FF (the byte FF and the word
// FFFE) and then its length in UTF-16 units, an 8-bit string as its length
// in bytes alone. The length takes 1 byte when below FF; otherwise FF and a
// 16-bit word when below FFFE; otherwise FF FF FF and a 32-bit value. The
// characters follow (UTF-16LE units or bytes). Reading accepts either form
// and converts through the ANSI code page when the widths differ.
//
// Errors are thrown as CArchiveException* (endOfFile when the data runs out,
// badIndex for an impossible length, writeOnly/readOnly for the wrong
// direction) and CFileException* from the file.
#pragma once

#include "fw_file.h"

#include <cstring>
#include <type_traits>

class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // The file stays open and owned by the caller; the archive only reads or
    // writes it from its current position.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Flushes a storing archive that was not closed (errors are lost then:
    // call Close to see them) unless bNoFlushOnDelete.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // TRUE when a loading archive has no unread bytes in its buffer.
    BOOL IsBufferEmpty() const { return m_pos == m_end; }
    CFile* GetFile() const { return m_pFile; }

    // Reads up to nMax bytes; fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file. Loading: moves the file back to
    // the archive's logical position and drops the read-ahead.
    void Flush();
    void Close();
    // Detaches without flushing and without throwing.
    void Abort();

    // Text lines of TCHARs (UTF-16LE units here): WriteString writes the
    // characters only; ReadString reads up to "\n" and drops "\r\n" or "\n".
    void WriteString(LPCTSTR lpsz);
    BOOL ReadString(CString& rString);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    // Numbers, little-endian; bool as one byte (0 or 1).
    CArchive& operator<<(BYTE by) { return Put(by); }
    CArchive& operator<<(WORD w) { return Put(w); }
    CArchive& operator<<(LONG l) { return Put(l); }
    CArchive& operator<<(DWORD dw) { return Put(dw); }
    CArchive& operator<<(float f) { return Put(f); }
    CArchive& operator<<(double d) { return Put(d); }
    CArchive& operator<<(LONGLONG dwdw) { return Put(dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return Put(dwdw); }
    CArchive& operator<<(int i) { return Put(i); }
    CArchive& operator<<(unsigned u) { return Put(u); }
    CArchive& operator<<(short w) { return Put(w); }
    CArchive& operator<<(char ch) { return Put(ch); }
    CArchive& operator<<(signed char ch) { return Put(ch); }
    CArchive& operator<<(wchar_t ch) { return Put(ch); }
    CArchive& operator<<(bool b) { return Put(static_cast<BYTE>(b ? 1 : 0)); }

    CArchive& operator>>(BYTE& by) { return Get(by); }
    CArchive& operator>>(WORD& w) { return Get(w); }
    CArchive& operator>>(LONG& l) { return Get(l); }
    CArchive& operator>>(DWORD& dw) { return Get(dw); }
    CArchive& operator>>(float& f) { return Get(f); }
    CArchive& operator>>(double& d) { return Get(d); }
    CArchive& operator>>(LONGLONG& dwdw) { return Get(dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return Get(dwdw); }
    CArchive& operator>>(int& i) { return Get(i); }
    CArchive& operator>>(unsigned& u) { return Get(u); }
    CArchive& operator>>(short& w) { return Get(w); }
    CArchive& operator>>(char& ch) { return Get(ch); }
    CArchive& operator>>(signed char& ch) { return Get(ch); }
    CArchive& operator>>(wchar_t& ch) { return Get(ch); }
    CArchive& operator>>(bool& b);

    // Strings in the stored form described above.
    CArchive& operator<<(const CString& str);
    CArchive& operator<<(const CStringA& str);
    CArchive& operator<<(LPCWSTR lpsz);
    CArchive& operator<<(LPCSTR lpsz);
    CArchive& operator>>(CString& str);
    CArchive& operator>>(CStringA& str);

    // The stored string length prefix alone (see the file comment); bUnicode
    // tells the reader whether the FF FE FF marker was present.
    void WriteStringLength(ULONGLONG nLength, BOOL bUnicode);
    ULONGLONG ReadStringLength(BOOL& bUnicode);

    // The document being loaded or stored, for objects that need it.
    CDocument* m_pDocument = nullptr;

private:
    template <class T> CArchive& Put(T value)
    {
        static_assert(std::is_arithmetic_v<T>);
        // The target is little-endian: the in-memory bytes are the stored bytes.
        Write(&value, sizeof(T));
        return *this;
    }
    template <class T> CArchive& Get(T& value)
    {
        static_assert(std::is_arithmetic_v<T>);
        T v;
        if (Read(&v, sizeof(T)) != sizeof(T))
            ThrowArchive(CArchiveException::endOfFile);
        value = v;
        return *this;
    }
    [[noreturn]] void ThrowArchive(int cause) const;
    void CheckLoading() const;
    void CheckStoring() const;
    void FillBuffer();
    void ReadExact(void* lpBuf, UINT nCount);
    void WriteWide(const wchar_t* pch, int nLength);
    void WriteNarrow(const char* pch, int nLength);
    // Reads a string body of nLength units; wide or 8-bit per bUnicode.
    void ReadWideBody(ULONGLONG nLength, CString& out);
    void ReadNarrowBody(ULONGLONG nLength, CStringA& out);

    CFile* m_pFile;
    UINT m_nMode;
    BYTE* m_pBuf;
    UINT m_nBufSize;
    bool m_bUserBuf;
    UINT m_pos = 0; // next byte to read or write in the buffer
    UINT m_end = 0; // loading: bytes valid in the buffer
};
