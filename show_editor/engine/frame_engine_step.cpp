// The frame engine's stepping: one frame of the show, its output to the
// preview, the AVI file or the off-line file, playback, segment jumps and
// seeking.
#include "frame_engine.h"

#include "program_video.h"
#include "proj_set.h"
#include "show_messages.h"
#include "view_compose.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCanvasContainer, CStatic)

CCanvasContainer::CCanvasContainer()
    : m_aviWriter(&LibraryAviWriter())
    , m_recorder(&LibraryRecorder())
    , m_decoders(&LibraryDecoders())
    , m_frameEvent(FALSE, FALSE)
{
    // The colour renderer has seeded the generator with 510; the Zazez Urad
    // renderer seeds it again.
    m_plusRenderer = CreatePlusRenderer();
}

CCanvasContainer::~CCanvasContainer()
{
    StopFramePump();
    ReleaseOutput();
    if (m_exportDialog != nullptr) {
        if (::IsWindow(m_exportDialog->GetSafeHwnd()))
            ::DestroyWindow(m_exportDialog->GetSafeHwnd());
        delete m_exportDialog;
        m_exportDialog = nullptr;
    }
    DestroyPlusRenderer(m_plusRenderer);
    m_plusRenderer = nullptr;
}

int CCanvasContainer::FrameRate(const ProjSet& settings) const
{
    // A document never holds 0 frames a second; should one arrive, pace as
    // the fades do rather than divide by it.
    return settings.m_frameRate > 0 ? settings.m_frameRate : 25;
}

void CCanvasContainer::ClearOutput(COLORREF colour)
{
    if (!m_outputValid)
        return;
    m_outputDC.FillSolidRect(0, 0, m_frameWidth, m_frameHeight, colour);
}

void CCanvasContainer::HandFrameToCanvas()
{
    if (m_canvas == nullptr)
        return;
    CSingleLock lock(&m_frameMutex, TRUE);
    m_canvas->SetFrame(GetOutputDC(), m_frameWidth, m_frameHeight);
}

void CCanvasContainer::StepFrame()
{
    if (m_document == nullptr)
        return;
    CSingleLock documentLock(&m_document->Mutex(), TRUE);
    SegmentList* segments = m_document->GetActiveSegments();
    ProjSet* settings = m_document->GetActiveSettings();
    if (segments == nullptr || settings == nullptr)
        return;

    const int count = static_cast<int>(segments->GetSize());
    if (m_segmentIndex >= count || m_frameInSegment > static_cast<unsigned>(settings->m_playFrames)) {
        if (m_mode.load() != ENGINE_MODE_PREVIEW) {
            // A file that could not be finished has ended the run already.
            if (FinishOutputAtShowEnd()) {
                m_mode = ENGINE_MODE_STOPPING;
                StopFramePump();
            }
            m_currentProgram = nullptr;
        }
        m_segmentIndex = 0;
        m_frameInSegment = 0;
        m_runningFrame = 0;
        if (m_mode.load() == ENGINE_MODE_PREVIEW && m_document->GetListSelector() == 1)
            m_document->PostSelectSegment(1);
        return;
    }

    QvSegmentGourp* segment = segments->GetAt(m_segmentIndex);
    const int mode = m_mode.load();
    if (m_frameInSegment == 0) {
        if (mode == ENGINE_MODE_RECORD && m_document->GetFilePerSegment()) {
            if (!BeginRecordFile())
                return;
            m_recordFileSegment = m_segmentIndex + 1;
            m_document->ApplyFourColorMode(segment->m_fourColorMode, segment->m_whiteValue);
        } else if (mode == ENGINE_MODE_RECORD) {
            if (m_firstRecordedSegment < 0) {
                if (!BeginRecordFile())
                    return;
                m_firstRecordedSegment = m_segmentIndex + 1;
                m_recordFileSegment = m_firstRecordedSegment;
                ProjSet& project = m_document->GetProjectSettings();
                m_recorder->SetFourColor(
                    m_document->GetScreen(), project.m_colorMode, project.m_colorMode == 11 ? project.m_whiteValue : 0);
            }
        } else if (mode == ENGINE_MODE_AVI && m_document->GetAviPerSegment()) {
            CString path;
            path.Format(L"%s\\%s_%02d.avi", m_aviFolder.GetString(), m_aviBaseName.GetString(), m_segmentIndex + 1);
            if (!StartAviFile(path))
                return;
        }
    }

    const int total = segment->m_pSegmentInfo != nullptr ? segment->m_pSegmentInfo->m_totalFrames : 0;
    if (m_frameInSegment >= static_cast<unsigned>(std::max(0, total))) {
        ClearOutput(RGB(0, 0, 0));
        ++m_segmentIndex;
        m_frameInSegment = 0;
        const int modeNow = m_mode.load();
        if (modeNow == ENGINE_MODE_PREVIEW) {
            m_document->NotifySegmentPlaying(m_segmentIndex + 1);
        } else if (modeNow == ENGINE_MODE_RECORD && m_document->GetFilePerSegment()) {
            EndRecordFile(m_segmentIndex);
        } else if (modeNow == ENGINE_MODE_RECORD) {
            if (m_firstRecordedSegment > 0 && m_segmentIndex == count)
                EndRecordFile(m_firstRecordedSegment);
        } else if (modeNow == ENGINE_MODE_AVI && m_document->GetAviPerSegment()) {
            if (!EndAviFile())
                return;
            CString line;
            line.Format(L"Segment %d Export Over! \n", m_segmentIndex);
            ::OutputDebugStringW(line);
        }
        return;
    }

    for (INT_PTR i = 0; i < segment->m_views.GetSize(); ++i)
        RenderView(segment->m_views.GetAt(i), this, m_frameInSegment);
    OutputFrame();
    ++m_frameInSegment;
}

