// The project document's tree: paste and delete.
#include "dornel_doc.h"

#include "../engine/drawing_helpers.h"
#include "ce_flicker_star.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_colorful_words.h"
#include "program_image_show.h"
#include "program_trans_effect.h"
#include "program_video.h"

Program* CDornelDoc::CloneForProject(const Program* program) const
{
    if (program == nullptr)
        return nullptr;
    if (program->IsKindOf(RUNTIME_CLASS(ProgramColorFulWords)))
        return ProgramColorFulWords::Clone(static_cast<const ProgramColorFulWords*>(program));
    if (program->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)))
        return ProgramColorEffect::Clone(static_cast<const ProgramColorEffect*>(program));
    if (program->IsKindOf(RUNTIME_CLASS(ProgramTransEffect)))
        return nullptr;
    if (program->IsKindOf(RUNTIME_CLASS(ProgramImageShow)))
        return ProgramImageShow::Clone(static_cast<const ProgramImageShow*>(program));
    if (program->IsKindOf(RUNTIME_CLASS(ProgramVideo)))
        return ProgramVideo::Clone(static_cast<const ProgramVideo*>(program));
    if (program->IsKindOf(RUNTIME_CLASS(ProgramColorEffectPlusArray)))
        return ProgramColorEffectPlusArray::Clone(static_cast<const ProgramColorEffectPlusArray*>(program));
    if (program->IsKindOf(RUNTIME_CLASS(CEFlickerStar)))
        return CEFlickerStar::Clone(static_cast<const CEFlickerStar*>(program));
    return nullptr;
}

void CDornelDoc::CopyViewInto(QvSegmentGourp* target, ProgramView* source)
{
    ProgramView* view = NewView(target, FALSE);
    view->m_projectRect = source->m_projectRect;
    view->m_canvasRect = source->m_canvasRect;
    view->m_pNode->m_name = source->m_pNode->m_name;
    // The source may be this very segment's view: walk a fixed count.
    INT_PTR count = source->m_programs.GetSize();
    for (INT_PTR p = 0; p < count; ++p) {
        if (Program* clone = CloneForProject(source->m_programs.GetAt(p)))
            AddProgramToView(view->m_pNode, clone);
    }
    RecountViewFrames(view);
}

void CDornelDoc::OnPasteNode()
{
    if (m_pCopySourceNode == nullptr) {
        AfxMessageBox(LangText(L"ITEM_TITLE", 283, L"Please Click A Node!"));
        return;
    }
    if (m_pSelectedNode == nullptr)
        return;
    // Copy the source's place first: pasting changes the selection, and the
    // source node may be the selected one.
    const NodeInfo source = *m_pCopySourceNode;
    const NodeInfo selected = *m_pSelectedNode;

    if (source.m_kind == NODE_PROGRAM) {
        if (m_copySourceSegment > 0 && (selected.m_kind == NODE_VIEW || selected.m_kind == NODE_PROGRAM)
            && m_pCurrentViewNode != nullptr) {
            ProgramView* sourceView = GetSegmentView(source.m_parent - 1, GetSegment(m_copySourceSegment - 1));
            NodeInfo* targetNode = m_pCurrentViewNode;
            QvSegmentGourp* targetSegment = GetSegment(targetNode->m_parent - 1);
            ProgramView* targetView = GetSegmentView(targetNode->m_index - 1, targetSegment);
            if (sourceView != nullptr && targetView != nullptr && source.m_index >= 1
                && source.m_index <= sourceView->m_programs.GetSize()) {
                if (Program* clone = CloneForProject(sourceView->m_programs.GetAt(source.m_index - 1))) {
                    AddProgramToView(targetNode, clone);
                    RecountViewFrames(targetView);
                    RecountSegmentFrames(targetSegment);
                }
            }
        }
    } else if (source.m_kind == NODE_VIEW) {
        QvSegmentGourp* target = nullptr;
        if (selected.m_kind == NODE_SEGMENT)
            target = GetSegment(selected.m_index - 1);
        else if (selected.m_kind == NODE_VIEW)
            target = GetSegment(selected.m_parent - 1);
        ProgramView* sourceView = GetSegmentView(source.m_index - 1, GetSegment(source.m_parent - 1));
        if (target != nullptr && sourceView != nullptr) {
            CopyViewInto(target, sourceView);
            RecountSegmentFrames(target);
        }
    } else {
        QvSegmentGourp* sourceSegment = GetSegment(source.m_index - 1);
        if (sourceSegment != nullptr) {
            QvSegmentGourp* segment = NewSegment(FALSE, FALSE);
            INT_PTR count = sourceSegment->m_views.GetSize();
            for (INT_PTR v = 0; v < count; ++v)
                CopyViewInto(segment, sourceSegment->m_views.GetAt(v));
            RecountSegmentFrames(segment);
        }
    }
    NotifyPanel(m_pTreePanel);
    NotifyPanel(m_pPropertyPanel);
}

