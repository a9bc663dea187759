// RenderView: which program covers a frame of a view, brightness, fades,
// tiles and mirrors, and the three blend modes into the output image.
#include "view_compose.h"

#include "canvas_flip.h"
#include "drawing_helpers.h"
#include "program_color_effect.h"
#include "program_colorful_words.h"
#include "program_video.h"
#include "proj_set.h"

#include <algorithm>
#include <cstring>

namespace {

BLENDFUNCTION ConstantAlpha(int alpha)
{
    BLENDFUNCTION blend {};
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = static_cast<BYTE>(std::clamp(alpha, 0, 255));
    blend.AlphaFormat = 0;
    return blend;
}

// Frames a program occupies in its view: EFRAME - SFRAME + 1, none when negative.
long long CoveredFrames(const Program& program)
{
    return std::max(0LL, static_cast<long long>(program.m_endFrame) - program.m_startFrame + 1);
}

void DrawIntoOutput(CDC* output, const CRect& place, CDC* source, const CRect& sourceBox, int alpha)
{
    ::AlphaBlend(output->GetSafeHdc(), place.left, place.top, place.Width(), place.Height(), source->GetSafeHdc(),
        sourceBox.left, sourceBox.top, sourceBox.Width(), sourceBox.Height(), ConstantAlpha(alpha));
}

// Copies the width x height bottom-up picture at bits into the bottom-up
// output image at place, clipped to the image: what an opaque blend at
// constant alpha 255 leaves there, at the cost of a block copy per row.
void CopyIntoOutput(const DWORD* bits, int width, int height, CCanvasContainer* engine, const CRect& place)
{
    DWORD* output = engine->GetOutputBits();
    const int outWidth = engine->GetFrameWidth();
    const int outHeight = engine->GetFrameHeight();
    if (bits == nullptr || output == nullptr)
        return;
    const int left = static_cast<int>(place.left);
    const int top = static_cast<int>(place.top);
    const int fromX = std::max(0, -left);
    const int toX = std::min(width, outWidth - left);
    if (toX <= fromX)
        return;
    const size_t rowBytes = static_cast<size_t>(toX - fromX) * sizeof(DWORD);
    for (int y = std::max(0, -top); y < height && top + y < outHeight; ++y) {
        const DWORD* row = bits + static_cast<size_t>(height - 1 - y) * width;
        DWORD* outRow = output + static_cast<size_t>(outHeight - 1 - (top + y)) * outWidth;
        std::memcpy(outRow + left + fromX, row + fromX, rowBytes);
    }
}

// Puts the picture of A (already in its final form) into the output image at
// the view's place in blend mode 0, 1 or 2. Mode 1 blends A over B, so it
// needs to know what B stands for.
enum class BlendBase {
    Black, // B is to be black (image shows, colourful text)
    Picture, // B is to hold A's picture (an opaque single tile)
    Ready, // the tile pass left B as it is to be
};

void BlendIntoOutput(ProgramView* view, CCanvasContainer* engine, const CRect& box, int mode, BlendBase base)
{
    CDC* output = engine->GetOutputDC();
    if (output == nullptr)
        return;
    CDC* a = view->m_programBuffer.m_pMemDC;
    CDC* b = view->m_blendBuffer.m_pMemDC;
    const CRect& place = view->m_projectRect;
    if (mode == 1) {
        // B holds what the caller left in it; A goes over it with the view's
        // transparency and the result is ORed into the output.
        if (base == BlendBase::Black)
            b->FillSolidRect(&box, RGB(0, 0, 0));
        else if (base == BlendBase::Picture)
            b->BitBlt(box.left, box.top, box.Width(), box.Height(), a, box.left, box.top, SRCCOPY);
        ::AlphaBlend(b->GetSafeHdc(), box.left, box.top, box.Width(), box.Height(), a->GetSafeHdc(), box.left, box.top,
            box.Width(), box.Height(), ConstantAlpha(view->m_transparency));
        output->BitBlt(place.left, place.top, place.Width(), place.Height(), b, box.left, box.top, SRCPAINT);
        return;
    }
    const auto* bits = static_cast<const DWORD*>(view->m_programBuffer.m_pBits);
    if (bits == nullptr || engine->GetOutputBits() == nullptr) {
        // Without pixel memory only GDI can put the picture in place.
        b->BitBlt(box.left, box.top, box.Width(), box.Height(), a, box.left, box.top, SRCCOPY);
        if (mode == 2)
            return;
        DrawIntoOutput(output, place, b, box, 255);
        return;
    }
    ::GdiFlush();
    if (mode == 2) {
        CopyNonBlackPixels(bits, box.Width(), box.Height(), engine->GetOutputBits(), engine->GetFrameWidth(),
            engine->GetFrameHeight(), place.left, place.top);
        return;
    }
    // An opaque view covers what lies under it: a copy, not a blend.
    CopyIntoOutput(bits, box.Width(), box.Height(), engine, place);
}

} // namespace

