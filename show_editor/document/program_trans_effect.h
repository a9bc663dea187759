// A transition placeholder program: never stored, and the frame engine draws
// nothing for it.
#pragma once

#include "program.h"

class ProgramTransEffect : public Program {
    DECLARE_DYNCREATE(ProgramTransEffect)

public:
    ProgramTransEffect() = default;
    ~ProgramTransEffect() override = default;

    int m_transEffect = 0; // the transition's code
};
