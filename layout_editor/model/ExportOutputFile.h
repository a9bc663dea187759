// Output file of the layout exports (DXF drawing, BMP picture): the bytes
// go to a temporary file beside the target, every write is checked, and
// only a complete file replaces the target. A file that is not committed
// is deleted, so a failed export leaves the target as it was.
#pragma once

#include <afx.h>

#include <string>
#include <string_view>

class CExportOutputFile {
public:
    CExportOutputFile() = default;
    ~CExportOutputFile();
    CExportOutputFile(const CExportOutputFile&) = delete;
    CExportOutputFile& operator=(const CExportOutputFile&) = delete;

    // Creates the temporary file; false when it cannot be created.
    bool Open(LPCWSTR path);
    // Queues bytes; a failed write is remembered and later writes are
    // ignored.
    void Write(const void* data, size_t size);
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    bool Failed() const { return m_failed; }
    // Writes what is queued, closes and moves the file over the target.
    // True only when every write succeeded.
    bool Commit();
    // Drops the temporary file.
    void Abort();

private:
    bool FlushBuffer();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    CString m_target;
    CString m_temporary;
    std::string m_buffer;
    bool m_failed = false;
};
