// Views of a segment.
#include "program_view.h"

ProgramView::ProgramView()
    : m_pNode(new NodeInfo(-1, 0, CString(), NODE_VIEW))
{
}

ProgramView::~ProgramView()
{
    FreePrograms(m_programs);
    delete m_pNode;
}

void ProgramView::InitNewView(int segmentNumber, int index, int projectWidth, int projectHeight)
{
    CString name;
    name.Format(L"View_%02d", index);
    SetNode(new NodeInfo(segmentNumber, index, name, NODE_VIEW));
    m_projectRect.SetRect(0, 0, projectWidth, projectHeight);
}

void ProgramView::SetNode(NodeInfo* node)
{
    if (node == m_pNode)
        return;
    delete m_pNode;
    m_pNode = node;
}

void FreeViews(ProgramViewList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    list.RemoveAll();
}
