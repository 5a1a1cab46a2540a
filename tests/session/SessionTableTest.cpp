#include <gtest/gtest.h>

#include <regex>

#include "SessionFixture.h"
#include "conversation/NickList.h"
#include "platform/AsyncSocket.h"
#include "session/IdentServer.h"
#include "session/ReconnectBackoff.h"
#include "support/FreePort.h"
#include "text/Strings.h"

namespace {

using Table = SessionFixture;

TEST_F(Table, KeysAndDisplayNamesOfSessionsToOneServerEntry)
{
    const std::string port = std::to_string(m_server.Port());
    WriteString("Servers", "First", "127.0.0.1 " + port + " 0");
    WriteString("Servers", "Net", "127.0.0.1 " + port + " 0"); // the later matching key wins
    WriteString("Servers", "Other", "127.0.0.1 1 0");
    Session *a = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    Session *b = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    Session *c = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    EXPECT_EQ(a->ConfName(), "Net");
    EXPECT_EQ(a->HumanName(), "Net");
    EXPECT_EQ(b->HumanName(), "Net 1");
    EXPECT_EQ(c->HumanName(), "Net 2");
    EXPECT_NE(a->Key(), b->Key());
    EXPECT_TRUE(std::regex_match(a->Key(), std::regex("krnl:[0-9]+:127\\.0\\.0\\.1:" + port)));
    EXPECT_EQ(m_shell->View(a->Key())->Title(), "Net");
    EXPECT_EQ(m_shell->View(b->Key())->Title(), "Net 1");

    // an explicit name is not searched for
    Session *d = m_table->CreateSession("127.0.0.1", m_server.Port(), "Mine");
    EXPECT_EQ(d->ConfName(), "Mine");
    // no entry matches: the host
    Session *e = m_table->CreateSession("LocalHost", 1, "");
    EXPECT_EQ(e->ConfName(), "LocalHost");
    EXPECT_EQ(e->Key().find("localhost"), e->Key().find(':', 5) + 1);
}

TEST_F(Table, FindSessionByKeyOrDisplayNameInAnyCase)
{
    Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), "MyNet");
    EXPECT_EQ(m_table->FindSession(session->Key()), session);
    std::string upperKey = session->Key();
    for (char &ch : upperKey)
        ch = static_cast<char>(toupper(ch));
    EXPECT_EQ(m_table->FindSession(upperKey), session);
    EXPECT_EQ(m_table->FindSession("mynet"), session);
    EXPECT_EQ(m_table->FindSession("nothing"), nullptr);
    EXPECT_FALSE(m_table->CloseSession("nothing"));
}

TEST_F(Table, TheDebugLogWritesOnlyWhileOpen)
{
    m_table->SetDebugSink({});
    Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    EXPECT_FALSE(m_table->IsDebugLogOpen());
    std::string log;
    m_table->SetDebugSink([&](const std::string &text) { log += text; });
    session->Log("hello %d", 5);
    EXPECT_EQ(log, "[" + session->Key() + "] hello 5\r\n");
    m_table->DebugLog("Creating kernel: %s", "x");
    EXPECT_NE(log.find("Creating kernel: x\r\n"), std::string::npos);
    m_table->SetDebugSink({}); // the debug window closes before log goes
}

// A private window and the nick lists fold names by one rule: whoever the
// nick list finds, the window of that nick is found by too.
TEST_F(Table, WindowNamesFoldAsTheNickListDoes)
{
    Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    Conversation *channel = session->OpenWindow("#room", Conversation::KindChannel, Conversation::TypeChannel);
    ASSERT_NE(channel, nullptr);
    channel->Nicks().AddNick("ΣΟΦΟΣ");
    Conversation *query = session->OpenWindow("ΣΟΦΟΣ", Conversation::KindText, Conversation::TypePrivate);
    ASSERT_NE(query, nullptr);
    for (const char *spelling : {"σοφος", "σοφoς", "ΣΟΦΟς", "Ľubo"}) {
        SCOPED_TRACE(spelling);
        EXPECT_EQ(channel->Nicks().FindNick(spelling), session->FindWindow(spelling) == query);
    }
    EXPECT_EQ(session->FindWindow("σοφος"), query);
    EXPECT_EQ(session->FindWindow("ΣΟΦΟς"), query);
    Conversation *slovak = session->OpenWindow("Ľubo", Conversation::KindText, Conversation::TypePrivate);
    EXPECT_EQ(session->FindWindow("ľUBO"), slovak);
}

