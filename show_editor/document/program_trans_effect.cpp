// The transition placeholder program.
#include "program_trans_effect.h"

IMPLEMENT_DYNCREATE(ProgramTransEffect, Program)
