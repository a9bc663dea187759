// Project files of the older format: no version on the root, and segments
// that hold their programs directly (at most one video or colour effect and
// one colourful text each, no views). They are read into SegmentGourp
// records, which the document then turns into segments with views. The
// format is never written.
#pragma once

#include <afx.h>

#include "proj_set.h"
#include "segment.h"

using LegacySegmentList = CTypedPtrArray<CPtrArray, SegmentGourp*>;

// The merged media folder of an older project: the file's folder, the file
// name up to its first dot, and a closing backslash ("D:\shows\gate.old.LEDX"
// gives "D:\shows\gate\").
CString LegacyResourceFolder(const CString& projectPath);

// Appends the file's segments to segments and fills settings (which the
// caller has reset), unpacking the embedded layout and pixel map into the
// program folder's "TF" folder. A file that does not load, or holds more
// segments than a project may have, adds nothing. A layout or pixel map that
// cannot be written ends the reading; what was read before stays.
void ReadLegacyProjectFile(LegacySegmentList& segments, const CString& path, ProjSet& settings);
