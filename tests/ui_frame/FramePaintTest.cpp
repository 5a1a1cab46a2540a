// What a channel window repaints when its channel changes: a flood of mode
// changes must not repaint the whole window each time.
#include "FrameFixture.h"

#include "conversation/NickList.h"
#include "input/InputLine.h"
#include "nicklist/NickListView.h"
#include "windows/ConversationToolBar.h"

#include <QEvent>

namespace {

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int m_paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        m_paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Repaints a small probe on top of the window and waits until it is drawn:
// whatever else was waiting to be repainted is drawn in the same pass.
bool FlushRepaints(ConversationWindow *frame)
{
    QWidget probe(frame);
    probe.setGeometry(frame->width() / 2, frame->height() / 2, 4, 4);
    probe.setAutoFillBackground(true);
    probe.show();
    probe.raise();
    PaintCounter painted(&probe);
    probe.update();
    return WaitFor([&] { return painted.m_paints > 0; });
}

} // namespace

TEST_F(FrameTest, ModeChangesThatMoveNoPaneRepaintOnlyWhatChanged)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    Conversation *channel = frame->GetConversation();
    channel->Nicks().AddNick("bob");
    ASSERT_TRUE(WaitFor([&] { return frame->isVisible() && frame->Bar()->isVisible(); }));
    ASSERT_TRUE(FlushRepaints(frame));

    PaintCounter bar(frame->Bar());
    for (int i = 0; i < 20; ++i)
        channel->ApplyModes(i % 2 ? "-v" : "+v", "bob", ":op MODE #chan +v bob");
    ASSERT_TRUE(FlushRepaints(frame));
    EXPECT_EQ(bar.m_paints, 0);
    EXPECT_EQ(frame->Input()->geometry().width(), frame->width() - ConversationWindow::kStyleButtonWidth);

    // A change that moves the panes repaints the window, the bar with it.
    frame->SetNickListWidth(frame->Users()->width() + 40);
    ASSERT_TRUE(FlushRepaints(frame));
    EXPECT_GT(bar.m_paints, 0);
}
