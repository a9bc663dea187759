// Segments of the show and the legacy segment record.
#include "segment.h"

#include "program_colorful_words.h"

QvSegmentGourp::QvSegmentGourp()
    : m_pSegmentInfo(new SegmentInfo)
    , m_pNode(new NodeInfo(-1, 0, CString(), NODE_SEGMENT))
{
}

QvSegmentGourp::~QvSegmentGourp()
{
    FreeViews(m_views);
    delete m_pSegmentInfo;
    delete m_pNode;
}

void QvSegmentGourp::SetNode(NodeInfo* node)
{
    if (node == m_pNode)
        return;
    delete m_pNode;
    m_pNode = node;
}

void FreeSegments(SegmentList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    list.RemoveAll();
}

SegmentGourp::SegmentGourp()
    : m_pSegmentInfo(new SegmentInfo)
{
}

SegmentGourp::~SegmentGourp()
{
    FreeViews(m_views);
    delete m_pSegmentInfo;
    delete m_pProgram;
    delete m_pWords;
    delete m_pOther;
}
