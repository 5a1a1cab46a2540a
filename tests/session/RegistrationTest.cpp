#include <gtest/gtest.h>

#include <regex>

#include "SessionFixture.h"
#include "config/FavouriteServers.h"
#include "conversation/NickList.h"

namespace {

using Registration = SessionFixture;

TEST_F(Registration, PasswordFirstThenCleanedIdentityFromTheServerRecord)
{
    WriteString("Servers", "Net", "127.0.0.1 " + std::to_string(m_server.Port()) + " 0");
    WriteString("Servers Data", "Net", "Ni\"c'k ja-1@ex4mple.sk 0 0 Ján Novák");
    WriteString(kPasswordsSection, "Net", "heslo");
    WriteString(kBaseSection, "Nick", "ignored");
    ConnectSession("Net");
    const auto &lines = m_server.Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "CAP LS 302");
    EXPECT_EQ(lines[1], "PASS heslo");
    // field 1 is the nick, field 2 the e-mail, fields 5 on the full name
    EXPECT_EQ(lines[2], "USER Nick Nick ja-1@ex4mple.sk :Ján Novák");
    EXPECT_EQ(lines[3], "NICK Nick");
}

// What the server dialog stores is what registration sends, field for field.
TEST_F(Registration, AnIdentityStoredAsFavouriteIsSentFieldForField)
{
    WriteString(kBaseSection, "Nick", "zakladny");
    FavouriteServers servers;
    servers.Load();
    ServerEntry entry;
    entry.name = "Net";
    entry.host = "127.0.0.1";
    entry.port = m_server.Port();
    entry.ownIdentity = true;
    entry.nick = "vlastny";
    entry.fullName = "Ján Novák";
    servers.Put(entry, "");
    ASSERT_TRUE(servers.Save());
    // An empty nick cannot be stored: the old identity stays.
    entry.nick.clear();
    entry.email = "iny@mail.sk";
    servers.Put(entry, "Net");
    EXPECT_FALSE(servers.Save());

    ConnectSession("Net");
    const auto &lines = m_server.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "USER vlastny vlastny brimo@localhost :Ján Novák");
    EXPECT_EQ(lines[2], "NICK vlastny");
}

TEST_F(Registration, BaseIdentityAndDefaults)
{
    WriteString(kBaseSection, "Nick", "jo 'zo second");
    WriteString(kBaseSection, "User E-Mail", "jo-zo99@mail.sk more");
    ConnectSession();
    const auto &lines = m_server.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "USER jo jo jo-zo99@mail.sk :Brimo");
    EXPECT_EQ(lines[2], "NICK jo");
}

// The e-mail is sent as typed, less what USER cannot carry; no parameter
// of USER is ever empty.
TEST_F(Registration, TheEmailKeepsWhatTheProtocolAllowsAndNoParameterIsEmpty)
{
    struct Row
    {
        const char *nick;
        const char *email;
        const char *user;
    };
    const Row rows[] = {
        {"jan", "jan_novak-77@example.sk", "USER jan jan jan_novak-77@example.sk :Brimo"},
        {"jan", "1234", "USER jan jan 1234 :Brimo"},
        {"jan", ":jan@x.sk", "USER jan jan jan@x.sk :Brimo"},
        {"jan", ":", "USER jan jan brimo@localhost :Brimo"},
        {":", "jan@x.sk", "USER brimo brimo jan@x.sk :Brimo"},
    };
    int connections = 0;
    for (const Row &row : rows) {
        WriteString(kBaseSection, "Nick", row.nick);
        WriteString(kBaseSection, "User E-Mail", row.email);
        Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), std::string());
        ASSERT_TRUE(m_server.WaitForClient(++connections));
        std::string user;
        ASSERT_TRUE(m_server.WaitForLineStartingWith("USER ", 5000, &user));
        EXPECT_EQ(user, row.user);
        m_table->CloseSession(session->Key());
        m_server.ClearLines();
    }
}

TEST_F(Registration, EmptyIdentityTakesTheBuiltInDefaults)
{
    ConnectSession();
    ASSERT_GE(m_server.Lines().size(), 3u);
    EXPECT_EQ(m_server.Lines()[1], "USER brimo brimo brimo@localhost :Brimo");
    EXPECT_EQ(m_server.Lines()[2], "NICK brimo");
}

