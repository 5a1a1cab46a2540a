// The panes of the window kinds and the splitter.
#include "FrameFixture.h"

#include "conversation/NickList.h"
#include "input/InputLine.h"
#include "input/TextStyleButton.h"
#include "nicklist/NickListView.h"
#include "nicklist/NickListToolTip.h"
#include "nicklist/NickListDelegate.h"
#include "nicklist/NickListModel.h"
#include "windows/ConversationToolBar.h"
#include "windows/NickListSplitter.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QStyle>
#include <QTest>

namespace {

void ResizeFrame(ConversationWindow *frame, int width, int height)
{
    QMdiSubWindow *child = frame->SubWindow();
    child->showNormal();
    child->resize(width + child->width() - frame->width(), height + child->height() - frame->height());
    ASSERT_TRUE(WaitFor([&] { return frame->size() == QSize(width, height); }));
}

int NickTextWidth(ConversationWindow *frame, const QString &nick)
{
    return frame->Users()->fontMetrics().horizontalAdvance(nick);
}

// Widths of the nick list with the status icon and room for a scroll bar.
int ListWidthForChars(ConversationWindow *frame, int chars, int slack)
{
    return NickListDelegate::kTextIndent + chars * frame->Users()->fontMetrics().averageCharWidth() + slack;
}

int ScrollBarExtent(QWidget *widget)
{
    return widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget);
}

} // namespace

// A registered session with the window of #chan open.
class NickListWidthTest : public FrameTest
{
protected:
    ConversationWindow *OpenChannel(int width, int height)
    {
        ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
        EXPECT_NE(frame, nullptr);
        if (!frame)
            return nullptr;
        ResizeFrame(frame, width, height);
        EXPECT_TRUE(m_server.WaitForClient());
        EXPECT_TRUE(m_server.WaitForLineStartingWith("NICK"));
        m_server.SendLine(":irc.test 001 " + m_session->Nick() + " :Welcome");
        EXPECT_TRUE(WaitFor([&] { return m_session->IsConnected(); }));
        return frame;
    }

    void Join(ConversationWindow *frame, const QString &nick)
    {
        m_server.SendLine(":" + nick.toStdString() + "!u@127.0.0.1 JOIN #chan");
        ASSERT_TRUE(WaitFor([&] { return frame->GetConversation()->Nicks().FindNick(nick.toStdString()); }));
    }
};

TEST_F(FrameTest, ChannelWindowHasBarViewSplitterNickListAndInputBand)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    ResizeFrame(frame, 700, 400);

    const int listWidth = frame->Users()->width();
    EXPECT_GE(listWidth, ListWidthForChars(frame, 8, 0));
    EXPECT_TRUE(frame->Bar()->isVisible());
    EXPECT_EQ(frame->Bar()->x(), 0);
    EXPECT_EQ(frame->Bar()->height(), 400 - InputLine::kHeight - 1);
    EXPECT_EQ(frame->Users()->geometry(), QRect(700 - listWidth, 0, listWidth, 400 - InputLine::kHeight - 1));
    EXPECT_EQ(frame->Sizer()->geometry().right() + 1, frame->Users()->x());
    EXPECT_EQ(frame->Sizer()->width(), 5);
    EXPECT_EQ(frame->View()->x(), frame->Bar()->width() + 1);
    EXPECT_EQ(frame->View()->geometry().right() + 1, frame->Sizer()->x());
    EXPECT_EQ(frame->Input()->geometry(), QRect(22, 400 - InputLine::kHeight, 700 - 22, InputLine::kHeight));
    EXPECT_EQ(frame->StyleButton()->geometry(), QRect(0, 400 - InputLine::kHeight, 22, InputLine::kHeight));
}

