#include "text/FormatLine.h"

#include "text/IrcCodes.h"

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
