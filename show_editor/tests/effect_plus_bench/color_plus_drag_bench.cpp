// How long the user-interface thread of the Zazez Urad editor waits for its
// drawing thread while the user drags colours on a 1,024-colour list: the
// real drawing thread redraws the colour bar and the custom bar on every
// request while this thread, as the editor does on each mouse move, moves a
// custom stop or shortens and grows the list under the editor lock, asks for
// a drawing and takes the finished pictures. The worst and mean waits for the
// lock are printed beside the reference: one drawing of the same colour bar
// done on this thread (what every move would cost if the drawing held the
// lock or ran here).
#include "bench.h"
#include "color_plus_drawing.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kColours = 1024;
constexpr int kMoves = 3000;

ColorTemplateArrayEx* Colour(int i)
{
    auto* strip = new ColorTemplateArrayEx;
    auto* stop = new ColorTemplateEx;
    stop->m_mode = i % 3 == 0 ? ColorTemplateEx::MODE_SOLID : ColorTemplateEx::MODE_GRADIENT;
    stop->m_width = 16;
    stop->m_colors.Add(RGB(i & 0xFF, (i * 7) & 0xFF, (i * 13) & 0xFF));
    stop->m_colors.Add(RGB((i * 3) & 0xFF, (i * 5) & 0xFF, (i * 11) & 0xFF));
    strip->m_stops.Add(stop);
    return strip;
}

// Locks as the editor does and returns the seconds spent waiting.
double Locked(CPlusEditorLock& lock, const std::function<void()>& change)
{
    const double start = bench::Now();
    lock.lock();
    const double waited = bench::Now() - start;
    change();
    lock.unlock();
    return waited;
}

} // namespace

LS_BENCHMARK(color_plus_drag_wait_vs_drawing_on_the_ui_thread)
{
    PlusEditorShared shared;
    for (int i = 0; i < kColours; ++i)
        shared.colors.Add(Colour(i));
    shared.colorBarSize = CSize(560, 1);
    shared.customBarSize = CSize(380, 36);
    shared.stops = StartCustomStops(380, 36);
    shared.selectedStop = 0;
    ColorPlusItemList none;
    shared.sequence = &none;

    // Reference: one colour-bar drawing of the same list on this thread.
    int barWidth = 0;
    bool drawn = true;
    const double drawing = bench::Measure([&] {
        CPlusBitmap bar = DrawPlusColorBar(shared.colors, shared.colorBarSize.cx, barWidth);
        drawn = bar.Get() != nullptr && drawn;
    });
    bench::Check(drawn && barWidth > 0, "the reference did not draw the colour bar");

    CPlusDrawWorker worker(shared);
    double worst = 0;
    double worstRequest = 0;
    double total = 0;
    int waits = 0;
    auto count = [&](double waited) {
        worst = std::max(worst, waited);
        total += waited;
        ++waits;
    };
    int picturesTaken = 0;
    auto drag = [&] {
        for (int move = 0; move < kMoves; ++move) {
            if (move % 2 == 0) {
                // Dragging a custom stop.
                count(Locked(shared.lock, [&] { shared.stops[0].x = 5 + move % 300; }));
                count(Locked(shared.lock, [&] { shared.pending = PLUS_DRAW_CUSTOM; }));
            } else {
                // Dragging over the colour bar and changing the list's end.
                count(Locked(shared.lock, [&] {
                    if (move % 4 == 1) {
                        ShortenColorList(shared.colors);
                    } else {
                        shared.colors.Add(Colour(move));
                    }
                }));
                count(Locked(shared.lock, [&] { shared.pending = PLUS_DRAW_COLORS; }));
            }
            // The request copies the list for the thread (the user-interface
            // thread's own work, under the lock) and wakes it.
            const double asked = bench::Now();
            worker.Request(move % 2 == 0 ? PLUS_DRAW_CUSTOM : PLUS_DRAW_COLORS);
            worstRequest = std::max(worstRequest, bench::Now() - asked);
            const double taken = bench::Now();
            PlusPictures pictures = worker.TakePictures();
            count(bench::Now() - taken);
            picturesTaken += pictures.mask != 0 ? 1 : 0;
            ::Sleep(move % 8 == 0 ? 1 : 0); // mouse moves come a little apart
        }
    };
    // The same moves with no thread to wait for: what the machine's own
    // scheduling adds to a lock that is always free.
    drag();
    const double idleWorst = worst;
    worst = 0;
    worstRequest = 0;
    total = 0;
    waits = 0;
    for (int i = 0; i < 2; ++i)
        worker.DrawPending(); // nothing taken yet: pictures simply wait
    worker.TakePictures();

    worker.Start(nullptr);
    picturesTaken = 0;
    const double start = bench::Now();
    drag();
    const double elapsed = bench::Now() - start;
    worker.Stop();
    // The thread drew on request, and this thread took its pictures.
    bench::Check(worker.Drawings(PLUS_PIC_COLORS) > 0 && worker.Drawings(PLUS_PIC_CUSTOM) > 0 && picturesTaken > 0,
        "the drawing thread drew nothing");

    std::printf("drag on %d colours: %d moves in %.0f ms, %d colour-bar and %d custom-bar drawings\n", kColours, kMoves,
        elapsed * 1000, worker.Drawings(PLUS_PIC_COLORS), worker.Drawings(PLUS_PIC_CUSTOM));
    bench::Report("ui_thread_worst_wait", worst * 1000, "ms");
    bench::Report("ui_thread_mean_wait", total / waits * 1000, "ms");
    bench::Report("ui_thread_longest_request_with_its_copy", worstRequest * 1000, "ms");
    bench::Report("reference_one_colour_bar_drawing", drawing * 1000, "ms");
    bench::Report("reference_worst_wait_without_thread", idleWorst * 1000, "ms");
    std::printf("worst wait / one drawing: %.3f (goal: worst wait <= 16 ms)\n", worst / drawing);
}
