// The pictures of the Zazez Urad editor's four strip bars and the thread
// that draws them. The editor's model that the pictures show lives in
// PlusEditorShared under one lock: the user-interface thread changes it
// under that lock and names the picture to draw; the thread copies what it
// needs under the lock, draws without it into bitmaps of its own and hands
// them back under the lock. It never touches a window: it posts
// WM_PLUS_STRIP_READY and WM_PLUS_PICTURES_READY, and the editor puts the
// pictures into its bars.
#pragma once

#include <afx.h>
#include <afxmt.h>
#include <afx_gdi.h>

#include "color_plus_values.h"
#include "program_color_effect_plus.h"

#include <atomic>
#include <memory>
#include <mutex> // std::lock_guard
#include <thread>
#include <vector>

// Drawing thread to editor after each drawing of the colour bar (width of
// the colour list in pixels, 0).
constexpr UINT WM_PLUS_STRIP_READY = WM_USER + 100;
// Drawing thread to editor: other pictures are ready (0, 0).
constexpr UINT WM_PLUS_PICTURES_READY = WM_USER + 101;

// The editor lock: a slim reader/writer lock taken exclusively. Waits on it
// sleep in the system's address wait rather than on a kernel event, so a
// short hold by the other thread costs the waiter microseconds, not a
// scheduler round trip.
class CPlusEditorLock {
public:
    CPlusEditorLock() = default;
    CPlusEditorLock(const CPlusEditorLock&) = delete;
    CPlusEditorLock& operator=(const CPlusEditorLock&) = delete;
    void lock() { ::AcquireSRWLockExclusive(&m_lock); }
    void unlock() { ::ReleaseSRWLockExclusive(&m_lock); }
    bool try_lock() { return ::TryAcquireSRWLockExclusive(&m_lock) != FALSE; }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
};
using PlusGuard = std::lock_guard<CPlusEditorLock>;

// What the pending command asks for.
enum PlusDrawCommand {
    PLUS_DRAW_ALL = 35, // colour bar, palette, sequence bar, custom bar
    PLUS_DRAW_COLORS = 36, // also every value not listed here
    PLUS_DRAW_PALETTE_DRAG = 37, // the palette with the drag rectangle
    PLUS_DRAW_PALETTE = 38,
    PLUS_DRAW_SEQUENCE = 39, // the sequence bar and the snapshots
    PLUS_DRAW_CUSTOM = 41,
};

// The pictures, as bits of a mask and as indexes of the drawing counts.
enum PlusPicture {
    PLUS_PIC_COLORS = 0,
    PLUS_PIC_PALETTE,
    PLUS_PIC_PALETTE_DRAG,
    PLUS_PIC_SEQUENCE,
    PLUS_PIC_CUSTOM,
    PLUS_PIC_COUNT
};

// The editor's model as the pictures show it. Every member is read and
// written under `lock` once the drawing thread runs.
struct PlusEditorShared {
    CPlusEditorLock lock;
    ColorStripList colors; // the colour list, owned
    const ColorPlusItemList* sequence = nullptr; // the items of the program being built
    COLORREF palette[7] = {};
    CPoint pressPoint { 0, 0 }; // of a palette drag
    CPoint currentPoint { 0, 0 };
    CustomStops stops;
    int selectedStop = -1;
    bool gradient = true;
    CSize colorBarSize { 1, 1 }; // client sizes of the bars
    CSize paletteSize { 16, 7 };
    CSize sequenceBarSize { 1, 1 };
    CSize customBarSize { 20, 10 };
    int pending = PLUS_DRAW_ALL;

    PlusEditorShared();
    ~PlusEditorShared();
    PlusEditorShared(const PlusEditorShared&) = delete;
    PlusEditorShared& operator=(const PlusEditorShared&) = delete;
};

// A bitmap the caller owns (deleted with the object unless released).
class CPlusBitmap {
public:
    CPlusBitmap() = default;
    explicit CPlusBitmap(HBITMAP bitmap)
        : m_bitmap(bitmap)
    {
    }
    ~CPlusBitmap() { Reset(); }
    CPlusBitmap(CPlusBitmap&& other) noexcept
        : m_bitmap(other.Release())
    {
    }
    CPlusBitmap& operator=(CPlusBitmap&& other) noexcept;
    CPlusBitmap(const CPlusBitmap&) = delete;
    CPlusBitmap& operator=(const CPlusBitmap&) = delete;

