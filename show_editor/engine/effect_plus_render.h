// The Zazez Urad renderer: draws frame N of a Zazez Urad program by finding
// the item that holds the frame, drawing that item's style at the item frame
// and then applying the item's fade, tiles and mirror mode to the canvas.
//
// Runs on the user-interface thread only. Apart from the random-blocks style,
// whose blocks live in the item, nothing is kept between frames.
#pragma once

#include "color_animation_render.h"
#include "program_color_effect_plus.h"

#include <afx_gdi.h>

class CEffectPlusRender : public CObject {
public:
    static constexpr int kRandomTableSize = 1000;

    // Constructs the colour renderer (which seeds the C runtime's generator
    // with 510), then seeds it with 1000 and fills the random table with
    // rand() mod 1000.
    CEffectPlusRender();
    ~CEffectPlusRender() override;

    int RandomValue(int index) const { return m_randomTable[index]; }

    CCColorAnimationRender m_colorRender; // kept for the engine's sake; the Zazez Urad styles do not use it
    int m_randomTable[kRandomTableSize];
};

// Draws frame N (counted from 1) of the program into the canvas, a 32-bit
// memory DC whose clip box is the whole buffer at (0, 0). A frame no item
// holds draws nothing.
void RenderColorPlusFrame(CDC* pDC, ProgramColorEffectPlusArray* program, CEffectPlusRender* renderer, UINT frame);

// The steps of RenderColorPlusFrame, for the editors and the tests.

// The item that holds frame N and the item's local frame (1 .. its length);
// null when no item holds N.
ProgramColorEffectPlus* FindColorPlusItem(const ProgramColorEffectPlusArray& program, UINT frame, UINT* pLocalFrame);
// (local frame / repeat count) x step, 0 when negative; a repeat count of 0
// counts as 1.
UINT ColorPlusItemFrame(const ProgramColorEffectPlus& item, UINT localFrame);
// The fade alpha (0 .. 255) of the item at its local frame, with fade times
// counted at 25 frames a second.
int ColorPlusFadeAlpha(const ProgramColorEffectPlus& item, UINT localFrame);
// Draws the item's style at item frame F (code 0 is given F as it stands).
// The random-streak codes read the renderer's table; without a renderer
// they draw nothing.
void DrawColorPlusStyle(CDC* pDC, ProgramColorEffectPlus& item, UINT frame, const CEffectPlusRender* renderer);
// Tiles the canvas by the item's tile counts with the constant alpha and
// then mirrors it by the item's mirror mode.
void ApplyColorPlusTiles(CDC* pDC, const ProgramColorEffectPlus& item, int alpha);
