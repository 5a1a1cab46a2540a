#include "input/InputCommandEntries.h"
#include "commands/CommandHelp.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(CommandHelpTest, HasOneLinePerCommandOfTheCommandTable)
{
    const char *const commands[] = {
        "connect", "server", "quit",      "close", "nick",  "reguser", "search", "join",     "msg",      "notice",
        "debug",   "query",  "servermsg", "quote", "help",  "timer",   "who",    "whois",    "mode",     "load",
        "unload",  "dcc",    "ignore",    "link",  "topic", "away",    "action", "favorite", "reconnect"};
    const std::vector<std::string> &lines = CommandHelp::Lines();
    EXPECT_EQ(lines.size(), std::size(commands));
    for (const char *command : commands) {
        const bool listed = std::any_of(lines.begin(), lines.end(), [&](const std::string &line) {
            std::string name, description;
            CommandHelp::SplitLine(line, name, description);
            return name == command;
        });
        EXPECT_TRUE(listed) << command;
    }
}

TEST(CommandHelpTest, DescriptionsAreTheProgramsTexts)
{
    EXPECT_EQ(CommandHelp::Description("quit"), "Príkaz quit ukončí spojenie.");
    EXPECT_EQ(CommandHelp::Description("JOIN"),
              "Príkaz join sa používa na vstup do diskusného kanálu. Napr. /join #pohoda vstúpiš na kanál pohoda.");
    EXPECT_EQ(CommandHelp::Description("debug"), "Otvorí okno pre vývojárov\\n\\nViac sa dozvieš v pomocníkovy.");
    EXPECT_EQ(CommandHelp::Description("action"),
              "Zobrazí špecialny text, napríklad ak chcete na niečo upozorniť atd... použi aj jednoduchší "
              "príkaz \"me\" napr.: /me idem spat");
    EXPECT_EQ(CommandHelp::Description("server"), CommandHelp::Description("connect"));
    EXPECT_EQ(CommandHelp::Description("server").rfind("Pripojí ťa k IRC serveru.", 0), 0u);
    EXPECT_EQ(CommandHelp::Description("servermsg"), "");
    EXPECT_EQ(CommandHelp::Description("me"), "");
}

TEST(InputCommandEntriesTest, ScriptProcLines)
{
    struct Row
    {
        std::string line;
        bool command;
        std::string name;
        std::string description;
    };
    const Row rows[] = {
        {"proc /me {args} { cmd \"/action\" } # Pošle akciu ", true, "me", "Pošle akciu"},
        {"proc /hello {} { echo ahoj }", true, "hello", ""},
        {"proc /x a b c d #opis\\nďalší\r", true, "x", "opis\\nďalší"},
        {"proc /x a b c d #", true, "x", ""},
        {"proc /x a b c # prvý # druhý", true, "x", "prvý # druhý"},
        {"proc /few words only here", false, "", ""},
        {"proc hello {} { echo a b }", false, "", ""},
        {"Proc /hello {} { echo a b }", false, "", ""},
        {" proc /hello {} { echo a b }", false, "", ""},
        {"proc\t/hello {} { echo a b c }", false, "", ""},
        {"", false, "", ""},
    };
    for (const Row &row : rows) {
        CommandEntry entry;
        EXPECT_EQ(InputCommandEntries::ParseScriptLine(row.line, entry), row.command) << row.line;
        if (!row.command)
            continue;
        EXPECT_EQ(entry.name, row.name) << row.line;
        EXPECT_EQ(entry.description, row.description) << row.line;
        EXPECT_TRUE(entry.script);
    }
}

TEST(InputCommandEntriesTest, EntryTextsFollowTheirFormats)
{
    EXPECT_EQ((CommandEntry{"join", false, "vstup"}).Text(), "join 0 vstup");
    EXPECT_EQ((CommandEntry{"me", true, ""}).Text(), "me 1");
    EXPECT_EQ((CommandEntry{"me", true, "akcia"}).Text(), "me 1 akcia");
    EXPECT_EQ(InputCommandEntries::DisplayDescription("a\\n\\nb\\x\\"), "a\n\nb\\x\\");
}

TEST(InputCommandEntriesTest, BuildsFromHelpLinesAndScriptFilesSortedWithoutCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile script(dir.filePath(QStringLiteral("extra.tcl")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("# extra commands\r\n"
                 "proc /Me {args} { cmd \"/action $args\" } # Akcia\r\n"
                 "proc helper {} { return 1 }\r\n"
                 "proc /bye {args} { cmd \"/quit\" }\r\n");
    script.close();

    const std::vector<std::string> help = {"join Vstup", "quit Koniec", "away"};
    const std::vector<CommandEntry> entries =
        InputCommandEntries::Build(help, {"extra.tcl", "missing.tcl"}, dir.path().toStdString());
    std::vector<std::string> names;
    for (const CommandEntry &entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"away", "bye", "join", "Me", "quit"}));
    EXPECT_EQ(entries[3].Text(), "Me 1 Akcia");
    EXPECT_EQ(entries[1].Text(), "bye 1");
    EXPECT_EQ(entries[2].Text(), "join 0 Vstup");

    const std::vector<CommandEntry> absolute =
        InputCommandEntries::ReadScript(dir.filePath(QStringLiteral("extra.tcl")).toStdString(), "/nonexistent");
    EXPECT_EQ(absolute.size(), 2u);
}

} // namespace
