#include <gtest/gtest.h>

#include "DispatchFixture.h"
#include "conversation/Question.h"
#include "session/DispatchHandlers.h"
#include "session/RequestAnswer.h"
#include "text/Strings.h"
#include "text/TextClass.h"

namespace {

class MessageDispatch : public DispatchFixture
{
protected:
    int ServerLinesContaining(const std::string &part) const
    {
        int count = 0;
        for (const FakeConversationView::Line &line : ServerView()->Lines())
            count += line.text.find(part) != std::string::npos ? 1 : 0;
        return count;
    }
};

constexpr int kText = static_cast<int>(TextClass::Text);
constexpr int kInfo = static_cast<int>(TextClass::Info);

TEST_F(MessageDispatch, ChannelTextLandsInItsWindowOrTheServerWindow)
{
    Channel("#room");
    EXPECT_EQ(Dispatch(":ann!u@h PRIVMSG #room :hello there"), 1);
    ASSERT_NE(LastLine("#room"), nullptr);
    EXPECT_EQ(LastLine("#room")->text, "ann: hello there");
    EXPECT_EQ(LastLine("#room")->textClass, kText);
    Dispatch(":ann!u@h PRIVMSG #unknown :lost?");
    EXPECT_EQ(LastText(m_session->Key()), "ann: lost?");
}

TEST_F(MessageDispatch, PrivateMessagesFollowTheQuerySettings)
{
    // No window, "Open Query Window" off: the server window.
    Dispatch(":ann!u@h PRIVMSG Me :psst");
    EXPECT_EQ(LastText(m_session->Key()), "ann: psst");
    EXPECT_EQ(m_session->FindWindow("ann"), nullptr);

    // On, without the dialog: a private window opens.
    WriteBool(kBaseSection, "Open Query Window", true);
    Dispatch(":ann!u@h PRIVMSG me :second");
    Conversation *query = m_session->FindWindow("ann");
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query->Type(), Conversation::TypePrivate);
    EXPECT_EQ(LastText("ann"), "ann: second");

    // With the dialog: queued and asked about, nothing printed.
    WriteBool(kBaseSection, "Query Dialog", true);
    Dispatch(":bob!b@b.sk PRIVMSG me :may I?");
    EXPECT_EQ(m_session->FindWindow("bob"), nullptr);
    ASSERT_EQ(m_session->Requests().size(), 1u);
    EXPECT_EQ(m_session->Requests()[0].kind, Question::PrivateChat);
    EXPECT_EQ(m_session->Requests()[0].nick, "bob");
    EXPECT_EQ(m_session->Requests()[0].text, "may I?");
    ASSERT_EQ(m_shell->m_questions.size(), 1u);
    EXPECT_EQ(m_shell->m_questions[0].kind, 1);
    EXPECT_EQ(m_shell->m_questions[0].prefix, "bob!b@b.sk");
    EXPECT_EQ(m_shell->m_questions[0].sessionKey, m_session->Key());

    // An open window always takes the message.
    Dispatch(":ann!u@h PRIVMSG me :third");
    EXPECT_EQ(LastText("ann"), "ann: third");
}

TEST_F(MessageDispatch, AFloodOfPrivateRequestsStaysBounded)
{
    WriteBool(kBaseSection, "Open Query Window", true);
    WriteBool(kBaseSection, "Query Dialog", true);
    for (int i = 0; i < 2000; ++i)
        Dispatch(":n" + std::to_string(i) + "!u@h PRIVMSG me :hi");
    EXPECT_LE(m_session->Requests().size(), 500u);
    EXPECT_GE(m_session->Requests().size(), 100u);
    EXPECT_EQ(ServerLinesContaining(Strings::Format(Str::RequestsFull, int(PendingRequests::kMaxEntries))), 1);
}

TEST_F(MessageDispatch, OneSendersFloodNeverHidesAnotherSendersMessage)
{
    const std::string kFloodTold =
        Strings::Format(Str::SenderRequestsFull, "flood", int(PendingRequests::kMaxPerSender));
    WriteBool(kBaseSection, "Open Query Window", true);
    WriteBool(kBaseSection, "Query Dialog", true);
    for (int i = 0; i < 600; ++i)
        Dispatch(":flood!f@f.sk PRIVMSG me :line " + std::to_string(i));
    EXPECT_LE(m_session->Requests().size(), 100u);
    EXPECT_EQ(ServerLinesContaining(kFloodTold), 1);

    // Declined: the waiting lines go with the answer.
    RequestAnswer::RejectRequest(*m_session,
                                 Question::ForRequest(Question::PrivateChat, "flood!f@f.sk", m_session->Key()));
    EXPECT_EQ(m_session->Requests().size(), 0u);

    m_shell->m_questions.clear();
    Dispatch(":ann!a@a.sk PRIVMSG me :are you there?");
    ASSERT_EQ(m_shell->m_questions.size(), 1u);
    EXPECT_EQ(m_shell->m_questions[0].prefix, "ann!a@a.sk");
    RequestAnswer::AcceptRequest(*m_session, m_shell->m_questions[0]);
    EXPECT_EQ(LastText("ann"), "ann: are you there?");

    // A new flood from the declined sender is told about again.
    for (int i = 0; i < 150; ++i)
        Dispatch(":flood!f@f.sk PRIVMSG me :again " + std::to_string(i));
    EXPECT_EQ(ServerLinesContaining(kFloodTold), 2);
}

