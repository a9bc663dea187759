// Segments of the show (QvSegmentGourp) and the older segment record of
// projects without a version (SegmentGourp), which only the legacy reader
// fills and which is converted into segments afterwards.
#pragma once

#include <afx.h>

#include "node_info.h"
#include "program.h"
#include "program_view.h"
#include "segment_info.h"

class ProgramColorFulWords;

class QvSegmentGourp {
public:
    // A segment record with a zeroed SegmentInfo (schedule all zero), no
    // views, node record {-1, 0, empty name, kind segment}, four-colour mode
    // 0 and white value 0.
    QvSegmentGourp();
    // Frees its SegmentInfo, views (with their programs) and node record.
    ~QvSegmentGourp();

    QvSegmentGourp(const QvSegmentGourp&) = delete;
    QvSegmentGourp& operator=(const QvSegmentGourp&) = delete;

    // Replaces the node record; the segment owns the given one.
    void SetNode(NodeInfo* node);

    SegmentInfo* m_pSegmentInfo; // owned
    ProgramViewList m_views; // owned, composed in list order
    NodeInfo* m_pNode; // owned: {-1, the segment's number, name, kind segment}
    int m_fourColorMode = 0; // used when the segment's frames are recorded
    BYTE m_whiteValue = 0;
};

using SegmentList = CTypedPtrArray<CPtrArray, QvSegmentGourp*>;

// Deletes every segment of the list and empties it.
void FreeSegments(SegmentList& list);

class SegmentGourp {
public:
    // A zeroed SegmentInfo and empty slots.
    SegmentGourp();
    // Frees whatever it still owns; a conversion that takes a member over
    // sets the member to null first.
    ~SegmentGourp();

    SegmentGourp(const SegmentGourp&) = delete;
    SegmentGourp& operator=(const SegmentGourp&) = delete;

    SegmentInfo* m_pSegmentInfo; // owned
    Program* m_pProgram = nullptr; // owned media or colour-effect program, or none
    ProgramColorFulWords* m_pWords = nullptr; // owned colourful-words program, or none
    Program* m_pOther = nullptr; // further slot, left empty by the legacy reader
    ProgramViewList m_views; // owned, left empty by the legacy reader
    bool m_timePlayRead = false; // the file gave the segment's play-time schedule
};