Program* FindViewProgram(const ProgramView& view, UINT frame, UINT* pSlotFrame)
{
    if (view.m_programs.GetSize() == 0)
        return nullptr;
    long long start = 0;
    for (INT_PTR i = 0; i < view.m_programs.GetSize(); ++i) {
        Program* program = view.m_programs.GetAt(i);
        long long length = CoveredFrames(*program);
        if (frame >= start && frame < start + length) {
            *pSlotFrame = static_cast<UINT>(frame - start);
            return program;
        }
        start += length;
    }
    // Past the programs: the view repeats them from the first one. Without
    // loop play it stops after its repeat count; a view of no length has no
    // pass to repeat.
    if (view.m_loopPlay == 0) {
        if (view.m_frames <= 0)
            return nullptr;
        if (frame / static_cast<UINT>(view.m_frames) >= static_cast<UINT>(std::max(0, view.m_repeatCount)))
            return nullptr;
    }
    *pSlotFrame = frame;
    return view.m_programs.GetAt(0);
}

int ProgramFadeAlpha(const Program& program, UINT slotFrame, int frameRate)
{
    const long long rate = frameRate > 0 ? frameRate : 25;
    const long long fadeIn = static_cast<long long>(program.m_fadeInTime) * rate;
    const long long fadeOut = static_cast<long long>(program.m_fadeOutTime) * rate;
    const long long p = slotFrame;
    int alpha = 255;
    const long long a = p - program.m_startFrame + 1;
    if (fadeIn > 0 && a >= 0 && a <= fadeIn) {
        alpha = static_cast<int>(a * 255 / fadeIn);
        if (p <= program.m_startFrame)
            alpha = 0;
    }
    const long long e = program.m_endFrame - p;
    if (fadeOut > 0 && e >= 0 && e <= fadeOut) {
        alpha = static_cast<int>(e * 255 / fadeOut);
        if (p >= program.m_endFrame)
            alpha = 0;
    }
    return alpha & 0xFF;
}

void ScalePixelBrightness(DWORD* pixels, size_t count, int brightness)
{
    const DWORD b = static_cast<DWORD>(std::clamp(brightness, 0, 100));
    if (b == 100)
        return; // every byte stays as it is
    // One table lookup per colour byte instead of a division.
    BYTE scaled[256];
    for (DWORD v = 0; v < 256; ++v)
        scaled[v] = static_cast<BYTE>(v * b / 100);
    for (size_t i = 0; i < count; ++i) {
        const DWORD v = pixels[i];
        pixels[i] = (v & 0xFF000000u) | (static_cast<DWORD>(scaled[(v >> 16) & 0xFF]) << 16)
            | (static_cast<DWORD>(scaled[(v >> 8) & 0xFF]) << 8) | scaled[v & 0xFF];
    }
}

void CopyNonBlackPixels(
    const DWORD* source, int width, int height, DWORD* output, int outWidth, int outHeight, int left, int top)
{
    if (source == nullptr || output == nullptr)
        return;
    for (int y = 0; y < height; ++y) {
        const int outY = top + y;
        if (outY < 0 || outY >= outHeight)
            continue;
        // Both images are bottom-up.
        const DWORD* row = source + static_cast<size_t>(height - 1 - y) * width;
        DWORD* outRow = output + static_cast<size_t>(outHeight - 1 - outY) * outWidth;
        for (int x = 0; x < width; ++x) {
            const int outX = left + x;
            if (outX < 0 || outX >= outWidth)
                continue;
            if ((row[x] & 0xFFFFFF) != 0)
                outRow[outX] = row[x];
        }
    }
}

namespace {

// Only a view with an open decoder has anything drawing into its buffer.
void CloseDecodersOfOldBuffer(ProgramView* view, CCanvasContainer* engine)
{
    for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
        const auto* video = dynamic_cast<const ProgramVideo*>(view->m_programs.GetAt(p));
        if (video != nullptr && video->m_decoderHandle >= 0) {
            engine->CloseViewDecoders(view);
            return;
        }
    }
}

} // namespace

