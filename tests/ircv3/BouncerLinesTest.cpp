// What a bouncer sends beyond a server: playback batches and lines dated
// before the attachment, our own lines from another client, its own voice
// ("*status"), and members with their addresses. A scripted server says
// exactly those lines; the windows, the state and the bytes are checked.
#include <gtest/gtest.h>

#include <ctime>

#include "../session/SessionFixture.h"
#include "conversation/NickList.h"

namespace {

using Shown = FakeConversationView::Shown;

std::string IsoTime(int64_t time)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S.000Z", &utc);
    return text;
}

class BouncerLines : public SessionFixture
{
protected:
    // Attaches as ZNC 1.8 would let it: every capability it offers agreed,
    // the welcome dated welcomeTime (0: undated).
    Session *Attach(int64_t welcomeTime)
    {
        Session *session = ConnectSession();
        m_server.SendLine(":irc.znc.in CAP * LS :batch cap-notify server-time echo-message away-notify "
                          "account-notify extended-join multi-prefix userhost-in-names chghost "
                          "znc.in/self-message znc.in/server-time-iso");
        std::string request;
        EXPECT_TRUE(m_server.WaitForLineStartingWith("CAP REQ", 10000, &request));
        m_server.SendLine(":irc.znc.in CAP me ACK :" + request.substr(request.find(':') + 1));
        EXPECT_TRUE(m_server.WaitForLineStartingWith("CAP END"));
        Welcome(welcomeTime);
        EXPECT_TRUE(WaitFor([&] { return !session->IsConnecting(); }));
        m_session = session;
        return session;
    }
    void Welcome(int64_t time)
    {
        m_server.SendLine((time ? "@time=" + IsoTime(time) + " " : std::string()) + ":irc.znc.in 001 me :Welcome");
    }
    // Sends the lines and waits until all were handled.
    void Say(const std::vector<std::string> &lines)
    {
        for (const std::string &line : lines)
            m_server.SendLine(line);
        m_server.SendLine("PING :sync" + std::to_string(++m_syncs));
        const std::string mark = "sync" + std::to_string(m_syncs);
        ASSERT_TRUE(m_server.WaitForLine(
            [&](const std::string &l) { return l.rfind("PONG", 0) == 0 && l.find(mark) != std::string::npos; }));
    }
    void JoinChannel()
    {
        Say({":me!u@h JOIN #c", ":irc.znc.in 353 me = #c :@ann!a@ann.host me!u@h bob!b@h",
             ":irc.znc.in 366 me #c :End"});
    }
    std::vector<std::pair<Shown, std::string>> Lines(const std::string &window) const
    {
        std::vector<std::pair<Shown, std::string>> lines;
        if (FakeConversationView *view = m_shell->View(window))
            for (const FakeConversationView::Line &line : view->Lines())
                lines.emplace_back(line.shown, line.text);
        return lines;
    }
    int64_t TimeOf(const std::string &window, const std::string &text) const
    {
        for (const FakeConversationView::Line &line : m_shell->View(window)->Lines())
            if (line.text == text)
                return line.time;
        return -1;
    }

    Session *m_session = nullptr;
    int m_syncs = 0;
    const int64_t m_now = static_cast<int64_t>(std::time(nullptr));
};

