// A CFile over bytes in memory, so a framework archive can be read from a
// file that was first taken in whole (and unscrambled) in memory, or written
// into memory before anything touches the disk.
#pragma once

#include <afx.h>

#include <vector>

class CByteBufferFile : public CFile {
public:
    // An empty file to write into.
    CByteBufferFile() = default;
    // A file holding these bytes, positioned at the start.
    explicit CByteBufferFile(std::vector<BYTE> bytes, LPCTSTR name = nullptr);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override { }
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetLength() const override { return m_bytes.size(); }
    ULONGLONG GetPosition() const override { return m_position; }
    void Close() override { }
    void Abort() override { }

    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
    size_t m_position = 0;
};
