// Colour effects and scan lines: a style that cycles through colour templates.
#pragma once

#include "color_template.h"
#include "program.h"

class ProgramColorEffect : public Program {
    DECLARE_DYNCREATE(ProgramColorEffect)

public:
    ProgramColorEffect() = default;
    ~ProgramColorEffect() override;

    // A new effect owning copies of the source's values and templates, with a
    // fresh node record; null for a null source.
    static ProgramColorEffect* Clone(const ProgramColorEffect* source);
    // Copies the source's values and templates into target; target keeps its
    // node record.
    static void CopyFrom(ProgramColorEffect* target, const ProgramColorEffect* source);

    void RemoveAllTemplates();

    int m_style = 0; // colour-effect style number (scan lines included)
    float m_zoomFactor = 1.0f; // 1.0 = 100 %; the scan lines divide by it
    int m_mirror = 0;
    CArray<int, int> m_intList; // carried by clone and copy, never stored
    ColorTemplateList m_templates; // owned, in the order the effect cycles through them

private:
    void CopyValues(const ProgramColorEffect& source);
};
