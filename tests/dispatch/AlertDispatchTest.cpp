#include <gtest/gtest.h>

#include "DispatchFixture.h"
#include "conversation/UserAlert.h"

#include <ctime>

namespace {

class AlertDispatch : public DispatchFixture
{
protected:
    const std::vector<UserAlert> &Alerts() const { return m_shell->m_alerts; }
};

} // namespace

TEST_F(AlertDispatch, PrivateMessagesAndLinesNamingUsAlertWhileTheUserLooksElsewhere)
{
    m_table->Mentions().SetHighlightWords("brimo");
    Channel("#room", {"ann", "bob"});
    m_session->OpenWindow("ann", Conversation::KindText, Conversation::TypePrivate);
    Dispatch(":ann!u@h PRIVMSG me :\x02"
             "ahoj\x02 <tu>");
    Dispatch(":bob!u@h PRIVMSG #room :me: pozri");
    Dispatch(":bob!u@h PRIVMSG #room :Brimo vie oznamovat");
    Dispatch(":ann!u@h PRIVMSG #room :\x01"
             "ACTION mava me\x01");
    Dispatch(":ann!u@h PRIVMSG #room :len tak");

    ASSERT_EQ(Alerts().size(), 4u) << "a line that names nobody alerts nobody";
    const UserAlert &first = Alerts()[0];
    EXPECT_EQ(first.kind, UserAlert::Kind::PrivateMessage);
    EXPECT_EQ(first.window, "ann");
    EXPECT_EQ(first.sender, "ann");
    EXPECT_EQ(first.sessionKey, m_session->Key());
    EXPECT_EQ(first.text,
              "\x02"
              "ahoj\x02 <tu>")
        << "as received: the notification makes it plain";
    EXPECT_EQ(Alerts()[1].kind, UserAlert::Kind::Mention);
    EXPECT_EQ(Alerts()[1].window, "#room");
    EXPECT_EQ(Alerts()[1].sender, "bob");
    EXPECT_EQ(Alerts()[2].text, "Brimo vie oznamovat") << "a highlight word";
    EXPECT_EQ(Alerts()[3].text, "mava me") << "an action";
}

TEST_F(AlertDispatch, NoAlertForTheWindowBeingReadOurOwnLinesOrOldPlayback)
{
    Channel("#room", {"ann"});
    View("#room")->m_active = true;
    Dispatch(":ann!u@h PRIVMSG #room :me: vidis?");
    EXPECT_TRUE(Alerts().empty()) << "the user reads that window";

    m_shell->m_mainActive = false;
    Dispatch(":ann!u@h PRIVMSG #room :me: a teraz?");
    ASSERT_EQ(Alerts().size(), 1u) << "the window is active, but the program is not";

    Dispatch(":me!u@h PRIVMSG #room :me sam");
    Dispatch(":me!u@h PRIVMSG me :poznamka pre seba");
    EXPECT_EQ(Alerts().size(), 1u) << "our own lines (echo, a bouncer) alert nobody";

    m_session->Caps().AddOffered("server-time");
    m_session->Caps().Acknowledge("server-time");
    const auto at = [](std::time_t time) {
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S.000Z", std::gmtime(&time));
        return std::string("@time=") + stamp + " ";
    };
    const std::time_t now = std::time(nullptr);
    Dispatch(at(now - 3600) + ":ann!u@h PRIVMSG me :hodinu stara");
    EXPECT_EQ(Alerts().size(), 1u) << "a line of a playback, an hour old";
    Dispatch(at(now) + ":ann!u@h PRIVMSG me :cerstva");
    ASSERT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(Alerts().back().text, "cerstva");
}

TEST_F(AlertDispatch, APrivateMessageWithoutItsWindowPointsAtTheStatusWindow)
{
    Dispatch(":zoe!u@h PRIVMSG me :si tam?");
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0].kind, UserAlert::Kind::PrivateMessage);
    EXPECT_EQ(Alerts()[0].window, m_session->Key()) << "the line was printed to the status window";
}
