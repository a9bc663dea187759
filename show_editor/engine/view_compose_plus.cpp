// The engine's Zazez Urad renderer and the dispatch of a Zazez Urad program
// to it.
#include "view_compose.h"

#include "effect_plus_render.h"

CEffectPlusRender* CreatePlusRenderer()
{
    // Its construction seeds the C runtime's generator with 1000, after the
    // engine's colour renderer has seeded it with 510.
    return new CEffectPlusRender;
}

void DestroyPlusRenderer(CEffectPlusRender* renderer)
{
    delete renderer;
}

void DrawColorPlusFrame(ProgramColorEffectPlusArray* program, CDC* pDC, CCanvasContainer* engine, UINT frame)
{
    RenderColorPlusFrame(pDC, program, engine->PlusRenderer(), frame);
}
