#include "text/FormatLine.h"

#include "config/AppSettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

namespace {

std::time_t LocalTime(int hour, int minute)
{
    std::tm parts{};
    parts.tm_year = 2024 - 1900;
    parts.tm_mon = 2;
    parts.tm_mday = 14;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

TEST(FormatLine, TextLineAtNineOhFiveMatchesTheProgramsHtmlByteForByte)
{
    FormatContext context; // default colours, white window background
    EXPECT_EQ(FormatLine("hi", TextClass::Text, LocalTime(9, 5), context),
              "<span style='z-index: 5; background-color: transparent; color: #949494;'>[09:05]</span> "
              "<span style='background-color: #transparent; color: #000000;'>hi</span>\r\n");
}

TEST(FormatLine, HtmlClassIsWrittenUnchangedWithoutStampOrLineEnd)
{
    FormatContext context;
    const std::string html = "<span id='/dcc chat connect 1 2' style='cursor:hand;'>x & <b>y</span>";
    EXPECT_EQ(FormatLine(html, TextClass::Html, LocalTime(9, 5), context), html);
}

TEST(FormatLine, EachClassTakesItsColourAndUnknownClassesTakeInfo)
{
    FormatContext context;
    context.m_timeStamps = false;
    context.m_colorInfo = 0x010203;
    context.m_colorText = 0x040506;
    context.m_colorHigh = 0x070809;
    context.m_colorError = 0x0A0B0C;
    context.m_background = 0x102030;
    const auto line = [&](int textClass) { return FormatLine("x", static_cast<TextClass>(textClass), 0, context); };
    EXPECT_EQ(line(0), "<span style='background-color: #102030; color: #010203;'>x</span>\r\n");
    EXPECT_EQ(line(1), "<span style='background-color: #102030; color: #040506;'>x</span>\r\n");
    EXPECT_EQ(line(2), "<span style='background-color: #102030; color: #070809;'>x</span>\r\n");
    EXPECT_EQ(line(3), "<span style='background-color: #102030; color: #0A0B0C;'>x</span>\r\n");
    EXPECT_EQ(line(7), line(0));
}

TEST(FormatLine, TimeStampUsesTheGivenTimeAndItsBackgroundHasNoHash)
{
    FormatContext context;
    context.m_background = 0xABCDEF;
    context.m_colorTime = 0x123456;
    const std::string line = FormatLine("x", TextClass::Info, LocalTime(23, 59), context);
    EXPECT_EQ(line.rfind("<span style='z-index: 5; background-color: ABCDEF; color: #123456;'>[23:59]</span> ", 0), 0u);
}

TEST(FormatLine, TimeZeroMeansNow)
{
    FormatContext context;
    const std::time_t before = std::time(nullptr);
    const std::string line = FormatLine("x", TextClass::Info, 0, context);
    const std::time_t after = std::time(nullptr);
    const auto stamp = [](std::time_t t) {
        std::tm local{};
        localtime_r(&t, &local);
        char text[8];
        std::snprintf(text, sizeof text, "[%02d:%02d]", local.tm_hour, local.tm_min);
        return std::string(text);
    };
    // The minute may turn between the two readings: either stamp is right.
    EXPECT_TRUE(line.find(stamp(before)) != std::string::npos || line.find(stamp(after)) != std::string::npos) << line;
}

TEST(FormatLine, IrcCodesAreConvertedAndTheLineIsDecorated)
{
    FormatContext context;
    context.m_timeStamps = false;
    const std::string line = FormatLine("\x02"
                                        "a\x02 #x <b>",
                                        TextClass::Text, 0, context);
    EXPECT_EQ(line,
              "<span style='background-color: #transparent; color: #000000;'><b>a</b> "
              "<span id='/join #x' title='Klikni a vstúpiš na kanál #x' style='cursor: hand;'>#x</span> "
              "&lt;b&gt;</span>\r\n");
}

TEST(FormatLine, ApplySettingsCopiesColoursAndHighlighting)
{
    AppSettings settings;
    settings.m_colorText = 0x111111;
    settings.m_colorWindow = 0xEEEEEE;
    settings.m_highlighting = true;
    settings.m_colorMyText = 0x222222;
    FormatContext context;
    ApplySettings(context, settings);
    EXPECT_EQ(LineColor(TextClass::Text, context), 0x111111u);
    EXPECT_EQ(context.m_background, 0xEEEEEEu);
    EXPECT_TRUE(context.m_decoration.m_hiLighting);
    EXPECT_EQ(context.m_decoration.m_colorMyText, 0x222222u);
}

} // namespace
