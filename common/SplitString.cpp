// SplitString: pieces of a text between occurrences of a separator.
#include "SplitString.h"

int SplitString(const CString& text, CStringArray& pieces, const CString& separator)
{
    pieces.RemoveAll();
    if (text.IsEmpty())
        return -1;
    // An empty separator would be found everywhere: it splits nothing.
    int found = separator.IsEmpty() ? -1 : text.Find(separator);
    if (found < 0) {
        pieces.Add(text);
        return 1;
    }
    pieces.Add(text.Left(found));
    const int sepLength = separator.GetLength();
    while (found >= 0) {
        const int start = found + sepLength;
        const int next = text.Find(separator, found + 1);
        const int end = next < 0 ? text.GetLength() : next;
        // Overlapping separators ("aa" in "aaa") leave nothing between them.
        pieces.Add(end > start ? text.Mid(start, end - start) : CString());
        found = next;
    }
    return static_cast<int>(pieces.GetSize());
}