TEST_F(BouncerLines, APlaybackBatchIsShownAtItsTimesOnceAfterTheSeparator)
{
    Attach(m_now);
    JoinChannel();
    const int64_t earlier = m_now - 3600;
    const std::vector<std::string> playback = {
        ":irc.znc.in BATCH +p1 znc.in/playback #c",
        "@batch=p1;time=" + IsoTime(earlier) + " :ann!a@h PRIVMSG #c :kým si bol preč",
        "@batch=p1;time=" + IsoTime(earlier + 5)
            + " :ann!a@h PRIVMSG #c :\x01"
              "ACTION máva\x01",
        ":irc.znc.in BATCH -p1",
    };
    Say(playback);
    Say({"@time=" + IsoTime(m_now + 1) + " :ann!a@h PRIVMSG #c :a teraz naživo"});

    const auto lines = Lines("#c");
    ASSERT_GE(lines.size(), 4u);
    const std::vector<std::pair<Shown, std::string>> tail(lines.end() - 4, lines.end());
    const std::vector<std::pair<Shown, std::string>> expected = {
        {Shown::Note, "— prehrané z bouncera —"},
        {Shown::PlayedBack, "ann: kým si bol preč"},
        {Shown::PlayedBack, "* ann: máva"},
        {Shown::Live, "ann: a teraz naživo"},
    };
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(TimeOf("#c", "ann: kým si bol preč"), earlier);
    EXPECT_EQ(TimeOf("#c", "* ann: máva"), earlier + 5);

    // Attached again: the same buffer again, nothing new to show.
    const size_t before = Lines("#c").size();
    Welcome(m_now + 10);
    Say(playback);
    EXPECT_EQ(Lines("#c").size(), before);
    // A line that was missed is shown after a separator of this attachment.
    Say({":irc.znc.in BATCH +p2 znc.in/playback #c",
         "@batch=p2;time=" + IsoTime(m_now + 2) + " :bob!b@h PRIVMSG #c :medzitým", ":irc.znc.in BATCH -p2"});
    const auto after = Lines("#c");
    ASSERT_EQ(after.size(), before + 2);
    EXPECT_EQ(after[before], std::make_pair(Shown::Note, std::string("— prehrané z bouncera —")));
    EXPECT_EQ(after[before + 1], std::make_pair(Shown::PlayedBack, std::string("bob: medzitým")));
}

TEST_F(BouncerLines, WithoutABatchALineDatedBeforeTheWelcomeIsPlayedBack)
{
    Attach(m_now);
    JoinChannel();
    Say({"@time=" + IsoTime(m_now - 100) + ";msgid=abc :ann!a@h PRIVMSG #c :staré",
         "@time=" + IsoTime(m_now) + " :ann!a@h PRIVMSG #c :nové",
         // Another batch type is no playback.
         ":irc.znc.in BATCH +n netsplit irc.a irc.b",
         "@batch=n;time=" + IsoTime(m_now + 1) + " :bob!b@h QUIT :irc.a irc.b", ":irc.znc.in BATCH -n"});
    const auto lines = Lines("#c");
    EXPECT_NE(std::find(lines.begin(), lines.end(), std::make_pair(Shown::PlayedBack, std::string("ann: staré"))),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), std::make_pair(Shown::Live, std::string("ann: nové"))),
              lines.end());
    // The same id played back again, even at another time: known.
    const size_t before = lines.size();
    Say({"@time=" + IsoTime(m_now - 90) + ";msgid=abc :ann!a@h PRIVMSG #c :staré"});
    EXPECT_EQ(Lines("#c").size(), before);
}

TEST_F(BouncerLines, OurLinesFromAnotherClientGoToTheChannelOrThePrivateWindow)
{
    Session *session = Attach(0);
    JoinChannel();
    Say({":me!u@h PRIVMSG #c :z telefónu", ":me!u@h PRIVMSG bob :súkromne z telefónu",
         ":me!u@h PRIVMSG bob :\x01"
         "ACTION sa usmieva\x01"});
    EXPECT_EQ(Lines("#c").back(), std::make_pair(Shown::Live, std::string("me: z telefónu")));
    Conversation *query = session->FindWindow("bob");
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query->Type(), Conversation::TypePrivate);
    const std::vector<std::pair<Shown, std::string>> expected = {{Shown::Live, "me: súkromne z telefónu"},
                                                                 {Shown::Live, "* me: sa usmieva"}};
    EXPECT_EQ(Lines("bob"), expected);
    EXPECT_TRUE(session->Requests().empty());
    EXPECT_FALSE(ServerView(session)->HasLineContaining("telefónu"));
    // Nothing went back to the server about them (no CTCP answer to ourselves).
    for (const std::string &line : m_server.Lines())
        EXPECT_EQ(line.find("telef"), std::string::npos) << line;
}

