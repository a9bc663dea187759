// The file an off-line show is recorded into. It is written through the
// framework's replacing writer (fw_replacefile.h): under a temporary name
// beside the target, taking the target's name only when the whole show was
// written, so a failed or abandoned
// recording never leaves a broken show file where a card copy would pick it
// up, and never destroys an older file of the same name.
#pragma once

#include <afx.h>
#include <fw_replacefile.h>

#include <cstddef>
#include <cstdint>

class COfflineShowFile {
public:
    COfflineShowFile() = default;
    ~COfflineShowFile();
    COfflineShowFile(const COfflineShowFile&) = delete;
    COfflineShowFile& operator=(const COfflineShowFile&) = delete;

    // Creates the temporary file for `target`; false when it cannot be made.
    bool Create(const CString& target);
    bool IsOpen() const { return m_file.IsOpen() != FALSE; }

    // Appends at the end; false on any failure (nothing more is written).
    bool Append(const void* data, std::size_t length);
    // Writes over bytes already written.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t length);
    std::uint64_t Size() const { return m_size; }

    // Closes the file and gives it the target's name: false when that fails
    // (the temporary file is then removed).
    bool Commit();
    // Closes and removes the temporary file.
    void Discard();

    // Tests simulate a full disk: after `bytes` more bytes every write of
    // every show file fails; a negative value lifts the limit (the replacing
    // writer's own budget).
    static void SetWriteBudgetForTests(long long bytes);

private:
    CReplacingFile m_file;
    std::uint64_t m_size = 0;
};
