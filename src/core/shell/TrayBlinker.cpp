#include "shell/TrayBlinker.h"

TrayBlinker::Icon TrayBlinker::Cycle(bool activity)
{
    if (!activity) {
        m_counter = 0;
        m_icon = Icon::Normal;
        return m_icon;
    }
    if (m_counter > 10)
        m_counter = 0;
    if (m_counter == 0)
        m_icon = Icon::Normal;
    else if (m_counter == 5)
        m_icon = Icon::Blink;
    ++m_counter;
    return m_icon;
}
