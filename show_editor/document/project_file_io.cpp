// Whole-file reading and replacing text writes.
#include "project_file_io.h"

#include <algorithm>

namespace {

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~CFileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

} // namespace

bool ReadWholeFile(const CString& path, std::string& bytes, size_t maxBytes)
{
    bytes.clear();
    if (path.IsEmpty())
        return false;
    CFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    LARGE_INTEGER size {};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0
        || static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t left = bytes.size() - done;
        const DWORD chunk = left > (1u << 24) ? (1u << 24) : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) {
            bytes.clear();
            return false;
        }
        if (read == 0)
            break; // the file shrank meanwhile: keep what was there
        done += read;
    }
    bytes.resize(done);
    return true;
}

CCrLfFileWriter::CCrLfFileWriter(CReplacingFile& file, size_t bufferBytes)
    : m_file(file)
    , m_limit(bufferBytes < 2 ? 2 : bufferBytes)
{
    m_buffer.reserve(m_limit);
}

void CCrLfFileWriter::Write(const char* data, size_t size)
{
    const char* end = data + size;
    while (data < end) {
        // Runs without LF go in whole, up to the buffer's room.
        if (m_buffer.size() + 2 > m_limit)
            Flush();
        const size_t room = m_limit - m_buffer.size();
        const char* stop = data + std::min<size_t>(static_cast<size_t>(end - data), room - 1);
        const char* lf = std::find(data, stop, '\n');
        m_buffer.append(data, lf);
        data = lf;
        if (lf != stop) {
            m_buffer.append("\r\n", 2);
            ++data;
        }
    }
}

bool CCrLfFileWriter::Flush()
{
    if (!m_buffer.empty())
        m_file.Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return !m_file.Failed();
}

bool WriteTextFileReplacing(const CString& path, const char* data, size_t size)
{
    CReplacingFile file;
    if (!file.Open(path))
        return false;
    CCrLfFileWriter text(file);
    text.Write(data, size);
    return text.Flush() && file.Commit();
}

bool FileExistsAt(const CString& path)
{
    if (path.IsEmpty())
        return false;
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
