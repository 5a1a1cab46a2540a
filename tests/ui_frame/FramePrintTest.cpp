// Print: empty text, the text limit, the activity flag, the beep and the
// balloon.
#include "FrameFixture.h"
#include "history/LogTail.h"

#include "config/Config.h"
#include "conversation/NickList.h"
#include "nicklist/NickListModel.h"
#include "nicklist/NickListView.h"
#include "text/StrPrintf.h"

namespace {

// A line of 440 bytes that switches reverse video on and off at every
// character: its HTML is a span per character, its text 220 characters.
std::string ReverseVideoLine(int number)
{
    std::string line = "n" + std::to_string(number) + " ";
    for (int k = 0; k < 220; ++k)
        line += "\x16"
                "a";
    return line;
}

} // namespace

TEST_F(FrameTest, EmptyTextPrintsNothingAndLeavesTheActivityFlag)
{
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    channel->SetActivity(false);
    const int64_t before = frame->View()->TextSize();

    EXPECT_FALSE(channel->Print("", TextClass::Text));
    EXPECT_FALSE(frame->Print("", 1));

    EXPECT_EQ(frame->View()->TextSize(), before);
    EXPECT_FALSE(channel->Activity());
}

TEST_F(FrameTest, PrintedLineIsFormattedWithTheWindowsTimeStampToggle)
{
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    frame->SetTimeStamps(false);
    EXPECT_EQ(frame->FormatLine("hi", 1),
              "<span style='background-color: #transparent; color: #000000;'>hi</span>\r\n");
    ASSERT_TRUE(channel->Print("hi", TextClass::Text));
    const std::string expected = frame->FormatLine("hi", 1);
    const std::string &source = frame->View()->Source();
    ASSERT_GE(source.size(), expected.size());
    EXPECT_EQ(source.substr(source.size() - expected.size()), expected);
    EXPECT_TRUE(Shown(frame).trimmed().endsWith(QStringLiteral("hi")));
    EXPECT_FALSE(Shown(frame).contains(QStringLiteral("] hi"))); // no time stamp
    frame->SetTimeStamps(true);
    EXPECT_EQ(frame->FormatLine("hi", 1).rfind("<span style='z-index: 5;", 0), 0u);
}

// A remote user's markup-heavy lines count as the text they show, so a few
// dozen of them do not empty the window.
TEST_F(FrameTest, LinesCountTheTextTheyShowNotTheirMarkup)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    for (int k = 0; k < 200; ++k)
        frame->Print(ReverseVideoLine(k), 1);

    EXPECT_GT(frame->View()->Source().size(), 2000000u); // the markup alone is past the limit
    EXPECT_LT(frame->View()->TextSize(), 200 * 240);
    const QString shown = Shown(frame);
    EXPECT_TRUE(shown.contains(QStringLiteral("n0 aaaa")));
    EXPECT_TRUE(shown.contains(QStringLiteral("n199 aaaa")));
}

// Past "Max Text Size" characters the oldest lines go, a tenth of the limit
// at a time; the newer ones stay.
TEST_F(FrameTest, PastTheLimitTheOldestLinesGoAndTheNewerStay)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    frame->SetTimeStamps(false);
    const std::string filler(190, 'y');
    int64_t largest = 0;
    for (int k = 0; k < 8000; ++k) {
        frame->Print(StrPrintf("line%05d ", k) + filler, 1);
        largest = std::max(largest, frame->View()->TextSize());
    }
    EXPECT_LE(largest, 1000000);
    EXPECT_GE(frame->View()->TextSize(), 850000);
    const QString shown = Shown(frame);
    EXPECT_FALSE(shown.contains(QStringLiteral("line00000")));
    EXPECT_TRUE(shown.contains(QStringLiteral("line04000 yyy")));
    EXPECT_TRUE(shown.contains(QStringLiteral("line07999 yyy")));
    // The lines shown are one unbroken run up to the newest.
    const qsizetype oldest = shown.indexOf(QStringLiteral("line"));
    const int first = shown.mid(oldest + 4, 5).toInt();
    EXPECT_EQ(shown.count(QStringLiteral("line")), 8000 - first);
    EXPECT_EQ(frame->View()->Source().find("line00000"), std::string::npos);
}

