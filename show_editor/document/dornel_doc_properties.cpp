// The project document: segment, view and program properties set by the
// property panel, the time trigger, the four-colour mapping, the scan-line
// re-fit and the mapping between project and canvas rectangles.
#include "dornel_doc.h"

#include "TextHelpers.h"
#include "program_color_effect.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

ProgramView* CDornelDoc::CurrentView(QvSegmentGourp** segment)
{
    if (m_pCurrentViewNode == nullptr)
        return nullptr;
    QvSegmentGourp* owner = GetSegment(m_pCurrentViewNode->m_parent - 1);
    if (segment != nullptr)
        *segment = owner;
    return GetSegmentView(m_pCurrentViewNode->m_index - 1, owner);
}

int CDornelDoc::OnSegmentPropertyChanged(int id, int value, const CString& text)
{
    QvSegmentGourp* segment = GetSegment(m_currentSegment - 1);
    if (segment == nullptr)
        return 0;
    if (id == 91)
        segment->m_fourColorMode = value;
    else if (id == 92)
        segment->m_whiteValue = static_cast<BYTE>(WideTextToInt(text));
    SetModifiedFlag();
    return 1;
}

int CDornelDoc::OnViewPropertyChanged(int id, int value, double realValue)
{
    QvSegmentGourp* segment = GetSegment(m_currentSegment - 1);
    if (segment == nullptr || m_pCurrentViewNode == nullptr)
        return 0;
    ProgramView* view = GetSegmentView(m_pCurrentViewNode->m_index - 1, segment);
    if (view == nullptr)
        return 0;
    CRect& rect = view->m_projectRect;
    const CRect rectBefore = rect;
    const BYTE brightnessBefore = view->m_brightness;
    switch (id) {
    case 52:
        rect.right = value + rect.Width();
        rect.left = value;
        break;
    case 53:
        rect.bottom = value + rect.Height();
        rect.top = value;
        break;
    case 54:
        rect.right = rect.left + value;
        break;
    case 55:
        rect.bottom = rect.top + value;
        break;
    case 80:
        rect.SetRect(0, 0, m_projectSettings.m_width, m_projectSettings.m_height);
        break;
    case 93:
        view->m_brightness = static_cast<BYTE>(value & 0xFF);
        break;
    case 94:
        return SetViewTimeBase(segment, view, value != 0);
    case 95:
        return SetViewShowTime(segment, view, realValue);
    default:
        break;
    }
    // A view's place, size and brightness are stored in the project.
    if (rect != rectBefore || view->m_brightness != brightnessBefore)
        SetModifiedFlag();
    ProjectRectToCanvas(
        m_zoomPercent, view->m_projectRect, view->m_canvasRect, m_projectSettings.m_layoutType, m_dotGap);
    SetViewStatusText(view->m_projectRect);
    SendPanel(m_pViewPanel, WM_VIEW_SELECTED, 0, 0);
    return 1;
}

int CDornelDoc::SetViewShowTime(QvSegmentGourp* segment, ProgramView* view, double seconds)
{
    if (segment == nullptr || view == nullptr)
        return 0;
    if (view->m_programs.GetSize() == 0) {
        AfxMessageBox(LangText(L"HINT", 19, nullptr));
        return 0;
    }
    StopPlayback();
    view->m_showTime = seconds;
    RecountViewFrames(view);
    RecountSegmentFrames(segment);
    NotifyPanel(m_pTreePanel);
    SendPanel(m_pPropertyPanel, WM_VIEW_TIMING_CHANGED, 0, reinterpret_cast<LPARAM>(view->m_pNode));
    return 1;
}

int CDornelDoc::SetViewTimeBase(QvSegmentGourp* segment, ProgramView* view, BOOL flag)
{
    if (segment == nullptr || view == nullptr)
        return 0;
    if (view->m_programs.GetSize() == 0) {
        AfxMessageBox(LangText(L"HINT", 19, nullptr));
        return 0;
    }
    StopPlayback();
    for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
        segment->m_views.GetAt(v)->m_timeBase = 0;
        RecountViewFrames(segment->m_views.GetAt(v));
    }
    view->m_timeBase = flag ? -1 : 0;
    RecountViewFrames(view);
    RecountSegmentFrames(segment);
    NotifyPanel(m_pTreePanel);
    SendPanel(m_pPropertyPanel, WM_VIEW_TIMING_CHANGED, 0, reinterpret_cast<LPARAM>(view->m_pNode));
    return 1;
}

// The current-view setters change what the project file stores, so a change
// marks the project modified (closing then asks to save it).
void CDornelDoc::SetViewTransparentMode(int mode)
{
    if (ProgramView* view = CurrentView(); view != nullptr && view->m_transparentMode != mode) {
        view->m_transparentMode = mode;
        SetModifiedFlag();
    }
}

void CDornelDoc::SetViewTransparency(BYTE value)
{
    if (ProgramView* view = CurrentView(); view != nullptr && view->m_transparency != value) {
        view->m_transparency = value;
        SetModifiedFlag();
    }
}

