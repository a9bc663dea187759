// Text files that may be UTF-16: CTextFileW reads UTF-16LE files with a
// byte-order mark line by line and writes UTF-16LE (mark first) or ANSI
// text, and the two conversions it is built on.
#pragma once

#include <afx.h>

class CTextFileW : public CStdioFile {
public:
    // Open flag of this class: WriteString writes UTF-16LE.
    static constexpr UINT modeWriteUnicode = 0x20000;

    CTextFileW() = default;
    ~CTextFileW() override;

    // A file opened for reading in text mode that starts with FF FE is read
    // as UTF-16 (binary mode). Failures as the framework's open reports them.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    // With modeWriteUnicode: the mark FF FE when at the start of the file,
    // then the text as UTF-16LE; otherwise the text in the ANSI code page.
    // No line-end conversion either way.
    void WriteString(LPCWSTR lpsz) override;
    // A line without its final "\r\n", "\r" or "\n"; FALSE at the end.
    BOOL ReadString(CString& rString) override;
    using CStdioFile::ReadString;
    using CStdioFile::WriteString;

    BOOL IsUnicode() const { return m_unicode != 0; }
    UINT GetOpenFlags() const { return m_openFlags; }

private:
    BOOL ReadWideLine(CString& line);

    BYTE m_unicode = 0; // the open file is UTF-16
    UINT m_openFlags = 0; // flags of the last open
};

// True when the file opens and its first two bytes are FF FE.
bool IsFileUnicode(LPCWSTR path);

// Converts a wide text to the code page (-1: the system's ANSI code page)
// into the buffer, with composite checking and "#" for characters the code
// page lacks. Returns the bytes written (no terminator counted; one is added
// when there is room), 0 on failure or when the text or buffer is missing.
int WideToCodePage(int codePage, LPCWSTR text, char* buffer, int bufferSize);
