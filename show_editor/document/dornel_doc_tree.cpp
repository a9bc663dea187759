// The project document's tree: building segments, views and program nodes,
// the selection, moves, copy, inserting a segment and names.
#include "dornel_doc.h"

#include "program_image_show.h"
#include "program_video.h"
#include "segment_time_play.h"

#include <cwctype>

namespace {

constexpr LPCWSTR kLangItemTitle = L"ITEM_TITLE";

// The file name of a media path for a program node: the part after the last
// backslash when the path holds one after its first character, else the
// kind's word.
CString MediaNodeName(const CString& path, const CString& word)
{
    if (path.Find(L'\\', 1) >= 1)
        return path.Mid(path.ReverseFind(L'\\') + 1);
    return word;
}

CString Numbered(const CString& stem, int number)
{
    CString name;
    name.Format(L"%s_%02d", stem.GetString(), number);
    return name;
}

} // namespace

QvSegmentGourp* CDornelDoc::GetSegment(int index) const
{
    if (index < 0 || index >= m_segments.GetSize())
        return nullptr;
    return m_segments.GetAt(index);
}

ProgramView* CDornelDoc::GetSegmentView(int index, QvSegmentGourp* segment)
{
    if (segment == nullptr || index < 0 || index >= segment->m_views.GetSize())
        return nullptr;
    return segment->m_views.GetAt(index);
}

QvSegmentGourp* CDornelDoc::NewSegment(BOOL addView, BOOL notify)
{
    auto* segment = new QvSegmentGourp;
    int number = static_cast<int>(m_segments.GetSize()) + 1;
    InitSegmentTimePlay(&segment->m_pSegmentInfo->m_timePlay);
    segment->m_pSegmentInfo->m_number = number;
    segment->m_pSegmentInfo->m_totalFrames = 0;
    segment->SetNode(new NodeInfo(-1, number, Numbered(LangText(kLangItemTitle, 1, L"片段"), number), NODE_SEGMENT));
    m_segments.Add(segment);
    m_currentSegment = number;
    m_editedProgramKind = kNoEditedProgram;
    if (addView)
        NewView(segment, FALSE);
    if (notify)
        NotifyPanel(m_pTreePanel);
    SetModifiedFlag();
    return segment;
}

ProgramView* CDornelDoc::NewView(QvSegmentGourp* segment, BOOL notify)
{
    if (segment == nullptr)
        return nullptr;
    auto* view = new ProgramView;
    view->InitNewView(segment->m_pSegmentInfo->m_number, static_cast<int>(segment->m_views.GetSize()) + 1,
        m_projectSettings.m_width, m_projectSettings.m_height);
    view->m_loopPlay = 1;
    view->m_showTime = 0.0;
    view->m_repeatCount = 0;
    view->m_brightness = 100;
    view->m_timeBase = 0;
    view->m_transparentMode = 0;
    view->m_transparency = 255;
    view->m_areaLocked = 0;
    view->m_frames = 0;
    ProjectRectToCanvas(
        m_zoomPercent, view->m_projectRect, view->m_canvasRect, m_projectSettings.m_layoutType, m_dotGap);
    segment->m_views.Add(view);
    if (m_listSelector != 0) {
        m_pCurrentViewNode = view->m_pNode;
        m_pSelectedNode = view->m_pNode;
        // Selected as by a click: the status shows its place, not the place
        // of the view selected before.
        SetViewStatusText(view->m_projectRect);
    }
    if (notify) {
        NotifyPanel(m_pTreePanel);
        SendPanel(m_pViewPanel, WM_VIEW_SELECTED, 0, 0);
    }
    SetModifiedFlag();
    return view;
}

