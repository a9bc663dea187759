// Show file written under a temporary name (see OfflineShowFile.h).
#include "OfflineShowFile.h"

namespace {

long long g_writeBudget = -1;

} // namespace

void COfflineShowFile::SetWriteBudgetForTests(long long bytes)
{
    g_writeBudget = bytes;
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
    m_target = target;
    m_temporary = target + L".part";
    m_handle = CreateFileW(
        m_temporary, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_size = 0;
    return m_handle != INVALID_HANDLE_VALUE;
}

bool COfflineShowFile::WriteRaw(const void* data, std::size_t length)
{
    if (m_handle == INVALID_HANDLE_VALUE)
        return false;
    const auto* p = static_cast<const std::uint8_t*>(data);
    while (length > 0) {
        const DWORD chunk = length > 0x40000000u ? 0x40000000u : static_cast<DWORD>(length);
        if (g_writeBudget >= 0) {
            if (static_cast<long long>(chunk) > g_writeBudget) {
                g_writeBudget = 0;
                SetLastError(ERROR_DISK_FULL);
                return false;
            }
            g_writeBudget -= chunk;
        }
        DWORD written = 0;
        if (!WriteFile(m_handle, p, chunk, &written, nullptr) || written != chunk)
            return false;
        p += chunk;
        length -= chunk;
    }
    return true;
}

bool COfflineShowFile::Append(const void* data, std::size_t length)
{
    LARGE_INTEGER end {};
    end.QuadPart = static_cast<LONGLONG>(m_size);
    if (m_handle == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_handle, end, nullptr, FILE_BEGIN))
        return false;
    if (!WriteRaw(data, length))
        return false;
    m_size += length;
    return true;
}

bool COfflineShowFile::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    if (offset > m_size || m_size - offset < length)
        return false;
    LARGE_INTEGER at {};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (m_handle == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_handle, at, nullptr, FILE_BEGIN))
        return false;
    return WriteRaw(data, length);
}

bool COfflineShowFile::Commit()
{
    if (m_handle == INVALID_HANDLE_VALUE)
        return false;
    const BOOL flushed = FlushFileBuffers(m_handle);
    const BOOL closed = CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    if (!flushed || !closed || !MoveFileExW(m_temporary, m_target, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(m_temporary);
        m_temporary.Empty();
        return false;
    }
    m_temporary.Empty();
    return true;
}

void COfflineShowFile::Discard()
{
    if (m_handle != INVALID_HANDLE_VALUE) {
        CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    if (!m_temporary.IsEmpty()) {
        DeleteFileW(m_temporary);
        m_temporary.Empty();
    }
    m_size = 0;
}