void RenderView(ProgramView* view, CCanvasContainer* engine, UINT frame)
{
    if (view == nullptr || engine == nullptr)
        return;
    const int w = view->m_projectRect.Width();
    const int h = view->m_projectRect.Height();
    DibBuffer& a = view->m_programBuffer;
    DibBuffer& b = view->m_blendBuffer;
    // The decoders of the view's media programs draw into buffer A's device
    // context: when the buffers are made anew they are closed, and open
    // again on the new context at their next frame.
    if (a.m_pMemDC == nullptr || a.m_hDib == nullptr) {
        CloseDecodersOfOldBuffer(view, engine);
        CreateDibBuffer(a, w, h);
        CreateDibBuffer(b, w, h);
    }
    CRect box(0, 0, 0, 0);
    if (a.m_pMemDC != nullptr)
        a.m_pMemDC->GetClipBox(&box);
    if (a.m_pMemDC != nullptr && (box.Width() != w || box.Height() != h)) {
        CloseDecodersOfOldBuffer(view, engine);
        CreateDibBuffer(a, w, h);
        CreateDibBuffer(b, w, h);
        a.m_pMemDC->GetClipBox(&box);
    }
    // A view of no size has no buffers to draw into.
    if (a.m_pMemDC == nullptr || b.m_pMemDC == nullptr || box.IsRectEmpty())
        return;

    UINT slot = 0;
    Program* program = FindViewProgram(*view, frame, &slot);
    if (program == nullptr)
        return;

    RenderProgram(program, a.m_pMemDC, engine, slot);

    if (a.m_pBits != nullptr && view->m_brightness < 100) {
        ::GdiFlush();
        ScalePixelBrightness(
            static_cast<DWORD*>(a.m_pBits), static_cast<size_t>(box.Width()) * box.Height(), view->m_brightness);
    }

    int frameRate = 25;
    if (CEngineDocument* document = engine->GetDocument()) {
        if (ProjSet* settings = document->GetActiveSettings())
            frameRate = settings->m_frameRate;
    }
    const int alpha = ProgramFadeAlpha(*program, slot, frameRate);
    const int mode = view->m_transparentMode;

    if (program->IsKindOf(RUNTIME_CLASS(ProgramImageShow))) {
        BlendIntoOutput(view, engine, box, mode, BlendBase::Black);
        return;
    }
    if (program->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords))) {
        CEngineDocument* document = engine->GetDocument();
        if (document != nullptr && document->GetListSelector() == 0)
            engine->ClearOutput(RGB(0, 0, 0));
        BlendIntoOutput(view, engine, box, mode, BlendBase::Black);
        return;
    }

    // One opaque tile over black is the picture itself, and a single tile
    // has nothing to mirror: A already holds the final picture.
    if (alpha == 255 && program->m_hTiles <= 1 && program->m_vTiles <= 1) {
        BlendIntoOutput(view, engine, box, mode, BlendBase::Picture);
        return;
    }

    b.m_pMemDC->FillSolidRect(&box, RGB(0, 0, 0));
    {
        // The preview never reads the buffers halfway through a tile pass.
        CSingleLock lock(&engine->FrameMutex());
        lock.Lock(1000);
        const UINT hTiles = static_cast<UINT>(std::max(1, program->m_hTiles));
        const UINT vTiles = static_cast<UINT>(std::max(1, program->m_vTiles));
        // A view narrower than its tiles still gets cells one pixel wide, so
        // the tiling always advances.
        const int cellWidth = static_cast<int>(std::max(1u, static_cast<UINT>(box.Width()) / hTiles));
        const int cellHeight = static_cast<int>(std::max(1u, static_cast<UINT>(box.Height()) / vTiles));
        const int oldMode = b.m_pMemDC->SetStretchBltMode(HALFTONE);
        for (int x = box.left; x < box.right; x += cellWidth) {
            for (int y = box.top; y < box.bottom; y += cellHeight) {
                ::AlphaBlend(b.m_pMemDC->GetSafeHdc(), x, y, cellWidth, cellHeight, a.m_pMemDC->GetSafeHdc(), box.left,
                    box.top, box.Width(), box.Height(), ConstantAlpha(alpha));
            }
        }
        b.m_pMemDC->SetStretchBltMode(oldMode);
    }
    if (const auto* effect = dynamic_cast<const ProgramColorEffect*>(program)) {
        const bool horizontal = (effect->m_mirror == 1 && program->m_hTiles > 1)
            || (effect->m_mirror == 3 && program->m_hTiles > 1 && program->m_vTiles > 1);
        const bool vertical = (effect->m_mirror == 2 && program->m_vTiles > 1)
            || (effect->m_mirror == 3 && program->m_hTiles > 1 && program->m_vTiles > 1);
        if (horizontal)
            MirrorCanvasHorizontal(&box, b.m_pMemDC, TRUE);
        if (vertical)
            MirrorCanvasVertical(&box, b.m_pMemDC, FALSE);
    }
    a.m_pMemDC->BitBlt(box.left, box.top, box.Width(), box.Height(), b.m_pMemDC, box.left, box.top, SRCCOPY);
    BlendIntoOutput(view, engine, box, mode, BlendBase::Ready);
}
