// Flicker stars: dots or squares that brighten, fade and reappear at random
// places. Each call draws the program's current state and advances it by one
// frame (phases and star positions are kept in the program), so what a frame
// shows depends on the frames drawn before it. Stars that finish a cycle move
// to places drawn from the C runtime's rand(), shared with every other user
// on the thread. Needs GDI+ started.
#pragma once

#include "ce_flicker_star.h"

#include <afx_gdi.h>

// Phases run from 0 to 509: brightness rises to 255 at phase 255 and falls back.
constexpr int kFlickerPhaseCycle = 510;

// Draws the stars over the clip box and advances them by one frame; returns 1.
int DrawFlickerStars(CDC* pDC, CEFlickerStar& stars);
