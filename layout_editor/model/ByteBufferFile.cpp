// The in-memory CFile.
#include "ByteBufferFile.h"

#include <algorithm>
#include <cstring>
#include <new>

CByteBufferFile::CByteBufferFile(std::vector<BYTE> bytes, LPCTSTR name)
    : m_bytes(std::move(bytes))
{
    if (name != nullptr)
        m_strFileName = name;
}

UINT CByteBufferFile::Read(void* lpBuf, UINT nCount)
{
    const size_t left = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    const UINT n = static_cast<UINT>(std::min<size_t>(left, nCount));
    if (n > 0)
        std::memcpy(lpBuf, m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

void CByteBufferFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const size_t end = m_position + nCount;
    try {
        if (end > m_bytes.size())
            m_bytes.resize(end);
    } catch (const std::bad_alloc&) {
        AfxThrowFileException(CFileException::diskFull, ERROR_NOT_ENOUGH_MEMORY, m_strFileName);
    }
    std::memcpy(m_bytes.data() + m_position, lpBuf, nCount);
    m_position = end;
}

ULONGLONG CByteBufferFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = 0;
    if (nFrom == current)
        base = static_cast<LONGLONG>(m_position);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_bytes.size());
    const LONGLONG target = base + lOff;
    if (target < 0)
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
    m_position = static_cast<size_t>(target);
    return m_position;
}

void CByteBufferFile::SetLength(ULONGLONG dwNewLen)
{
    try {
        m_bytes.resize(static_cast<size_t>(dwNewLen));
    } catch (const std::bad_alloc&) {
        AfxThrowFileException(CFileException::diskFull, ERROR_NOT_ENOUGH_MEMORY, m_strFileName);
    }
}
