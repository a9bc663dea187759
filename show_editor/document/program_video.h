// Media programs: a video, SWF or TOL animation file played inside margins.
#pragma once

#include "program.h"

enum MediaKind {
    MEDIA_VIDEO = 0, // through the video decoding library
    MEDIA_SWF = 1,
    MEDIA_TOL = 2,
};

class ProgramVideo : public Program {
    DECLARE_DYNCREATE(ProgramVideo)

public:
    ProgramVideo() = default;
    ~ProgramVideo() override = default;

    // A new media program with the source's values, a node record at the
    // source's place with an empty name, and no decoder of its own yet.
    static ProgramVideo* Clone(const ProgramVideo* source);
    // Copies the values into target, which keeps its node record and decoder.
    static void CopyFrom(ProgramVideo* target, const ProgramVideo* source);

    int m_mediaKind = MEDIA_VIDEO; // MediaKind
    CString m_filePath;
    // Run-time state, never stored: the handle of the open decoder, -1 when
    // none is open. The frame engine opens it on first use and closes it on
    // stop, seek and destruction.
    int m_decoderHandle = -1;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;

private:
    void CopyValues(const ProgramVideo& source);
};
