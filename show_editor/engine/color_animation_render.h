// The colour-effect renderer: draws frame N of a colour effect (colour
// change, flash, the scrolling, expanding and diagonal strips, the nested
// shapes and the scan lines) over the clip box of a device context, and sizes
// an effect's pass. Frames can be drawn in any order: what it keeps between
// them (painted strip windows, the speed ramp followed so far) only saves
// work.
//
// Runs on the user-interface thread only. The diagonal styles and the canvas
// flips need GDI+ started.
#pragma once

#include "program_color_effect.h"

#include <afx_gdi.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace colorrender {
class StripCache;
}

// Colour-effect style codes.
enum ColorEffectStyle {
    COLOR_STYLE_CHANGE = 0,
    COLOR_STYLE_FLASH = 1,
    COLOR_STYLE_MOVE_UP = 2,
    COLOR_STYLE_MOVE_DOWN = 3,
    COLOR_STYLE_MOVE_LEFT = 4,
    COLOR_STYLE_MOVE_RIGHT = 5,
    COLOR_STYLE_EXPAND_VERTICAL = 6,
    COLOR_STYLE_SHRINK_VERTICAL = 7,
    COLOR_STYLE_EXPAND_HORIZONTAL = 8,
    COLOR_STYLE_SHRINK_HORIZONTAL = 9,
    COLOR_STYLE_UPPER_LEFT = 10,
    COLOR_STYLE_UPPER_RIGHT = 11,
    COLOR_STYLE_LOWER_LEFT = 12,
    COLOR_STYLE_LOWER_RIGHT = 13,
    COLOR_STYLE_RECTANGLE_EXPAND = 14,
    COLOR_STYLE_RECTANGLE_SHRINK = 15,
    COLOR_STYLE_CIRCLE_EXPAND = 16,
    COLOR_STYLE_CIRCLE_SHRINK = 17,
    COLOR_STYLE_DIAMOND_EXPAND = 18,
    COLOR_STYLE_DIAMOND_SHRINK = 19,
    COLOR_STYLE_NONE = 20,
    COLOR_STYLE_SCAN_RIGHT = 21,
    COLOR_STYLE_SCAN_DOWN = 22,
    COLOR_STYLE_SCAN_LEFT = 23,
    COLOR_STYLE_SCAN_UP = 24,
};

// Where a strip position falls: template `index` (-1 when the templates hold
// no colour step at all) and the offset inside it. `pastEnd` is set when the
// position lies beyond the strip, in which case index is the first template
// with steps and offset 0.
struct StripLocation {
    int index = -1;
    int offset = 0;
    bool pastEnd = false;
};

class CCColorAnimationRender : public CObject {
public:
    // Seeds the C runtime's generator with 510 (the flicker stars draw from it).
    CCColorAnimationRender();
    ~CCColorAnimationRender() override;

    // Draws frame N of the effect over the clip box; returns 1 for every code.
    int RenderColorEffect(CDC* pDC, UINT frame, const ProgramColorEffect& effect);

    // Frames of one pass of the effect's style over a width x height canvas; at least 1.
    int PassFrameCount(const ProgramColorEffect& effect, int width, int height) const;
    // The least number of 256-pixel colour steps the templates must hold for
    // the style; 0 for codes above 19 and negative ones.
    static int RequiredColorSteps(int style, float zoom, int width, int height);
    // The distance the style's colours travel across such a canvas.
    static int TravelLength(int style, int width, int height);

    // The styles, each drawing frame N over the clip box and returning 1.
    int DrawColorChange(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    int DrawColorFlash(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    // angle in radians, the direction the strip runs on screen: 0 left to
    // right, pi/2 top to bottom, pi right to left, 3pi/2 bottom to top; the
    // colours travel the other way.
    int DrawStripMove(CDC* pDC, const ProgramColorEffect& effect, UINT frame, double angle);
    int DrawStripExpandShrink(CDC* pDC, const ProgramColorEffect& effect, UINT frame, bool outward, double angle);
    int DrawStripDiagonal(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    int DrawRectangleExpand(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    int DrawRectangleShrink(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    int DrawCircleExpand(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    int DrawCircleShrink(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    int DrawDiamondExpand(CDC* pDC, const ProgramColorEffect& effect, UINT frame);
    int DrawDiamondShrink(CDC* pDC, const ProgramColorEffect& effect, UINT frame);

    // Strip length of templates [0, count) (all of them when count < 0): 256
    // pixels per gradient between neighbouring colours of a gradient template,
    // per colour of any other template.
    static int StripLength(const ColorTemplateList& templates, INT_PTR count = -1);
    // Pixels template i adds to the strip (0 for a missing template).
    static int TemplateLength(const ColorTemplate* colorTemplate);
    // The strip position P reached after N frames: the speed ramps from the
    // start speed to the end speed along the strip's length. step is the
    // strip advance per view pixel of speed.
    static int StripPosition(const ProgramColorEffect& effect, UINT frame, float step);
    // Locates a strip position on the templates.
    static StripLocation LocatePosition(const ColorTemplateList& templates, int position);

    float m_speedScale = 1.0f; // multiplies the strip advance of styles 2 to 19

private:
    // StripPosition, continued from the last frame asked for with the same
    // speeds, strip length and step where the frame has not gone back.
    int StripPositionOnward(const ProgramColorEffect& effect, UINT frame, float step);

    // Styles 14 to 19: fills the clip box with nested shapes of the strip
    // window's colours (shape 0 rectangle, 1 circle, 2 ellipse, 3 diamond).
    int DrawShape(CDC* pDC, const ProgramColorEffect& effect, UINT frame, int shape, bool forward);
    float StripStep(const ProgramColorEffect& effect) const;

    // A speed ramp followed for `frames` frames.
    struct Ramp {
        std::uint32_t startSpeed = 0, endSpeed = 0, step = 0; // the floats' bits
        int length = 0;
        UINT frames = 0;
        float pos = 0.0f;
        float speed = 0.0f;
        bool stopped = false; // the position no longer moves
    };
    // The ramp of an effect at frame 0.
    static Ramp RampOf(const ProgramColorEffect& effect, float step);
    static void FollowRamp(Ramp& ramp, UINT frame);
    static int PositionOf(const Ramp& ramp);

    std::unique_ptr<colorrender::StripCache> m_strips;
    std::vector<Ramp> m_ramps; // the most recently used first
};
