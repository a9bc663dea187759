// The frame engine's AVI export and off-line recording, and the worker
// thread that paces them: one WM_NEXT_FRAME in flight at a time, the next
// posted only after the engine has rendered the previous one.
#include "frame_engine.h"

#include "Corvane.h"
#include "program_video.h"
#include "proj_set.h"
#include "show_messages.h"

#include <objbase.h>

#include <algorithm>

namespace {

// Card identity strings written into every off-line file.
const wchar_t* const kCardStrings[4] = {
    L"QV-HN31EPLAY>>>>",
    L"QV-HN31E>>PLAY>>",
    L"QV-HN31EPLAY>>>>",
    L"QV-HN31E>>PLAY>>",
};

} // namespace

void SplitAviPath(CString& file, CString& folder, CString& baseName)
{
    const int slash = file.ReverseFind(L'\\');
    folder = slash >= 0 ? file.Left(slash) : CString();
    const CString name = slash >= 0 ? file.Mid(slash + 1) : file;
    // The extension is cut at its dot; a name typed without ".avi" gets it.
    const int dot = name.ReverseFind(L'.');
    if (dot > 0 && name.Mid(dot + 1).CompareNoCase(L"avi") == 0) {
        baseName = name.Left(dot);
    } else {
        baseName = name;
        file += L".avi";
    }
}

// ---------------------------------------------------------------------------
// Worker

UINT CCanvasContainer::FramePumpThread(LPVOID param)
{
    auto* engine = static_cast<CCanvasContainer*>(param);
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    while (engine->m_pumpRunning.load() != 0) {
        ::WaitForSingleObject(static_cast<HANDLE>(engine->m_frameEvent), INFINITE);
        if (engine->m_pumpExited.load() == 0) {
            if (engine->m_pumpRunning.load() == 0)
                break;
            ::Sleep(1);
            ::PostMessageW(engine->m_hWnd, WM_NEXT_FRAME, 0, 0);
            const auto* video = dynamic_cast<const ProgramVideo*>(engine->m_currentProgram.load());
            if (video != nullptr && video->m_mediaKind == MEDIA_SWF)
                ::Sleep(10);
        }
    }
    engine->m_pumpRunning = 0;
    if (SUCCEEDED(com))
        ::CoUninitialize();
    // Last: once this is seen the engine may go away.
    engine->m_pumpExited = 1;
    return 0;
}

void CCanvasContainer::JoinFramePump()
{
    while (m_pumpExited.load() == 0) {
        m_pumpRunning = 0;
        m_frameEvent.SetEvent();
        ::Sleep(0);
    }
}

void CCanvasContainer::StartFramePump()
{
    JoinFramePump();
    // Marked running before the thread starts, so that a stop that comes
    // before the thread has run still waits for it.
    m_pumpRunning = 1;
    m_pumpExited = 0;
    CWinThread* thread = AfxBeginThread(&CCanvasContainer::FramePumpThread, this);
    if (thread == nullptr) {
        m_pumpRunning = 0;
        m_pumpExited = 1;
    }
}

void CCanvasContainer::StopFramePump()
{
    JoinFramePump();
    m_mode = ENGINE_MODE_PREVIEW;
}

LRESULT CCanvasContainer::OnNextFrame(WPARAM, LPARAM)
{
    // A frame message that was in flight when the run stopped renders nothing.
    if (m_pumpExited.load() != 0)
        return 0;
    StepFrame();
    m_frameEvent.SetEvent();
    return 0;
}

// ---------------------------------------------------------------------------
// AVI export

void CCanvasContainer::AbandonRun(int mode)
{
    if (mode == ENGINE_MODE_RECORD && m_recordFileOpen)
        CloseRecordFile(m_recordFileSegment);
    if (m_aviOpen) {
        m_aviWriter->End();
        m_aviOpen = false;
    }
    m_recordFileOpen = false;
    m_heldProgress = 0;
    m_mode = ENGINE_MODE_STOPPING;
    StopFramePump();
    m_currentProgram = nullptr;
}

