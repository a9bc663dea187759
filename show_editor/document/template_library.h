// The template libraries loaded at start-up from folders under "Resource"
// beside the executable: built-in colour and texture templates (".bct", one
// template per file) and template files (".ct", one array per file). Files
// are taken in the order the file system lists them.
#pragma once

#include <afx.h>

#include "color_template.h"

using ColorTemplateArrayList = CTypedPtrArray<CPtrArray, ColorTemplateArray*>;

// Kind "TCT" loads "\Resource\texturecolor_template\", any other kind
// "\Resource\color_template\": one template per ".bct" file read, appended
// to templates. Returns the number appended.
int LoadColorTemplates(ColorTemplateList& templates, const CString& kind);

// One array per ".ct" file of "\Resource\template\", appended to arrays also
// when the file does not load (the array then stays empty). Returns the
// number of arrays appended.
int LoadCtTemplates(ColorTemplateArrayList& arrays);

// The same from a given folder (ending in a backslash).
int LoadColorTemplatesFrom(ColorTemplateList& templates, const CString& folder);
int LoadCtTemplatesFrom(ColorTemplateArrayList& arrays, const CString& folder);

// Full paths of the files matching pattern ("*.bct") in folder, in the
// order the file system lists them; folders are left out.
void ListTemplateFiles(const CString& folder, const CString& pattern, CStringArray& paths);
