// The project document: segments of older project files (one media or
// colour-effect program and one colourful text each, no views) turned into
// segments with one view per program.
#include "dornel_doc.h"

#include "program_color_effect.h"
#include "program_colorful_words.h"
#include "program_video.h"

void CDornelDoc::ConvertLegacySegments(CDornelDoc* doc, LegacySegmentList& legacy)
{
    if (doc == nullptr)
        return;
    for (INT_PTR i = 0; i < legacy.GetSize(); ++i) {
        SegmentGourp* old = legacy.GetAt(i);
        QvSegmentGourp* segment = doc->NewSegment(FALSE, TRUE);
        // The segment's play-time schedule (the whole stored record) goes to
        // the cards with the show: converting must not reset it.
        if (old->m_timePlayRead)
            segment->m_pSegmentInfo->m_timePlay = old->m_pSegmentInfo->m_timePlay;

        if (Program* program = old->m_pProgram) {
            program->SetNode(new NodeInfo(-1, 0, CString(), NODE_PROGRAM));
            ProgramView* view = doc->NewView(segment, FALSE);
            Program* clone = nullptr;
            if (program->m_programType == PROGRAM_TYPE_MEDIA && program->IsKindOf(RUNTIME_CLASS(ProgramVideo)))
                clone = ProgramVideo::Clone(static_cast<ProgramVideo*>(program));
            else if (program->m_programType == PROGRAM_TYPE_COLOR_EFFECT
                && program->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)))
                clone = ProgramColorEffect::Clone(static_cast<ProgramColorEffect*>(program));
            if (clone != nullptr)
                doc->AddProgramToView(view->m_pNode, clone);
            program->SetNode(nullptr);
            doc->RecountViewFrames(view);
        }

        if (ProgramColorFulWords* words = old->m_pWords) {
            words->SetNode(new NodeInfo(-1, 0, CString(), NODE_PROGRAM));
            if (words->m_pTexture != nullptr)
                words->m_pTexture->SetNode(new NodeInfo(-1, 0, CString(), NODE_PROGRAM));
            ProgramColorFulWords* clone = ProgramColorFulWords::Clone(words);
            ProgramView* view = doc->NewView(segment, FALSE);
            doc->AddProgramToView(view->m_pNode, clone);
            words->SetNode(nullptr);
            if (words->m_pTexture != nullptr)
                words->m_pTexture->SetNode(nullptr);
            doc->RecountViewFrames(view);
        }

        doc->RecountSegmentFrames(segment);
    }
}

void CDornelDoc::FreeLegacySegments(LegacySegmentList& legacy)
{
    // Each record frees its schedule, programs (with their templates and
    // textures) and view list itself.
    for (INT_PTR i = 0; i < legacy.GetSize(); ++i)
        delete legacy.GetAt(i);
    legacy.RemoveAll();
}
