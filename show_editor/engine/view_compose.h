// View composition and program dispatch: for each frame the engine calls
// RenderView once per view of the current segment. It finds the program that
// covers the frame, lets RenderProgram draw it into the view's program
// buffer, scales the colours by the view's brightness, fades, tiles and
// mirrors the picture and puts it into the engine's output image in the
// view's blend mode. RenderProgram also drives the video, SWF and TOL
// decoders frame by frame; DrawSlideTransition draws an image show's slides.
//
// User-interface thread only, inside the document mutex the frame step holds.
#pragma once

#include "frame_engine.h"
#include "program_image_show.h"
#include "program_view.h"

class ProgramColorFulWords;
class ProgramColorEffectPlusArray;

// Draws the view at frame f of its segment into the engine's output image.
void RenderView(ProgramView* view, CCanvasContainer* engine, UINT frame);

// Draws slot frame p of the program into dc (the view's program buffer);
// sets the engine's current program first.
void RenderProgram(Program* program, CDC* pDC, CCanvasContainer* engine, UINT slotFrame);

// Draws frame j of the current image: enter slide, still picture or leave
// slide of source's rect into target.
void DrawSlideTransition(UINT frame, CDC* pTarget, CDC* pSource, const ProgramImageShow* show, const CRect* pRect);

// The steps of RenderView, for the tests.

// The program of the view covering frame f and its slot frame; null when
// nothing is to be drawn.
Program* FindViewProgram(const ProgramView& view, UINT frame, UINT* pSlotFrame);
// The fade alpha (0 .. 255) of slot frame p of the program at frameRate
// (25 when 0 or less).
int ProgramFadeAlpha(const Program& program, UINT slotFrame, int frameRate);
// Scales blue, green and red of count 32-bit pixels by brightness / 100
// (clamped to 0 .. 100); the fourth byte is kept.
void ScalePixelBrightness(DWORD* pixels, size_t count, int brightness);
// Copies the pixels of a width x height bottom-up 32-bit source that are not
// pure black into a bottom-up outWidth x outHeight image at (left, top);
// pixels outside the image are skipped.
void CopyNonBlackPixels(
    const DWORD* source, int width, int height, DWORD* output, int outWidth, int outHeight, int left, int top);

// Dispatch to the colourful-words and Zazez Urad renderers.
void DrawColorfulWordsFrame(ProgramColorFulWords* program, CDC* pDC, CCanvasContainer* engine, int frame);
void DrawColorPlusFrame(ProgramColorEffectPlusArray* program, CDC* pDC, CCanvasContainer* engine, UINT frame);
CEffectPlusRender* CreatePlusRenderer();
void DestroyPlusRenderer(CEffectPlusRender* renderer);
