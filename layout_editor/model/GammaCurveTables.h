// The layout's user gamma curves: up to four tables of 256 output levels
// (entry i is the level for gray level i) and the number in use. A port's
// gamma table names a curve by number (1 to 4; 0 is the default curve).
// Stored at the end of the current layout format.
#pragma once

#include <afx.h>

constexpr int kMaxUserCurves = 4;
constexpr int kCurveEntries = 256;

struct CGammaCurveTables {
    CGammaCurveTables() { Reset(); }

    // Every curve back to identity, none in use.
    void Reset()
    {
        for (auto& curve : m_curves)
            for (int i = 0; i < kCurveEntries; ++i)
                curve[i] = static_cast<BYTE>(i);
        m_count = 0;
    }

    BYTE m_curves[kMaxUserCurves][kCurveEntries];
    int m_count; // curves in use, 0 to 4
};

extern CGammaCurveTables GammaCurveTables;
