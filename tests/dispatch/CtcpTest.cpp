#include <gtest/gtest.h>

#include <regex>

#include "DispatchFixture.h"
#include "session/Ctcp.h"
#include "session/CtcpRateLimit.h"
#include "text/TextClass.h"

namespace {

class CtcpDispatch : public DispatchFixture
{
protected:
    void SetUp() override
    {
        DispatchFixture::SetUp();
        m_session->SetCtcpClock([this] { return m_nowMs; });
    }

    int64_t m_nowMs = 1000000;
};

TEST(CtcpFraming, BodyAndFrame)
{
    EXPECT_EQ(Ctcp::Body("\x01VERSION\x01"), "VERSION");
    EXPECT_EQ(Ctcp::Body("\x01PING 123"), "PING 123"); // no closing byte: taken whole
    EXPECT_EQ(Ctcp::Body("\x01"), "");
    EXPECT_EQ(Ctcp::Frame("VERSION"), "\x01VERSION\x01");
    EXPECT_EQ(Ctcp::Frame("ACTION", "waves"),
              "\x01"
              "ACTION waves\x01");
    EXPECT_EQ(Ctcp::LocalTimeText().size(), 24u);
}

TEST(CtcpRateLimitTest, BurstThenOneAnswerPerRefill)
{
    CtcpRateLimit limit;
    int allowed = 0;
    for (int i = 0; i < 100; ++i)
        allowed += limit.Allow(5000) ? 1 : 0;
    EXPECT_EQ(allowed, CtcpRateLimit::Burst);
    EXPECT_EQ(limit.Dropped(), 100 - CtcpRateLimit::Burst);
    EXPECT_FALSE(limit.Allow(5000 + CtcpRateLimit::RefillMs - 1));
    EXPECT_TRUE(limit.Allow(5000 + CtcpRateLimit::RefillMs));
    EXPECT_FALSE(limit.Allow(5000 + CtcpRateLimit::RefillMs));
    // A long pause refills the bucket, never beyond its size.
    allowed = 0;
    for (int i = 0; i < 10; ++i)
        allowed += limit.Allow(10000000) ? 1 : 0;
    EXPECT_EQ(allowed, CtcpRateLimit::Burst);
    // A clock that goes back does not lock the bucket for ever.
    EXPECT_FALSE(limit.Allow(1));
    EXPECT_TRUE(limit.Allow(1 + CtcpRateLimit::RefillMs));
}

TEST_F(CtcpDispatch, VersionPingAndTimeAreAnsweredAndShown)
{
    EXPECT_EQ(Dispatch(":Ann!a@h PRIVMSG me :\x01VERSION\x01"), 1);
    EXPECT_TRUE(Sent("NOTICE Ann :\x01VERSION Brimo 1.1\x01"));
    EXPECT_EQ(LastText(m_session->Key()), "Užívateľ Ann sa informoval o tvojej verzii klienta");

    m_nowMs += 10 * CtcpRateLimit::RefillMs;
    // The payload goes back whole.
    Dispatch(":Ann!a@h PRIVMSG me :\x01ping 1700000000 123456 extra  words\x01");
    EXPECT_TRUE(Sent("NOTICE Ann :\x01PING 1700000000 123456 extra  words\x01"));
    EXPECT_EQ(LastText(m_session->Key()), "Užívateľ Ann sa informoval o rýchlosti spojenia s tebou");

    Dispatch(":Ann!a@h PRIVMSG #room :\x01TIME\x01");
    std::string timeReply;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NOTICE Ann :\x01TIME ", 5000, &timeReply));
    EXPECT_TRUE(std::regex_match(timeReply,
                                 std::regex("NOTICE Ann :\x01TIME [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\\d "
                                            "\\d\\d:\\d\\d:\\d\\d \\d{4}\x01")))
        << timeReply;
    EXPECT_EQ(LastText(m_session->Key()), "Užívateľ Ann sa informoval o tvojej časovej zóne ");
}

// The program answers, the user did not type it: an open private window of
// the asker shows no answer as the user's text.
TEST_F(CtcpDispatch, AnswersAreNotShownInThePrivateWindowAsTyped)
{
    Conversation *query = m_session->OpenWindow("ann", Conversation::KindText, Conversation::TypePrivate);
    ASSERT_NE(query, nullptr);
    const size_t before = View("ann")->Lines().size();
    Dispatch(":Ann!a@h PRIVMSG me :\x01VERSION\x01");
    Dispatch(":Ann!a@h PRIVMSG me :\x01PING 42\x01");
    Dispatch(":Ann!a@h PRIVMSG me :\x01TIME\x01");
    EXPECT_TRUE(Sent("NOTICE Ann :\x01VERSION Brimo 1.1\x01"));
    EXPECT_TRUE(Sent("NOTICE Ann :\x01PING 42\x01"));
    EXPECT_TRUE(m_server.WaitForLineStartingWith("NOTICE Ann :\x01TIME "));
    EXPECT_EQ(View("ann")->Lines().size(), before);

    // A notice the user sends is still shown there.
    m_session->Command("ann", 0, "/notice ann hello");
    EXPECT_EQ(LastText("ann"), "me: hello");
}

TEST_F(CtcpDispatch, ActionsShowInTheirWindowAndUnknownRequestsAreIgnored)
{
    Channel("#room");
    Dispatch(":Ann!a@h PRIVMSG #room :\x01"
             "ACTION waves at all\x01");
    ASSERT_NE(LastLine("#room"), nullptr);
    EXPECT_EQ(LastLine("#room")->text, "* Ann: waves at all");
    EXPECT_EQ(LastLine("#room")->textClass, static_cast<int>(TextClass::High));
    Dispatch(":Ann!a@h PRIVMSG me :\x01"
             "ACTION smiles");
    EXPECT_EQ(LastText(m_session->Key()), "* Ann: smiles");

    const size_t before = ServerView()->Lines().size();
    EXPECT_EQ(Dispatch(":Ann!a@h PRIVMSG me :\x01"
                       "FINGER\x01"),
              1);
    EXPECT_EQ(Dispatch(":Ann!a@h PRIVMSG me :\x01"), 1);
    EXPECT_EQ(ServerView()->Lines().size(), before);
    SyncWire();
    EXPECT_EQ(CountSent("NOTICE"), 0);
}

TEST_F(CtcpDispatch, AFloodOfRequestsGetsOnlyAFewAnswers)
{
    for (int i = 0; i < 1000; ++i)
        Dispatch(":n" + std::to_string(i % 7) + "!a@h PRIVMSG me :\x01VERSION\x01");
    SyncWire();
    EXPECT_EQ(CountSent("NOTICE "), CtcpRateLimit::Burst);
    EXPECT_EQ(ServerView()->CountLines("Užívateľ n0 sa informoval o tvojej verzii klienta"), 1);

    // Time passing lets answers out again, at the rate.
    m_nowMs += CtcpRateLimit::RefillMs;
    for (int i = 0; i < 50; ++i)
        Dispatch(":late!a@h PRIVMSG me :\x01PING 1\x01");
    SyncWire();
    EXPECT_EQ(CountSent("NOTICE late"), 1);
}

TEST_F(CtcpDispatch, RepliesGoToThePopupWithWhoisAll)
{
    m_session->RouteWhoisReplies(false, true);
    Dispatch(":Ann!a@h NOTICE me :\x01VERSION Other \x03"
             "4client\x01");
    Dispatch(":Ann!a@h NOTICE me :\x01TIME Mon Jan  1 10:00:00 2024\x01");
    const std::string sent = std::to_string(static_cast<long long>(std::time(nullptr)) - 5);
    Dispatch(":Ann!a@h NOTICE me :\x01PING " + sent + "\x01");
    Dispatch(":Ann!a@h NOTICE me :\x01"
             "CLIENTINFO x\x01");
    ASSERT_EQ(m_shell->m_popupLines.size(), 3u);
    EXPECT_NE(m_shell->m_popupLines[0].find("Ann používa klienta Other"), std::string::npos);
    EXPECT_NE(m_shell->m_popupLines[1].find("Ann má čas Mon Jan  1 10:00:00 2024"), std::string::npos);
    EXPECT_TRUE(std::regex_search(m_shell->m_popupLines[2], std::regex("Rýchlosť spojenia z Ann je [5-9] sekund")))
        << m_shell->m_popupLines[2];
}

TEST(CtcpProperties, WhatASheetFillsIn)
{
    using Update = Ctcp::PropertyUpdate;
    Update u = Ctcp::PropertyUpdateOf(":srv 311 me Ann ~a host.sk * :Ann Novak", 0);
    EXPECT_EQ(u.field, Update::Address);
    EXPECT_EQ(u.nick, "Ann");
    EXPECT_EQ(u.value, "host.sk");
    EXPECT_EQ(u.fullName, "Ann Novak");
    EXPECT_EQ(Ctcp::PropertyUpdateOf(":srv 319 me Ann :#a #b", 0).value, "#a #b");
    EXPECT_EQ(Ctcp::PropertyUpdateOf(":srv 312 me Ann irc.x :Info", 0).value, "irc.x :Info");
    EXPECT_EQ(Ctcp::PropertyUpdateOf(":srv 317 me Ann 1 0 :idle", 0).field, Update::SignOn);
    u = Ctcp::PropertyUpdateOf(":Ann!a@h NOTICE me :\x01VERSION \x02"
                               "Bold\x02 1.0\x01",
                               0);
    EXPECT_EQ(u.field, Update::Version);
    EXPECT_EQ(u.value, "Bold 1.0");
    u = Ctcp::PropertyUpdateOf(":Ann!a@h NOTICE me :\x01PONG 100\x01", 107);
    EXPECT_EQ(u.field, Update::Speed);
    EXPECT_EQ(u.value, "Rýchlosť spojenia z Ann je 7 sekund");
    EXPECT_EQ(Ctcp::PropertyUpdateOf(":Ann!a@h NOTICE me :plain", 0).field, Update::None);
    EXPECT_EQ(Ctcp::PropertyUpdateOf(":srv 318 me Ann :End", 0).field, Update::None);
    EXPECT_EQ(Ctcp::PropertyUpdateOf("", 0).field, Update::None);
}

TEST_F(CtcpDispatch, DccOffersBecomeClickableLinesOrQuestions)
{
    Dispatch(":Ann!a@10.1.2.3 PRIVMSG me :\x01"
             "DCC CHAT chat 167772161 4000\x01");
    const auto &lines = ServerView()->Lines();
    ASSERT_GE(lines.size(), 2u);
    const std::string first = lines[lines.size() - 2].text;
    EXPECT_EQ(lines.back().textClass, static_cast<int>(TextClass::Html));
    // The accepting line goes to the announced address, not to the host of the prefix.
    EXPECT_NE(first.find("<span id='/dcc chat connect 10.0.0.1 4000' style='cursor:hand;'>"), std::string::npos)
        << first;
    EXPECT_NE(first.find("Ann si chce s tebou"), std::string::npos);

    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC SEND ../../.bashrc 1 4000 12\x01");
    EXPECT_NE(ServerView()->Lines().back().text.find("/dcc send receive 0.0.0.1 4000 12 bashrc'"), std::string::npos);
    Dispatch(":Ann!a@h PRIVMSG me :\x01"
             "DCC SEND \"my file.txt\" 167772161 4000 12\x01");
    EXPECT_NE(ServerView()->Lines().back().text.find("/dcc send receive 10.0.0.1 4000 12 my_file.txt'"),
              std::string::npos);

    const size_t before = ServerView()->Lines().size();
    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC SEND f 1 99999 12\x01"); // port
    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC SEND f 1 4000 -12\x01"); // size
    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC SEND .. 1 4000 12\x01"); // name
    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC RESUME f 1 4000 12\x01"); // not an offer
    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC SEND f 0 4000 12\x01"); // address
    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC SEND \"f 1 4000 12\x01"); // unterminated name
    Dispatch(":Evil!e@x.sk PRIVMSG me :\x01"
             "DCC SEND ... 1 4000 12\x01"); // nothing but dots
    EXPECT_EQ(ServerView()->Lines().size(), before);

