// RenderProgram: the dispatch of a program's slot frame to its renderer by
// run-time class, and the frame-accurate driving of the video, SWF and TOL
// decoders, which draw straight into the view's program buffer.
#include "view_compose.h"

#include "ce_flicker_star.h"
#include "drawing_helpers.h"
#include "flicker_star_render.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_colorful_words.h"
#include "program_trans_effect.h"
#include "program_video.h"

#include <algorithm>

namespace {

CRect ClipOf(CDC* pDC)
{
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    return clip;
}

// s is the wanted program frame (SFRAME + q); q 0 starts a pass.
void DriveVideo(ProgramVideo* video, CDC* pDC, CEngineDecoders& decoders, UINT q, int s)
{
    if (q == 0 || video->m_decoderHandle < 0) {
        decoders.VideoClose(video->m_decoderHandle);
        const CRect clip = ClipOf(pDC);
        const int handle = decoders.VideoOpen(video->m_filePath, pDC->GetSafeHdc(), 0, 0, clip.Width(), clip.Height(),
            video->m_marginLeft, video->m_marginTop, video->m_marginRight, video->m_marginBottom);
        if (handle < 0) {
            video->m_decoderHandle = -1;
            return;
        }
        video->m_decoderHandle = handle;
        // The next Forward draws frame "frames drawn so far" + 1: seek only
        // when that is not the wanted frame.
        const int t = std::min(s, video->m_endFrame);
        if (t - 1 != decoders.VideoGetFrame(handle))
            decoders.VideoSeekTo(handle, t, FALSE);
    }
    decoders.VideoForward(video->m_decoderHandle);
    if (s == video->m_endFrame) {
        decoders.VideoClose(video->m_decoderHandle);
        video->m_decoderHandle = -1;
    }
}

void DriveSwf(ProgramVideo* video, CDC* pDC, CEngineDecoders& decoders, UINT q, int s)
{
    try {
        if (q == 0 || video->m_decoderHandle < 0) {
            // A pass that restarts before the program's end frame still has
            // its decoder open: close it rather than leak it.
            if (video->m_decoderHandle >= 0)
                decoders.SwfClose(video->m_decoderHandle);
            const CRect clip = ClipOf(pDC);
            video->m_decoderHandle
                = decoders.SwfOpen(video->m_filePath, pDC->GetSafeHdc(), 0, 0, clip.Width(), clip.Height());
            if (video->m_orgFrames > 1) {
                decoders.SwfSeekTo(video->m_decoderHandle, s);
                return;
            }
        }
        decoders.SwfForward(video->m_decoderHandle);
        if (s == video->m_endFrame) {
            decoders.SwfClose(video->m_decoderHandle);
            video->m_decoderHandle = -1;
        }
    } catch (...) {
        // A failure inside the SWF decoder ends this frame quietly.
    }
}

void DriveTol(ProgramVideo* video, CDC* pDC, CEngineDecoders& decoders, UINT q, int s)
{
    if (q == 0 || video->m_decoderHandle < 0) {
        decoders.TolClose(video->m_decoderHandle);
        const CRect clip = ClipOf(pDC);
        const int handle = decoders.TolOpen(video->m_filePath, pDC->GetSafeHdc(), 0, 0, clip.Width(), clip.Height());
        if (handle < 0) {
            video->m_decoderHandle = -1;
            return;
        }
        video->m_decoderHandle = handle;
        decoders.TolSeekTo(handle, std::min(s, video->m_endFrame) - 1);
        return;
    }
    decoders.TolForward(video->m_decoderHandle);
    if (s >= video->m_endFrame) {
        decoders.TolClose(video->m_decoderHandle);
        video->m_decoderHandle = -1;
    }
}

// Image show at program frame k (from 0).
void DrawImageShowFrame(ProgramImageShow* show, CDC* pDC, long long k)
{
    const INT_PTR n = show->m_imagePaths.GetSize();
    const long long covered = static_cast<long long>(show->m_endFrame) - show->m_startFrame + 1;
    if (n == 0 || show->m_orgFrames < covered || k < 0)
        return;
    // Fewer frames than images still shows each image for one frame.
    const long long framesPerImage = std::max(1LL, static_cast<long long>(show->m_orgFrames) / n);
    long long i = k / framesPerImage;
    if (i >= n)
        i = 0;
    const UINT j = static_cast<UINT>(k % framesPerImage);

    const CRect clip = ClipOf(pDC);
    pDC->FillSolidRect(&clip, show->m_backgroundKind == 1 ? show->m_backgroundColor : RGB(0, 0, 0));
    if (show->m_backgroundKind == 2)
        DrawImageInRect(pDC, show->m_backgroundAlign, show->m_backgroundImage);

    HDC desktop = ::GetDC(nullptr);
    CDC memory;
    memory.Attach(::CreateCompatibleDC(desktop));
    ::ReleaseDC(nullptr, desktop);
    HBITMAP bitmap = CreateDib32(clip.Width(), clip.Height());
    if (memory.GetSafeHdc() != nullptr && bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(memory.GetSafeHdc(), bitmap);
        const CRect covered = DrawImageInRect(&memory, show->m_imageAlign, show->m_imagePaths.GetAt(i));
        DrawSlideTransition(j, pDC, &memory, show, &covered);
        ::SelectObject(memory.GetSafeHdc(), old);
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
}

} // namespace

void RenderProgram(Program* program, CDC* pDC, CCanvasContainer* engine, UINT slotFrame)
{
    if (program == nullptr || pDC == nullptr || engine == nullptr)
        return;
    engine->SetCurrentProgram(program);
    if (program->m_orgFrames == 0)
        return;

    const long long covered = static_cast<long long>(program->m_endFrame) - program->m_startFrame + 1;
    UINT q = slotFrame;
    if (static_cast<long long>(slotFrame) >= covered || slotFrame >= static_cast<UINT>(program->m_orgFrames))
        q = slotFrame % static_cast<UINT>(program->m_orgFrames);
    const int g = program->m_startFrame + static_cast<int>(q);

    if (auto* effect = dynamic_cast<ProgramColorEffect*>(program)) {
        engine->ColourRenderer().RenderColorEffect(pDC, static_cast<UINT>(g - 1), *effect);
    } else if (program->IsKindOf(RUNTIME_CLASS(ProgramTransEffect))) {
        // Transition records draw nothing themselves.
    } else if (auto* show = dynamic_cast<ProgramImageShow*>(program)) {
        DrawImageShowFrame(show, pDC, static_cast<long long>(g) - 1);
    } else if (auto* video = dynamic_cast<ProgramVideo*>(program)) {
        CEngineDecoders& decoders = engine->Decoders();
        if (video->m_mediaKind == MEDIA_VIDEO)
            DriveVideo(video, pDC, decoders, q, g);
        else if (video->m_mediaKind == MEDIA_SWF)
            DriveSwf(video, pDC, decoders, q, g);
        else if (video->m_mediaKind == MEDIA_TOL)
            DriveTol(video, pDC, decoders, q, g);
    } else if (auto* words = dynamic_cast<ProgramColorFulWords*>(program)) {
        if (g < program->m_endFrame)
            DrawColorfulWordsFrame(words, pDC, engine, g);
    } else if (auto* plus = dynamic_cast<ProgramColorEffectPlusArray*>(program)) {
        if (g <= program->m_endFrame)
            DrawColorPlusFrame(plus, pDC, engine, static_cast<UINT>(g));
    } else if (auto* stars = dynamic_cast<CEFlickerStar*>(program)) {
        if (g <= program->m_endFrame && program->m_orgFrames > 0)
            DrawFlickerStars(pDC, *stars);
    }
}

void DrawSlideTransition(UINT frame, CDC* pTarget, CDC* pSource, const ProgramImageShow* show, const CRect* pRect)
{
    if (pRect == nullptr || pRect->IsRectEmpty() || pTarget == nullptr || pSource == nullptr || show == nullptr)
        return;
    const CRect& r = *pRect;
    const UINT enter = static_cast<UINT>(std::max(0, show->m_enterFrames));
    const UINT showing = static_cast<UINT>(std::max(0, show->m_showingFrames));
    const UINT leave = static_cast<UINT>(std::max(0, show->m_leaveFrames));
    int effect = 0;
    bool entering = false;
    float progress = 0.0f;
    if (frame < enter) {
        effect = show->m_enterEffect;
        entering = true;
        progress = static_cast<float>(frame + 1) / static_cast<float>(enter);
    } else if (frame <= enter + showing) {
        pTarget->BitBlt(r.left, r.top, r.Width(), r.Height(), pSource, r.left, r.top, SRCCOPY);
        return;
    } else {
        effect = show->m_leaveEffect;
        // No leave frames: the picture has left.
        progress = leave > 0 ? static_cast<float>(frame - showing - enter + 1) / static_cast<float>(leave) : 1.0f;
    }
    progress = std::clamp(progress, 0.0f, 1.0f);
    CRect c(0, 0, 0, 0);
    pTarget->GetClipBox(&c);
    const float t = progress;
    int x = r.left;
    int y = r.top;
    switch (effect) {
    case 1:
        x = entering ? static_cast<int>(c.right - (c.right - r.left) * t) : static_cast<int>(r.left - r.right * t);
        break;
    case 2:
        x = entering ? static_cast<int>(r.right * t - (r.right - r.left))
                     : static_cast<int>((c.right - r.left) * t + r.left);
        break;
    case 3:
        y = entering ? static_cast<int>(c.bottom - (c.bottom - r.top) * t) : static_cast<int>(r.top - r.bottom * t);
        break;
    case 4:
        y = entering ? static_cast<int>(r.bottom * t - (r.bottom - r.top))
                     : static_cast<int>((c.bottom - r.top) * t + r.top);
        break;
    default:
        return;
    }
    pTarget->BitBlt(x, y, r.Width(), r.Height(), pSource, r.left, r.top, SRCCOPY);
}
