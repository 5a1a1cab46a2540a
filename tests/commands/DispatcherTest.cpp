#include <gtest/gtest.h>

#include "CommandFixture.h"

namespace {

using Dispatcher = CommandFixture;

enum Outcome { Done, Misused, Unknown };

struct WireCase
{
    std::string line;
    Outcome outcome;
    std::vector<std::string> sent;
};

std::string Word1(const std::string &line)
{
    return line.substr(0, line.find(' '));
}

const std::vector<WireCase> &WireCases()
{
    static const std::vector<WireCase> cases = {
        {"/join #a", Done, {"JOIN #a"}},
        {"/JOIN #a", Done, {"JOIN #a"}},
        {"/join #a secret", Done, {"JOIN #a secret"}},
        {"/join  #a", Done, {"JOIN  #a"}},
        {"/join", Misused, {}},
        {"/msg #a hi there", Done, {"PRIVMSG #a :hi there"}},
        {"/msg nick hello  world", Done, {"PRIVMSG nick :hello  world"}},
        {"/msg nick", Misused, {}},
        {"/msg", Misused, {}},
        {"/notice nick hi", Done, {"NOTICE nick :hi"}},
        {"/notice nick", Misused, {}},
        {"/action #a waves hello",
         Done,
         {"PRIVMSG #a :\x01"
          "ACTION waves hello\x01"}},
        {"/action #a", Misused, {}},
        {"/query", Misused, {}},
        {"/topic #a what now", Done, {"TOPIC #a :what now"}},
        {"/topic #a", Misused, {}},
        {"/mode #a +t", Done, {"MODE #a +t"}},
        {"/mode", Misused, {}},
        {"/away", Done, {"AWAY"}},
        {"/away gone for lunch", Done, {"AWAY :gone for lunch"}},
        {"/quote PRIVMSG x :raw text", Done, {"PRIVMSG x :raw text"}},
        {"/servermsg WHO x", Done, {"WHO x"}},
        {"/quote", Misused, {}},
        {"/nick newme", Done, {"NICK newme"}},
        {"/nick", Misused, {}},
        {"/quit", Done, {"QUIT"}},
        {"/quit bye now", Done, {"QUIT :bye now"}},
        {"/who nick", Done, {"WHO nick"}},
        {"/who", Misused, {}},
        {"/whois nick", Done, {"WHOIS nick"}},
        {"/whois -popup nick", Done, {"WHOIS nick"}},
        {"/whois", Misused, {}},
        {"/whois -all", Misused, {}},
        {"/ignore", Misused, {}},
        {"/ignore list", Misused, {}},
        {"/ignore add nick", Done, {"WHO nick"}},
        {"/ignore frob nick", Misused, {}},
        {"/ignore delete nobody.example", Done, {}},
        {"/favorite add", Misused, {}},
        {"/favorite rem #a", Done, {}},
        {"/favorite DEL #a", Done, {}},
        {"/favorite frob #a", Misused, {}},
        {"/load -q", Misused, {}},
        {"/load -q nowindow x.tcl", Misused, {}},
        {"/unload nowindow x.tcl", Misused, {}},
        {"/link", Done, {}},
        {"/timer 0", Done, {}},
        {"/dcc chat connect x", Misused, {}},
        {"/log on", Misused, {}}, // the server window has no log
        // Only the part before a CR, LF or NUL is a command.
        {"/msg #a hi\r\nQUIT :smuggled", Done, {"PRIVMSG #a :hi"}},
        {"/quote JOIN #a\nPART #b", Done, {"JOIN #a"}},
        {std::string("/topic #a x\0MODE #a +o y", 25), Done, {"TOPIC #a :x"}},
        // Not built in, no prefix matching, no aliases.
        {"/me waves", Unknown, {}},
        {"/fav add #a", Unknown, {}},
        {"/jo #a", Unknown, {}},
        {"hello", Unknown, {}},
    };
    return cases;
}

TEST_F(Dispatcher, EveryCommandSendsExactlyItsLinesAndReportsMisuse)
{
    for (const WireCase &c : WireCases()) {
        SCOPED_TRACE(c.line);
        ServerView()->m_active = true;
        const size_t printedBefore = ServerView()->Lines().size();
        int result = -1;
        const std::vector<std::string> sent = Sent([&] { result = Run(c.line); });
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(result, c.outcome == Done ? 1 : 0);

        std::vector<std::string> printed;
        for (size_t i = printedBefore; i < ServerView()->Lines().size(); ++i)
            printed.push_back(ServerView()->Lines()[i].text);
        const std::string word = Word1(c.line.substr(0, c.line.find_first_of(std::string("\r\n\0", 3))));
        const std::string misuse = Strings::Format(Str::CommandMisused, word.c_str());
        const std::string unknown = Strings::Format(Str::UnknownCommand, word.c_str());
        const bool misusePrinted = std::find(printed.begin(), printed.end(), misuse) != printed.end();
        const bool unknownPrinted = std::find(printed.begin(), printed.end(), unknown) != printed.end();
        EXPECT_EQ(misusePrinted, c.outcome == Misused);
        EXPECT_EQ(unknownPrinted, c.outcome == Unknown);
    }
}

TEST_F(Dispatcher, UnknownWordsAreReportedInTheIssuingWindowOrElseTheServerWindow)
{
    OpenChannel("#a");
    EXPECT_EQ(Run("/frob x", "#a"), 0);
    const auto &lines = View("#a")->Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].text, "* Príkaz: /frob neexistuje");
    EXPECT_EQ(lines[lines.size() - 2].textClass, static_cast<int>(TextClass::Error));
    EXPECT_EQ(lines.back().text, "* Pre zoznam príkazov zadaj: /help");
    EXPECT_EQ(lines.back().textClass, static_cast<int>(TextClass::Info));
    EXPECT_NE(m_debug.find("Command: /frob - NOT SUPPORTED"), std::string::npos);
    EXPECT_NE(m_debug.find("Command: /frob x, return: 0"), std::string::npos);

    EXPECT_EQ(Run("/frob", "#nowhere"), 0);
    EXPECT_TRUE(ServerView()->HasLine("* Príkaz: /frob neexistuje"));
}