void CDornelDoc::SetViewRepeatCount(int count)
{
    if (ProgramView* view = CurrentView()) {
        const int loop = count == 0 ? 1 : 0;
        if (view->m_repeatCount != count || view->m_loopPlay != loop)
            SetModifiedFlag();
        view->m_repeatCount = count;
        view->m_loopPlay = loop;
    }
}

void CDornelDoc::SetViewAreaLocked(BYTE value)
{
    if (ProgramView* view = CurrentView()) {
        if (view->m_areaLocked != value) {
            view->m_areaLocked = value;
            SetModifiedFlag();
        }
        SendPanel(m_pViewPanel, WM_VIEW_SELECTED, 0, 0);
    }
}

int CDornelDoc::OnProgramPropertyChanged(int segmentNumber, int id, const CString& value)
{
    Program* program = m_pSelectedProgram;
    if (program == nullptr)
        return 0;
    QvSegmentGourp* segment = GetSegment(segmentNumber - 1);
    ProgramView* view
        = m_pCurrentViewNode != nullptr ? GetSegmentView(m_pCurrentViewNode->m_index - 1, segment) : nullptr;
    bool recount = false;
    switch (id) {
    case 15:
        program->m_hTiles = WideTextToInt(value);
        break;
    case 16:
        program->m_vTiles = WideTextToInt(value);
        break;
    case 17:
        program->m_startFrame = WideTextToInt(value);
        recount = true;
        break;
    case 18:
        program->m_endFrame = WideTextToInt(value);
        recount = true;
        break;
    case 19:
    case 20: {
        // The text ends in a unit character ("1.5x").
        CString number = value.Left(std::max(0, value.GetLength() - 1));
        float speed = static_cast<float>(wcstod(number, nullptr));
        if (id == 19)
            program->m_startSpeed = speed;
        else
            program->m_endSpeed = speed;
        // Only a colour effect's pass depends on its speeds; Zazez Urad
        // arrays of this run carry kind 0 as well but are no colour effect.
        if (program->m_programType == PROGRAM_TYPE_COLOR_EFFECT
            && program->IsKindOf(RUNTIME_CLASS(ProgramColorEffect))) {
            program->m_orgFrames
                = Host().PassFrameCount(program, m_projectSettings.m_width, m_projectSettings.m_height);
            program->m_startFrame = 1;
            program->m_endFrame = program->m_orgFrames;
            recount = true;
        }
        break;
    }
    default:
        break;
    }
    if (recount) {
        RecountViewFrames(view);
        RecountSegmentFrames(segment);
    }
    SetModifiedFlag();
    NotifyPanel(m_pPropertyPanel);
    if (recount)
        NotifyPanel(m_pViewPanel);
    if (m_playState == PLAY_PLAYING) {
        m_playState = PLAY_STOPPED;
        Host().StopPlay();
        OnPlay();
    }
    return 1;
}

void CDornelDoc::EditSegmentTimeTrigger(int trigger)
{
    QvSegmentGourp* segment = GetSegment(m_currentSegment - 1);
    if (trigger <= 0 || segment == nullptr)
        return;
    SegmentTimePlay schedule = segment->m_pSegmentInfo->m_timePlay;
    if (!Host().EditTimeTrigger(schedule))
        return;
    segment->m_pSegmentInfo->m_timePlay = schedule;
    SetModifiedFlag();
    NotifyPanel(m_pPropertyPanel);
    NotifyPanel(m_pTreePanel);
}

int CDornelDoc::ApplyFourColorMode(int index, BYTE segmentWhiteValue)
{
    static const int kModes[] = { 0, 0, 1, 2, 3, 4, 8, 6, 10, 11 };
    int mode = 0;
    BYTE value = 0;
    if (index == 0) {
        mode = m_projectSettings.m_colorMode;
        value = mode == 11 ? m_projectSettings.m_whiteValue : 0;
    } else if (index >= 1 && index <= 9) {
        mode = kModes[index];
        value = index == 9 ? segmentWhiteValue : 0;
    }
    return Host().SetFourColor(m_screen, mode, value);
}

void CDornelDoc::RefitScanLines()
{
    // Every scan line of the project follows the new size, so that one
    // crossing still spans a view as large as the project.
    bool changed = false;
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        QvSegmentGourp* segment = m_segments.GetAt(s);
        bool segmentChanged = false;
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ProgramView* view = segment->m_views.GetAt(v);
            bool viewChanged = false;
            for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
                Program* program = view->m_programs.GetAt(p);
                if (!program->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)))
                    continue;
                auto* effect = static_cast<ProgramColorEffect*>(program);
                if (effect->m_style < 21 || effect->m_style > 24)
                    continue;
                int step = static_cast<int>(std::trunc(effect->m_zoomFactor * 10.0));
                if (step <= 0)
                    continue; // no speed: nothing sensible to fit
                int side = (effect->m_style == 21 || effect->m_style == 23) ? m_projectSettings.m_width
                                                                            : m_projectSettings.m_height;
                int frames = side * 10 / step;
                if (frames == effect->m_orgFrames)
                    continue;
                effect->m_orgFrames = frames;
                effect->m_endFrame = frames;
                effect->m_startFrame = 1;
                viewChanged = true;
            }
            if (viewChanged) {
                RecountViewFrames(view);
                segmentChanged = true;
            }
        }
        if (segmentChanged) {
            RecountSegmentFrames(segment);
            changed = true;
        }
    }
    if (changed)
        RefreshPanels();
}

