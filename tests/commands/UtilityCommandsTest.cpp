#include <gtest/gtest.h>

#include "CommandFixture.h"
#include "text/Strings.h"

namespace {

using UtilityCommands = CommandFixture;

TEST_F(UtilityCommands, LinkOpensWebAddressesOnly)
{
    EXPECT_EQ(Run("/link"), 1);
    EXPECT_TRUE(m_shell->m_links.empty());

    const std::vector<std::pair<std::string, std::string>> opened = {
        {"www.example.org/a?b=c", "http://www.example.org/a?b=c"},
        {"WWW.example.org", "http://WWW.example.org"},
        {"http://example.org/x y", "http://example.org/x y"},
        {"HTTPS://example.org", "HTTPS://example.org"},
        {"ftp://files.example.org/f", "ftp://files.example.org/f"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
    };
    for (const auto &c : opened) {
        EXPECT_EQ(Run("/link " + c.first), 1);
        ASSERT_FALSE(m_shell->m_links.empty());
        EXPECT_EQ(m_shell->m_links.back(), c.second);
    }
    EXPECT_EQ(m_shell->m_links.size(), opened.size());
}

TEST_F(UtilityCommands, LinkRefusesProgramsFilesAndOtherSchemes)
{
    OpenChannel("#a");
    for (const std::string text :
         {"C:\\Windows\\system32\\calc.exe", "calc", "file:///etc/passwd", "javascript:alert(1)", "http:evil",
          "http://", "\\\\server\\share\\x.exe", "/usr/bin/xterm", "smb://host/share"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Run("/link " + text, "#a"), 1);
        EXPECT_TRUE(View("#a")->HasLine(Strings::Format(Str::LinkRefused, text.c_str())));
        EXPECT_EQ(View("#a")->Lines().back().textClass, static_cast<int>(TextClass::Error));
    }
    EXPECT_EQ(Run("/link http://a\tb"), 1);
    EXPECT_TRUE(m_shell->m_links.empty());
}

TEST_F(UtilityCommands, LoadRecordsTheScriptInItsWindow)
{
    Conversation *channel = OpenChannel("#a");
    m_shell->m_refreshes.clear();
    EXPECT_EQ(Run("/load -q #A scripts/My Script.TCL"), 1);
    EXPECT_EQ(channel->Scripts().at("my script.tcl"), "scripts/My Script.TCL");
    EXPECT_EQ(m_shell->m_refreshes, std::vector<int>{7});
    EXPECT_EQ(Run("/unload #a scripts/My Script.TCL"), 1);
    EXPECT_EQ(channel->Scripts().count("my script.tcl"), 0u);

    EXPECT_EQ(Run("/load #nowhere x.tcl"), 0);
    EXPECT_EQ(Run("/unload #nowhere x.tcl"), 0);
    EXPECT_EQ(Run("/load -q #a"), 0);
}

TEST_F(UtilityCommands, LoadHandsTheFileToTheScriptEngine)
{
    FakeScriptHost &host = m_scriptHost;
    m_shell->m_scripts = &host;
    OpenChannel("#a");
    host.m_loads.clear();
    EXPECT_EQ(Run("/load #a a.tcl"), 1);
    EXPECT_EQ(Run("/load -q #a b c.tcl"), 1);
    EXPECT_EQ(Run("/load #a -q d.tcl"), 1);
    EXPECT_EQ(host.m_loads,
              (std::vector<std::string>{"#a a.tcl announced", "#a b c.tcl quiet", "#a -q d.tcl announced"}));
    EXPECT_EQ(Run("/unload #a b c.tcl"), 1);
    EXPECT_EQ(host.m_unloads, std::vector<std::string>{"#a b c.tcl"});
}

TEST_F(UtilityCommands, NewWindowsLoadTheDefaultScriptQuietly)
{
    FakeScriptHost &host = m_scriptHost;
    m_shell->m_scripts = &host;
    OpenChannel("#new");
    EXPECT_EQ(host.m_loads, std::vector<std::string>{"#new brimo.tcl quiet"});
}

TEST_F(UtilityCommands, HelpAndDebugOpenTheirWindows)
{
    EXPECT_EQ(Run("/help anything"), 1);
    EXPECT_EQ(m_shell->m_helpOpened, 1);
    EXPECT_EQ(Run("/debug"), 1);
    EXPECT_EQ(m_shell->m_debugOpened, 1);
    m_shell->m_debugAvailable = false;
    EXPECT_EQ(Run("/debug"), 0);
}

TEST_F(UtilityCommands, SearchStartAsksBeforeSendingList)
{
    m_shell->m_messageBoxAnswer = Shell::AnswerNo;
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/search start"), 1); }), std::vector<std::string>{});
    ASSERT_EQ(m_shell->m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell->m_messageBoxes[0], Strings::Get(Str::SearchWarning));
    m_shell->m_messageBoxAnswer = Shell::AnswerYes;
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/search start"), 1); }), std::vector<std::string>{"LIST"});
    // "start" is case-sensitive: anything else only shows the window
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/search Start"), 1); }), std::vector<std::string>{});
    EXPECT_EQ(m_shell->m_messageBoxes.size(), 2u);
    EXPECT_EQ(m_shell->m_searchOpened.size(), 3u);
    EXPECT_EQ(m_shell->m_searchOpened[0], m_session->Key());
}

TEST_F(UtilityCommands, SearchCloseReturnsTheResultOfClosing)
{
    EXPECT_EQ(Run("/search CLOSE"), 1);
    EXPECT_EQ(m_shell->m_searchClosed, std::vector<std::string>{m_session->Key()});
    m_shell->m_searchCloseResult = false;
    EXPECT_EQ(Run("/search close"), 0);
    m_shell->m_searchAvailable = false;
    EXPECT_EQ(Run("/search"), 0);
    EXPECT_EQ(Run("/search start"), 0);
    EXPECT_TRUE(m_shell->m_messageBoxes.empty());
}

using Favourites = CommandFixture;

TEST_F(Favourites, AddingAChannelAddsItsServerOnce)
{
    const std::string port = std::to_string(m_server.Port());
    EXPECT_EQ(Run("/favorite add #a"), 1);
    const std::string group = "Channels Group " + m_session->ConfName();
    EXPECT_EQ(ReadString(group, "#a"), "#a 1");
    EXPECT_EQ(ReadString("Servers", "127.0.0.1"), "127.0.0.1 " + port + " 1");
    EXPECT_TRUE(ServerView()->HasLine("* Kanál #a bol pridaný k obľúbeným"));
    EXPECT_TRUE(ServerView()->HasLine("* Server 127.0.0.1 bol pridaný k obľúbeným"));

    const size_t lines = ServerView()->Lines().size();
    EXPECT_EQ(Run("/favorite ADD #b"), 1);
    EXPECT_EQ(ReadString(group, "#b"), "#b 1");
    EXPECT_EQ(ServerView()->Lines().size(), lines + 1);
    EXPECT_EQ(ServerView()->Lines().back().text, "* Kanál #b bol pridaný k obľúbeným");
}

// The channel menu's "Pridať K Obľúbeným" on a favourite already there: its
// auto-join flag and key stay.
TEST_F(Favourites, AFavouriteAlreadyThereKeepsItsSettings)
{
    const std::string group = "Channels Group " + m_session->ConfName();
    ASSERT_TRUE(WriteString(group, "#a", std::string("#a 0")));
    ASSERT_TRUE(WriteString(kPasswordsSection, m_session->ConfName() + " - #a", std::string("kluc")));
    EXPECT_EQ(Run("/favorite add #A"), 1);
    EXPECT_EQ(ReadString(group, "#a"), "#a 0");
    EXPECT_EQ(ReadPassword(m_session->ConfName() + " - #a"), "kluc");
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::ChannelAlreadyFavourite, "#A")));
    EXPECT_FALSE(ServerView()->HasLine("* Kanál #A bol pridaný k obľúbeným"));
}

TEST_F(Favourites, AddingTheSessionItselfAddsOnlyTheServer)
{
    ASSERT_TRUE(WriteString("Servers", "Mine", "127.0.0.2 7000 0"));
    EXPECT_EQ(Run("/favorite add " + m_session->Key()), 1);
    std::vector<std::string> keys;
    ReadSectionKeys("Servers", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"Mine", "127.0.0.1"}));
    EXPECT_FALSE(ServerView()->HasLineContaining("Kanál"));
    EXPECT_EQ(Run("/favorite add " + m_session->Key()), 1);
    EXPECT_EQ(ServerView()->CountLines("* Server 127.0.0.1 bol pridaný k obľúbeným"), 1);
}

} // namespace
