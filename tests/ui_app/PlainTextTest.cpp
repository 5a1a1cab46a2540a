// Text from the network in the application's own widgets: the window bar's
// tool tips and message boxes show it as the text it is, never as markup.
#include "AppFixture.h"
#include "support/RenderedToolTip.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/WindowBar.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>

namespace {

// A channel window's title carries its topic, and the button's tool tip the title.
const QString kHostile = QStringLiteral("#kanal <img src=%1> <a href=http://x.sk>odkaz</a> <table><tr><td>t R&amp;D");

} // namespace

using PlainTextTest = AppFixture;

TEST_F(PlainTextTest, WindowBarToolTipShowsAHostileTitleAsText)
{
    ASSERT_TRUE(StartApp());
    const QString picture = m_barDir.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(picture));
    const QString title = kHostile.arg(picture);
    Frame()->AddChild(new QLabel(QStringLiteral("x")), title);
    m_app->RefreshShell(Shell::RefreshWindowBar);
    ASSERT_EQ(Frame()->ChannelsBar()->ButtonCount(), 1);

    const RenderedToolTip shown(Frame()->ChannelsBar()->Button(0)->toolTip());
    EXPECT_EQ(shown.shown.toStdString(), title.toStdString());
    EXPECT_TRUE(shown.loads.isEmpty()) << shown.loads.join(' ').toStdString();
}

TEST_F(PlainTextTest, WindowBarButtonShowsAnAmpersandOfTheTitle)
{
    ASSERT_TRUE(StartApp());
    Frame()->AddChild(new QLabel(QStringLiteral("x")), QStringLiteral("#R&D"));
    m_app->RefreshShell(Shell::RefreshWindowBar);
    ASSERT_EQ(Frame()->ChannelsBar()->ButtonCount(), 1);
    EXPECT_EQ(Frame()->ChannelsBar()->Button(0)->text(), QStringLiteral("#R&&D")); // shown as "#R&D"
}

TEST_F(PlainTextTest, MessageBoxShowsItsTextAsText)
{
    ASSERT_TRUE(StartApp());
    Qt::TextFormat format = Qt::RichText;
    QString text;
    // The box is modal: read it and answer it once it is up.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        format = box->textFormat();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    const std::string hostile = "Nick <b>bob</b> <img src=/nonexistent/p.png> je obsadený";
    EXPECT_EQ(m_app->MessageBox(hostile, "", Shell::ButtonsOk), Shell::AnswerOk);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(text.toStdString(), hostile);
}
