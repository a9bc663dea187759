// A language text of the layout editor with a built-in fallback, for the
// texts a dialog sets itself (combo entries, list headers, messages): a
// short language file never leaves them blank.
#pragma once

#include <afx.h>

// The language text, or the fallback when the file lacks it.
CString LangTextOr(LPCWSTR section, int key, LPCWSTR fallback);
