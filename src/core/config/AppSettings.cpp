#include "config/AppSettings.h"

#include "text/FormatLine.h"

void ApplySettings(FormatContext &context, const AppSettings &settings)
{
    context.m_colorInfo = settings.m_colorInfo;
    context.m_colorText = settings.m_colorText;
    context.m_colorHigh = settings.m_colorHigh;
    context.m_colorError = settings.m_colorError;
    context.m_colorTime = settings.m_colorTime;
    context.m_background = settings.m_colorWindow;
    context.m_decoration.m_hiLighting = settings.m_highlighting;
    context.m_decoration.m_colorMyText = settings.m_colorMyText;
    context.m_decoration.m_colorABText = settings.m_colorABText;
}
