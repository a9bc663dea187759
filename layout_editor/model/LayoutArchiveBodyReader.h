// Reading the body fields of an archive layout file in order: masked fields
// take the next character of the field key, plain fields and strings take
// none. Shared by the full layout reader and the template reader.
#pragma once

#include <afx.h>

#include <vector>

#include "LayoutArchive.h"

// A count or value that breaks the format's limits.
struct CArchiveRefused { };

class CArchiveBodyReader {
public:
    explicit CArchiveBodyReader(CArchive& ar)
        : m_ar(ar)
    {
    }
    LONG Masked()
    {
        LONG value = 0;
        m_ar >> value;
        value ^= ArchiveKeyAt(m_key);
        m_key = (m_key + 1) % kArchiveKeyLength;
        return value;
    }
    LONG Plain()
    {
        LONG value = 0;
        m_ar >> value;
        return value;
    }
    CString Text()
    {
        CString text;
        m_ar >> text;
        return text;
    }
    // A run of masked fields, read in one piece.
    void MaskedRun(std::vector<LONG>& values, size_t count)
    {
        values.resize(count);
        const UINT bytes = static_cast<UINT>(count * sizeof(LONG));
        if (m_ar.Read(values.data(), bytes) != bytes)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        for (LONG& value : values) {
            value ^= ArchiveKeyAt(m_key);
            m_key = (m_key + 1) % kArchiveKeyLength;
        }
    }
    // A masked field that must lie in [low, high].
    LONG MaskedIn(LONG low, LONG high)
    {
        const LONG value = Masked();
        if (value < low || value > high)
            throw CArchiveRefused();
        return value;
    }

private:
    CArchive& m_ar;
    int m_key = 0;
};
