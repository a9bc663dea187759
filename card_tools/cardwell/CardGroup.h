// Card groups: the output files of one generation folder arranged per card,
// one configuration file ("CFG_%03d.bfm") with all show files ("OFF%03d.arm")
// of the folder. Only file names are looked at, never file contents.
#pragma once

#include "afx.h"

#include <vector>

// One group, written onto one card.
class CQvTreeNodeItem {
public:
    CString m_strConfigFile; // may be empty
    CStringArray m_arrShowFiles;

    // 1 for the configuration file (when there is one) plus the show files.
    int GetFileCount() const;
    // The files in the order they are copied: the configuration file first.
    std::vector<CString> GetCopyOrder() const;
};

using CQvTreeNodeArray = CTypedPtrArray<CPtrArray, CQvTreeNodeItem*>;

// The full paths of the regular files directly in lpszFolder, sorted by name
// the way NTFS lists them (case-insensitive), so that CFG_001 pairs with the
// first card whatever order the disk keeps its entries in. FALSE when the
// folder does not exist.
BOOL ListFolderFiles(LPCTSTR lpszFolder, CStringArray& paths);

// What a file name's extension (after its last dot, any case) makes it.
enum class CardFileKind { Other, Config, Show };
CardFileKind KindOfCardFile(const CString& name);

// Arranges the paths into groups (appended to groups, which the caller owns):
// a name with the extension ".bfm" is a configuration file, one with ".arm"
// a show file, in any case (KindOfCardFile). One group per configuration file, each with all show
// files; without configuration files one group with an empty configuration
// path; without show files no group at all.
void BuildCardGroups(const CStringArray& paths, CQvTreeNodeArray& groups);

// Deletes the groups and empties the array.
void FreeCardGroups(CQvTreeNodeArray& groups);

// The part of a path after its last backslash.
CString FileNameOfPath(const CString& path);
