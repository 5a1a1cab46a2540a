// Paced sending against a real ngircd with its flood protection on: sixty
// favourite channels joined at the start and a paste of thirty lines, and
// the server keeps the connection.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeShell.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

namespace {

constexpr const char *kNetwork = "Testnet";
constexpr int kChannels = 60;
constexpr int kPastedLines = 30;

class PacedSending : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        if (!NgircdServer::IsAvailable())
            GTEST_SKIP() << "ngircd is not installed";
        m_ircd = std::make_unique<NgircdServer>();
        m_ircd->EnablePenalties();
        ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
        m_table = std::make_unique<SessionTable>(&m_shell, m_commands);
        m_table->SetDebugSink([this](const std::string &text) { m_debug += text + "\n"; });
        ASSERT_TRUE(m_watcher.ConnectAndRegister(m_ircd->Port(), "watcher"));
        ASSERT_TRUE(m_watcher.SendLine("JOIN #paste"));
        ASSERT_TRUE(m_watcher.WaitForCommand("366"));
    }

    void TearDown() override
    {
        m_table.reset();
        m_ircd.reset();
        TestConfigDir::TearDown();
    }

    // Sixty favourites that join at the start, every fourth with a key.
    void AddFavourites()
    {
        ASSERT_TRUE(FavouriteChannels::Write(kNetwork, {"#paste", true, {}}));
        for (int i = 1; i < kChannels; ++i) {
            const std::string key = i % 4 == 0 ? "heslo" + std::to_string(i) : std::string();
            ASSERT_TRUE(FavouriteChannels::Write(kNetwork, {"#kanal" + std::to_string(i), true, key}));
        }
    }

    Session *Connect(int intervalMs)
    {
        WriteString(kBaseSection, "Nick", "paster");
        WriteInt(kBaseSection, "Send Interval", intervalMs);
        return m_table->CreateSession("127.0.0.1", m_ircd->Port(), kNetwork);
    }

    int JoinedChannels(Session *session) const
    {
        int joined = 0;
        for (Conversation *window : session->Windows())
            joined += window->IsChannel() && window->Nicks().NickCount() > 0 ? 1 : 0;
        return joined;
    }

    void Paste(Session *session)
    {
        for (int i = 1; i <= kPastedLines; ++i)
            session->Command("#paste", 0, "/msg #paste riadok " + std::to_string(i) + " " + std::string(150, 'x'));
    }

    int SentLinesStartingWith(const std::string &start) const
    {
        int count = 0;
        for (size_t at = m_debug.find("Send: " + start); at != std::string::npos;
             at = m_debug.find("Send: " + start, at + 1))
            ++count;
        return count;
    }

    FakeShell m_shell;
    CommandDispatcher m_commands;
    std::unique_ptr<NgircdServer> m_ircd;
    std::unique_ptr<SessionTable> m_table;
    RawIrcClient m_watcher;
    std::string m_debug;
};

TEST_F(PacedSending, SixtyFavouritesAndAPasteOfThirtyLinesKeepTheConnection)
{
    AddFavourites();
    Session *session = Connect(2000);
    ASSERT_TRUE(WaitFor([&] { return JoinedChannels(session) == kChannels; }, 60000))
        << JoinedChannels(session) << " joined\n"
        << m_ircd->Output();
    // The favourites went out together, a few lines of at most 512 bytes.
    EXPECT_LE(SentLinesStartingWith("JOIN "), 3);
    // Every joined channel asks for its members' details: those automatic
    // lines wait behind the paste.
    EXPECT_GT(session->PacedLines(), 10u);

    Paste(session);
    ASSERT_TRUE(WaitFor([&] { return m_watcher.WaitForText("riadok 30", 100); }, 120000))
        << "connected: " << session->IsConnected() << "\n"
        << m_ircd->Output();
    EXPECT_TRUE(session->IsConnected());
    int order = 0;
    for (const std::string &line : m_watcher.Lines()) {
        if (line.find("PRIVMSG #paste :riadok ") != std::string::npos) {
            EXPECT_NE(line.find("riadok " + std::to_string(++order) + " "), std::string::npos) << line;
        }
    }
    EXPECT_EQ(order, kPastedLines);
    // The typed lines overtook the WHO polls still waiting.
    EXPECT_GT(session->PacedLines(), 0u);
    EXPECT_EQ(m_ircd->Output().find("Ping timeout"), std::string::npos) << m_ircd->Output();
}

// The fixture's own check: the same start and paste without pacing is more
// than this server takes. It digests each costly line (a WHO, an error
// reply) for a second or two and reads our PONG only after what came
// before it, too late: it ends the connection, so the test above shows the
// pacing at work.
TEST_F(PacedSending, WithoutPacingTheServerCutsTheSameStartOff)
{
    AddFavourites();
    Session *session = Connect(0);
    ASSERT_TRUE(WaitFor([&] { return session->IsConnected() && !session->IsConnecting(); }));
    Paste(session);
    EXPECT_TRUE(WaitFor([&] { return !session->IsConnected(); }, 120000)) << m_ircd->Output();
    EXPECT_NE(m_ircd->Output().find("Ping timeout"), std::string::npos) << m_ircd->Output();
}

} // namespace
