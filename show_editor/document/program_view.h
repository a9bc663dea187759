// A rectangular view of a segment: the programs it plays one after another,
// its place on the canvas, how it loops and blends, and its two off-screen
// buffers.
#pragma once

#include <afx.h>

#include "dib_buffer.h"
#include "node_info.h"
#include "program.h"

class ProgramView {
public:
    // An empty view record with the defaults of a new view and a node record
    // {-1, 0, empty name, kind view}; the rectangles are empty.
    ProgramView();
    // Frees the programs and the node record. The buffers' GDI objects must
    // have been released by the drawing helpers before.
    ~ProgramView();

    ProgramView(const ProgramView&) = delete;
    ProgramView& operator=(const ProgramView&) = delete;

    // Makes this the view at index (from 1) of segment number: its node record
    // {segment number, index, "View_%02d" of index, kind view} and the project
    // rectangle covering the whole project. The canvas rectangle is the
    // document's to map from it.
    void InitNewView(int segmentNumber, int index, int projectWidth, int projectHeight);

    // Replaces the node record; the view owns the given one.
    void SetNode(NodeInfo* node);

    ProgramList m_programs; // owned, played one after another
    CRect m_projectRect; // place on the project canvas, in project pixels
    CRect m_canvasRect; // the same place on the zoomed preview canvas; not stored
    DibBuffer m_programBuffer; // the program is drawn into it; not stored
    NodeInfo* m_pNode = nullptr; // owned
    int m_frames = 0; // the view's length in frames
    int m_loopPlay = 1; // repeat the programs until the segment ends
    int m_repeatCount = 0; // passes when loop play is off
    DibBuffer m_blendBuffer; // tiles and blending; not stored
    BYTE m_transparency = 255;
    int m_transparentMode = 0; // blend mode 0, 1 or 2
    int m_areaLocked = 0; // the rectangle cannot be moved or resized on the preview
    BYTE m_brightness = 100; // percent
    int m_timeBase = 0; // this view's frames decide the segment's length
    double m_showTime = 0.0; // seconds the view shows when loop play is on
};

using ProgramViewList = CTypedPtrArray<CPtrArray, ProgramView*>;

// Deletes every view of the list and empties it.
void FreeViews(ProgramViewList& list);
