// Flicker stars: stars that brighten and dim over a background colour.
#pragma once

#include "program.h"

// Where a star starts and its colour.
struct StartPoint {
    int m_x = 0;
    int m_y = 0;
    COLORREF m_color = 0;
};

class CEFlickerStar : public Program {
    DECLARE_DYNCREATE(CEFlickerStar)

public:
    CEFlickerStar();
    ~CEFlickerStar() override = default;

    // A new program with the source's values and lists (fade times stay 0)
    // and a fresh node record.
    static CEFlickerStar* Clone(const CEFlickerStar* source);
    // Copies values and lists into target, which keeps its fade times and node record.
    static void CopyFrom(CEFlickerStar* target, const CEFlickerStar* source);

    COLORREF m_backgroundColor = 0;
    COLORREF m_starColor = RGB(255, 255, 255); // unless random start colours are on
    float m_speed = 1.0f;
    float m_playTime = 0.0f; // seconds
    int m_starCount = 0;
    BYTE m_shape = 0; // 0 circle, any other value a square
    BYTE m_size = 1; // pixels
    int m_randomStartColor = 0; // non-zero: each star gets its own random colour
    CArray<WORD, WORD> m_phases; // one per star, not stored
    CArray<StartPoint, const StartPoint&> m_startPoints; // one per star, not stored
    BYTE m_minBrightness = 0;
    BYTE m_maxBrightness = 255;

private:
    void CopyValues(const CEFlickerStar& source);
};
