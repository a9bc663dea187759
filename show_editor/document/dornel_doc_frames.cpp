// The project document: frame counting of views and segments, and the
// freeing of programs, segment lists and the views' frame buffers.
#include "dornel_doc.h"

#include "../engine/drawing_helpers.h"
#include "project_file.h"

#include <algorithm>
#include <climits>

void CDornelDoc::RecountViewFrames(ProgramView* view)
{
    if (view == nullptr)
        return;
    long long sum = 0;
    for (INT_PTR i = 0; i < view->m_programs.GetSize(); ++i) {
        const Program* program = view->m_programs.GetAt(i);
        sum += static_cast<long long>(program->m_endFrame) - program->m_startFrame + 1;
    }
    int frames = static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
    view->m_frames = frames;
    // The project's rate counts even while the preview list is active. The
    // product is bounded before it is truncated, so a huge show time cannot
    // overflow the count.
    double product = static_cast<double>(static_cast<unsigned>(m_projectSettings.m_frameRate)) * view->m_showTime;
    long long p = -1; // a negative show time is neither "frames" nor "none"
    if (product >= 1.0)
        p = static_cast<long long>(std::min(product, static_cast<double>(kMaxFrameCount)));
    else if (product >= 0.0)
        p = 0;
    if (p >= 1 && view->m_loopPlay != 0) {
        view->m_frames = static_cast<int>(p);
    } else if (p == 0 && view->m_loopPlay == 0) {
        long long r = static_cast<long long>(frames) * view->m_repeatCount;
        if (r > frames)
            view->m_frames = static_cast<int>(std::min<long long>(r, INT_MAX));
    }
}

void CDornelDoc::RecountSegmentFrames(QvSegmentGourp* segment)
{
    if (segment == nullptr)
        return;
    int old = segment->m_pSegmentInfo->m_totalFrames;
    int max = 0;
    int base = 0;
    for (INT_PTR i = 0; i < segment->m_views.GetSize(); ++i) {
        const ProgramView* view = segment->m_views.GetAt(i);
        if (i == 0 || view->m_frames > max)
            max = view->m_frames;
        if (view->m_timeBase != 0)
            base = view->m_frames;
    }
    int total = base > 0 ? base : max;
    segment->m_pSegmentInfo->m_totalFrames = total;
    m_projectSettings.m_totalFrames += total - old;
    m_projectSettings.m_playFrames += total - old;
}

int CDornelDoc::DeleteProgram(Program* program)
{
    if (program == nullptr)
        return 0;
    int orgFrames = program->m_orgFrames;
    // Every kind frees what it owns (node record, templates, texture) in its
    // own destructor.
    delete program;
    return orgFrames;
}

void FreeSegmentsAndBuffers(SegmentList& list, bool releaseBuffers, bool keepPrograms)
{
    for (INT_PTR s = 0; s < list.GetSize(); ++s) {
        QvSegmentGourp* segment = list.GetAt(s);
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ProgramView* view = segment->m_views.GetAt(v);
            if (releaseBuffers) {
                ReleaseDibBuffer(view->m_programBuffer);
                ReleaseDibBuffer(view->m_blendBuffer);
            }
            if (keepPrograms)
                view->m_programs.RemoveAll();
        }
        delete segment;
    }
    list.RemoveAll();
}

void CDornelDoc::FreeSegmentList()
{
    // Buffers the main frame released at shutdown are empty already, and
    // releasing an empty buffer does nothing; releasing always keeps a
    // document without a visible main window from leaking them.
    FreeSegmentsAndBuffers(m_segments, true, false);
}

void CDornelDoc::FreePreviewList()
{
    // The preview list's programs belong to the effect editor.
    FreeSegmentsAndBuffers(m_previewSegments, true, true);
}

void CDornelDoc::ReleaseViewBuffers()
{
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        QvSegmentGourp* segment = m_segments.GetAt(s);
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ReleaseDibBuffer(segment->m_views.GetAt(v)->m_programBuffer);
            ReleaseDibBuffer(segment->m_views.GetAt(v)->m_blendBuffer);
        }
    }
}