void CCanvasContainer::OutputFrame()
{
    if (!m_outputValid)
        return;
    ::GdiFlush();
    switch (m_mode.load()) {
    case ENGINE_MODE_PREVIEW:
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_FRAME_SHOWN, static_cast<WPARAM>(m_runningFrame), 0);
        HandFrameToCanvas();
        if (m_canvas != nullptr && m_canvas->GetWindow() != nullptr && ::IsWindow(m_canvas->GetWindow()->GetSafeHwnd()))
            m_canvas->GetWindow()->Invalidate(FALSE);
        break;
    case ENGINE_MODE_AVI:
        if (!WriteAviFrame())
            return;
        break;
    case ENGINE_MODE_RECORD: {
        double sizeMiB = 0.0;
        if (m_recorder->RecordingFrameDC(m_outputDC.GetSafeHdc(), m_frameWidth, m_frameHeight, 1, &sizeMiB) != 0) {
            FailRun(kRecordWriteFailedHint);
            return;
        }
        // Reported once the frame is in the file.
        ReportRecordProgress(m_runningFrame + 1);
        const long long limit = static_cast<long long>(m_document->GetFileSizeLimit()) * 1024;
        if (static_cast<double>(limit) <= sizeMiB && limit < 65535) {
            if (!EndRecordFile(m_segmentIndex + 1) || !BeginRecordFile())
                return;
        }
        break;
    }
    default:
        return;
    }
    ++m_runningFrame;
}

void CCanvasContainer::CloseSegmentDecoders(QvSegmentGourp* segment, bool clearEnvironment)
{
    for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v)
        CloseViewDecoders(segment->m_views.GetAt(v), clearEnvironment);
}

void CCanvasContainer::CloseViewDecoders(ProgramView* view, bool clearEnvironment)
{
    if (view == nullptr)
        return;
    for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
        auto* video = dynamic_cast<ProgramVideo*>(view->m_programs.GetAt(p));
        if (video == nullptr)
            continue;
        if (video->m_mediaKind == MEDIA_VIDEO) {
            m_decoders->VideoClose(video->m_decoderHandle);
        } else if (video->m_mediaKind == MEDIA_SWF) {
            try {
                m_decoders->SwfClose(video->m_decoderHandle);
            } catch (...) {
            }
        } else if (video->m_mediaKind == MEDIA_TOL) {
            m_decoders->TolClose(video->m_decoderHandle);
        }
        if (clearEnvironment) {
            try {
                m_decoders->SwfClearEnv();
            } catch (...) {
            }
        }
        video->m_decoderHandle = -1;
    }
}