void CCanvasContainer::FailRun(int hintKey)
{
    const int mode = m_mode.load();
    AbandonRun(mode);
    // The hardware dialog waits for the completing count: -1 ends its
    // generation without the success text.
    if (mode == ENGINE_MODE_RECORD) {
        if (HWND main = m_document->GetMainWindow())
            ::PostMessageW(main, WM_RECORD_PROGRESS, static_cast<WPARAM>(-1), 0);
    }
    AfxMessageBox(m_document->GetLangText(L"HINT", hintKey), MB_OK | MB_ICONEXCLAMATION);
    // The export dialog closes; the failed run opens no folder.
    if (m_exportDialog != nullptr && ::IsWindow(m_exportDialog->GetSafeHwnd()))
        ::PostMessageW(m_exportDialog->GetSafeHwnd(), WM_CLOSE, 0, 0);
}

void CCanvasContainer::EndRunOnDestroy()
{
    const int mode = m_mode.load();
    if (mode != ENGINE_MODE_AVI && mode != ENGINE_MODE_RECORD)
        return;
    // Nobody is left to tell.
    AbandonRun(mode);
}

void CCanvasContainer::ReportRecordProgress(int frames)
{
    int total = 0;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        if (ProjSet* settings = m_document->GetActiveSettings())
            total = settings->m_playFrames;
    }
    if (frames == total) {
        m_heldProgress = frames;
        return;
    }
    if (HWND main = m_document->GetMainWindow())
        ::PostMessageW(main, WM_RECORD_PROGRESS, static_cast<WPARAM>(frames), 0);
}

bool CCanvasContainer::StartAviFile(const CString& path)
{
    int width = m_frameWidth;
    int height = m_frameHeight;
    int frameRate = 25;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        frameRate = FrameRate(m_document->GetProjectSettings());
        if (m_aviAtFrameSize == 0) {
            CRect client(0, 0, 0, 0);
            if (m_canvas != nullptr && m_canvas->GetWindow() != nullptr)
                m_canvas->GetWindow()->GetClientRect(&client);
            width = client.Width();
            height = client.Height();
        }
    }
    if (m_aviOpen && !EndAviFile())
        return false;
    if (m_aviWriter->Init(path, width, height, 32, frameRate) != 0) {
        FailRun(kAviWriteFailedHint);
        return false;
    }
    m_aviOpen = true;
    return true;
}

bool CCanvasContainer::EndAviFile()
{
    if (!m_aviOpen)
        return true;
    m_aviOpen = false;
    if (m_aviWriter->End() != 0) {
        FailRun(kAviWriteFailedHint);
        return false;
    }
    return true;
}

bool CCanvasContainer::WriteAviFrame()
{
    BOOL complete = FALSE;
    if (m_exportDialog != nullptr)
        complete = m_exportDialog->StepProgress(m_runningFrame + 1);
    int written = 0;
    if (m_aviAtFrameSize != 0) {
        written = m_aviWriter->WriteFrameDC(m_outputDC.GetSafeHdc());
    } else if (m_canvas != nullptr && m_canvas->GetCompositionDC() != nullptr) {
        CDC* composition = m_canvas->GetCompositionDC();
        CRect clip(0, 0, 0, 0);
        composition->GetClipBox(&clip);
        composition->FillSolidRect(&clip, RGB(0, 0, 0));
        const int oldMode = composition->SetStretchBltMode(HALFTONE);
        composition->StretchBlt(
            clip.left, clip.top, clip.Width(), clip.Height(), &m_outputDC, 0, 0, m_frameWidth, m_frameHeight, SRCCOPY);
        composition->SetStretchBltMode(oldMode);
        if (CDC* mask = m_canvas->GetDotMaskDC())
            composition->BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), mask, clip.left, clip.top, SRCAND);
        if (CDC* background = m_canvas->GetBackgroundDC(); background != nullptr && !m_backgroundPath.IsEmpty())
            composition->BitBlt(
                clip.left, clip.top, clip.Width(), clip.Height(), background, clip.left, clip.top, SRCPAINT);
        ::GdiFlush();
        written = m_aviWriter->WriteFrameDC(composition->GetSafeHdc());
    }
    if (written != 0) {
        FailRun(kAviWriteFailedHint);
        return false;
    }
    if (complete && m_exportDialog != nullptr)
        ::PostMessageW(m_exportDialog->GetSafeHwnd(), WM_CLOSE, 0, 0);
    return true;
}

