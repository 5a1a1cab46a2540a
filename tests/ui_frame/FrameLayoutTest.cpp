// The panes of the window kinds and the splitter.
#include "FrameFixture.h"

#include "input/ChannelCmd.h"
#include "input/ChannelTextStyle.h"
#include "nicklist/ChannelUsers.h"
#include "windows/ChannelBar.h"
#include "windows/ChannelSizer.h"

#include <QMouseEvent>
#include <QTest>

namespace {

void ResizeFrame(CChannelFrame *frame, int width, int height)
{
    QMdiSubWindow *child = frame->SubWindow();
    child->showNormal();
    child->resize(width + child->width() - frame->width(), height + child->height() - frame->height());
    ASSERT_TRUE(WaitFor([&] { return frame->size() == QSize(width, height); }));
}

} // namespace

TEST_F(FrameTest, ChannelWindowHasBarViewSplitterNickListAndInputBand)
{
    CChannelFrame *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    ResizeFrame(frame, 700, 400);

    const int listWidth = 110;
    EXPECT_TRUE(frame->Bar()->isVisible());
    EXPECT_EQ(frame->Bar()->x(), 0);
    EXPECT_EQ(frame->Bar()->height(), 400 - CChannelCmd::kHeight - 1);
    EXPECT_EQ(frame->Users()->geometry(), QRect(700 - listWidth, 0, listWidth, 400 - CChannelCmd::kHeight - 1));
    EXPECT_EQ(frame->Sizer()->geometry().right() + 1, frame->Users()->x());
    EXPECT_EQ(frame->Sizer()->width(), 5);
    EXPECT_EQ(frame->TextView()->x(), frame->Bar()->width() + 1);
    EXPECT_EQ(frame->TextView()->geometry().right() + 1, frame->Sizer()->x());
    EXPECT_EQ(frame->Input()->geometry(), QRect(22, 400 - CChannelCmd::kHeight, 700 - 22, CChannelCmd::kHeight));
    EXPECT_EQ(frame->StyleButton()->geometry(), QRect(0, 400 - CChannelCmd::kHeight, 22, CChannelCmd::kHeight));
}

TEST_F(FrameTest, NickListWidthIsHeldBetweenAHundredAndTheWidthLessOneHundredAndTwo)
{
    CChannelFrame *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    ResizeFrame(frame, 600, 300);

    frame->SetNickListWidth(40);
    EXPECT_EQ(frame->Users()->width(), 100);
    frame->SetNickListWidth(590);
    EXPECT_EQ(frame->Users()->width(), 600 - 102);
    frame->SetNickListWidth(200);
    EXPECT_EQ(frame->Users()->width(), 200);
}

TEST_F(FrameTest, DraggingTheSplitterSetsTheDistanceToTheRightEdge)
{
    CChannelFrame *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    ResizeFrame(frame, 600, 300);
    CChannelSizer *sizer = frame->Sizer();
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
    CChannelFrame *query = FrameOf(OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate));
    ASSERT_NE(query, nullptr);
    ResizeFrame(query, 500, 300);
    EXPECT_FALSE(query->Bar()->isVisible());
    EXPECT_FALSE(query->Users()->isVisible());
    EXPECT_FALSE(query->Sizer()->isVisible());
    EXPECT_EQ(query->TextView()->geometry(), QRect(0, 0, 500, 300 - CChannelCmd::kHeight - 1));
    EXPECT_TRUE(query->Input()->isVisible());
}

TEST_F(FrameTest, KindZeroIsViewOnlyAndUnknownKindsAreReportedButMade)
{
    CChannelFrame *viewOnly = FrameOf(OpenWindow("log", Conversation::KindView, Conversation::TypePrivate));
    ASSERT_NE(viewOnly, nullptr);
    ResizeFrame(viewOnly, 400, 200);
    EXPECT_FALSE(viewOnly->Input()->isVisible());
    EXPECT_EQ(viewOnly->TextView()->geometry(), QRect(0, 0, 400, 200));
    EXPECT_TRUE(m_shell.m_messageBoxes.empty());

    CChannelFrame *odd =
        FrameOf(OpenWindow("odd", static_cast<Conversation::WindowKind>(7), Conversation::TypePrivate));
    ASSERT_NE(odd, nullptr);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes[0], "\nChannel Frame 7 is unsupported.");
}

// 4 is a window type (private), never a kind: a frame asked for kind 4 is
// reported like any other value that is not a kind.
TEST_F(FrameTest, AWindowTypeGivenAsKindIsReported)
{
    CChannelFrame *odd = FrameOf(
        OpenWindow("odd", static_cast<Conversation::WindowKind>(Conversation::TypePrivate), Conversation::TypePrivate));
    ASSERT_NE(odd, nullptr);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes[0], "\nChannel Frame 4 is unsupported.");
}

TEST_F(FrameTest, AChannelWindowShowsItsTopicInTheCaptionAndTheButtonTip)
{
    StartSession();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    CChannelFrame *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    channel->SetTopic("\x02Vitajte\x02 na kanáli");
    EXPECT_EQ(frame->windowTitle(), QString::fromUtf8("#chan Vitajte na kanáli"));
    EXPECT_EQ(frame->SubWindow()->windowTitle(), frame->windowTitle());
    EXPECT_EQ(frame->ButtonToolTip(),
              QString::fromUtf8("#chan - %1 - Vitajte na kanáli").arg(QString::fromStdString(m_session->HumanName())));
}
