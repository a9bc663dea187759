// The base of every program kind.
#include "program.h"

IMPLEMENT_DYNAMIC(Program, CObject)

Program::~Program()
{
    delete m_pNode;
}

void Program::SetNode(NodeInfo* node)
{
    if (node == m_pNode)
        return;
    delete m_pNode;
    m_pNode = node;
}

void Program::CopyBaseValues(const Program& source)
{
    m_programType = source.m_programType;
    m_orgFrames = source.m_orgFrames;
    m_vTiles = source.m_vTiles;
    m_hTiles = source.m_hTiles;
    m_startFrame = source.m_startFrame;
    m_endFrame = source.m_endFrame;
    m_startSpeed = source.m_startSpeed;
    m_endSpeed = source.m_endSpeed;
}

void Program::CopyFadeTimes(const Program& source)
{
    m_fadeInTime = source.m_fadeInTime;
    m_fadeOutTime = source.m_fadeOutTime;
}

NodeInfo* Program::NewFreshNode()
{
    return new NodeInfo(-1, 0, CString(), NODE_PROGRAM);
}

NodeInfo* Program::NewNodeAtSamePlace(const Program& source)
{
    if (source.m_pNode == nullptr)
        return NewFreshNode();
    return new NodeInfo(source.m_pNode->m_parent, source.m_pNode->m_index, CString(), NODE_PROGRAM);
}

void FreePrograms(ProgramList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list.GetAt(i);
    list.RemoveAll();
}