LRESULT CCanvasContainer::OnExportAvi(WPARAM sizeChoice, LPARAM path)
{
    if (m_document == nullptr)
        return 0;
    if (path == 0) {
        if (!m_exportDialogFactory || m_exportDialog != nullptr)
            return 0;
        m_exportDialog = m_exportDialogFactory(this, m_document);
        if (m_exportDialog == nullptr)
            return 0;
        const INT_PTR result = m_exportDialog->RunModal();
        // However the dialog ended, it is gone now: keeping it would refuse
        // every later export, and an export left running would have no dialog.
        delete m_exportDialog;
        m_exportDialog = nullptr;
        if (m_mode.load() == ENGINE_MODE_AVI) {
            // Stopped by the user or complete: the file is finished either
            // way; the folder opens only for a file that was finished well.
            const bool finished = EndAviFile();
            StopFramePump();
            if (result == 1 && finished)
                AfxShellOpen(m_aviFolder);
        } else if (result == 1 && m_aviCompleted) {
            AfxShellOpen(m_aviFolder); // the show ended before the dialog's last frame
        }
        m_aviCompleted = false;
        m_aviFolder.Empty();
        m_aviBaseName.Empty();
        return 0;
    }

    CString file = *reinterpret_cast<const CString*>(path);
    m_aviCompleted = false;
    m_segmentIndex = 0;
    m_frameInSegment = 0;
    m_runningFrame = 0;
    m_mode = ENGINE_MODE_AVI;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        const int total = m_document->GetProjectSettings().m_playFrames;
        if (m_exportDialog != nullptr)
            m_exportDialog->BeginProgress(total);
    }
    SplitAviPath(file, m_aviFolder, m_aviBaseName);
    ClearOutput(RGB(0, 0, 0));
    m_aviAtFrameSize = sizeChoice == 0 ? 1 : 0;
    if (!m_document->GetAviPerSegment() && !StartAviFile(file))
        return 0;
    m_frameEvent.SetEvent();
    StartFramePump();
    return 0;
}

// ---------------------------------------------------------------------------
// Off-line recording

bool CCanvasContainer::BeginRecordFile()
{
    int frameRate = 25;
    int screen = 0;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        frameRate = FrameRate(m_document->GetProjectSettings());
        screen = m_document->GetScreen();
    }
    m_recorder->SetSecurityFlag(0);
    int& counter = m_document->OfflineFileCounter();
    ++counter;
    CString path;
    path.Format(L"%s\\OFF%03d.arm", m_offlineFolder.GetString(), counter);
    if (m_recorder->RecordingInit(screen, path, static_cast<unsigned>(frameRate)) != 0) {
        m_recordFileOpen = false;
        FailRun(12);
        return false;
    }
    m_recordFileOpen = true;
    return true;
}

bool CCanvasContainer::EndRecordFile(int segmentNumber)
{
    if (CloseRecordFile(segmentNumber) != 0) {
        FailRun(kRecordWriteFailedHint);
        return false;
    }
    return true;
}

