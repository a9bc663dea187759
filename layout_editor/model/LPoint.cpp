// Lamp point of the layout editor.
#include "LPoint.h"

void CLPoint::Set(int cellX, int cellY, double normX, double normY, BYTE spare, int placeMark, int flags)
{
    x = cellX;
    y = cellY;
    m_normX = normX;
    m_normY = normY;
    m_spare = spare;
    m_placeMark = placeMark;
    m_lampFormat = static_cast<BYTE>(flags & 0xFF);
    m_masked = static_cast<BYTE>((flags >> 8) & 0xFF);
    m_layer = static_cast<BYTE>((flags >> 16) & 0xFF);
}
