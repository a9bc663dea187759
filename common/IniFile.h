// CINI: a small wrapper of one private-profile settings file, made on the
// stack for each use. Integer and real reads write a missing key back with
// its default, so a file completes itself as it is used.
#pragma once

#include <afx.h>

class CINI {
public:
    // Room for the path: 511 characters and the terminator.
    static constexpr int kPathCapacity = 512;

    CINI();
    CINI(const CINI&) = delete;
    CINI& operator=(const CINI&) = delete;

    // Binds the wrapper to a settings file. A path that does not fit is
    // refused: the wrapper is left without a file and FALSE comes back.
    BOOL SetPath(LPCWSTR path);
    LPCWSTR GetPath() const { return m_path; }
    bool HasPath() const { return m_path[0] != 0; }

    // The key as a decimal integer; a missing or empty key is written back
    // with "%d" and the default returned.
    int GetInt(LPCWSTR section, LPCWSTR key, int defaultValue);
    // The key as a decimal real, rounded to single precision; a missing or
    // empty key is written back with "%f" and the default returned as given.
    double GetDouble(LPCWSTR section, LPCWSTR key, double defaultValue);
    // TRUE and the text when the key is present and not empty; otherwise
    // FALSE and `value` unchanged.
    BOOL GetString(LPCWSTR section, LPCWSTR key, CString& value);
    BOOL WriteInt(LPCWSTR section, LPCWSTR key, int value);
    BOOL WriteDouble(LPCWSTR section, LPCWSTR key, double value);
    // The layout editor's write: key = value in section "Layout", the value
    // cut to 1023 characters. Non-zero on success.
    BOOL WriteLayoutString(LPCWSTR value, LPCWSTR key);

private:
    WCHAR m_path[kPathCapacity];
};
