// Whole-file reading and replacing writes for the project file code: files
// are read in one piece with a size limit, and written to a temporary file
// beside the target that replaces the target only when everything was written.
#pragma once

#include <afx.h>

#include <string>

// Largest project file that is loaded, and largest embedded layout or pixel
// map that is read or unpacked.
constexpr size_t kMaxProjectFileBytes = 256u * 1024 * 1024;
constexpr size_t kMaxEmbeddedFileBytes = 64u * 1024 * 1024;

// Reads the whole file into bytes; false when it cannot be opened or read,
// or is larger than maxBytes.
bool ReadWholeFile(const CString& path, std::string& bytes, size_t maxBytes);

// Writes bytes to a temporary file beside path, then replaces path with it.
// False (and the target untouched) when any step fails.
bool WriteFileReplacing(const CString& path, const char* data, size_t size);

// The same with every LF written as CR LF, as a text-mode stream does.
bool WriteTextFileReplacing(const CString& path, const char* data, size_t size);

// A regular file (not a folder) exists at path.
bool FileExistsAt(const CString& path);
