// Colourful text: a text in a font, drawn in a colour or filled with a texture
// colour effect, with enter, show-word and leave effects.
#pragma once

#include <cstddef>

#include "program.h"
#include "program_color_effect.h"

// The project file stores the font as the whole 92-byte wide logical-font
// record; every font drawn is a copy with its quality byte changed.
static_assert(sizeof(LOGFONTW) == 92);
static_assert(offsetof(LOGFONTW, lfWeight) == 16);
static_assert(offsetof(LOGFONTW, lfQuality) == 26);
static_assert(offsetof(LOGFONTW, lfFaceName) == 28);

class ProgramColorFulWords : public Program {
    DECLARE_DYNCREATE(ProgramColorFulWords)

public:
    ProgramColorFulWords();
    ~ProgramColorFulWords() override;

    // A new program with the source's values and a clone of its texture; fade
    // times stay 0; node record at the source's place with an empty name.
    static ProgramColorFulWords* Clone(const ProgramColorFulWords* source);
    // Copies the values into target; the texture values go into target's own
    // texture effect. Target keeps its fade times and node record.
    static void CopyFrom(ProgramColorFulWords* target, const ProgramColorFulWords* source);

    // Replaces the texture effect; the program owns the given one (null for none).
    void SetTexture(ProgramColorEffect* texture);

    CString m_text;
    LOGFONTW m_font; // zeroed by the constructor
    COLORREF m_backgroundColor = 0;
    COLORREF m_textColor = RGB(255, 255, 255);
    int m_textWidth = 100; // character width in percent
    int m_textSpacing = 0;
    int m_useTextColor = 1; // 1 draw in the text colour, 0 fill with the texture
    ProgramColorEffect* m_pTexture = nullptr; // owned, or none
    int m_textureSpeed = 0; // 0 to 10
    int m_strokeType = 0; // 0 none, 1 outline, 2 shadow
    COLORREF m_strokeColor = 0;
    int m_strokeWidth = 0;
    int m_enterEffect = 0;
    int m_leaveEffect = 0;
    int m_showWordEffect = 0;
    float m_enterTime = 0.0f; // seconds
    float m_leaveTime = 0.0f;
    float m_showWordTime = 0.0f;
    int m_enterFrames = 0;
    int m_showWordFrames = 0;
    int m_leaveFrames = 0;
    int m_wordRepeatCount = 1;
    int m_orientation = 0; // 0 horizontal, 1 vertical
    int m_reverse = 0;
    int m_textureIndex = 0;
    int m_mirror = 0; // 0 none, 1 horizontal, 2 vertical

private:
    void CopyValues(const ProgramColorFulWords& source);
};