TEST_F(MessageDispatch, AddressBookAlertsBeepByMode)
{
    WriteString("Address Book", "one", "1 * *");
    WriteString("Address Book", "two", "2 * *");
    WriteString("Address Book", "three", "3 * *");
    WriteString("Address Book", "four", "4 * *");
    WriteString("Address Book", "junk", "x * *");
    Channel("#room");
    Dispatch(":one!u@h PRIVMSG #room :a");
    Dispatch(":two!u@h PRIVMSG #room :a");
    Dispatch(":three!u@h PRIVMSG #room :a"); // only to me
    Dispatch(":four!u@h PRIVMSG #room :a");  // only to me
    Dispatch(":junk!u@h PRIVMSG me :a");
    Dispatch(":stranger!u@h PRIVMSG me :a");
    Dispatch(":three!u@h PRIVMSG ME :a");
    Dispatch(":four!u@h PRIVMSG me :a");
    EXPECT_EQ(m_shell->m_beeps, (std::vector<int>{0, 64, 0, 64}));
}

TEST_F(MessageDispatch, WithTheContactListOnlyListedContactsAreLookedUp)
{
    WriteString("Address Book", "one", "1 * *");
    WriteString("Address Book", "two", "2 * *");
    Channel("#room");
    m_table->Contacts().Set({"ONE"}); // "two" was added after the list was made
    Dispatch(":One!u@h PRIVMSG #room :a");
    Dispatch(":two!u@h PRIVMSG #room :a");
    m_table->Contacts().Forget();
    Dispatch(":two!u@h PRIVMSG #room :a");
    EXPECT_EQ(m_shell->m_beeps, (std::vector<int>{0, 64}));
}

TEST_F(MessageDispatch, NoticesGoToTheServerWindowOrTheSendersWindow)
{
    EXPECT_EQ(Dispatch(":ann!u@h NOTICE me :look here"), 1);
    ASSERT_NE(LastLine(m_session->Key()), nullptr);
    EXPECT_EQ(LastLine(m_session->Key())->text, "[NOTICE] ann: look here");
    EXPECT_EQ(LastLine(m_session->Key())->textClass, kInfo);

    Dispatch(":srv NOTICE AUTH");
    EXPECT_EQ(LastText(m_session->Key()), "[NOTICE] srv: AUTH");

    WriteBool(kBaseSection, "Notice Msgs To Wnd", true);
    Dispatch(":ann!u@h NOTICE me :in a window");
    Conversation *window = m_session->FindWindow("ann");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Type(), Conversation::TypePrivate);
    EXPECT_EQ(LastText("ann"), "[NOTICE] ann: in a window");
}

TEST_F(MessageDispatch, NoticesWithWhoisAllGoToThePopup)
{
    m_session->RouteWhoisReplies(false, true);
    const size_t before = ServerView()->Lines().size();
    Dispatch(":ann!u@h NOTICE me :a <b>plain</b> notice");
    ASSERT_EQ(m_shell->m_popupLines.size(), 1u);
    EXPECT_EQ(m_shell->m_popupLines[0].find("<b>"), std::string::npos);
    EXPECT_NE(m_shell->m_popupLines[0].find("notice ann: a "), std::string::npos);
    EXPECT_EQ(ServerView()->Lines().size(), before);
}

TEST_F(MessageDispatch, CtcpRepliesAreNotPrintedWithoutWhoisAll)
{
    const size_t before = ServerView()->Lines().size();
    Dispatch(":ann!u@h NOTICE me :\x01VERSION Other 2.0\x01");
    EXPECT_EQ(ServerView()->Lines().size(), before);
    EXPECT_TRUE(m_shell->m_popupLines.empty());
}

TEST_F(MessageDispatch, AwayRepliesSetTheFlagAndMarkOurselvesInEveryList)
{
    Conversation *a = Channel("#a", {"@me", "ann"});
    Conversation *b = Channel("#b", {"ann"});
    EXPECT_EQ(Dispatch(":srv 306 me :You have been marked as being away"), 1);
    EXPECT_TRUE(m_session->IsAway());
    int index = -1;
    ASSERT_TRUE(a->Nicks().FindNick("me", &index));
    EXPECT_EQ(a->Nicks().EntryAt(index).away, "AWAY");
    EXPECT_FALSE(b->Nicks().FindNick("me"));

    Dispatch(":srv 305 me :You are no longer marked as being away");
    EXPECT_FALSE(m_session->IsAway());
    EXPECT_FALSE(a->Nicks().EntryAt(index).IsAway());
}

} // namespace
