#include "ConfigFixture.h"

TEST_F(ConfigTest, BooleansAreTrueOnlyForTrueOrOne)
{
    writeRaw("[Base]\na=True\nb=true\nc=TRUE\nd=1\ne=yes\nf=0\ng=11\nh= 1 \ni=\n");
    for (const char *key : {"a", "b", "c", "d", "h"})
        EXPECT_TRUE(ReadBool(key)) << key;
    for (const char *key : {"e", "f", "g", "i", "missing"})
        EXPECT_FALSE(ReadBool(key)) << key;

    bool nonEmpty = true;
    EXPECT_FALSE(ReadBool(kBaseSection, "i", &nonEmpty));
    EXPECT_FALSE(nonEmpty);
    EXPECT_FALSE(ReadBool(kBaseSection, "missing", &nonEmpty));
    EXPECT_FALSE(nonEmpty);
    EXPECT_FALSE(ReadBool(kBaseSection, "f", &nonEmpty));
    EXPECT_TRUE(nonEmpty);
}

TEST_F(ConfigTest, IntegersReadTheLeadingDigits)
{
    writeRaw("[Base]\na=42\nb=-7\nc=12abc\nd=abc\ne=\nf=99999999999\ng=-99999999999\nh=+5\n");
    EXPECT_EQ(ReadInt("a"), 42);
    EXPECT_EQ(ReadInt("b"), -7);
    EXPECT_EQ(ReadInt("c"), 12);
    EXPECT_EQ(ReadInt("d"), 0);
    EXPECT_EQ(ReadInt("e"), 0);
    EXPECT_EQ(ReadInt("missing"), 0);
    EXPECT_EQ(ReadInt("f"), INT_MAX);
    EXPECT_EQ(ReadInt("g"), INT_MIN);
    EXPECT_EQ(ReadInt("h"), 5);
}

TEST(ColourTest, ParsesSixHexDigitsAndNothingElse)
{
    struct Row
    {
        const char *text;
        uint32_t colour;
    };
    const Row rows[] = {
        {"ff0000", 0xFF0000}, {"6495ED", 0x6495ED}, {"000000", 0}, {"FFFFFF", 0xFFFFFF},
        {"FF00", 0},          {"FF00000", 0},       {"", 0},       {"zz8000", 0x008000},
        {"1z00FF", 0x0100FF}, {"#12345", 0x002345},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ParseColour(row.text), row.colour) << row.text;
}

TEST(ColourTest, FormatsUpperCaseAndRoundTrips)
{
    EXPECT_EQ(FormatColour(0x6495ED), "6495ED");
    EXPECT_EQ(FormatColour(0x00000A), "00000A");
    EXPECT_EQ(FormatColour(0), "000000");
    for (uint32_t colour : {0x123456u, 0xABCDEFu, 0x0066CCu})
        EXPECT_EQ(ParseColour(FormatColour(colour)), colour);
}

TEST_F(ConfigTest, ColourKeysFallBackOnlyWhenMissingOrEmpty)
{
    writeRaw("[Base]\nColor Text=FF00\nColor Info=\nColor High=ff0000\n");
    EXPECT_EQ(ReadColour(kBaseSection, "Color Text", 0x123456), 0u);
    EXPECT_EQ(ReadColour(kBaseSection, "Color Info", 0x6495ED), 0x6495EDu);
    EXPECT_EQ(ReadColour(kBaseSection, "Color Error", 0xB22222), 0xB22222u);
    EXPECT_EQ(ReadColour(kBaseSection, "Color High", 0), 0xFF0000u);
    ASSERT_TRUE(WriteColour(kBaseSection, "Color High", 0x2e8b57));
    EXPECT_EQ(ReadString("Color High"), "2E8B57");
}

TEST(RecordTest, FieldsBetweenSeparators)
{
    const std::string server = "irc.example.org 6667 1";
    EXPECT_EQ(RecordField(server, 1), "irc.example.org");
    EXPECT_EQ(RecordField(server, 2), "6667");
    EXPECT_EQ(RecordField(server, 3), "1");
    EXPECT_EQ(RecordField(server, 4), "");
    EXPECT_EQ(RecordField(server, 0), "");
    EXPECT_EQ(RecordField(server, -1), "");

    EXPECT_EQ(RecordField("a  c", 2), "");
    EXPECT_EQ(RecordField("a  c", 3), "c");
    EXPECT_EQ(RecordField("a ", 2), "");
    EXPECT_EQ(RecordField("", 1), "");
    EXPECT_EQ(RecordField("h 6667 1 extra", 3), "1");

    const std::string contact = "3\t*!*@host\tmy friend\t";
    EXPECT_EQ(RecordField(contact, 1, '\t'), "3");
    EXPECT_EQ(RecordField(contact, 2, '\t'), "*!*@host");
    EXPECT_EQ(RecordField(contact, 3, '\t'), "my friend");
    EXPECT_EQ(RecordField(contact, 4, '\t'), "");
}

TEST(RecordTest, RestKeepsSeparators)
{
    const std::string data = "nick user 1 0 Ferko  Mrkva ";
    EXPECT_EQ(RecordRest(data, 5), "Ferko  Mrkva ");
    EXPECT_EQ(RecordRest(data, 2), "user 1 0 Ferko  Mrkva ");
    EXPECT_EQ(RecordRest(data, 1), data);
    EXPECT_EQ(RecordRest(data, 9), "");
    EXPECT_EQ(RecordRest("a b", 3), "");
    EXPECT_EQ(RecordRest("a b ", 3), "");
    EXPECT_EQ(RecordRest(data, 0), "");
}

TEST_F(ConfigTest, ServerRecordsFromTheFileInFileOrder)
{
    ASSERT_TRUE(WriteString("Servers", "Zeta", std::string("z.example 6667 1 trailing")));
    ASSERT_TRUE(WriteString("Servers", "Alfa", std::string("a.example 7000")));
    ASSERT_TRUE(WriteString("Servers Data", "Zeta", std::string("nick mail 1 0 Ferko Mrkva")));
    std::vector<std::string> names;
    ASSERT_EQ(ReadSectionKeys("Servers", names), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "Alfa"}));
    EXPECT_EQ(RecordField(ReadString("Servers", names[0]), 3), "1");
    EXPECT_EQ(RecordField(ReadString("Servers", names[1]), 3), "");

    // A nick change rewrites field 1 and keeps the rest.
    const std::string data = ReadString("Servers Data", "Zeta");
    ASSERT_TRUE(WriteString("Servers Data", "Zeta", "novy " + RecordRest(data, 2)));
    EXPECT_EQ(RecordRest(ReadString("Servers Data", "zeta"), 5), "Ferko Mrkva");

    // Deleting a server leaves its channel group for a server of the same name.
    ASSERT_TRUE(WriteString("Channels Group Zeta", "#brimo", std::string("#brimo 1")));
    ASSERT_TRUE(WriteString("Servers", "Zeta"));
    ASSERT_TRUE(WriteString("Servers Data", "Zeta"));
    ASSERT_TRUE(WriteString("Servers", "Zeta", std::string("z.example 6667 0")));
    std::vector<std::string> channels;
    ASSERT_EQ(ReadSectionKeys("Channels Group Zeta", channels), 1);
    EXPECT_EQ(RecordField(ReadString("Channels Group Zeta", channels[0]), 2), "1");
}