BOOL CDornelDoc::ConfirmDelete(const NodeInfo* node)
{
    // The name goes where the language puts its "%s" (replaced, not
    // formatted, like the save prompt); a text without one is followed by it.
    CString text = LangText(L"ITEM_TITLE", 146, L"确定删除");
    const CString name = node != nullptr ? node->m_name : CString();
    if (text.Find(L"%s") >= 0)
        text.Replace(L"%s", name);
    else
        text += name;
    return AfxMessageBox(text, MB_YESNO) == IDYES;
}

void CDornelDoc::DeleteProgramAt(ProgramView* view, int index, BOOL confirm)
{
    if (view == nullptr || index < 0 || index >= view->m_programs.GetSize())
        return;
    Program* program = view->m_programs.GetAt(index);
    if (confirm && !ConfirmDelete(program->m_pNode))
        return;
    int played = program->m_endFrame - program->m_startFrame + 1;
    if (m_pSelectedProgram == program)
        m_pSelectedProgram = nullptr;
    DeleteProgram(program);
    view->m_programs.RemoveAt(index);
    view->m_frames -= played;
    for (INT_PTR p = 0; p < view->m_programs.GetSize(); ++p) {
        if (NodeInfo* node = view->m_programs.GetAt(p)->m_pNode)
            node->m_index = static_cast<int>(p) + 1;
    }
    SetModifiedFlag();
}

void CDornelDoc::DeleteViewAt(QvSegmentGourp* segment, int index, BOOL confirm)
{
    if (segment == nullptr || index < 0 || index >= segment->m_views.GetSize())
        return;
    ProgramView* view = segment->m_views.GetAt(index);
    if (confirm && !ConfirmDelete(view->m_pNode))
        return;
    while (view->m_programs.GetSize() > 0)
        DeleteProgramAt(view, 0, FALSE);
    ReleaseDibBuffer(view->m_programBuffer);
    ReleaseDibBuffer(view->m_blendBuffer);
    delete view;
    segment->m_views.RemoveAt(index);
    for (INT_PTR v = 0; v < segment->m_views.GetSize(); ++v) {
        ProgramView* rest = segment->m_views.GetAt(v);
        rest->m_pNode->m_index = static_cast<int>(v) + 1;
        for (INT_PTR p = 0; p < rest->m_programs.GetSize(); ++p) {
            if (NodeInfo* node = rest->m_programs.GetAt(p)->m_pNode)
                node->m_parent = static_cast<int>(v) + 1;
        }
    }
    SetModifiedFlag();
}

void CDornelDoc::DeleteSegmentAt(int index)
{
    QvSegmentGourp* segment = GetSegment(index);
    if (segment == nullptr || !ConfirmDelete(segment->m_pNode))
        return;
    while (segment->m_views.GetSize() > 0)
        DeleteViewAt(segment, 0, FALSE);
    delete segment;
    m_segments.RemoveAt(index);
    RenumberSegments();
    SetModifiedFlag();
}

void CDornelDoc::OnDeleteNode()
{
    NodeInfo* node = m_pSelectedNode;
    if (node == nullptr)
        return;
    QvSegmentGourp* segment = GetSegment(m_currentSegment - 1);
    if (node->m_kind == NODE_SEGMENT) {
        if (segment != nullptr)
            DeleteSegmentAt(m_currentSegment - 1);
    } else if (node->m_kind == NODE_VIEW) {
        if (segment != nullptr) {
            DeleteViewAt(segment, node->m_index - 1, TRUE);
            RecountSegmentFrames(segment);
        }
    } else if (segment != nullptr) {
        ProgramView* view = GetSegmentView(node->m_parent - 1, segment);
        if (view != nullptr) {
            DeleteProgramAt(view, node->m_index - 1, TRUE);
            RecountSegmentFrames(segment);
        }
    }
    int total = 0;
    for (INT_PTR s = 0; s < m_segments.GetSize(); ++s)
        total += m_segments.GetAt(s)->m_pSegmentInfo->m_totalFrames;
    m_projectSettings.m_totalFrames = total;
    m_projectSettings.m_playFrames = total;
    RefreshPanels();
    m_currentSegment = -1;
    m_pSelectedNode = nullptr;
    m_pCurrentViewNode = nullptr;
    m_pCopySourceNode = nullptr;
    // The property panel's program may be gone: never keep a pointer to it.
    m_pSelectedProgram = nullptr;
}
