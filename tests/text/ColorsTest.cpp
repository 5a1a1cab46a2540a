#include "text/Colors.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Colors, TableColumnsDifferWhereTheProgramNeedsThem)
{
    EXPECT_STREQ(ColorName(0), "White");
    EXPECT_STREQ(ColorName(4), "Red");
    EXPECT_STREQ(ColorName(7), "FFA500");
    EXPECT_STREQ(ColorName(15), "Silver");
    EXPECT_EQ(IndexToColor(7), 0xFF8000u);
    EXPECT_EQ(IndexToColor(15), 0xDCDCDCu);
    EXPECT_EQ(IndexToColor(2), 0x000080u);
    EXPECT_STREQ(ColorMenuLabel(1), "Čierna");
    EXPECT_STREQ(ColorMenuLabel(10), "Tyrkysovo modrá");
}

TEST(Colors, IndexOutsideTableGivesWhiteNameAndBlackValue)
{
    for (int index : {-1, 16, 99, 1000}) {
        EXPECT_STREQ(ColorName(index), "White") << index;
        EXPECT_EQ(IndexToColor(index), 0u) << index;
        EXPECT_STREQ(ColorMenuLabel(index), "") << index;
    }
}

TEST(Colors, ColorToIndexFindsExactEditorValues)
{
    EXPECT_EQ(ColorToIndex(0x000000, -1), 1);
    EXPECT_EQ(ColorToIndex(0xFFFFFF, -1), 0);
    EXPECT_EQ(ColorToIndex(0xFF8000, -1), 7);
    EXPECT_EQ(ColorToIndex(0xFFA500, -1), -1); // the HTML orange is not an editor value
    EXPECT_EQ(ColorToIndex(0xC0C0C0, 3), 3);
    for (int index = 0; index < kIrcColorCount; ++index)
        EXPECT_EQ(ColorToIndex(IndexToColor(index), -1), index);
}

TEST(Colors, HexFormWritesUpperCaseAndWhiteAsTransparent)
{
    EXPECT_EQ(ColorToHex(0xFFFFFF), "transparent");
    EXPECT_EQ(ColorToHex(0xFF0000), "FF0000");
    EXPECT_EQ(ColorToHex(0x00000A), "00000A");
    EXPECT_EQ(ColorToHex(0xabcdef), "ABCDEF");
}

TEST(Colors, HexToColorReadsExactlySixDigits)
{
    EXPECT_EQ(HexToColor("FF0000"), 0xFF0000u);
    EXPECT_EQ(HexToColor("00ff80"), 0x00FF80u);
    EXPECT_EQ(HexToColor("FFFFF"), 0u);
    EXPECT_EQ(HexToColor("FFFFFFF"), 0u);
    EXPECT_EQ(HexToColor(""), 0u);
    EXPECT_EQ(HexToColor("transparent"), 0u);
    EXPECT_EQ(HexToColor("GG0000"), 0u);
    for (uint32_t rgb : {0x000000u, 0x123456u, 0xFEFEFEu, 0x0000FFu})
        EXPECT_EQ(HexToColor(ColorToHex(rgb)), rgb);
}

} // namespace