TEST_F(Registration, ANickInUseDuringRegistrationGetsAnAutomaticNick)
{
    WriteString(kBaseSection, "Nick", "guest123");
    Session *session = ConnectSession();
    m_server.ClearLines();
    m_server.SendLine(":srv 433 * guest123 :Nickname already in use");
    std::string nickLine;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK ", 10000, &nickLine));
    EXPECT_TRUE(std::regex_match(nickLine, std::regex("NICK guest[1-9]{0,3}"))) << nickLine;
    const std::string newNick = nickLine.substr(5);
    EXPECT_EQ(session->RegisteredNick(), newNick);
    FakeConversationView *view = ServerView(session);
    EXPECT_TRUE(view->HasLine("* Prezývka guest123 sa už používa"));
    EXPECT_TRUE(view->HasLine("* Zadaj: /nick nová prezývka"));
    EXPECT_TRUE(view->HasLine("* Automaticky mením tvoju prezývku na " + newNick));
    EXPECT_TRUE(view->HasLine("* Tvoja prezývka je odteraz " + newNick));

    m_server.SendLine(":srv 001 " + newNick + " :Welcome");
    ASSERT_TRUE(WaitForServerLine(session, "[ 0001 ] Welcome"));
    EXPECT_FALSE(session->IsConnecting());
    EXPECT_EQ(session->Nick(), newNick);

    // Online, a rejected nick only prints.
    m_server.ClearLines();
    session->Command(session->Key(), 0, "/nick taken");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK taken"));
    m_server.SendLine(":srv 433 " + newNick + " taken :Nickname already in use");
    ASSERT_TRUE(WaitForServerLine(session, "* Prezývka taken sa už používa"));
    m_server.SendLine("PING :probe");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PONG probe"));
    ASSERT_EQ(m_server.Lines().size(), 2u);
    EXPECT_EQ(view->CountLines("* Automaticky mením tvoju prezývku na " + newNick), 1);
}

TEST_F(Registration, AnErroneousNickStartsFromBrimo)
{
    Session *session = ConnectSession();
    m_server.ClearLines();
    m_server.SendLine(":srv 432 * b@d :Erroneous nickname");
    std::string nickLine;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK ", 10000, &nickLine));
    EXPECT_TRUE(std::regex_match(nickLine, std::regex("NICK Brimo[1-9]{0,3}"))) << nickLine;
    EXPECT_TRUE(ServerView(session)->HasLine("* Prezývka b@d je zakázaná, neplatná alebo obsahuje zakázané znaky"));
}

TEST_F(Registration, NotRegisteredSendsTheRegistrationAgain)
{
    ConnectSession();
    m_server.ClearLines();
    m_server.SendLine(":srv 451 * :You have not registered");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
    ASSERT_EQ(m_server.Lines().size(), 2u);
    EXPECT_EQ(m_server.Lines()[0].rfind("USER ", 0), 0u);
}

TEST_F(Registration, WelcomeWritesTheNickToTheRecordOrToNickWhenAllowed)
{
    WriteString("Servers Data", "Net", "old mail@x.sk 1 0 Full Name");
    Session *session = ConnectSession("Net");
    m_server.SendLine(":srv 001 NewOne :Welcome");
    ASSERT_TRUE(WaitFor([&] { return session->Nick() == "NewOne"; }));
    EXPECT_EQ(ReadString("Servers Data", "Net"), "NewOne mail@x.sk 1 0 Full Name");
    EXPECT_EQ(ReadString(kBaseSection, "Nick"), "");

    // Without a record, "Nick" follows only while "Update Nick" is on.
    session->UpdateNick("x"); // the record is still there
    WriteString("Servers Data", "Net");
    session->UpdateNick("second");
    EXPECT_EQ(ReadString(kBaseSection, "Nick"), "");
    WriteBool(kBaseSection, "Update Nick", true);
    session->UpdateNick("third");
    EXPECT_EQ(ReadString(kBaseSection, "Nick"), "third");
}

TEST_F(Registration, NickMessagesRenameMembersPrivateWindowsAndTheOwnNick)
{
    Session *session = ConnectSession();
    m_server.SendLine(":srv 001 Me :Welcome");
    ASSERT_TRUE(WaitFor([&] { return session->Nick() == "Me"; }));
    Conversation *withBob = session->OpenWindow("#a", Conversation::KindChannel, Conversation::TypeChannel);
    Conversation *withoutBob = session->OpenWindow("#b", Conversation::KindChannel, Conversation::TypeChannel);
    Conversation *query = session->OpenWindow("Bob", Conversation::KindText, Conversation::TypePrivate);
    withBob->Nicks().AddNick("@bob");
    withoutBob->Nicks().AddNick("carl");

    m_server.SendLine(":Bob!u@h NICK :Robert");
    ASSERT_TRUE(WaitFor([&] { return m_shell->View("#a")->HasLine("* Bob je odteraz Robert"); }));
    int mode = -1;
    EXPECT_TRUE(withBob->Nicks().FindNick("Robert", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Operator);
    EXPECT_FALSE(m_shell->View("#b")->HasLineContaining("je odteraz"));
    EXPECT_EQ(session->FindWindow("bob"), nullptr);
    EXPECT_EQ(session->FindWindow("robert"), query);
    EXPECT_EQ(query->Title(), "Robert");

    // Another case than the own nick is someone else.
    m_server.SendLine(":ME!u@h NICK other");
    m_server.SendLine(":Me!u@h NICK Mine");
    ASSERT_TRUE(WaitFor([&] { return session->Nick() == "Mine"; }));
}

TEST_F(Registration, PingIsAnsweredAndShownWhenAsked)
{
    Session *session = ConnectSession();
    m_server.SendLine("PING :irc.example");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PONG irc.example"));
    EXPECT_FALSE(ServerView(session)->HasLineContaining("PONG!"));
    WriteBool(kBaseSection, "Show Ping", true);
    m_server.SendLine("PING :again");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PONG again"));
    ASSERT_TRUE(WaitForServerLine(session, "PING? PONG! (again)"));
}

} // namespace
