// Whole-file reading and replacing writes for the project file code: files
// are read in one piece with a size limit, and written through the
// framework's replacing writer (fw_replacefile.h): a temporary file beside
// the target replaces it only when everything was written.
#pragma once

#include <afx.h>
#include <fw_replacefile.h>

#include <string>

// Largest project file that is loaded, and largest embedded layout or pixel
// map that is read or unpacked.
constexpr size_t kMaxProjectFileBytes = 256u * 1024 * 1024;
constexpr size_t kMaxEmbeddedFileBytes = 64u * 1024 * 1024;

// Reads the whole file into bytes; false when it cannot be opened or read,
// or is larger than maxBytes.
bool ReadWholeFile(const CString& path, std::string& bytes, size_t maxBytes);

// Text written into a replacing file through a buffer of bounded size, every
// LF as CR LF as a text-mode stream writes it.
class CCrLfFileWriter {
public:
    static constexpr size_t kBufferBytes = 64 * 1024;

    // bufferBytes (at least 2) bounds what is held before it goes to the file.
    explicit CCrLfFileWriter(CReplacingFile& file, size_t bufferBytes = kBufferBytes);
    CCrLfFileWriter(const CCrLfFileWriter&) = delete;
    CCrLfFileWriter& operator=(const CCrLfFileWriter&) = delete;

    void Write(const char* data, size_t size);
    void Put(char ch) { Write(&ch, 1); }
    // Writes what is held; false once a write to the file failed.
    bool Flush();

private:
    CReplacingFile& m_file;
    std::string m_buffer;
    size_t m_limit;
};

// Replaces path with the bytes, every LF written as CR LF as a text-mode
// stream does. False (and the target untouched) when any step fails.
bool WriteTextFileReplacing(const CString& path, const char* data, size_t size);

// A regular file (not a folder) exists at path.
bool FileExistsAt(const CString& path);
