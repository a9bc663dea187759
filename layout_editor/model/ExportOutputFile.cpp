// Checked, all-or-nothing output file of the layout exports.
#include "ExportOutputFile.h"

#include <algorithm>

namespace {
constexpr size_t kBufferBytes = 1 << 18;
} // namespace

CExportOutputFile::~CExportOutputFile()
{
    Abort();
}

bool CExportOutputFile::Open(LPCWSTR path)
{
    Abort();
    if (path == nullptr || path[0] == 0)
        return false;
    m_target = path;
    m_temporary = m_target + L".export~";
    m_file = ::CreateFileW(m_temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    m_failed = false;
    m_buffer.clear();
    m_buffer.reserve(kBufferBytes);
    return true;
}

void CExportOutputFile::Write(const void* data, size_t size)
{
    if (m_failed || m_file == INVALID_HANDLE_VALUE) {
        m_failed = true;
        return;
    }
    m_buffer.append(static_cast<const char*>(data), size);
    if (m_buffer.size() >= kBufferBytes)
        FlushBuffer();
}

bool CExportOutputFile::FlushBuffer()
{
    size_t done = 0;
    while (!m_failed && done < m_buffer.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(m_buffer.size() - done, 1u << 24));
        if (!::WriteFile(m_file, m_buffer.data() + done, chunk, &written, nullptr) || written == 0)
            m_failed = true;
        done += written;
    }
    m_buffer.clear();
    return !m_failed;
}

bool CExportOutputFile::Commit()
{
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    FlushBuffer();
    const bool closed = ::CloseHandle(m_file) != FALSE;
    m_file = INVALID_HANDLE_VALUE;
    if (m_failed || !closed || !::MoveFileExW(m_temporary, m_target, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileW(m_temporary);
        m_temporary.Empty();
        return false;
    }
    m_temporary.Empty();
    return true;
}

void CExportOutputFile::Abort()
{
    if (m_file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }
    if (!m_temporary.IsEmpty()) {
        ::DeleteFileW(m_temporary);
        m_temporary.Empty();
    }
    m_buffer.clear();
}
