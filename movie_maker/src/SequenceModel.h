// The colour sequence of the movie maker as plain data, and the rules that
// step through it frame by frame: which colour a frame shows, how fades blend
// into the next element, how many frames one pass has, and the ramps and
// palette colours that the dialog adds. No windows here.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace quorra {

struct SequenceElement {
    COLORREF color = 0;
    int duration = 25; // frames
    bool fade = false; // blends into the next element over its duration
};

using Sequence = std::vector<SequenceElement>;

// Frames of one pass: every duration, less the last element's when it fades
// (a fading last element is skipped).
int CountTotalFrames(const Sequence& sequence);

// The colour at step s of a d-step gradient from c0 (left edge) to c1 (right
// edge), drawn with GDI+ into a d x 1 picture; c0 when s is outside it.
COLORREF FadeColourAt(int d, COLORREF c0, COLORREF c1, int s);

// Steps through a sequence one timer tick or export message at a time.
class CSequenceStepper {
public:
    enum class Step {
        Painted, // a frame of `colour` is shown
        Advanced, // moved to the next element, nothing shown
        Wrapped, // past the last element: back to the first, nothing shown
        Empty, // no sequence: nothing happens
    };

    Step Next(const Sequence& sequence, COLORREF& colour);
    void Reset()
    {
        m_index = 0;
        m_step = 0;
    }
    int Index() const { return m_index; }
    int StepInElement() const { return m_step; }

private:
    int m_index = 0;
    int m_step = 0;
};

// The start palette: red, green, blue, yellow, cyan, magenta, white.
constexpr int kPaletteSize = 7;
COLORREF PaletteColour(int position);

// The colour of an element added at position: the palette colour while the
// position is inside it, else three values of random() (red, green, blue
// from their low bytes).
COLORREF AddedColour(int position, const std::function<int()>& random);

// Grey (or colour) ramp: levels elements of duration frames, each channel
// start + (end - start) * i / (levels - 1) truncated toward zero. One level
// gives the start colour alone (the ramp's step would divide by zero).
Sequence BuildRamp(COLORREF start, COLORREF end, int levels, int duration);

} // namespace quorra