int CDornelDoc::AddProgramToView(NodeInfo* viewNode, Program* program)
{
    if (viewNode == nullptr || program == nullptr)
        return 0;
    ProgramView* view = GetSegmentView(viewNode->m_index - 1, GetSegment(viewNode->m_parent - 1));
    if (view == nullptr)
        return 0;

    CString name;
    if (program->m_pNode != nullptr)
        name = program->m_pNode->m_name;
    int index = static_cast<int>(view->m_programs.GetSize()) + 1;
    switch (program->m_programType) {
    case PROGRAM_TYPE_MEDIA: {
        CString path;
        if (program->IsKindOf(RUNTIME_CLASS(ProgramVideo)))
            path = static_cast<ProgramVideo*>(program)->m_filePath;
        const CString word = LangText(kLangItemTitle, 3, L"视频文件");
        name = path.IsEmpty() ? Numbered(word, index) : MediaNodeName(path, word);
        break;
    }
    case PROGRAM_TYPE_COLOR_EFFECT:
        name = Numbered(LangText(kLangItemTitle, 2, L"炫彩特效"), index);
        break;
    case PROGRAM_TYPE_COLORFUL_WORDS:
        name = Numbered(LangText(kLangItemTitle, 4, L"多彩文字"), index);
        break;
    case PROGRAM_TYPE_IMAGE_SHOW:
        if (program->IsKindOf(RUNTIME_CLASS(ProgramImageShow))) {
            const CStringArray& images = static_cast<ProgramImageShow*>(program)->m_imagePaths;
            if (images.GetSize() > 0)
                name = MediaNodeName(images.GetAt(0), LangText(kLangItemTitle, 3, L"视频文件"));
        }
        break;
    default:
        break;
    }
    program->SetNode(new NodeInfo(viewNode->m_index, index, name, NODE_PROGRAM));
    view->m_programs.Add(program);
    if (m_listSelector != 0)
        m_pSelectedNode = program->m_pNode;
    view->m_frames += program->m_endFrame - program->m_startFrame + 1;
    SetModifiedFlag();
    return 0;
}

void CDornelDoc::SetViewStatusText(const CRect& project)
{
    CString text;
    text.Format(L"x:%d  y:%d  w:%d  h:%d", project.left, project.top, project.Width(), project.Height());
    Host().SetStatusText(text);
}

void CDornelDoc::SelectNode(NodeInfo* node)
{
    m_pSelectedNode = node;
    if (node == nullptr || node->m_kind == NODE_SEGMENT) {
        m_pCurrentViewNode = nullptr;
        return;
    }
    if (node->m_kind == NODE_VIEW) {
        m_pCurrentViewNode = node;
        SendPanel(m_pViewPanel, WM_VIEW_SELECTED, 0, 0);
        ProgramView* view = GetSegmentView(node->m_index - 1, GetSegment(node->m_parent - 1));
        if (view != nullptr)
            SetViewStatusText(view->m_projectRect);
        return;
    }
    ProgramView* view = GetSegmentView(node->m_parent - 1, GetSegment(m_currentSegment - 1));
    if (view != nullptr) {
        m_pCurrentViewNode = view->m_pNode;
        SetViewStatusText(view->m_projectRect);
    }
}

void CDornelDoc::OnMoveNodeUp()
{
    MoveNode(-1);
}

void CDornelDoc::MoveNode(int step)
{
    if (m_pSelectedNode == nullptr)
        return;
    NodeInfo* node = m_pSelectedNode;
    int from = node->m_index - 1;
    int to = from + step;
    if (node->m_kind == NODE_SEGMENT) {
        QvSegmentGourp* moved = GetSegment(from);
        QvSegmentGourp* other = GetSegment(to);
        if (moved == nullptr || other == nullptr)
            return;
        std::swap(moved->m_pSegmentInfo->m_number, other->m_pSegmentInfo->m_number);
        std::swap(moved->m_pNode->m_index, other->m_pNode->m_index);
        for (QvSegmentGourp* segment : { moved, other }) {
            for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v)
                segment->m_views.GetAt(v)->m_pNode->m_parent = segment->m_pSegmentInfo->m_number;
        }
        m_segments.SetAt(from, other);
        m_segments.SetAt(to, moved);
        m_currentSegment = moved->m_pSegmentInfo->m_number;
        SelectNode(moved->m_pNode);
    } else if (node->m_kind == NODE_VIEW) {
        QvSegmentGourp* segment = GetSegment(node->m_parent - 1);
        ProgramView* moved = GetSegmentView(from, segment);
        ProgramView* other = GetSegmentView(to, segment);
        if (moved == nullptr || other == nullptr)
            return;
        std::swap(moved->m_pNode->m_index, other->m_pNode->m_index);
        for (ProgramView* view : { moved, other }) {
            for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
                if (view->m_programs.GetAt(p)->m_pNode != nullptr)
                    view->m_programs.GetAt(p)->m_pNode->m_parent = view->m_pNode->m_index;
            }
        }
        segment->m_views.SetAt(from, other);
        segment->m_views.SetAt(to, moved);
        SelectNode(moved->m_pNode);
    } else {
        ProgramView* view = GetSegmentView(node->m_parent - 1, GetSegment(m_currentSegment - 1));
        if (view == nullptr || from < 0 || to < 0 || from >= view->m_programs.GetSize()
            || to >= view->m_programs.GetSize())
            return;
        Program* moved = view->m_programs.GetAt(from);
        Program* other = view->m_programs.GetAt(to);
        if (moved->m_pNode == nullptr || other->m_pNode == nullptr)
            return;
        std::swap(moved->m_pNode->m_index, other->m_pNode->m_index);
        view->m_programs.SetAt(from, other);
        view->m_programs.SetAt(to, moved);
        SelectNode(moved->m_pNode);
    }
    // The play order is part of the project: closing must ask to save it.
    SetModifiedFlag();
    NotifyPanel(m_pTreePanel);
}

