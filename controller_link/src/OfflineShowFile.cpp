// Show file written under a temporary name (see OfflineShowFile.h).
#include "OfflineShowFile.h"

void COfflineShowFile::SetWriteBudgetForTests(long long bytes)
{
    CReplacingFile::SetWriteBudgetForTests(bytes);
}

COfflineShowFile::~COfflineShowFile()
{
    Discard();
}

bool COfflineShowFile::Create(const CString& target)
{
    Discard();
    if (target.IsEmpty())
        return false;
    // A target that exists but cannot be replaced (read-only, or held open
    // by a player) fails now rather than after the whole recording.
    if (GetFileAttributesW(target) != INVALID_FILE_ATTRIBUTES) {
        HANDLE existing = CreateFileW(target, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (existing == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(existing);
    }
    return m_file.Open(target) != FALSE;
}

bool COfflineShowFile::Append(const void* data, std::size_t length)
{
    if (!m_file.IsOpen() || m_file.Failed() || !m_file.Write(data, length))
        return false;
    m_size += length;
    return true;
}

bool COfflineShowFile::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    if (offset > m_size || m_size - offset < length)
        return false;
    return m_file.IsOpen() && !m_file.Failed() && m_file.WriteAt(offset, data, length);
}

bool COfflineShowFile::Commit()
{
    m_size = 0;
    return m_file.Commit() != FALSE;
}

void COfflineShowFile::Discard()
{
    m_file.Abort();
    m_size = 0;
}
