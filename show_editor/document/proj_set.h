// The project settings: canvas size, frame rate and frame counts, preview dot
// pattern and background, layout file, four-colour mode and the controller
// hardware configuration in its stored form.
#pragma once

#include <afx.h>

class ProjSet : public CObject {
    DECLARE_DYNCREATE(ProjSet)

public:
    // Size of the stored hardware configuration record. The project carries
    // it as an opaque block; the hardware settings own its fields.
    static constexpr int kHardwareRecordSize = 280;

    ProjSet();
    ~ProjSet() override = default;

    ProjSet(const ProjSet&) = delete;
    ProjSet& operator=(const ProjSet&) = delete;

    // Back to the settings of a new project; the layout-mask flag is a view
    // preference, not part of the project, and keeps its value.
    void ResetToNewProject();
    // Takes every setting of source, the layout-mask flag included.
    void CopyFrom(const ProjSet& source);

    int m_width; // canvas width in pixels
    int m_height;
    int m_frameRate; // frames per second
    int m_totalFrames; // sum of the segments' frames
    int m_playFrames; // how many frames playing, export and recording run
    int m_layoutType; // dot pattern of the preview
    CString m_backgroundImage;
    CString m_layoutFile;
    int m_withResource; // 1: the project keeps copies of its media beside itself
    int m_layoutMask = 1; // non-zero: dots only where the layout has lamps (true -1, false 0); not stored
    int m_colorMode; // four-colour mode
    BYTE m_whiteValue; // white level of the four-colour mode
    BYTE m_hardwareRecord[kHardwareRecordSize];
};
