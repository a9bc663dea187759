// Clearing a controller's layout record (see ControllerLayout.h).
#include "ControllerLayout.h"

void ControllerLayout::Clear()
{
    m_outputs.clear();
    for (auto& list : m_lampLists) {
        list.clear();
        list.shrink_to_fit();
    }
    m_lampCounts.fill(0);
    for (auto& format : m_lampFormats)
        format.Empty();
    m_ports = 0;
    m_largestLampCount = 0;
}
