// Test support: a temporary folder of a test's own.
#pragma once

#include "afx.h"

namespace fwtest {
// A fresh folder of its own under the temporary folder, removed with all it
// holds (sub-folders too, read-only files too) when the object goes.
class CTempFolder {
public:
    // lpszPrefix starts the folder's name, which is unique in this run.
    explicit CTempFolder(LPCTSTR lpszPrefix = L"lstest");
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    // The folder, without a final backslash.
    const CString& Path() const { return m_strPath; }
    // A name inside the folder (it may hold sub-folders: "a\b.txt").
    CString File(LPCTSTR lpszName) const { return m_strPath + L"\\" + lpszName; }

private:
    CString m_strPath;
};
} // namespace fwtest