TEST_F(NickListWidthTest, TheListFitsTheLongestNickUpToSixteenCharactersAndElidesLongerOnes)
{
    ConversationWindow *frame = OpenChannel(900, 400);
    ASSERT_NE(frame, nullptr);
    NickListView *users = frame->Users();
    const int limit = ListWidthForChars(frame, 16, ScrollBarExtent(users) + 8);

    const QString fourteen = QStringLiteral("fourteen_chars");
    Join(frame, fourteen);
    const int fourteenShown = NickListDelegate::kTextIndent + NickTextWidth(frame, fourteen);
    EXPECT_TRUE(WaitFor([&] { return users->width() >= fourteenShown; })) << users->width() << " < " << fourteenShown;
    EXPECT_LE(users->width(), limit);

    const QString forty = QStringLiteral("a_nick_of_forty_characters_shown_in_full");
    ASSERT_EQ(forty.size(), 40);
    Join(frame, forty);
    EXPECT_TRUE(WaitFor([&] { return users->width() >= ListWidthForChars(frame, 16, 0); }));
    EXPECT_LE(users->width(), limit) << "held at the limit";
    EXPECT_LT(users->width(), NickListDelegate::kTextIndent + NickTextWidth(frame, forty)) << "elided";
    EXPECT_GE(frame->View()->width(), 900 / 2) << "the text keeps the window";

    // The tip shows the whole nick.
    int row = -1;
    ASSERT_TRUE(frame->GetConversation()->Nicks().FindNick(forty.toStdString(), &row));
    const QPoint at = users->visualRect(users->Model()->index(row)).center();
    QMouseEvent move(QEvent::MouseMove, at, users->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(users->viewport(), &move);
    EXPECT_TRUE(users->Tip()->isVisible());
    EXPECT_EQ(users->Tip()->Title(), forty);
}

TEST_F(NickListWidthTest, AWidthTheUserDraggedStaysWhenLongerNicksJoin)
{
    ConversationWindow *frame = OpenChannel(900, 400);
    ASSERT_NE(frame, nullptr);
    const int dragged = ListWidthForChars(frame, 10, 0);
    frame->SetNickListWidth(dragged);
    ASSERT_EQ(frame->Users()->width(), dragged);

    Join(frame, QStringLiteral("quite_a_long_nick_x"));
    Join(frame, QStringLiteral("someone"));
    PumpEvents(3 * ConversationWindow::kFitDelayMs);
    EXPECT_EQ(frame->Users()->width(), dragged);
    EXPECT_EQ(frame->NickListWidth(), dragged);

    frame->SetNickListWidth(1);
    EXPECT_GE(frame->Users()->width(), ListWidthForChars(frame, 8, 0)) << "never below eight characters";
    EXPECT_LE(frame->Users()->width(), ListWidthForChars(frame, 8, ScrollBarExtent(frame->Users()) + 8));
}

TEST_F(NickListWidthTest, ANarrowWindowKeepsTwentyCharactersOfTextBesideTheList)
{
    ConversationWindow *frame = OpenChannel(900, 300);
    ASSERT_NE(frame, nullptr);
    frame->SetNickListWidth(300);
    ASSERT_EQ(frame->Users()->width(), 300);

    QFont textFont(QString::fromStdString(m_settings.m_fontName));
    textFont.setStyleHint(QFont::TypeWriter);
    textFont.setPixelSize(m_settings.m_fontSize + 3);
    const qreal twentyChars = 20 * QFontMetricsF(textFont).horizontalAdvance(QLatin1Char('x'));

    for (int width : {600, 480, 420}) {
        ResizeFrame(frame, width, 300);
        EXPECT_GE(frame->View()->viewport()->width(), twentyChars) << width;
        EXPECT_GE(frame->Users()->width(), ListWidthForChars(frame, 8, 0)) << width;
        EXPECT_EQ(frame->View()->geometry().right() + 1, frame->Sizer()->x()) << width;
        EXPECT_EQ(frame->Users()->geometry().right() + 1, width) << width;
    }
    ResizeFrame(frame, 900, 300);
    EXPECT_EQ(frame->Users()->width(), 300) << "the chosen width comes back";
}

TEST_F(FrameTest, DraggingTheSplitterSetsTheDistanceToTheRightEdge)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    ResizeFrame(frame, 600, 300);
    NickListSplitter *sizer = frame->Sizer();
    ASSERT_EQ(sizer->cursor().shape(), Qt::SizeHorCursor);

    const int pressedAt = sizer->x() + 2;
    QTest::mousePress(sizer, Qt::LeftButton, {}, QPoint(2, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(2 - 80, 50), sizer->mapToGlobal(QPointF(2 - 80, 50)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sizer, &move);
    const int expected = 600 - (pressedAt - 80);
    EXPECT_EQ(frame->NickListWidth(), expected);
    EXPECT_EQ(frame->Users()->width(), expected);
    QTest::mouseRelease(sizer, Qt::LeftButton, {}, sizer->mapFromParent(QPoint(pressedAt - 80, 50)));
    EXPECT_EQ(frame->NickListWidth(), expected);
}

TEST_F(FrameTest, PrivateAndStatusWindowsShowOnlyTheViewAndTheInputLine)
{
    ConversationWindow *query = FrameOf(OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate));
    ASSERT_NE(query, nullptr);
    ResizeFrame(query, 500, 300);
    EXPECT_FALSE(query->Bar()->isVisible());
    EXPECT_FALSE(query->Users()->isVisible());
    EXPECT_FALSE(query->Sizer()->isVisible());
    EXPECT_EQ(query->View()->geometry(), QRect(0, 0, 500, 300 - InputLine::kHeight - 1));
    EXPECT_TRUE(query->Input()->isVisible());
}

TEST_F(FrameTest, KindZeroIsViewOnlyAndUnknownKindsAreReportedButMade)
{
    ConversationWindow *viewOnly = FrameOf(OpenWindow("log", Conversation::KindView, Conversation::TypePrivate));
    ASSERT_NE(viewOnly, nullptr);
    ResizeFrame(viewOnly, 400, 200);
    EXPECT_FALSE(viewOnly->Input()->isVisible());
    EXPECT_EQ(viewOnly->View()->geometry(), QRect(0, 0, 400, 200));
    EXPECT_TRUE(m_shell.m_messageBoxes.empty());

    ConversationWindow *odd =
        FrameOf(OpenWindow("odd", static_cast<Conversation::WindowKind>(7), Conversation::TypePrivate));
    ASSERT_NE(odd, nullptr);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes[0], "\nChannel Frame 7 is unsupported.");
}

// 4 is a window type (private), never a kind: a frame asked for kind 4 is
// reported like any other value that is not a kind.
TEST_F(FrameTest, AWindowTypeGivenAsKindIsReported)
{
    ConversationWindow *odd = FrameOf(
        OpenWindow("odd", static_cast<Conversation::WindowKind>(Conversation::TypePrivate), Conversation::TypePrivate));
    ASSERT_NE(odd, nullptr);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes[0], "\nChannel Frame 4 is unsupported.");
}

TEST_F(FrameTest, AChannelWindowShowsItsTopicInTheCaptionAndTheButtonTip)
{
    StartSession();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    channel->SetTopic("\x02Vitajte\x02 na kanáli");
    EXPECT_EQ(frame->windowTitle(), QString::fromUtf8("#chan Vitajte na kanáli"));
    EXPECT_EQ(frame->SubWindow()->windowTitle(), frame->windowTitle());
    EXPECT_EQ(frame->ButtonToolTip(),
              QString::fromUtf8("#chan - %1 - Vitajte na kanáli").arg(QString::fromStdString(m_session->HumanName())));
}
