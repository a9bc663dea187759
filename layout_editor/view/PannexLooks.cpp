// Colour schemes of the visual-style commands (see PannexLooks.h).
#include "PannexLooks.h"

#include "PannexResource.h"

PannexLook PannexLookOf(UINT command)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    switch (command) {
    case ID_VIEW_APPLOOK_WIN_2000:
    case ID_VIEW_APPLOOK_OFF_XP:
    case ID_VIEW_APPLOOK_WIN_XP:
        return { face, face, face };
    case ID_VIEW_APPLOOK_OFF_2003:
        return { RGB(196, 218, 250), RGB(216, 231, 252), RGB(158, 190, 245) };
    case ID_VIEW_APPLOOK_VS_2005:
    case ID_VIEW_APPLOOK_VS_2008:
        return { RGB(229, 229, 215), RGB(240, 240, 234), RGB(219, 216, 209) };
    case ID_VIEW_APPLOOK_OFF_2007_BLACK:
        return { RGB(160, 164, 170), RGB(190, 193, 198), RGB(120, 124, 130) };
    case ID_VIEW_APPLOOK_OFF_2007_SILVER:
        return { RGB(221, 224, 231), RGB(236, 238, 242), RGB(200, 205, 215) };
    case ID_VIEW_APPLOOK_OFF_2007_AQUA:
        return { RGB(200, 232, 236), RGB(222, 243, 245), RGB(150, 210, 218) };
    case ID_VIEW_APPLOOK_WINDOWS_7:
        return { RGB(233, 238, 245), RGB(245, 247, 250), RGB(219, 229, 241) };
    case ID_VIEW_APPLOOK_OFF_2007_BLUE:
    default:
        return { RGB(191, 219, 255), RGB(214, 232, 255), RGB(171, 199, 236) };
    }
}