TEST_F(FrameTest, AMaxTextSizeSettingBelowAMillionStillMeansOneMillion)
{
    m_settings.m_maxTextSize = 5;
    ConversationWindow *small = FrameOf(OpenWindow("#small", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->View()->TextLimit(), 1000000);

    m_settings.m_maxTextSize = 2000000;
    small->SettingsChanged();
    EXPECT_EQ(small->View()->TextLimit(), 2000000);
}

TEST_F(FrameTest, ActivityIsFlaggedUnlessTheWindowIsActiveInAnActiveMainWindow)
{
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    Conversation *other =
        OpenWindow("#other", Conversation::KindChannel, Conversation::TypeChannel); // now the active child
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(FrameOf(other), nullptr);
    channel->SetActivity(false);
    other->SetActivity(false);
    m_shell.m_mainActive = true;

    channel->Print("to the inactive window", TextClass::Text);
    other->Print("to the active window", TextClass::Text);
    EXPECT_TRUE(channel->Activity());
    EXPECT_TRUE(frame->HasActivity());
    EXPECT_FALSE(other->Activity());

    m_shell.m_mainActive = false;
    other->Print("main window inactive", TextClass::Text);
    EXPECT_TRUE(other->Activity());
}

TEST_F(FrameTest, BeepAndBalloonFollowTheSettingsAndTheMainWindow)
{
    StartSession();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ASSERT_NE(FrameOf(channel), nullptr);
    m_shell.m_mainActive = true;
    m_shell.m_mainVisible = true;
    channel->Print("quiet", TextClass::Text);
    m_settings.m_beepOnMessage = true;
    m_settings.m_showBalloon = true;
    channel->Print("still quiet", TextClass::Text);
    EXPECT_TRUE(m_shell.m_beeps.empty());
    EXPECT_TRUE(m_shell.m_balloons.empty());

    m_shell.m_mainActive = false;
    channel->Print("beeps", TextClass::Text);
    EXPECT_EQ(m_shell.m_beeps, std::vector<int>{0});
    EXPECT_TRUE(m_shell.m_balloons.empty());

    m_shell.m_mainVisible = false;
    channel->Print("\x02hidden\x02 away", TextClass::High);
    ASSERT_EQ(m_shell.m_balloons.size(), 1u);
    EXPECT_EQ(m_shell.m_balloons[0].title, "#chan");
    EXPECT_EQ(m_shell.m_balloons[0].text, "\x02hidden\x02 away");
    EXPECT_EQ(m_shell.m_balloons[0].textClass, 2);

    m_session->ServerWindow()->Print("status line", TextClass::Info);
    ASSERT_EQ(m_shell.m_balloons.size(), 2u);
    EXPECT_EQ(m_shell.m_balloons[1].title, m_session->HumanName());
}

TEST_F(FrameTest, PlayedBackLinesMakeNoSoundAndMarkOnlyWhatIsNewerThanTheLastLook)
{
    StartSession();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    OpenWindow("#other", Conversation::KindChannel, Conversation::TypeChannel); // the active child
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    m_settings.m_beepOnMessage = true;
    m_settings.m_showBalloon = true;
    m_shell.m_mainActive = false;
    m_shell.m_mainVisible = false;
    // The reader saw the window's log up to lastSeen.
    const int64_t lastSeen = 1796673983;
    LoggedLine seen;
    seen.entry = LogEntry{"20:06:23", LogEntry::Message, "bob", "videné"};
    seen.time = lastSeen;
    frame->ShowAgain({seen});
    channel->SetActivity(false);

    EXPECT_TRUE(frame->ShowPlayedBackLine("bob: staršie", int(TextClass::Text), lastSeen - 60));
    frame->ShowNote("— prehrané z bouncera —");
    EXPECT_FALSE(channel->Activity());
    EXPECT_TRUE(frame->ShowPlayedBackLine("bob: novšie", int(TextClass::Text), lastSeen + 60));
    EXPECT_TRUE(channel->Activity());
    EXPECT_TRUE(m_shell.m_beeps.empty());
    EXPECT_TRUE(m_shell.m_balloons.empty());
    const QString shown = Shown(frame);
    EXPECT_TRUE(shown.contains(QStringLiteral("bob: staršie")));
    EXPECT_TRUE(shown.contains(QStringLiteral("\n— prehrané z bouncera —\n"))) << "a note without time stamp";
    // A live line still beeps and shows the balloon.
    channel->Print("bob: naživo", TextClass::Text);
    EXPECT_EQ(m_shell.m_beeps.size(), 1u);
    EXPECT_EQ(m_shell.m_balloons.size(), 1u);
}

// One contact list, the session table's, answers the text decoration and the
// nick list; the window reloads it when the address book changes.
TEST_F(FrameTest, TheSessionTablesContactListMarksNicksInTextAndInTheList)
{
    WriteString("Address Book", "newbie", "0\t*\t*\t");
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    m_table->Contacts().Set({"Friend", "Pal"}); // not in the file: only the list can know them
    channel->Nicks().AddNick("friend");
    channel->Nicks().AddNick("newbie");

    frame->Print("Pal says hi", static_cast<int>(TextClass::Text));
    const std::string &html = frame->View()->Source();
    EXPECT_NE(html.find("id='/query Pal'"), std::string::npos) << html; // a contact, not a member
    EXPECT_TRUE(frame->Users()->Model()->IsContact("friend"));
    EXPECT_FALSE(frame->Users()->Model()->IsContact("newbie"));

    frame->ContactsChanged();
    EXPECT_TRUE(m_table->Contacts().IsContact("NEWBIE"));
    EXPECT_FALSE(frame->Users()->Model()->IsContact("friend"));
    EXPECT_TRUE(frame->Users()->Model()->IsContact("newbie"));
    const size_t before = html.size();
    frame->Print("Pal again", static_cast<int>(TextClass::Text));
    EXPECT_EQ(frame->View()->Source().find("id='/query Pal'", before), std::string::npos);
}