// Typing text in the server window prints a hint that names a command to use
// instead: that command must exist.
TEST_F(Dispatcher, TheServerWindowHintNamesACommandThatExists)
{
    const std::string hint = Strings::Get(Str::QuoteCommandHint);
    const size_t slash = hint.find('/');
    ASSERT_NE(slash, std::string::npos) << hint;
    const std::string named = hint.substr(slash, hint.find_first_of(" ,", slash) - slash);
    ASSERT_NE(named, "/help");
    Run(named + " PING :x");
    EXPECT_FALSE(ServerView()->HasLine(Strings::Format(Str::UnknownCommand, named.c_str()))) << named;
}

TEST_F(Dispatcher, MisuseIsReportedInClassInfoInTheIssuingWindow)
{
    OpenChannel("#a");
    EXPECT_EQ(Run("/nick", "#a"), 0);
    ASSERT_FALSE(View("#a")->Lines().empty());
    EXPECT_EQ(View("#a")->Lines().back().text, "* Nesprávne použitý príkaz /nick , použi: /help");
    EXPECT_EQ(View("#a")->Lines().back().textClass, static_cast<int>(TextClass::Info));
    EXPECT_NE(m_debug.find("Command: /nick, return: 0"), std::string::npos);
}

TEST_F(Dispatcher, LastCommandIsTheOuterLineAfterNestedCommands)
{
    EXPECT_EQ(Run("/topic #a new topic"), 1);
    EXPECT_EQ(m_session->LastCommand(), "/topic #a new topic");
    EXPECT_EQ(m_session->LastResult(), 1);
    // the inner line ran every step too
    EXPECT_NE(m_debug.find("Command: /quote TOPIC #a :new topic, return: 1"), std::string::npos);

    EXPECT_EQ(Run("/mode"), 0);
    EXPECT_EQ(m_session->LastCommand(), "/mode");
    EXPECT_EQ(m_session->LastResult(), 0);
}