TEST_F(Table, PrintRoutingByTargetWithFallbackAndToAll)
{
    Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    Conversation *channel = session->OpenWindow("#Chan", Conversation::KindChannel, Conversation::TypeChannel);
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->Name(), "#chan");
    EXPECT_EQ(session->OpenWindow("#CHAN", Conversation::KindChannel, Conversation::TypeChannel), channel);
    EXPECT_EQ(session->FindWindow("#cHaN"), channel);

    session->PrintTo("#CHAN", TextClass::Text, "to channel");
    session->PrintTo("#nowhere", TextClass::Info, "lost target");
    session->PrintTo("", TextClass::Info, "to server");
    session->PrintTo("", TextClass::Error, "everyone", true);
    session->PrintStatus("status %s", "line");

    FakeConversationView *chan = m_shell->View("#chan");
    FakeConversationView *server = ServerView(session);
    EXPECT_TRUE(chan->HasLine("to channel"));
    EXPECT_FALSE(server->HasLine("to channel"));
    EXPECT_TRUE(server->HasLine("lost target"));
    EXPECT_TRUE(server->HasLine("to server"));
    EXPECT_TRUE(server->HasLine("status line"));
    EXPECT_TRUE(chan->HasLine("everyone"));
    EXPECT_TRUE(server->HasLine("everyone"));

    // a window whose native window went away is skipped, its lines land in the server window
    chan->DestroyNativeWindow();
    EXPECT_EQ(session->FindWindow("#chan"), nullptr);
    session->PrintTo("#chan", TextClass::Text, "after");
    EXPECT_TRUE(server->HasLine("after"));
}

TEST_F(Table, ClosingAChannelWindowPartsIt)
{
    Session *session = ConnectSession();
    session->OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    session->OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate);
    m_server.ClearLines();
    EXPECT_TRUE(session->CloseWindow("#CHAN"));
    EXPECT_TRUE(session->CloseWindow("bob"));
    EXPECT_FALSE(session->CloseWindow("bob"));
    EXPECT_TRUE(m_shell->View("#chan")->IsClosed());
    session->SendLine("PING :end");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PING :end"));
    ASSERT_EQ(m_server.Lines().size(), 2u);
    EXPECT_EQ(m_server.Lines()[0], "PART #chan close");
}

TEST_F(Table, CloseSessionSendsQuitBeforePartAndNeverRetries)
{
    WriteString(kBaseSection, "Msgs Quit", "Dovidenia");
    Session *session = ConnectSession();
    const std::string key = session->Key();
    session->OpenWindow("#one", Conversation::KindChannel, Conversation::TypeChannel);
    session->OpenWindow("#two", Conversation::KindChannel, Conversation::TypeChannel);
    m_server.ClearLines();
    EXPECT_TRUE(m_table->CloseSession(key));
    EXPECT_EQ(m_table->FindSession(key), nullptr);
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PART #two"));
    const auto &lines = m_server.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "QUIT :Dovidenia");
    EXPECT_EQ(lines[1], "PART #one close");
    ASSERT_TRUE(m_server.WaitForDisconnect());
    for (Session *other : m_table->Sessions())
        other->Command("", 0, "/timer 0");
    PumpEvents(200);
    EXPECT_EQ(m_server.ConnectionCount(), 1);
}

