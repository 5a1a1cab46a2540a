#pragma once

#include "text/Decoration.h"
#include "text/TextClass.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

// Everything FormatLine needs to know of the window, so it needs no window.
struct FormatContext
{
    bool m_timeStamps = true;         // the window's time-stamp toggle
    uint32_t m_colorInfo = 0x6495ED;  // "Color Info"
    uint32_t m_colorText = 0x000000;  // "Color Text"
    uint32_t m_colorHigh = 0x2E8B57;  // "Color High"
    uint32_t m_colorError = 0xB22222; // "Color Error"
    uint32_t m_colorTime = 0x949494;  // "Color Time"
    uint32_t m_background = 0xFFFFFF; // the system colour of window backgrounds
    DecorationContext m_decoration;
};

// The colour of a line of the class (Info for anything above Error).
uint32_t LineColor(TextClass textClass, const FormatContext &context);

// The HTML of one printed line: for Html the text unchanged; otherwise the
// time stamp span (when on; time 0 means now), the class colour span around
// the decorated ConvertToHtml of the text, "</span>" and CR LF.
std::string FormatLine(std::string_view text, TextClass textClass, std::time_t time, const FormatContext &context);
