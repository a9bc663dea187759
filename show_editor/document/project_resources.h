// Merged resources: copies of a project's media files in its resource
// folder. One merger serves one save, so that two different files of the
// same name get different copies and a file used twice is copied once.
#pragma once

#include <afx.h>

#include <map>

class CResourceMerger {
public:
    // folder ends with a backslash (ProjectResourceFolder).
    explicit CResourceMerger(const CString& folder);
    ~CResourceMerger();

    CResourceMerger(const CResourceMerger&) = delete;
    CResourceMerger& operator=(const CResourceMerger&) = delete;

    const CString& GetFolder() const { return m_folder; }

    // Claims the name of a path that already lies in the resource folder, so
    // that no other medium's copy replaces it during this save.
    void Reserve(const CString& path);

    // Copies the file at path into the folder (a free "name (2).ext" when
    // another file of this save holds the name) and switches path to the copy.
    // A path without a backslash, or with its only backslash first, is left
    // alone. A failed copy leaves path unchanged and returns false.
    bool Merge(CString& path);

    bool AllCopiesSucceeded() const { return !m_failed; }

    // The merger of the save in progress, or null.
    static CResourceMerger* GetActive() { return s_active; }
    // Makes this the merger of the save in progress until it is destroyed.
    void Activate();

private:
    struct Entry {
        CString source; // full path, as compared
        CString copy; // path in the resource folder
    };
    static CString Key(const CString& text);
    CString FreeName(const CString& name) const;

    CString m_folder;
    std::map<CString, Entry> m_byName; // lower-case file name in the folder
    std::map<CString, CString> m_bySource; // lower-case full source path -> copy
    bool m_failed = false;
    CResourceMerger* m_previous = nullptr;
    bool m_active = false;
    static CResourceMerger* s_active;
};

// Copies a medium into resourceFolder for the save in progress (through its
// merger, or a merger of its own when none is active) and switches path to
// the copy on success. False when the copy failed.
bool MergeMediaPath(CString& path, const CString& resourceFolder);

// resourceFolder + the file name of path (the text after its last backslash).
CString ResourcePathOf(const CString& path, const CString& resourceFolder);
