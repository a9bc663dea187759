// Zazez Urad items (one effect of a Zazez Urad program, drawn from colour
// strips) and the Zazez Urad program that plays its items one after another.
#pragma once

#include "color_template.h"
#include "program.h"
#include "random_animation.h"

class ProgramColorEffectPlus : public Program {
    DECLARE_DYNCREATE(ProgramColorEffectPlus)

public:
    enum {
        STYLE_RANDOM_BLOCKS = 36, // keeps its own RandomAnimation
        STYLE_FIXTURE_SCAN = 43, // points to the document's pixel map (not owned)
    };

    ProgramColorEffectPlus() = default;
    ~ProgramColorEffectPlus() override;

    // A new item filled by CopyFrom, with a fresh node record.
    static ProgramColorEffectPlus* Clone(const ProgramColorEffectPlus* source);
    // Copies values and strips into target (which keeps its node record); the
    // style record then follows the source's as by SetRandomAnimation.
    static void CopyFrom(ProgramColorEffectPlus* target, const ProgramColorEffectPlus* source);
    // Sets the item's style record from record by the item's current style:
    // a null record changes nothing; otherwise an owned record is freed, then
    // style 36 gets a new RandomAnimation with the six settings of record
    // (a RandomAnimation), style 43 keeps record (the document's pixel map)
    // without owning it, and any other style keeps none.
    static void SetRandomAnimation(ProgramColorEffectPlus* item, void* record);

    // The owned random-blocks record (style 36), else null.
    RandomAnimation* GetRandomAnimation() const
    {
        return m_ownsStyleRecord ? static_cast<RandomAnimation*>(m_pStyleRecord) : nullptr;
    }
    // The shared pixel map (style 43) or the owned random-blocks record, else null.
    void* GetStyleRecord() const { return m_pStyleRecord; }

    void RemoveAllStrips();

    int m_colorCount = 0; // strip width in pixels
    int m_style = 0; // Zazez Urad style code
    int m_mirror = 0; // 0 none, 1 horizontal, 2 vertical, 3 both
    int m_stepLength = 1; // strip pixels per step
    int m_repeatCount = 1; // frames per step
    ColorStripList m_strips; // owned
    int m_bandWidth = 0; // styles 39 to 42: band width or height in pixels; not stored

private:
    void FreeStyleRecord();

    // Under style 36 an owned RandomAnimation, under style 43 the document's
    // pixel map; ownership is tracked here rather than inferred from the
    // style, which callers may change at any time.
    void* m_pStyleRecord = nullptr;
    bool m_ownsStyleRecord = false;
};

using ColorPlusItemList = CTypedPtrArray<CPtrArray, ProgramColorEffectPlus*>;

class ProgramColorEffectPlusArray : public Program {
    DECLARE_DYNCREATE(ProgramColorEffectPlusArray)

public:
    ProgramColorEffectPlusArray() = default;
    ~ProgramColorEffectPlusArray() override;

    // A new program filled by CopyFrom, with a fresh node record.
    static ProgramColorEffectPlusArray* Clone(const ProgramColorEffectPlusArray* source);
    // Copies base values and fade times; target's items are replaced by
    // clones of the source's. Target keeps its node record.
    static void CopyFrom(ProgramColorEffectPlusArray* target, const ProgramColorEffectPlusArray* source);

    // Frames of one pass and end frame = the sum of the items' frames of one pass.
    void UpdateTotalFrames();
    void RemoveAllItems();

    ColorPlusItemList m_items; // owned, played in order
};