    HBITMAP Get() const { return m_bitmap; }
    HBITMAP Release();
    void Reset(HBITMAP bitmap = nullptr);
    explicit operator bool() const { return m_bitmap != nullptr; }

private:
    HBITMAP m_bitmap = nullptr;
};

// One item's snapshot as the thread draws it: the item's strips, colour
// count x 1 pixels.
struct PlusSnapshotPicture {
    CPlusBitmap thumb;
    int style = 0;
    int item = 0; // index in the sequence
};

// Pictures finished by the thread and not yet put into the bars.
struct PlusPictures {
    unsigned mask = 0; // 1 << PlusPicture for each picture present
    CPlusBitmap pictures[PLUS_PIC_COUNT];
    int colorWidth = 0; // W of the colour list
    int sequenceWidth = 0; // W of the sequence
    bool snapshotsMade = false; // the snapshots below replace the editor's
    std::vector<PlusSnapshotPicture> snapshots; // with the sequence picture, when it has items
};

// Reads a 32-bit picture's pixel (tests and the editor's own checks).
COLORREF PlusPixel(HBITMAP bitmap, int x, int y);
CSize PlusBitmapSize(HBITMAP bitmap);

// The drawings, each into a new 32-bit bitmap.
// The colour list W x 1 stretched over `width` x 1 (black when W is 0).
CPlusBitmap DrawPlusColorBar(const ColorStripList& strips, int width, int& W);
CPlusBitmap DrawPlusPalette(CSize size, const COLORREF (&rows)[7]);
// The palette with the dashed white outline of the drag rectangle.
CPlusBitmap DrawPlusPaletteDrag(CSize size, const COLORREF (&rows)[7], CPoint press, CPoint current);
// The items' strips one after another (W = sum of their widths) stretched
// over `width` x 1, and one snapshot per item with colours.
CPlusBitmap DrawPlusSequence(
    const ColorPlusItemList& items, int width, int& W, std::vector<PlusSnapshotPicture>& snapshots);
// The custom colour bar; with a selected stop its position in percent.
CPlusBitmap DrawPlusCustomBar(CSize size, const CustomStops& stops, int selected, bool gradient);

// The drawing thread of one editor.
class CPlusDrawWorker {
public:
    explicit CPlusDrawWorker(PlusEditorShared& shared);
    ~CPlusDrawWorker();
    CPlusDrawWorker(const CPlusDrawWorker&) = delete;
    CPlusDrawWorker& operator=(const CPlusDrawWorker&) = delete;

    // Starts the thread, which posts its notices to notify.
    void Start(HWND notify);
    // Clears the run flag and wakes the thread until it has left.
    void Stop();
    bool Running() const { return m_thread.joinable(); }

    // Names the picture to draw (overwriting an earlier request not yet
    // drawn) and wakes the thread.
    void Request(int command);
    // One drawing of the pending command: what the thread does on each
    // wake-up. Without a thread, tests call it themselves.
    void DrawPending();
    // The pictures finished since the last call (user-interface thread).
    PlusPictures TakePictures();
    // Drawings of a picture so far.
    int Drawings(PlusPicture picture) const { return m_drawings[picture].load(); }

private:
    // A stop as the thread copies it under the lock: plain values, so that
    // the copy allocates nothing once the buffer has grown.
    struct FlatStop {
        int mode = 0;
        int width = 0;
        int colors = 0; // how many of c0, c1 the stop had
        COLORREF c0 = 0;
        COLORREF c1 = 0;
    };
    void Run();
    // Copies the colour list into stops and ends (under the lock).
    void CopyColors(std::vector<FlatStop>& stops, std::vector<size_t>& ends) const;
    void RebuildColors(ColorStripList& colors) const;

    PlusEditorShared& m_shared;
    HWND m_notify = nullptr;
    CEvent m_wake;
    std::atomic<int> m_run { 0 };
    std::atomic<int> m_exited { 1 };
    std::thread m_thread;
    PlusPictures m_ready; // under m_shared.lock
    std::atomic<int> m_drawings[PLUS_PIC_COUNT] = {};
    std::vector<FlatStop> m_flatStops; // the thread's own, reused
    std::vector<size_t> m_flatStripEnds;
    // Copies the requesting thread makes with its request (under the lock),
    // so that the drawing thread only swaps them and holds the lock for
    // moments: it may be descheduled while holding it, and the
    // user-interface thread would wait that long.
    std::vector<FlatStop> m_askedStops;
    std::vector<size_t> m_askedStripEnds;
    bool m_askedColors = false;
    CustomStops m_askedCustomStops;
    bool m_askedCustom = false;
};
