// Identity of a segment, view or program in the project tree. Tree items, the
// selection and the copy source are these records.
#pragma once

#include <afx.h>

enum NodeKind {
    NODE_SEGMENT = 0,
    NODE_VIEW = 1,
    NODE_PROGRAM = 2,
};

struct NodeInfo {
    NodeInfo() = default;
    NodeInfo(int parent, int index, const CString& name, int kind)
        : m_parent(parent)
        , m_index(index)
        , m_name(name)
        , m_kind(kind)
    {
    }

    int m_parent = 0; // segment number of a view, view index of a program; -1 = none
    int m_index = 0; // position within the parent, counting from 1
    CString m_name;
    int m_kind = NODE_SEGMENT; // NodeKind
};