void CDornelDoc::OnMoveNodeDown()
{
    MoveNode(1);
}

void CDornelDoc::OnCopyNode()
{
    if (m_pSelectedNode == nullptr) {
        AfxMessageBox(LangText(kLangItemTitle, 283, L"Please Click A Node!"));
        return;
    }
    m_pCopySourceNode = m_pSelectedNode;
    m_copySourceSegment = m_currentSegment;
}

void CDornelDoc::RenumberSegments()
{
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        QvSegmentGourp* segment = m_segments.GetAt(s);
        int number = static_cast<int>(s) + 1;
        segment->m_pSegmentInfo->m_number = number;
        segment->m_pNode->m_index = number;
        for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v)
            segment->m_views.GetAt(v)->m_pNode->m_parent = number;
    }
}

void CDornelDoc::InsertSegmentAfterCurrent()
{
    int count = static_cast<int>(m_segments.GetSize());
    if (m_currentSegment < 1 || m_currentSegment > count)
        return;
    int largest = 0;
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s) {
        const CString& name = m_segments.GetAt(s)->m_pNode->m_name;
        CString tail = name.GetLength() >= 2 ? name.Right(2) : name;
        int value = (!tail.IsEmpty() && std::iswdigit(tail[0])) ? _wtoi(tail) : 0;
        largest = std::max(largest, value);
    }
    int c = m_currentSegment;
    auto* segment = new QvSegmentGourp;
    InitSegmentTimePlay(&segment->m_pSegmentInfo->m_timePlay);
    segment->m_pSegmentInfo->m_number = c + 1;
    segment->SetNode(
        new NodeInfo(-1, c + 1, Numbered(LangText(kLangItemTitle, 1, L"片段"), largest + 1), NODE_SEGMENT));
    m_currentSegment = c + 1;
    m_editedProgramKind = kNoEditedProgram;
    NewView(segment, FALSE);
    m_segments.InsertAt(c, segment);
    RenumberSegments();
    NotifyPanel(m_pTreePanel);
    NotifyPanel(m_pPropertyPanel);
    SetModifiedFlag();
}

void CDornelDoc::RenameNode()
{
    NodeInfo* node = m_pSelectedNode;
    if (node == nullptr)
        return;
    NodeInfo* item = nullptr;
    if (node->m_kind == NODE_SEGMENT) {
        if (QvSegmentGourp* segment = GetSegment(node->m_index - 1))
            item = segment->m_pNode;
    } else if (node->m_kind == NODE_VIEW) {
        if (ProgramView* view = GetSegmentView(node->m_index - 1, GetSegment(node->m_parent - 1)))
            item = view->m_pNode;
    } else {
        ProgramView* view = GetSegmentView(node->m_parent - 1, GetSegment(m_currentSegment - 1));
        if (view != nullptr && node->m_index >= 1 && node->m_index <= view->m_programs.GetSize())
            item = view->m_programs.GetAt(node->m_index - 1)->m_pNode;
    }
    if (item == nullptr)
        return;
    CString text = item->m_name;
    // A new name is a change of the project like any other: without the
    // mark, closing the program would drop it without asking.
    if (Host().InputString(text) && text != item->m_name) {
        item->m_name = text;
        SetModifiedFlag();
    }
    NotifyPanel(m_pTreePanel);
    NotifyPanel(m_pPropertyPanel);
}

void CDornelDoc::SetNodeName(int pageKind, const CString& name)
{
    if (m_pSelectedNode == nullptr)
        return;
    NodeInfo* target = nullptr;
    switch (pageKind) {
    case 0:
        if (m_pSelectedNode->m_kind == NODE_SEGMENT) {
            target = m_pSelectedNode;
        } else {
            QvSegmentGourp* segment = GetSegment(m_currentSegment - 1);
            if (segment == nullptr)
                return;
            target = segment->m_pNode;
        }
        break;
    case 1:
        target = m_pSelectedNode->m_kind == NODE_VIEW ? m_pSelectedNode : m_pCurrentViewNode;
        if (target == nullptr)
            return;
        break;
    case 2:
        if (m_pSelectedNode->m_kind == NODE_PROGRAM)
            target = m_pSelectedNode;
        break;
    default:
        break;
    }
    if (target != nullptr && target->m_name != name) {
        target->m_name = name;
        SetModifiedFlag();
    }
    NotifyPanel(m_pTreePanel);
}
