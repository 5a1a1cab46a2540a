// File names of logs: safe on every file system, and never two names in one.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "history/LogDayFile.h"
#include "history/LogFileName.h"

namespace {

TEST(SafeFileName, KeepsOrdinaryNamesAsTheyAre)
{
    EXPECT_EQ(SafeFileName("#brimo"), "#brimo");
    EXPECT_EQ(SafeFileName("bob[away]"), "bob[away]");
    EXPECT_EQ(SafeFileName("#čaj-a-káva"), "#čaj-a-káva");
    EXPECT_EQ(SafeFileName("Libera Chat"), "Libera Chat");
    EXPECT_EQ(SafeFileName("console"), "console");
    EXPECT_EQ(SafeFileName("com10"), "com10");
}

TEST(SafeFileName, EscapesSeparatorsDotsControlsAndWhatWindowsRefuses)
{
    EXPECT_EQ(SafeFileName("#a/b"), "#a%2Fb");
    EXPECT_EQ(SafeFileName("#a\\b"), "#a%5Cb");
    EXPECT_EQ(SafeFileName(".."), "%2E%2E");
    EXPECT_EQ(SafeFileName("."), "%2E");
    EXPECT_EQ(SafeFileName(".hidden"), "%2Ehidden");
    EXPECT_EQ(SafeFileName("#a\x01z\x7f"), "#a%01z%7F");
    EXPECT_EQ(SafeFileName("#a:b*c?d\"e<f>g|h"), "#a%3Ab%2Ac%3Fd%22e%3Cf%3Eg%7Ch");
    EXPECT_EQ(SafeFileName("#end."), "#end%2E");
    EXPECT_EQ(SafeFileName("#end "), "#end%20");
    EXPECT_EQ(SafeFileName("50%"), "50%25");
    EXPECT_EQ(SafeFileName(""), "%");
}

TEST(SafeFileName, NamesWindowsKeepsForDevicesGetTheirFirstLetterEscaped)
{
    EXPECT_EQ(SafeFileName("con"), "%63on");
    EXPECT_EQ(SafeFileName("NUL"), "%4EUL");
    EXPECT_EQ(SafeFileName("aux.log"), "%61ux.log");
    EXPECT_EQ(SafeFileName("COM1"), "%43OM1");
    EXPECT_EQ(SafeFileName("lpt9"), "%6Cpt9");
    EXPECT_EQ(SafeFileName("prn"), "%70rn");
}

TEST(SafeFileName, DifferentNamesNeverShareAFile)
{
    const char *names[] = {"#a/b", "#a%2Fb", "#a%2fb", "con", "%63on", "..", "%2E%2E", ".",   "%2E",
                           "",     "%",      "%25",    "a.",  "a%2E",  "a",  "a ",     "a%20"};
    std::set<std::string> files;
    for (const char *name : names) {
        const std::string file = SafeFileName(name);
        EXPECT_TRUE(files.insert(file).second) << name << " -> " << file;
        EXPECT_EQ(file.find('/'), std::string::npos);
        EXPECT_NE(file, ".");
        EXPECT_NE(file, "..");
    }
}

TEST(SafeFileName, TheNameIsReadBackFromTheFileName)
{
    const char *names[] = {"#a/b",
                           "#a%2Fb",
                           "con",
                           "..",
                           ".hidden",
                           "#end ",
                           "50%",
                           "",
                           "#čaj-a-káva",
                           "a\x01"
                           "b"};
    for (const char *name : names)
        EXPECT_EQ(NameOfSafeFileName(SafeFileName(name)), name) << SafeFileName(name);
    // What SafeFileName never writes stays as it is.
    EXPECT_EQ(NameOfSafeFileName("%zz%4"), "%zz%4");
}

TEST(LogDayFile, PathsUnderTheFolderNameANetworkAWindowAndADay)
{
    const LogDayFile file{"Libera%20Chat", "%23a%2Fb", "2026-12-07"};
    EXPECT_EQ(file.PathIn("/l"), "/l/Libera%20Chat/%23a%2Fb/2026-12-07.log");
    EXPECT_EQ(LogDayFile::OfPath("/l", "/l/Libera%20Chat/%23a%2Fb/2026-12-07.log"), file);
    EXPECT_EQ(file.WindowName(), "#a/b");
    for (const char *other : {"/l/net/win/2026-12-07.txt", "/l/net/win/2026-13-07.log", "/l/net/2026-12-07.log",
                              "/l/net/win/x/2026-12-07.log", "/other/net/win/2026-12-07.log", "/l//win/2026-12-07.log",
                              "/lx/net/win/2026-12-07.log", "/l/index.sqlite"})
        EXPECT_FALSE(LogDayFile::OfPath("/l", other)) << other;
}

} // namespace