int CCanvasContainer::CloseRecordFile(int segmentNumber)
{
    if (m_mode.load() != ENGINE_MODE_RECORD)
        return 0;
    SegmentTimePlay schedule;
    {
        CSingleLock lock(&m_document->Mutex(), TRUE);
        SegmentList* segments = m_document->GetActiveSegments();
        if (segments != nullptr && segmentNumber >= 1 && segmentNumber <= segments->GetSize()) {
            const SegmentInfo* info = segments->GetAt(segmentNumber - 1)->m_pSegmentInfo;
            if (info != nullptr)
                schedule = info->m_timePlay;
        }
    }
    CStringArray cards;
    for (const wchar_t* card : kCardStrings)
        cards.Add(card);

    RecordingSettings settings {};
    settings.settings0 = schedule.m_gpsMode;
    settings.settings1 = schedule.m_fixedDuration;
    settings.playSeconds = schedule.m_durationSeconds;
    settings.cardStrings = &cards;
    settings.playWindowEnabled = schedule.m_timedPlay;
    settings.yearLimit = schedule.m_yearApplies;
    settings.monthLimit = schedule.m_monthApplies;
    settings.dayLimit = schedule.m_dayApplies;
    settings.startDate = schedule.m_startDate;
    settings.endDate = schedule.m_endDate;
    settings.timeLimit = schedule.m_timeWindowApplies;
    settings.startTime = schedule.m_startTime;
    settings.endTime = schedule.m_endTime;
    settings.weekdayLimit = schedule.m_weekdaysApply;
    settings.weekdays = schedule.m_weekdays;
    settings.playAtOnce = schedule.m_playAtOnce;
    settings.slotMask
        = static_cast<std::int32_t>(schedule.m_holidayMask) | (static_cast<std::int32_t>(schedule.m_reserved) << 16);
    settings.slotEnabled = schedule.m_holidayOwnWindow;
    settings.slotStarts = schedule.m_holidayStart;
    settings.slotEnds = schedule.m_holidayEnd;
    settings.slotCount = SegmentTimePlay::kHolidaySlots;
    settings.password = m_document->GetOfflineEncryption() ? m_document->GetOfflinePassword() : nullptr;
    m_recordFileOpen = false;
    return m_recorder->RecordingStop(settings);
}

LRESULT CCanvasContainer::OnRecordOffline(WPARAM request, LPARAM)
{
    if (m_document == nullptr)
        return 0;
    if (static_cast<int>(request) <= 0) {
        m_offlineFolder = m_document->GetOfflineFolder();
        m_heldProgress = 0;
        m_document->OfflineFileCounter() = 0;
        m_firstRecordedSegment = -1;
        m_recordFileOpen = false;
        m_mode = ENGINE_MODE_RECORD;
        m_segmentIndex = 0;
        m_frameInSegment = 0;
        m_runningFrame = 0;
        m_frameEvent.SetEvent();
        ClearOutput(RGB(0, 0, 0));
        StartFramePump();
    } else if (m_mode.load() == ENGINE_MODE_RECORD) {
        // A quit run closes the show file it has open (frames are recorded
        // on this thread, so none is in progress): left open, the file would
        // stay without its header blocks, unplayable and locked.
        m_heldProgress = 0;
        if (m_recordFileOpen && !EndRecordFile(m_recordFileSegment))
            return 0; // the failure has ended the run and told the user
        m_mode = ENGINE_MODE_STOPPING;
        StopFramePump();
    }
    return 0;
}

bool CCanvasContainer::FinishOutputAtShowEnd()
{
    // A run whose frame count ends before its last segment has finished (or
    // whose files are not closed by a segment boundary) still finishes the
    // file it has open, so that it is playable.
    const int mode = m_mode.load();
    if (mode == ENGINE_MODE_AVI) {
        if (!EndAviFile())
            return false;
        // A show shorter than the frames asked for ends the export here: the
        // dialog, still waiting for its last frame, is closed as complete.
        m_aviCompleted = true;
        if (m_exportDialog != nullptr && ::IsWindow(m_exportDialog->GetSafeHwnd()))
            ::PostMessageW(m_exportDialog->GetSafeHwnd(), WM_CLOSE, 0, 0);
        return true;
    }
    if (mode == ENGINE_MODE_RECORD && m_recordFileOpen && !EndRecordFile(m_recordFileSegment))
        return false;
    // Every file is closed: the completing count may now be reported. A show
    // shorter than the frames asked for completes the run as well, else the
    // hardware dialog would wait for its last frame for ever.
    if (mode == ENGINE_MODE_RECORD) {
        int total = m_heldProgress;
        if (total == 0) {
            CSingleLock lock(&m_document->Mutex(), TRUE);
            if (ProjSet* settings = m_document->GetActiveSettings())
                total = settings->m_playFrames;
        }
        if (HWND main = m_document->GetMainWindow(); main != nullptr && total > 0)
            ::PostMessageW(main, WM_RECORD_PROGRESS, static_cast<WPARAM>(total), 0);
    }
    m_heldProgress = 0;
    return true;
}