void CDornelDoc::ProjectRectToCanvas(unsigned zoom, const CRect& project, CRect& canvas, int layoutType, int dotGap)
{
    if (project.IsRectEmpty())
        return;
    int z = static_cast<int>(zoom);
    int w = project.Width();
    int h = project.Height();
    int left = project.left * z / 100;
    int top = project.top * z / 100;
    int w2 = w * z / 100;
    int h2 = h * z / 100;
    if (z > 100) {
        if (layoutType == 2) {
            h2 += dotGap * h;
            top += dotGap * project.top;
        } else if (layoutType == 3) {
            w2 += dotGap * w;
            left += dotGap * project.left;
        } else {
            h2 += dotGap * h;
            top += dotGap * project.top;
            w2 += dotGap * w;
            left += dotGap * project.left;
        }
    }
    canvas.SetRect(left, top, left + w2, top + h2);
}

void CDornelDoc::RecomputeViewCanvasRects()
{
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        QvSegmentGourp* segment = m_segments.GetAt(s);
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
            ProgramView* view = segment->m_views.GetAt(v);
            ProjectRectToCanvas(
                m_zoomPercent, view->m_projectRect, view->m_canvasRect, m_projectSettings.m_layoutType, m_dotGap);
        }
    }
}

namespace {

struct ProjectPlace {
    int x, y, w, h;
};

// A canvas rectangle in project pixels; round snaps the position to the
// nearest dot as a drop of the tracker does.
ProjectPlace CanvasToProject(const CRect& canvas, unsigned zoom, int layoutType, int dotGap, bool round)
{
    int z = zoom > 0 ? static_cast<int>(zoom) : 100; // a zoom of 0 would divide by zero
    double f = std::max(z / 100.0, 1.0);
    double m = f + dotGap;
    ProjectPlace place {};
    int left = canvas.left;
    int top = canvas.top;
    int w = canvas.Width();
    int h = canvas.Height();
    place.x = left * 100 / z;
    place.y = top * 100 / z;
    place.w = w * 100 / z;
    place.h = h * 100 / z;
    if (z <= 100)
        return place;
    if (layoutType == 2) {
        place.y = static_cast<int>(top / m);
        place.h = static_cast<int>(h / m);
    } else if (layoutType == 3) {
        place.x = static_cast<int>(left / m);
        place.w = static_cast<int>(w / m);
    } else {
        place.w = static_cast<int>(w / m);
        place.h = static_cast<int>(h / m);
        place.x = static_cast<int>(left / m);
        place.y = static_cast<int>(top / m);
        int pitch = dotGap + static_cast<int>(f);
        if (round && pitch > 0) {
            if (left % pitch >= f * 0.5)
                place.x += 1;
            if (top % pitch >= f * 0.5)
                place.y += 1;
        }
    }
    return place;
}

} // namespace

void CDornelDoc::ShowTrackedRectText(const CRect& canvas)
{
    ProjectPlace place = CanvasToProject(canvas, m_zoomPercent, m_projectSettings.m_layoutType, m_dotGap, false);
    CString text;
    text.Format(L"x:%d  y:%d  w:%d  h:%d", place.x, place.y, place.w, place.h);
    Host().SetStatusText(text);
}

void CDornelDoc::ApplyTrackedViewRect(const CRect& canvas, int handleCode)
{
    ProgramView* view = CurrentView();
    if (view == nullptr || canvas.IsRectEmpty())
        return;
    ProjectPlace place = CanvasToProject(canvas, m_zoomPercent, m_projectSettings.m_layoutType, m_dotGap, true);
    const CRect& old = view->m_projectRect;
    switch (handleCode) {
    case 4: // top edge
        place.x = old.left;
        place.w = old.Width();
        break;
    case 5: // right edge
        place.x = old.left;
        place.y = old.top;
        place.h = old.Height();
        break;
    case 6: // bottom edge
        place.x = old.left;
        place.y = old.top;
        place.w = old.Width();
        break;
    case 7: // left edge
        place.y = old.top;
        place.h = old.Height();
        break;
    case 8: // moved whole
        place.w = old.Width();
        place.h = old.Height();
        break;
    default: // corners take all four
        break;
    }
    view->m_canvasRect = canvas;
    const CRect dragged(place.x, place.y, place.x + place.w, place.y + place.h);
    if (dragged != view->m_projectRect) {
        view->m_projectRect = dragged;
        SetModifiedFlag();
    }
    NotifyPanel(m_pPropertyPanel);
}

void CDornelDoc::GetCurrentViewRect(CRect& rect)
{
    ProgramView* view = CurrentView();
    if (view != nullptr && !view->m_projectRect.IsRectEmpty())
        rect = view->m_projectRect;
    else
        rect.SetRect(0, 0, 200, 50);
}
