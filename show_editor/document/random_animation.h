// Settings of a random-blocks Zazez Urad item with the blocks its renderer builds.
#pragma once

#include <afx.h>

struct RandomElement {
    int m_x = 0;
    int m_y = 0;
    int m_phase = 0;
};

class RandomAnimation {
public:
    RandomAnimation() = default;

    // Takes the six settings of source; the blocks are not copied (the
    // renderer rebuilds them).
    void CopySettings(const RandomAnimation& source);

    int m_blockWidth = 1;
    int m_blockHeight = 1;
    int m_changeSpan = 1;
    int m_lightingType = 0; // 1 breathing
    int m_dotShape = 0; // 0 rectangle, 1 circle, 2 sphere
    int m_dotCount = 1;
    CArray<RandomElement, const RandomElement&> m_blocks; // not stored

private:
    RandomAnimation(const RandomAnimation&) = delete;
    RandomAnimation& operator=(const RandomAnimation&) = delete;
};