TEST_F(Table, CloseCommandClosesAWindowOrTheWholeSession)
{
    Session *session = ConnectSession();
    session->OpenWindow("#x", Conversation::KindChannel, Conversation::TypeChannel);
    EXPECT_EQ(session->Command("#x", 2, "/close #X"), 1);
    EXPECT_EQ(session->FindWindow("#x"), nullptr);
    EXPECT_EQ(session->Command("", 0, "/close #gone"), 1);
    EXPECT_TRUE(ServerView(session)->HasLine("* Nedá sa zavrieť: #gone"));

    const std::string key = session->Key();
    // the server window's own close: the session ends from inside its own command
    EXPECT_EQ(m_shell->View(key)->GetConversation()->RunCommand("/close"), 1);
    EXPECT_EQ(m_table->FindSession(key), nullptr);
    EXPECT_TRUE(m_shell->View(key)->IsClosed());
    ASSERT_TRUE(m_server.WaitForLineStartingWith("QUIT"));
}

// How a newcomer's failed first attempt says to try again.
const char *const kRetryHint = "* Skontrolujte adresu, port a pripojenie k sieti a skúste to znova: /reconnect, "
                               "/server adresa port alebo Pripojiť > Vítací sprievodca ...";

TEST_F(Table, ARefusedConnectionIsReportedAndRetriedAtTheNextTick)
{
    const uint16_t port = FreeLocalPort();
    Session *session = m_table->CreateSession("127.0.0.1", port, "");
    Conversation *query = session->OpenWindow("friend", Conversation::KindText, Conversation::TypePrivate);
    FakeConversationView *server = m_shell->View(session->Key());
    const std::string refused = "* Nepodarilo sa pripojiť k 127.0.0.1:" + std::to_string(port) + ": "
        + Strings::Get(Str::ConnectionRefused) + " (" + std::to_string(AsyncSocket::RefusedCode()) + ")";
    ASSERT_TRUE(WaitFor([&] { return server->HasLine(refused); }));
    ASSERT_TRUE(WaitFor([&] { return m_shell->View("friend")->HasLine("* Spojenie prerušené"); }));
    EXPECT_TRUE(server->HasLine("* Spojenie prerušené"));
    EXPECT_FALSE(session->IsConnecting());
    EXPECT_NE(query, nullptr);

    EXPECT_EQ(session->Command("", 0, "/timer 0"), 1);
    EXPECT_TRUE(server->HasLine("* Pokúšam sa o znovupripojenie"));
    EXPECT_TRUE(session->IsConnecting());
    EXPECT_EQ(server->CountLines("* Pripájam sa k 127.0.0.1 : " + std::to_string(port)), 2);
    // a tick while an attempt runs starts nothing new
    session->Command("", 0, "/timer 0");
    EXPECT_EQ(server->CountLines("* Pokúšam sa o znovupripojenie"), 1);
    ASSERT_TRUE(WaitFor([&] { return server->CountLines(refused) == 2; }));
    // How to try again is said once, not at every attempt.
    EXPECT_EQ(server->CountLines(kRetryHint), 1);
}

TEST_F(Table, CommandsAreTracedAndUnknownOnesFail)
{
    Session *session = ConnectSession();
    EXPECT_EQ(session->Command("", 0, "/nosuch thing"), 0);
    EXPECT_EQ(session->Command("", 0, "/nick"), 0);
    EXPECT_EQ(session->Command("", 0, "/servermsg"), 0);
    EXPECT_EQ(session->Command("", 0, "/load -q x brimo.tcl"), 0);
    m_server.ClearLines();
    EXPECT_EQ(session->Command("", 0, "/QUOTE PRIVMSG x :y"), 1);
    EXPECT_EQ(session->Command("", 0, "/quit"), 1);
    ASSERT_TRUE(m_server.WaitForLineStartingWith("QUIT"));
    EXPECT_EQ(m_server.Lines()[0], "PRIVMSG x :y");
    EXPECT_EQ(m_server.Lines()[1], "QUIT");
    EXPECT_EQ(session->LastCommand(), "/quit");
    EXPECT_NE(m_debug.find("Command: /nosuch thing, return: 0"), std::string::npos);
    EXPECT_NE(m_debug.find("Send: QUIT"), std::string::npos);
}

