// Defaults and small helpers of the layout view's project settings.
#include "LayoutProjectSettings.h"

CLayoutProjectSettings::CLayoutProjectSettings()
    : m_lampFormat(L"RGB")
{
}

void CLayoutProjectSettings::SetControllers(int count, int portsPerController)
{
    if (count < 0)
        count = 0;
    m_controllers.SetSize(count);
    for (int i = 0; i < count; ++i)
        m_controllers.SetAt(i, static_cast<WORD>(portsPerController));
    m_controllerCount = count;
}

bool CLayoutProjectSettings::AddRuler(CArray<WORD, WORD>& rulers, WORD position)
{
    if (rulers.GetSize() >= kMaxRulers)
        return false;
    rulers.Add(position);
    return true;
}
