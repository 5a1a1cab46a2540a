#include "FrameFixture.h"

#include "app/CommandIds.h"
#include "find/FindBar.h"
#include "input/InputLine.h"
#include "nicklist/NickListView.h"
#include "text/TextClass.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int kText = static_cast<int>(TextClass::Text);

} // namespace

// The status, channel and private windows alike: the bar takes a strip across
// the window between the text (and the nick list) and the input line, and
// gives it back when it closes.
TEST_F(FrameTest, EveryConversationWindowFindsInItsText)
{
    StartSession();
    struct Kind
    {
        std::string name;
        Conversation::WindowKind kind;
        Conversation::WindowType type;
    };
    const Kind kinds[] = {{m_session->Key(), Conversation::KindText, Conversation::TypeStatus},
                          {"#kanal", Conversation::KindChannel, Conversation::TypeChannel},
                          {"ann", Conversation::KindText, Conversation::TypePrivate}};
    for (const Kind &kind : kinds) {
        SCOPED_TRACE(kind.name);
        ConversationWindow *frame = FrameOf(OpenWindow(kind.name, kind.kind, kind.type));
        ASSERT_NE(frame, nullptr);
        frame->Print("ann: hľadám ihlu v kope sena", kText);
        frame->Print("bob: IHLA sa našla", kText);
        const QRect viewBefore = frame->View()->geometry();

        ASSERT_TRUE(frame->HandleCommand(CommandId::FindInWindow));
        FindBar *bar = frame->Finder();
        ASSERT_NE(bar, nullptr);
        ASSERT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->geometry().left(), 0);
        EXPECT_EQ(bar->geometry().width(), frame->width());
        EXPECT_LE(frame->View()->geometry().bottom(), bar->geometry().top());
        EXPECT_LE(bar->geometry().bottom(), frame->Input()->geometry().top());
        if (kind.type == Conversation::TypeChannel) {
            EXPECT_LE(frame->Users()->geometry().bottom(), bar->geometry().top());
        }

        bar->Field()->insert(QStringLiteral("ihl"));
        QTest::keyClick(bar->Field(), Qt::Key_Return);
        EXPECT_EQ(bar->CountLabel()->text(), QStringLiteral("2 z 2"));
        EXPECT_TRUE(frame->HandleCommand(CommandId::FindPrevious));
        EXPECT_EQ(bar->CountLabel()->text(), QStringLiteral("1 z 2"));

        bar->Close();
        EXPECT_FALSE(bar->isVisible());
        EXPECT_EQ(frame->View()->geometry(), viewBefore) << "the text has its room back";
    }
}

TEST_F(FrameTest, TheSelectionOfOneLineIsWhatTheBarFinds)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#kanal", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    frame->Print("ann: prvý", kText);
    frame->Print("bob: druhý", kText);
    frame->View()->SelectAll(); // two lines: not a text to find
    frame->OpenFindBar();
    EXPECT_TRUE(frame->Finder()->Field()->text().isEmpty());
    frame->Finder()->Close();

    frame->Print("eve: slovo", kText);
    // F3 with the bar closed and nothing to find opens it.
    ASSERT_TRUE(frame->HandleCommand(CommandId::FindNext));
    EXPECT_TRUE(frame->Finder()->isVisible());
}

// A line shown in the window can be shown again by the number the window
// gave it, until it goes past the text limit.
TEST_F(FrameTest, ALineIsFoundAgainByItsNumber)
{
    m_settings.m_maxTextSize = 0; // the least limit the window keeps
    ConversationWindow *frame = FrameOf(OpenWindow("#kanal", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    frame->Print("ann: hľadaný riadok", kText);
    const uint64_t id = frame->LastLineId();
    ASSERT_GT(id, 0u);
    for (int i = 0; i < 300; ++i)
        frame->Print("bob: výplň " + std::to_string(i), kText);
    ASSERT_TRUE(WaitFor([&] { return frame->View()->IsAtEnd(); }));
    PumpEvents(2 * ConversationWindow::kScrollDelayMs);

    ASSERT_TRUE(frame->ScrollToShownLine(id));
    EXPECT_TRUE(WaitFor([&] { return !frame->View()->VisibleTextRect(QStringLiteral("hľadaný riadok")).isEmpty(); }));

    // Past the limit the line goes, and its number finds nothing.
    const std::string long_(200, 'x');
    for (int i = 0; i < ConversationWindow::kMinMaxTextSize / 200 + 10; ++i)
        frame->Print(long_, kText);
    EXPECT_FALSE(frame->ScrollToShownLine(id));
    EXPECT_TRUE(frame->ScrollToShownLine(frame->LastLineId()));
}
