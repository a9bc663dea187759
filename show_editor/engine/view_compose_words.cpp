// Dispatch of a colourful-words program to its renderer, by orientation.
#include "view_compose.h"

#include "colorful_words_render.h"
#include "program_colorful_words.h"

void DrawColorfulWordsFrame(ProgramColorFulWords* program, CDC* pDC, CCanvasContainer* engine, int frame)
{
    if (program->m_orientation != 0)
        DrawWordsVertical(engine->ColourRenderer(), *program, pDC, frame);
    else
        DrawWordsHorizontal(engine->ColourRenderer(), *program, pDC, frame);
}
