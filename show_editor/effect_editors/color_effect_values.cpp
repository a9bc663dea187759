// The arithmetic of the colour-effect and scan-line editors.
#include "color_effect_values.h"

#include <cwchar>

int ColorStepsOf(const ColorTemplateList& templates)
{
    int steps = 0;
    for (INT_PTR i = 0; i < templates.GetSize(); ++i) {
        const ColorTemplate* t = templates.GetAt(i);
        const int colors = static_cast<int>(t->m_colors.GetSize());
        if (t->m_changeMode == ColorTemplate::CHANGE_SOLID)
            steps += colors;
        else if (colors > 1)
            steps += colors - 1;
    }
    return steps;
}

void RepeatTemplates(ColorTemplateList& templates, int times)
{
    const INT_PTR count = templates.GetSize();
    for (int n = 1; n < times; ++n) {
        for (INT_PTR i = 0; i < count; ++i)
            templates.Add(ColorTemplate::Clone(templates.GetAt(i)));
    }
}

double NumberBeforeUnit(const CString& text)
{
    if (text.IsEmpty())
        return 0.0;
    CString number = text.Left(text.GetLength() - 1);
    return std::wcstod(number.GetString(), nullptr);
}

int ScanLineFrames(int travel, double speed)
{
    int tenths = static_cast<int>(speed * 10.0 + 1e-9);
    // A speed that truncates to no tenth would divide by zero.
    if (tenths < 1)
        tenths = 1;
    return travel * 10 / tenths;
}
