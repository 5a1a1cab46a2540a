// Logging against a real ngircd on 127.0.0.1: raw clients talk in a channel
// and privately, and the log files hold what the windows showed.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "history/ConversationLog.h"
#include "history/LogLine.h"
#include "session/Session.h"
#include "support/NgircdFixture.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

namespace {

class NgircdLogTest : public NgircdFixture
{
protected:
    void SetUp() override
    {
        NgircdFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_log = std::make_unique<ConversationLog>(*m_table);
        m_log->Apply({true, DefaultLogDirectory()});
        m_table->SetRecorder(m_log.get());
        m_session = ConnectAs("brimo");
        ASSERT_TRUE(Registered(m_session));
        ASSERT_TRUE(m_bob.ConnectAndRegister(m_ircd->Port(), "bob"));
    }

    void TearDown() override
    {
        if (m_table)
            m_table->SetRecorder(nullptr);
        m_log.reset();
        NgircdFixture::TearDown();
    }

    // The lines of today's log of the window, as a reader parses them back.
    std::vector<LogEntry> Logged(const std::string &window) const
    {
        std::vector<LogEntry> entries;
        const std::string path = m_log->FileOf(*m_session->FindWindow(window), std::time(nullptr));
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly))
            return entries;
        for (const QByteArray &line : file.readAll().split('\n'))
            if (std::optional<LogEntry> entry = ParseLogLine(line.toStdString()))
                entries.push_back(*entry);
        return entries;
    }
    bool LogHas(const std::string &window, LogEntry::Kind kind, const std::string &nick, const std::string &text)
    {
        return WaitFor([&] {
            for (const LogEntry &entry : Logged(window))
                if (entry.kind == kind && entry.nick == nick && entry.text == text)
                    return true;
            return false;
        });
    }

    std::unique_ptr<ConversationLog> m_log;
    Session *m_session = nullptr;
    RawIrcClient m_bob;
};

TEST_F(NgircdLogTest, TheFilesHoldWhatWasSaidInTheChannelAndPrivately)
{
    m_session->Command(m_session->Key(), 0, "/join #test");
    ASSERT_TRUE(WaitFor([&] {
        Conversation *room = m_session->FindWindow("#test");
        return room && room->Nicks().FindNick("brimo");
    }));
    m_bob.SendLine("JOIN #test");
    ASSERT_TRUE(WaitFor([&] { return m_session->FindWindow("#test")->Nicks().FindNick("bob"); }));
    m_bob.SendLine("PRIVMSG #test :ahoj \x02všetci\x02");
    m_bob.SendLine("PRIVMSG #test :\x01"
                   "ACTION máva\x01");
    m_session->Command("#test", 0, "/msg #test čau bob");
    m_bob.SendLine("TOPIC #test :nová téma");

    EXPECT_TRUE(LogHas("#test", LogEntry::Event, "", "Si na kanály #test"));
    EXPECT_TRUE(LogHas("#test", LogEntry::Event, "", "Teraz tu je aj bob"));
    EXPECT_TRUE(LogHas("#test", LogEntry::Message, "bob", "ahoj všetci"));
    EXPECT_TRUE(LogHas("#test", LogEntry::Action, "bob", "máva"));
    EXPECT_TRUE(LogHas("#test", LogEntry::Message, "brimo", "čau bob"));
    EXPECT_TRUE(LogHas("#test", LogEntry::Event, "", "bob zvolil novú tému: nová téma"));

    m_session->Command(m_session->Key(), 0, "/query bob");
    ASSERT_TRUE(WaitFor([&] { return m_session->FindWindow("bob") != nullptr; }));
    m_bob.SendLine("PRIVMSG brimo :len pre teba");
    EXPECT_TRUE(LogHas("bob", LogEntry::Message, "bob", "len pre teba"));
    // Beside the settings of a program run from its own folder.
    EXPECT_EQ(
        m_log->FileOf(*m_session->FindWindow("bob"), std::time(nullptr)).rfind(ConfigDir() + "/logs/127.0.0.1/bob/", 0),
        0u);
}

} // namespace