void CCanvasContainer::StartPlay()
{
    if (m_document == nullptr)
        return;
    int frameRate = 25;
    bool playable = false;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        frameRate = FrameRate(m_document->GetProjectSettings());
        SegmentList* segments = m_document->GetActiveSegments();
        ProjSet* settings = m_document->GetActiveSettings();
        playable = segments != nullptr && settings != nullptr && segments->GetSize() > 0 && settings->m_playFrames != 0;
    }
    if (!playable)
        return;
    if (m_document->GetPlayState() != 1) {
        m_segmentIndex = 0;
        m_frameInSegment = 0;
        m_runningFrame = 0;
    }
    m_mode = ENGINE_MODE_PREVIEW;
    m_playTimerId = SetTimer(kPlayTimerId, static_cast<UINT>(1000 / frameRate), nullptr);
    if (m_canvas != nullptr)
        m_canvas->SetFrameStale(FALSE);
    const int selector = m_document->GetListSelector();
    if (selector != 0) {
        if (selector == 1)
            m_document->PostSelectSegment(m_segmentIndex + 1);
        if (m_canvas != nullptr)
            m_canvas->SetTrackerVisible(FALSE);
        m_document->SetZoom(m_document->GetZoomPercent());
    }
}

void CCanvasContainer::StopPlay()
{
    m_segmentIndex = 0;
    m_frameInSegment = 0;
    m_runningFrame = 0;
    if (GetSafeHwnd() != nullptr)
        KillTimer(kPlayTimerId);
    if (m_canvas != nullptr)
        m_canvas->SetFrameStale(FALSE);
    m_playTimerId = 0;
    if (m_document == nullptr)
        return;
    CSingleLock lock(&m_document->Mutex(), TRUE);
    if (SegmentList* segments = m_document->GetActiveSegments()) {
        for (INT_PTR s = 0; s < segments->GetSize(); ++s)
            CloseSegmentDecoders(segments->GetAt(s), true);
    }
}

void CCanvasContainer::PrevSegment()
{
    if (m_document != nullptr) {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        SegmentList* segments = m_document->GetActiveSegments();
        const int count = segments != nullptr ? static_cast<int>(segments->GetSize()) : 0;
        if (m_segmentIndex > 0 && m_segmentIndex < count) {
            --m_segmentIndex;
            m_frameInSegment = 0;
            if (m_document->GetListSelector() == 1)
                m_document->PostSelectSegment(m_segmentIndex + 1);
            long long before = 0;
            for (int s = 0; s < m_segmentIndex; ++s)
                before += segments->GetAt(s)->m_pSegmentInfo->m_totalFrames;
            m_runningFrame = static_cast<int>(std::max(0LL, before - 1));
            ClearOutput(RGB(0, 0, 0));
        }
    }
    if (m_canvas != nullptr)
        m_canvas->SetFrameStale(FALSE);
}

void CCanvasContainer::NextSegment()
{
    if (m_document != nullptr) {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        SegmentList* segments = m_document->GetActiveSegments();
        const int count = segments != nullptr ? static_cast<int>(segments->GetSize()) : 0;
        if (m_segmentIndex + 1 < count) {
            ++m_segmentIndex;
            m_frameInSegment = 0;
            if (m_document->GetListSelector() == 1)
                m_document->PostSelectSegment(m_segmentIndex + 1);
            long long before = 0;
            for (int s = 0; s < m_segmentIndex; ++s)
                before += segments->GetAt(s)->m_pSegmentInfo->m_totalFrames;
            m_runningFrame = static_cast<int>(std::max(0LL, before - 1));
            ClearOutput(RGB(0, 0, 0));
        }
    }
    if (m_canvas != nullptr)
        m_canvas->SetFrameStale(FALSE);
}

void CCanvasContainer::SeekToFrame(int frame)
{
    if (m_document == nullptr)
        return;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        SegmentList* segments = m_document->GetActiveSegments();
        ProjSet* settings = m_document->GetActiveSettings();
        if (segments == nullptr || settings == nullptr || segments->GetSize() == 0)
            return;
        if (frame < 0 || frame > settings->m_playFrames)
            return;
        long long start = 0;
        QvSegmentGourp* found = nullptr;
        for (INT_PTR s = 0; s < segments->GetSize(); ++s) {
            QvSegmentGourp* segment = segments->GetAt(s);
            const long long total = segment->m_pSegmentInfo->m_totalFrames;
            if (frame >= start && frame < start + total) {
                found = segment;
                m_frameInSegment = static_cast<unsigned>(frame - start);
                m_segmentIndex = static_cast<int>(s);
                m_runningFrame = frame;
                break;
            }
            start += std::max(0LL, total);
        }
        if (found == nullptr)
            return;
        if (m_document->GetListSelector() != 0)
            m_document->NotifySegmentPlaying(m_segmentIndex + 1);
        CloseSegmentDecoders(found, false);
    }
    StepFrame();
}
