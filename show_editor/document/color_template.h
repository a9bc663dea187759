// Colour templates (a change mode and a list of colours) and colour strips
// (stops with a width each): the colour vocabulary of every colour effect.
#pragma once

#include <afx.h>

using ColorList = CArray<COLORREF, COLORREF>;

// A change mode and an ordered list of colours.
class ColorTemplate : public CObject {
public:
    enum ChangeMode {
        CHANGE_GRADIENT = 0, // gradients between neighbouring colours
        CHANGE_SOLID = 1, // solid steps
    };

    ColorTemplate() = default;
    ~ColorTemplate() override = default;

    // The caller owns the result; a null source gives null.
    static ColorTemplate* Clone(const ColorTemplate* source);
    static ColorTemplate* CloneReversed(const ColorTemplate* source);

    int m_changeMode = CHANGE_GRADIENT;
    ColorList m_colors; // Windows RGB values, 0x00BBGGRR
};

// An ordered list of owned templates (a colour effect's, or one ".ct" file's).
using ColorTemplateList = CTypedPtrArray<CPtrArray, ColorTemplate*>;

// Deletes every template of the list and empties it.
void FreeColorTemplates(ColorTemplateList& list);

// Appends a copy of every template of source to target, in order.
void AppendColorTemplateCopies(ColorTemplateList& target, const ColorTemplateList& source);

// The templates of one ".ct" file, in file order. The templates are the array's
// own: nothing else points into them (users take copies), so they go with it.
class ColorTemplateArray : public CObject {
public:
    ColorTemplateArray() = default;
    ~ColorTemplateArray() override;

    ColorTemplateList m_templates;
};

// One colour stop of a strip.
class ColorTemplateEx : public CObject {
public:
    enum Mode {
        MODE_GRADIENT = 0, // any value other than 1: from the first to the second colour
        MODE_SOLID = 1, // one colour repeated
    };

    ColorTemplateEx() = default;
    ~ColorTemplateEx() override = default;

    // The caller owns the results; a null source gives null.
    static ColorTemplateEx* Clone(const ColorTemplateEx* source);
    static ColorTemplateEx* CloneReversed(const ColorTemplateEx* source);

    int m_mode = MODE_GRADIENT;
    int m_width = 0; // pixels the stop covers in its strip
    ColorList m_colors;
};

using ColorStopList = CTypedPtrArray<CPtrArray, ColorTemplateEx*>;

// A named colour strip: owned stops in order. Its painted width is the sum of
// its stops' widths.
class ColorTemplateArrayEx : public CObject {
public:
    ColorTemplateArrayEx() = default;
    ~ColorTemplateArrayEx() override;

    // The caller owns the results; a null source gives null.
    static ColorTemplateArrayEx* Clone(const ColorTemplateArrayEx* source);
    static ColorTemplateArrayEx* CloneReversed(const ColorTemplateArrayEx* source);

    int GetTotalWidth() const;
    void RemoveAllStops();

    ColorStopList m_stops;
    CString m_name; // a custom bar's file path, empty otherwise
};

using ColorStripList = CTypedPtrArray<CPtrArray, ColorTemplateArrayEx*>;

// Deletes every strip (with its stops) of the list and empties it.
void FreeColorStrips(ColorStripList& list);
