// Lets GoogleTest print framework strings as text in failure messages.
#pragma once

#include <ostream>

#include "afx.h"

inline void PrintTo(const CStringW& s, std::ostream* os)
{
    *os << '"' << CStringA(s).GetString() << '"';
}
inline void PrintTo(const CStringA& s, std::ostream* os)
{
    *os << '"' << s.GetString() << '"';
}
