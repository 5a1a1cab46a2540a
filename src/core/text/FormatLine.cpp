#include "text/FormatLine.h"

#include "config/AppSettings.h"
#include "text/IrcCodes.h"

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

uint32_t LineColor(TextClass textClass, const FormatContext &context)
{
    switch (textClass) {
    case TextClass::Text:
        return context.m_colorText;
    case TextClass::High:
        return context.m_colorHigh;
    case TextClass::Error:
        return context.m_colorError;
    default:
        return context.m_colorInfo;
    }
}

std::string FormatLine(std::string_view text, TextClass textClass, std::time_t time, const FormatContext &context)
{
    if (static_cast<int>(textClass) < 0)
        return std::string(text);
    std::string line;
    line.reserve(text.size() * 2 + 160);
    if (context.m_timeStamps)
        line += TimeStampSpan(time, context.m_background, context.m_colorTime);
    line += ClassColorSpan(context.m_background, LineColor(textClass, context));
    thread_local std::string converted;
    converted.clear();
    AppendHtml(converted, text);
    AppendDecoratedLine(line, converted, context.m_decoration);
    line += "</span>\r\n";
    return line;
}