TEST_F(Dispatcher, TheShellsDccRunsForDcc)
{
    m_shell->m_hasDcc = true;
    EXPECT_EQ(Run("/DCC chat connect bob", "bob"), 1);
    m_shell->m_hasDcc = false;
    ASSERT_FALSE(m_shell->m_dccCommands.empty());
    EXPECT_EQ(m_shell->m_dccCommands.front(), "bob|/DCC chat connect bob");
    EXPECT_EQ(Run("/dcc chat connect bob"), 0);
}

// ---- the script hook ----

class ScriptHook : public CommandFixture
{
protected:
    void SetUp() override
    {
        CommandFixture::SetUp();
        m_shell->m_scripts = &m_host;
        m_channel = OpenChannel("#a");
        m_channel->Scripts().clear(); // the default script of a new window
        m_host.m_loads.clear();
        m_channel->Scripts()["one.tcl"] = "one.tcl";
        m_channel->Scripts()["two.tcl"] = "two.tcl";
    }
    void TearDown() override
    {
        // The tests' offer hooks capture their locals: the sessions' closing
        // lines must not reach them.
        m_shell->m_scripts = nullptr;
        CommandFixture::TearDown();
    }

    FakeScriptHost m_host;
    Conversation *m_channel = nullptr;
};

TEST_F(ScriptHook, EveryScriptOfTheWindowSeesEveryLineAfterTheBuiltIn)
{
    std::string nickWhenOffered;
    m_host.m_onOffer = [&](const std::string &) { nickWhenOffered = m_session->RegisteredNick(); };
    EXPECT_EQ(Run("/nick other", "#a"), 1);
    EXPECT_EQ(nickWhenOffered, "other"); // the built-in ran first

    m_host.m_takes = {"/nick"};
    m_host.m_offers.clear();
    EXPECT_EQ(Run("/nick third", "#a"), 1);
    // a script that took the line does not keep it from the others
    ASSERT_EQ(m_host.m_offers.size(), 2u);
    EXPECT_EQ(m_host.m_offers[0].script, "one.tcl");
    EXPECT_EQ(m_host.m_offers[1].script, "two.tcl");
    EXPECT_EQ(m_host.m_offers[1].line, "/nick third");
}

TEST_F(ScriptHook, ATakenLineIsDoneEvenWhenTheBuiltInFailedOrIsUnknown)
{
    m_host.m_takes = {"/join", "/me"};
    const size_t before = View("#a")->Lines().size();
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/join", "#a"), 1); }), std::vector<std::string>{});
    EXPECT_EQ(Run("/me waves", "#a"), 1);
    EXPECT_EQ(View("#a")->Lines().size(), before); // neither 57399 nor 57367
    EXPECT_EQ(m_session->LastResult(), 1);
    EXPECT_EQ(Run("/join #b", "#a"), 1);
}

TEST_F(ScriptHook, LinesWithoutAWindowOrFromOtherWindowsNeverReachTheScripts)
{
    m_session->ServerWindow()->Scripts().clear();
    Run("/away");
    Run("/away", "#nowhere");
    Run("/away", m_session->Key());
    EXPECT_TRUE(m_host.m_offers.empty());
    Run("/away", "#A");
    // "/away" issues "/quote AWAY" with no window: only the outer line is offered
    ASSERT_EQ(m_host.m_offers.size(), 2u);
    EXPECT_EQ(m_host.m_offers[0].line, "/away");
}

TEST_F(ScriptHook, AScriptThatClosesItsWindowEndsTheOffering)
{
    m_host.m_onOffer = [&](const std::string &line) {
        if (line == "/nick x")
            m_session->CloseWindow("#a");
    };
    EXPECT_EQ(Run("/nick x", "#a"), 1);
    EXPECT_EQ(m_host.m_offers.size(), 1u);
}

TEST_F(ScriptHook, CloseSkipsTheScriptsAndReturnsAtOnce)
{
    m_host.m_takes = {"/close"};
    EXPECT_EQ(Run("/close #a", "#a"), 1);
    EXPECT_TRUE(m_host.m_offers.empty());
    EXPECT_EQ(m_session->FindWindow("#a"), nullptr);
    EXPECT_NE(m_debug.find("Command: /close #a, return: 1"), std::string::npos);
    EXPECT_NE(m_session->LastCommand(), "/close #a");
}

} // namespace