    WriteBool(kBaseSection, "DCC Dialog", true);
    Dispatch(":Ann!a@h.sk PRIVMSG me :\x01"
             "dcc send photo.jpg 1 5000 2048\x01");
    ASSERT_EQ(m_shell->m_questions.size(), 1u);
    EXPECT_EQ(m_shell->m_questions[0].kind, 4);
    EXPECT_EQ(m_shell->m_questions[0].prefix, "Ann!a@h.sk");
    EXPECT_EQ(m_shell->m_questions[0].fileName, "photo.jpg");
    EXPECT_EQ(m_shell->m_questions[0].fileSize, 2048);
    ASSERT_EQ(m_session->Requests().size(), 1u);
    const PendingRequest &request = m_session->Requests()[0];
    EXPECT_EQ(request.kind, Question::DccFile);
    EXPECT_EQ(request.nick, "Ann");
    EXPECT_EQ(request.text, "/dcc send receive 0.0.0.1 5000 2048 photo.jpg");
    EXPECT_EQ(request.fileName, "photo.jpg");
}

TEST_F(CtcpDispatch, TheShellsDccTakesTheOffers)
{
    m_shell->m_hasDcc = true;
    Dispatch(":Ann!a@h PRIVMSG me :\x01"
             "DCC CHAT chat 1 4000\x01");
    const std::vector<std::string> &offers = m_shell->m_dccOffers;
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0], "Ann!a@h|DCC CHAT chat 1 4000");
}

} // namespace
