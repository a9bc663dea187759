// The layout view's floating copy of a group of ports (light bars): the copy
// buffer of copy, cut and paste and the chosen layout template. It holds the
// lamps of every port of a source layout moved so that the group starts at
// cell (0, 0), as a base copy that rotations and mirrors change and a
// working copy that is also resized (always afresh from the base).
#pragma once

#include <afx.h>

#include <vector>

#include "LayoutData.h"
#include "LayoutPort.h"

// Transformations of CLightBarTemplate::Transform.
enum TemplateTransform {
    kTemplateRotateClockwise = 1,
    kTemplateRotateCounterClockwise = 2,
    kTemplateRotate180 = 3,
    kTemplateMirrorLeftRight = 4,
    kTemplateMirrorTopBottom = 5,
};

class CLightBarTemplate {
public:
    CLightBarTemplate() = default;
    ~CLightBarTemplate() { Clear(); }
    CLightBarTemplate(const CLightBarTemplate&) = delete;
    CLightBarTemplate& operator=(const CLightBarTemplate&) = delete;

    // Back to an empty template.
    void Clear();
    // Copies every port with lamps of the source. False, with the template
    // left empty, when the source has no lamps in use.
    bool BuildFromLayout(const CLayoutData& source, int mode);
    // Rotates or mirrors both copies (kinds 1 to 5; others do nothing).
    void Transform(int kind);
    // Rebuilds the working cells from the base copy for a new size; a width
    // or height below 1 does nothing.
    void Resize(int newWidth, int newHeight);

    WORD m_templateMode = 0; // chosen by BuildFromLayout, read by the view
    std::vector<LayoutPort> m_ports; // working copy
    std::vector<WORD> m_portList; // source port number of each template port
    int m_width = 0;
    int m_height = 0;
    int m_left = 0; // smallest source cell x
    int m_top = 0; // smallest source cell y
    double m_leastNormX = 0;
    double m_leastNormY = 0;
    int m_referencePoint = 0; // 0 to 8: the point the position dialog edits
    int m_baseWidth = 0;
    int m_baseHeight = 0;
    std::vector<LayoutPort> m_basePorts; // never resized

private:
    // New working coordinate of each base coordinate along one axis.
    static std::vector<int> MapAxis(int baseSize, int newSize, int& storedSize);
};
