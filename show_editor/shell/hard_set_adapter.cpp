// The output library's hardware settings dialog as the shell uses it.
#include "hard_set_adapter.h"

CHardSetAdapter::CHardSetAdapter(HardwareConfig& config)
    : m_dialog(config)
{
}

void CHardSetAdapter::SetConfigTextSource(ConfigTextSource source)
{
    m_textSource = source;
    m_dialog.SetConfigTextSource(std::move(source));
}
