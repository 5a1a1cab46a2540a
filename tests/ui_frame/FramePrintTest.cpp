// Print: empty text, the text size band and the clearing, the activity
// flag, the beep and the balloon.
#include "FrameFixture.h"

#include "config/Config.h"
#include "conversation/NickList.h"
#include "nicklist/NickListModel.h"
#include "nicklist/NickListView.h"
#include "text/Strings.h"

namespace {

// Fills the view with filler until its text size is `size` bytes.
void FillTo(ConversationWindow *frame, int64_t size)
{
    const int64_t missing = size - frame->View()->TextSize();
    ASSERT_GE(missing, 2);
    frame->View()->Write(std::string(static_cast<size_t>(missing - 2), 'x') + "\r\n", false);
    ASSERT_EQ(frame->View()->TextSize(), size);
}

int Count(const QString &text, const char *what)
{
    return text.count(QString::fromUtf8(what));
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

TEST_F(FrameTest, NearTheLimitEveryLineIsPrecededByTheWarning)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    // Two short lines and their warnings fit below the limit.
    FillTo(frame, 999100);

    frame->Print("first", 1);
    frame->Print("second", 1);

    const QString shown = Shown(frame);
    EXPECT_EQ(Count(shown, Strings::Get(Str::WindowTextTooLong)), 2);
    EXPECT_LT(shown.indexOf(QString::fromUtf8(Strings::Get(Str::WindowTextTooLong))),
              shown.indexOf(QStringLiteral("first")));
    EXPECT_TRUE(shown.contains(QStringLiteral("x\n")));
    EXPECT_EQ(Count(shown, "Okno obsahovalo"), 0);
}

TEST_F(FrameTest, AboveMaxTextSizeTheWindowIsEmptiedAndSaysHowBigItWas)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    FillTo(frame, 999700);
    frame->Print("still kept", 1); // the warning and the line lift it above the limit
    ASSERT_TRUE(Shown(frame).contains(QStringLiteral("still kept")));
    const int64_t sizeWithWarning = frame->View()->TextSize()
        + static_cast<int64_t>(frame->FormatLine(Strings::Get(Str::WindowTextTooLong), 2).size());

    frame->Print("after clearing", 1);

    const QString shown = Shown(frame);
    EXPECT_FALSE(shown.contains(QStringLiteral("still kept")));
    EXPECT_FALSE(shown.contains(QStringLiteral("xxxx")));
    const QString notice =
        QString::fromStdString(Strings::Format(Str::WindowTextCleared, static_cast<int>(sizeWithWarning)));
    EXPECT_TRUE(shown.contains(notice)) << shown.toStdString();
    EXPECT_LT(shown.indexOf(notice), shown.indexOf(QStringLiteral("after clearing")));
    EXPECT_LT(frame->View()->TextSize(), 2000);
}

TEST_F(FrameTest, ASmallerMaxTextSizeSettingStillMeansOneMillion)
{
    m_settings.m_maxTextSize = 5000;
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    FillTo(frame, 10000);
    frame->Print("kept", 1);
    EXPECT_TRUE(Shown(frame).contains(QStringLiteral("xxxx")));
    EXPECT_EQ(Count(Shown(frame), Strings::Get(Str::WindowTextTooLong)), 0);
}

TEST_F(FrameTest, ManyLinesStayBoundedByTheClearingRule)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    const std::string line(200, 'y');
    int64_t largest = 0;
    for (int k = 0; k < 8000; ++k) {
        frame->Print(line, 1);
        largest = std::max(largest, frame->View()->TextSize());
    }
    EXPECT_LE(largest, 1000000 + 2000);
    EXPECT_GE(Count(Shown(frame), "Okno obsahovalo"), 1);
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
