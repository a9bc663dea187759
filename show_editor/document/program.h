// The base of every program kind: the values every kind shares, its tree
// identity and the numbers under which the project file stores the kinds.
// Kinds are told apart by run-time class (IsKindOf), never by the number.
#pragma once

#include <afx.h>

#include "node_info.h"

// The kind number the project file stores; in memory it is informative only.
enum ProgramType {
    PROGRAM_TYPE_COLOR_EFFECT = 0, // colour effects and scan lines
    PROGRAM_TYPE_MEDIA = 1, // video, SWF or TOL file
    PROGRAM_TYPE_COLORFUL_WORDS = 2,
    PROGRAM_TYPE_IMAGE_SHOW = 5,
    PROGRAM_TYPE_COLOR_PLUS_ITEM = 6, // in files only
    PROGRAM_TYPE_COLOR_PLUS = 7, // in files only
    PROGRAM_TYPE_FLICKER_STAR = 8,
};

class Program : public CObject {
    DECLARE_DYNAMIC(Program)

public:
    Program() = default;
    ~Program() override;

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Replaces the node record; the program owns the given one (null for none).
    void SetNode(NodeInfo* node);

    int m_programType = 0; // ProgramType
    int m_orgFrames = 0; // frames that one pass of the content takes
    int m_vTiles = 1; // repetitions from top to bottom of the view
    int m_hTiles = 1; // repetitions from left to right
    int m_startFrame = 1; // first frame of the content that plays, from 1
    int m_endFrame = 1; // last frame; the program occupies end - start + 1 frames
    float m_startSpeed = 1.0f;
    float m_endSpeed = 1.0f;
    int m_fadeInTime = 0; // seconds
    int m_fadeOutTime = 0; // seconds
    NodeInfo* m_pNode = nullptr; // owned, or none

protected:
    // The values every clone and copy carries: kind number, frames of one
    // pass, both tiles, start and end frame and both speeds.
    void CopyBaseValues(const Program& source);
    void CopyFadeTimes(const Program& source);

    // {parent -1, index 0, empty name, kind program}
    static NodeInfo* NewFreshNode();
    // {the source's parent and index (-1 and 0 without a record), empty name, kind program}
    static NodeInfo* NewNodeAtSamePlace(const Program& source);
};

using ProgramList = CTypedPtrArray<CPtrArray, Program*>;

// Deletes every program of the list and empties it.
void FreePrograms(ProgramList& list);