// An outage is one loss however many attempts fail during it; each failed
// attempt says why, with the system's number.
TEST_F(Table, AnOutageIsReportedOnceAndEveryFailedAttemptWithItsReason)
{
    Session *session = ConnectSession();
    // Each tick comes after the back-off of the failures before it.
    int64_t nowMs = 0;
    session->SetClock([&nowMs] { return nowMs; });
    m_server.SendLine(":srv 001 me :Welcome");
    ASSERT_TRUE(WaitFor([&] { return session->IsConnected() && !session->IsConnecting(); }));
    session->OpenWindow("friend", Conversation::KindText, Conversation::TypePrivate);
    FakeConversationView *server = ServerView(session);
    const std::string lost = "* Spojenie prerušené";

    const uint16_t port = m_server.Port();
    m_server.StopListening();
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    const std::string refused = "* Nepodarilo sa pripojiť k 127.0.0.1:" + std::to_string(port) + ": "
        + Strings::Get(Str::ConnectionRefused) + " (" + std::to_string(AsyncSocket::RefusedCode()) + ")";
    for (int attempt = 1; attempt <= 3; ++attempt) {
        nowMs += 2 * ReconnectBackoff::MostWaitMs;
        EXPECT_EQ(session->Command("", 0, "/timer 0"), 1);
        ASSERT_TRUE(WaitFor([&] { return server->CountLines(refused) == attempt && !session->IsConnecting(); }));
    }
    EXPECT_EQ(server->CountLines(lost), 1);
    EXPECT_EQ(m_shell->View("friend")->CountLines(lost), 1);
    EXPECT_EQ(server->CountLines(kRetryHint), 0) << "a lost connection is retried by itself: no advice";

    // Back, and lost again: a new loss is told again.
    ASSERT_TRUE(m_server.Listen(port));
    nowMs += 2 * ReconnectBackoff::MostWaitMs;
    session->Command("", 0, "/timer 0");
    ASSERT_TRUE(m_server.WaitForClient(2));
    ASSERT_TRUE(WaitFor([&] { return session->IsConnected(); }));
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return server->CountLines(lost) == 2; }));
    EXPECT_EQ(m_shell->View("friend")->CountLines(lost), 2);
}

// Port 113 needs privileges on Linux: the user learns in one line that no
// ident server runs, in the server window, not only in the debug log.
TEST_F(Table, AnIdentServerThatCannotListenIsToldOnceInTheServerWindow)
{
    IdentServer holder(0, "127.0.0.1");
    holder.ApplyIdentSetting(true);
    ASSERT_NE(holder.ListeningPort(), 0);
    IdentServer ident(holder.ListeningPort(), "127.0.0.1");
    ident.SetNoticeSink([&](const std::string &text) { m_table->ServerWindowNotice(text); });
    ident.ApplyIdentSetting(true); // before any session: kept for the first one
    ident.ApplyIdentSetting(true); // not retried, not told again

    Session *session = ConnectSession();
    // The notice names the port, then the system's reason and its number.
    const std::string told = Strings::Format(Str::IdentServerDown, holder.ListeningPort(), "");
    auto countTold = [&](Session *in) {
        int count = 0;
        for (const FakeConversationView::Line &line : ServerView(in)->Lines())
            count += line.text.rfind(told, 0) == 0 && line.text.size() > told.size() && line.text.back() == ')';
        return count;
    };
    EXPECT_EQ(countTold(session), 1);
    Session *later = m_table->CreateSession("127.0.0.1", m_server.Port(), "Later");
    EXPECT_EQ(countTold(later), 0);

    // Switched off and on while sessions are open: told there at once.
    ident.ApplyIdentSetting(false);
    ident.ApplyIdentSetting(true);
    EXPECT_EQ(countTold(session), 2);
    EXPECT_EQ(countTold(later), 1);
}

} // namespace
