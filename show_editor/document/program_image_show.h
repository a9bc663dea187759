// Image shows: images shown one after another with enter, stay and leave effects.
#pragma once

#include "program.h"

// The images of a show are chosen in a multiple-selection file dialog with
// this filter, whose name buffer takes this many characters: room for
// thousands of files.
constexpr LPCWSTR kImageShowFileFilter = L"Image File(*.JPEG;*.PNG;*.BMP;*.JPG)|*.JPEG;*.PNG;*.BMP;*.JPG;)||";
constexpr DWORD kImageShowNameChars = 2600000;

class ProgramImageShow : public Program {
    DECLARE_DYNCREATE(ProgramImageShow)

public:
    ProgramImageShow() = default;
    ~ProgramImageShow() override = default;

    // A new image show with the source's values (fade times stay 0) and a
    // fresh node record.
    static ProgramImageShow* Clone(const ProgramImageShow* source);
    // Copies the values into target, which keeps its fade times and node record.
    static void CopyFrom(ProgramImageShow* target, const ProgramImageShow* source);

    CStringArray m_imagePaths; // in show order
    int m_backgroundKind = 0; // 0 none, 1 colour, 2 image
    COLORREF m_backgroundColor = 0;
    CString m_backgroundImage;
    int m_backgroundAlign = 0; // 0 centred, 1 fitted, 2 stretched, 3 tiled
    int m_imageAlign = 0; // same codes
    int m_enterEffect = 0; // 0 none, 1 left, 2 right, 3 up, 4 down
    int m_leaveEffect = 0;
    float m_enterTime = 0.0f; // seconds
    float m_leaveTime = 0.0f;
    float m_showingTime = 0.0f;
    int m_enterFrames = 0; // per image
    int m_showingFrames = 0;
    int m_leaveFrames = 0;

private:
    void CopyValues(const ProgramImageShow& source);
};