TEST_F(BouncerLines, TheBouncersVoiceOpensItsWindowWithoutTheQuestion)
{
    // Private windows off: the bouncer's voice gets its own all the same.
    WriteBool(kBaseSection, "Open Query Window", false);
    WriteBool(kBaseSection, "Query Dialog", true);
    Session *session = Attach(0);
    session->Command(session->Key(), 1, "/msg *status help");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG *status"));
    Say({":*status!znc@znc.in PRIVMSG me :In the following list all occurrences of <#chan> support wildcards",
         ":*controlpanel!znc@znc.in PRIVMSG me :Unknown command"});
    ASSERT_NE(session->FindWindow("*status"), nullptr);
    ASSERT_NE(session->FindWindow("*controlpanel"), nullptr);
    EXPECT_TRUE(m_shell->View("*status")->HasLineContaining("<#chan> support wildcards"));
    EXPECT_TRUE(session->Requests().empty());
    EXPECT_TRUE(m_shell->m_questions.empty());
    // Anyone else is still asked about, unless the bouncer plays back what they said long ago.
    WriteBool(kBaseSection, "Open Query Window", true);
    Say({":ann!a@h PRIVMSG me :smiem?"});
    EXPECT_EQ(session->FindWindow("ann"), nullptr);
    EXPECT_EQ(session->Requests().size(), 1u);
    Say({":irc.znc.in BATCH +q znc.in/playback carol",
         "@batch=q;time=" + IsoTime(m_now - 600) + " :carol!c@h PRIVMSG me :včera som písala", ":irc.znc.in BATCH -q"});
    ASSERT_NE(session->FindWindow("carol"), nullptr);
    EXPECT_EQ(Lines("carol").back(), std::make_pair(Shown::PlayedBack, std::string("carol: včera som písala")));
    EXPECT_EQ(session->Requests().size(), 1u);
}

TEST_F(BouncerLines, AMentionPlayedBackAgainIsNotAMentionAgain)
{
    Attach(m_now);
    JoinChannel();
    const std::vector<std::string> playback = {
        ":irc.znc.in BATCH +m znc.in/playback #c",
        "@batch=m;time=" + IsoTime(m_now - 300) + " :ann!a@h PRIVMSG #c :me, pozri sa sem",
        "@batch=m;time=" + IsoTime(m_now - 200)
            + " :ann!a@h PRIVMSG #c :\x01"
              "ACTION volá me\x01",
        ":irc.znc.in BATCH -m",
    };
    Say(playback);
    ASSERT_EQ(m_table->Mentions().Count(), 2u);
    EXPECT_EQ(m_table->Mentions().At(1).m_time, m_now - 300);
    Welcome(m_now + 5);
    Say(playback);
    EXPECT_EQ(m_table->Mentions().Count(), 2u);
    // Said live, a mention even when the same words came before.
    Say({":ann!a@h PRIVMSG #c :me, pozri sa sem"});
    EXPECT_EQ(m_table->Mentions().Count(), 3u);
}

TEST_F(BouncerLines, MembersListedWithTheirAddressesKeepOnlyTheirNicks)
{
    Session *session = Attach(0);
    JoinChannel();
    const NickList &nicks = session->FindWindow("#c")->Nicks();
    ASSERT_EQ(nicks.NickCount(), 3);
    int index = -1;
    ASSERT_TRUE(nicks.FindNick("ann", &index));
    EXPECT_EQ(nicks.EntryAt(index).nick, "@ann");
    EXPECT_TRUE(nicks.FindNick("bob"));
    EXPECT_FALSE(nicks.FindNick("bob!b@h"));
}

} // namespace
