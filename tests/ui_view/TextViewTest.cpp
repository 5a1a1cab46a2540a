#include "view/TextView.h"

#include "support/RenderedToolTip.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <set>

namespace {

QString SmileyFolder()
{
    const QByteArray binary = qgetenv("BRIMO_BINARY_DIR");
    if (!binary.isEmpty())
        return QString::fromLocal8Bit(binary) + QStringLiteral("/smiles");
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../smiles");
}

// Waits for a condition, pumping events, for at most five seconds.
template <typename Condition>
bool WaitFor(Condition condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class ChannelListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormatContext context;
        context.m_timeStamps = false;
        context.m_decoration.m_smileyFolder = SmileyFolder().toStdString();
        context.m_decoration.m_isNickListMember = [](std::string_view nick) {
            static const std::set<std::string> members = {"bob", "alice"};
            return members.count(std::string(nick)) > 0;
        };
        view.SetFormatContext(context);
        view.resize(500, 300);
        view.Create();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // Where a word is drawn, once the view has placed it on screen.
    QPoint centreOf(const QString &word)
    {
        QRect rect;
        EXPECT_TRUE(WaitFor([&] {
            rect = view.VisibleTextRect(word);
            return !rect.isEmpty();
        })) << word.toStdString();
        return rect.center();
    }

    TextView view;
};

TEST_F(ChannelListTest, KeepsEveryFragmentExactlyAndCountsTheTextShownFromCreate)
{
    ASSERT_EQ(view.FragmentCount(), 3u);
    EXPECT_EQ(view.Fragment(0).rfind("<body leftmargin='1' topmargin='1' bgproperties='Fixed' style=\"border: 0px "
                                     "solid Black; word-wrap: break-word; \t\t\tfilter:",
                                     0),
              0u);
    EXPECT_NE(view.Fragment(0).find("endColorStr='#CEDFF6', gradientType='1');\">"), std::string::npos);
    EXPECT_EQ(view.Fragment(1), "\n<div align='center' style='width: 100%; height: 100%;'></div>");
    EXPECT_EQ(view.Fragment(2), "<pre style='font-family: Courier New;font-size: 13px;'>");
    EXPECT_EQ(view.TextSize(), 0);

    const std::string line = view.FormatLine("hello bob", TextClass::Text, true, 0);
    view.WriteLine("hello bob", TextClass::Text, true);
    view.Write("<b>raw</b>", true);
    ASSERT_EQ(view.FragmentCount(), 5u);
    EXPECT_EQ(view.Fragment(3), line);
    EXPECT_EQ(view.Fragment(4), "<b>raw</b>");
    EXPECT_EQ(view.TextSize(), view.PlainText().size()); // not the markup
    EXPECT_LT(view.TextSize(), int64_t(line.size()));
    EXPECT_EQ(view.Source().substr(view.Source().size() - line.size() - 10), line + "<b>raw</b>");
    EXPECT_TRUE(view.PlainText().contains(QStringLiteral("hello bob\nraw")));
}

TEST_F(ChannelListTest, ClickingAChannelANickAndAnAddressEmitsTheirCommands)
{
    QSignalSpy commands(&view, &TextView::commandClicked);
    view.WriteLine("bob: come to #brimo or see http://brimo.example/a", TextClass::Text, false);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QStringLiteral("#brimo")));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QStringLiteral("bob")));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QStringLiteral("brimo.example")));
    ASSERT_EQ(commands.count(), 3);
    EXPECT_EQ(commands.at(0).at(0).toString(), QStringLiteral("/join #brimo"));
    EXPECT_EQ(commands.at(1).at(0).toString(), QStringLiteral("/query bob"));
    EXPECT_EQ(commands.at(2).at(0).toString(), QStringLiteral("/link http://brimo.example/a"));
}

TEST_F(ChannelListTest, HostileWordsKeepTheirCommandWhole)
{
    QSignalSpy commands(&view, &TextView::commandClicked);
    view.WriteLine("x #a'onclick='b\"c&d", TextClass::Text, false);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QStringLiteral("#a'on")));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toString(), QStringLiteral("/join #a'onclick='b\"c&d"));
}

TEST_F(ChannelListTest, CommandsWithLineBreaksOrNulAreNeverEmitted)
{
    QSignalSpy commands(&view, &TextView::commandClicked);
    view.Write("<span id='/msg x a&#13;&#10;QUIT'>first</span> <span id='/msg x&#10;'>second</span> "
               "<span id='/msg x &#0;'>third</span>\r\n",
               true);
    for (const char *word : {"first", "second"})
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QString::fromLatin1(word)));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QStringLiteral("third")));
    // &#0; reads as U+FFFD, which is harmless; CR and LF are refused.
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toString(), QStringLiteral("/msg x \uFFFD"));
}

TEST_F(ChannelListTest, PlainClickCopiesTheSelectionWhenNobodyListens)
{
    view.WriteLine("first line of text", TextClass::Text, false);
    view.WriteLine("second line", TextClass::Text, false);
    const QRect first = view.VisibleTextRect(QStringLiteral("line of"));
    ASSERT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("second")).isEmpty(); }));
    const QRect second = view.VisibleTextRect(QStringLiteral("second"));
    QApplication::clipboard()->clear();
    // Drag from "line of" in the first line to the end of "second".
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, first.topLeft() + QPoint(1, first.height() / 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(second.right(), second.center().y()),
                     view.viewport()->mapToGlobal(QPointF(second.right(), second.center().y())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(second.right(), second.center().y()));
    EXPECT_EQ(view.SelectedText(), QStringLiteral("line of text\nsecond"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("line of text\nsecond"));
}

TEST_F(ChannelListTest, PlainClickIsReportedToAListener)
{
    QSignalSpy plain(&view, &TextView::plainClicked);
    QSignalSpy commands(&view, &TextView::commandClicked);
    view.WriteLine("nothing to click here", TextClass::Text, false);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QStringLiteral("nothing")));
    EXPECT_EQ(plain.count(), 1);
    EXPECT_EQ(commands.count(), 0);
}

TEST_F(ChannelListTest, DoubleClickOpensPropertiesWithoutASecondCommand)
{
    QSignalSpy commands(&view, &TextView::commandClicked);
    QSignalSpy doubles(&view, &TextView::doubleClicked);
    view.WriteLine("see #x", TextClass::Text, false);
    const QPoint at = centreOf(QStringLiteral("#x"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(commands.count(), 1);
}

TEST_F(ChannelListTest, ContextMenuNamesTheElementUnderTheMouse)
{
    QSignalSpy menus(&view, &TextView::contextMenuRequested);
    view.WriteLine("hi alice and all", TextClass::Text, false);
    const QPoint nick = centreOf(QStringLiteral("alice"));
    QContextMenuEvent onNick(QContextMenuEvent::Mouse, nick, view.viewport()->mapToGlobal(nick));
    QApplication::sendEvent(view.viewport(), &onNick);
    const QPoint text = centreOf(QStringLiteral("all"));
    QContextMenuEvent onText(QContextMenuEvent::Mouse, text, view.viewport()->mapToGlobal(text));
    QApplication::sendEvent(view.viewport(), &onText);
    ASSERT_EQ(menus.count(), 2);
    EXPECT_EQ(menus.at(0).at(0).toString(), QStringLiteral("/query alice"));
    EXPECT_EQ(menus.at(1).at(0).toString(), QString());
}

TEST_F(ChannelListTest, HandCursorAndToolTipOverElements)
{
    view.WriteLine("ask bob now", TextClass::Text, false);
    const QPoint nick = centreOf(QStringLiteral("bob"));
    QTest::mouseMove(view.viewport(), nick);
    EXPECT_TRUE(WaitFor([&] { return view.viewport()->cursor().shape() == Qt::PointingHandCursor; }));
    QTest::mouseMove(view.viewport(), centreOf(QStringLiteral("now")));
    EXPECT_TRUE(WaitFor([&] { return view.viewport()->cursor().shape() != Qt::PointingHandCursor; }));

    QHelpEvent help(QEvent::ToolTip, nick, view.viewport()->mapToGlobal(nick));
    QApplication::sendEvent(view.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Klikni a budeš si písať s bob súkromne"));
    QToolTip::hideText();
}

// A word's title is the sender's text: its tool tip shows every character
// and loads nothing, whatever markup the word holds.
TEST_F(ChannelListTest, ToolTipsOfHostileWordsShowTheirTextAndLoadNothing)
{
    QTemporaryDir dir;
    QImage(4, 4, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("p.png")));
    const std::string picture = dir.filePath(QStringLiteral("p.png")).toStdString();
    FormatContext context = view.formatContext();
    context.m_decoration.m_isNickListMember = [](std::string_view nick) { return nick.substr(0, 3) == "bob"; };
    view.SetFormatContext(context);
    const std::string words[] = {"#x<img\tsrc=" + picture + ">",
                                 "#y<a\thref=http://x.sk>a</a>",
                                 "#z<table><tr><td>t",
                                 "bob<img\tsrc=" + picture + ">",
                                 "#R&lt;D&amp;",
                                 "http://x.sk/<b>b</b>"};
    const QString titles[] = {
        QStringLiteral("Klikni a vstúpiš na kanál "), QStringLiteral("Klikni a vstúpiš na kanál "),
        QStringLiteral("Klikni a vstúpiš na kanál "), QStringLiteral("Klikni a budeš si písať s "),
        QStringLiteral("Klikni a vstúpiš na kanál "), QString()};
    for (size_t i = 0; i < std::size(words); ++i) {
        view.Clear();
        view.Create();
        view.WriteLine("look " + words[i] + " there", TextClass::Text, false);
        const QString word = QString::fromStdString(words[i]);
        QString title = titles[i] + word;
        if (words[i].front() == 'b')
            title += QStringLiteral(" súkromne");
        const QPoint at = centreOf(word.left(3));
        QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &help);
        ASSERT_TRUE(QToolTip::isVisible()) << words[i];
        const RenderedToolTip shown(QToolTip::text());
        EXPECT_EQ(shown.shown.toStdString(), title.toStdString());
        EXPECT_TRUE(shown.loads.isEmpty()) << shown.loads.join(' ').toStdString();
        QToolTip::hideText();
    }
}

TEST_F(ChannelListTest, StaysAtTheEndOnlyWhileTheUserIsThere)
{
    for (int i = 0; i < 500; ++i)
        view.WriteLine("line " + std::to_string(i), TextClass::Info, false);
    QScrollBar *bar = view.verticalScrollBar();
    ASSERT_TRUE(WaitFor([&] { return bar->maximum() > 0 && bar->value() == bar->maximum(); }));
    EXPECT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("line 499")).isEmpty(); }));

    bar->setValue(0); // the user scrolls back to the top
    EXPECT_FALSE(view.IsAtEnd());
    for (int i = 500; i < 600; ++i)
        view.WriteLine("line " + std::to_string(i), TextClass::Info, false);
    ASSERT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("line 0")).isEmpty(); }));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(view.VisibleTextRect(QStringLiteral("line 599")).isEmpty());

    bar->setValue(bar->maximum()); // back at the end: it sticks again
    view.WriteLine("line last", TextClass::Info, false);
    EXPECT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("line last")).isEmpty(); }));
    EXPECT_TRUE(view.IsAtEnd());
}

TEST_F(ChannelListTest, AutoScrollOffKeepsThePlace)
{
    for (int i = 0; i < 100; ++i)
        view.WriteLine("early " + std::to_string(i), TextClass::Info, false);
    ASSERT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("early 99")).isEmpty(); }));
    view.SetAutoScroll(false);
    for (int i = 0; i < 100; ++i)
        view.WriteLine("late " + std::to_string(i), TextClass::Info, false);
    QTest::qWait(50); // let a refresh happen; nothing may move
    EXPECT_FALSE(view.VisibleTextRect(QStringLiteral("early 99")).isEmpty());
    EXPECT_TRUE(view.VisibleTextRect(QStringLiteral("late 99")).isEmpty());
    view.ScrollToEnd(); // does nothing while auto-scroll is off
    EXPECT_FALSE(view.VisibleTextRect(QStringLiteral("early 99")).isEmpty());
    view.SetAutoScroll(true);
    view.ScrollToEnd();
    EXPECT_FALSE(view.VisibleTextRect(QStringLiteral("late 99")).isEmpty());
}

TEST_F(ChannelListTest, LongLinesWrapToTheWidth)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "word" + std::to_string(i) + " ";
    text += "tail";
    view.WriteLine(text, TextClass::Text, false);
    const QPoint head = centreOf(QStringLiteral("word0"));
    const QPoint tail = centreOf(QStringLiteral("tail"));
    EXPECT_GT(tail.y(), head.y());
    EXPECT_LT(view.VisibleTextRect(QStringLiteral("tail")).right(), view.viewport()->width());
}

TEST_F(ChannelListTest, RepaintsFarLessOftenThanLinesArrive)
{
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    view.viewport()->installEventFilter(&counter);
    const int lines = 5000;
    for (int i = 0; i < lines; ++i) {
        view.WriteLine("flood " + std::to_string(i), TextClass::Text, false);
        QCoreApplication::processEvents(); // as the receive path pumps between lines
    }
    EXPECT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("flood 4999")).isEmpty(); }));
    EXPECT_LT(counter.paints, lines / 10);
    view.viewport()->removeEventFilter(&counter);
}

TEST_F(ChannelListTest, ClearForgetsEverythingAndCreateStartsAgain)
{
    for (int i = 0; i < 50; ++i)
        view.WriteLine("old text", TextClass::Info, false);
    view.SelectAll();
    ASSERT_TRUE(view.HasSelection());
    view.Clear();
    EXPECT_EQ(view.TextSize(), 0);
    EXPECT_EQ(view.FragmentCount(), 0u);
    EXPECT_EQ(view.LineCount(), 1);
    EXPECT_FALSE(view.HasSelection());
    EXPECT_TRUE(view.PlainText().isEmpty());
    view.Create();
    view.WriteLine("new text", TextClass::Info, false);
    EXPECT_EQ(view.PlainText(), QStringLiteral("new text\n"));
    EXPECT_FALSE(view.Source().find("old text") != std::string::npos);
}

// Past the text limit the oldest printed lines go with their fragments; the
// page set-up, the newer lines, the selection and the reader's place stay
// with the text they were on.
TEST_F(ChannelListTest, PastItsLimitTheViewLetsTheOldestLinesGo)
{
    view.SetTextLimit(1000);
    for (int i = 0; i < 15; ++i)
        view.WriteLine(QStringLiteral("L%1 ").arg(i, 2, 10, QLatin1Char('0')).toStdString() + std::string(46, 'z'),
                       TextClass::Info, false);
    ASSERT_EQ(view.TextSize(), 15 * 51);
    view.SelectAll();
    view.SetAutoScroll(false);
    for (int i = 15; i < 30; ++i)
        view.WriteLine(QStringLiteral("L%1 ").arg(i, 2, 10, QLatin1Char('0')).toStdString() + std::string(46, 'z'),
                       TextClass::Info, false);

    // Lines of 51 characters: past 1000 the oldest go until 900 are left,
    // the 20th line leaves 17, and three more go at the 23rd, 26th and 29th.
    EXPECT_EQ(view.TextSize(), 18 * 51);
    EXPECT_EQ(view.TextSize(), view.PlainText().size());
    EXPECT_TRUE(view.PlainText().startsWith(QStringLiteral("L12 zzz")));
    EXPECT_TRUE(view.PlainText().contains(QStringLiteral("L29 zzz")));
    ASSERT_EQ(view.FragmentCount(), 3u + 18u);
    EXPECT_EQ(view.Fragment(2), "<pre style='font-family: Courier New;font-size: 13px;'>");
    EXPECT_NE(view.Fragment(3).find("L12 zzz"), std::string::npos);
    std::string joined;
    for (size_t i = 0; i < view.FragmentCount(); ++i)
        joined += view.Fragment(i);
    EXPECT_EQ(joined, view.Source());
    EXPECT_EQ(view.Source().find("L11 "), std::string::npos);
    // The selection began in a line that went: it begins at the oldest one left.
    EXPECT_TRUE(view.SelectedText().startsWith(QStringLiteral("L12 zzz")));
    EXPECT_TRUE(view.SelectedText().endsWith(QStringLiteral("L14 ") + QString(46, QLatin1Char('z')) + "\n"));
    ASSERT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("L12 ")).isEmpty(); }));
}

// The elements of lines that went are forgotten, and those left still run
// their own commands.
TEST_F(ChannelListTest, ElementsStayRightWhenOldLinesGo)
{
    QSignalSpy commands(&view, &TextView::commandClicked);
    view.SetTextLimit(3000);
    for (int i = 0; i < 12000; ++i)
        view.WriteLine("#c" + std::to_string(i), TextClass::Info, false);
    EXPECT_LE(view.TextSize(), 3000);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(QStringLiteral("#c11999")));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toString(), QStringLiteral("/join #c11999"));
}

// The view lays a long text out in pieces, but copying gives it back whole.
TEST_F(ChannelListTest, ALongLineIsCopiedWhole)
{
    QString text;
    for (int i = 0; text.size() < 100000; ++i)
        text += QString::number(i % 10);
    text.truncate(100000);
    view.WriteLine("before", TextClass::Info, false);
    view.WriteLine(text.toStdString(), TextClass::Text, false);
    view.WriteLine("after", TextClass::Info, false);
    EXPECT_EQ(view.PlainText(), QStringLiteral("before\n") + text + QStringLiteral("\nafter\n"));
    view.SelectAll();
    view.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), view.PlainText());
    EXPECT_EQ(view.TextSize(), view.PlainText().size());
}

TEST_F(ChannelListTest, SavesAsHtmlOrText)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    view.WriteLine("saved <line> :)", TextClass::Text, false);
    const QString html = folder.filePath(QStringLiteral("view.htm"));
    const QString text = folder.filePath(QStringLiteral("view.txt"));
    ASSERT_TRUE(view.SaveToFile(html, true));
    ASSERT_TRUE(view.SaveToFile(text, false));
    QFile htmlFile(html), textFile(text);
    ASSERT_TRUE(htmlFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(textFile.open(QIODevice::ReadOnly));
    const QByteArray savedHtml = htmlFile.readAll();
    EXPECT_TRUE(savedHtml.contains(QByteArray::fromStdString(view.Source())));
    EXPECT_TRUE(savedHtml.endsWith("</pre></body></html>\r\n"));
    EXPECT_EQ(textFile.readAll(), QByteArray("saved <line> :)\n\n"));
    EXPECT_FALSE(view.SaveToFile(folder.filePath(QStringLiteral("no/such/folder/x.htm")), true));
}

TEST_F(ChannelListTest, ShowSourceShowsTheFragments)
{
    view.WriteLine("source me", TextClass::Text, false);
    QWidget *window = view.ShowSource();
    auto *editor = qobject_cast<QPlainTextEdit *>(window);
    ASSERT_NE(editor, nullptr);
    // The editor shows CR LF as one line break.
    EXPECT_EQ(editor->toPlainText(),
              QString::fromStdString(view.Source()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    window->close();
}

TEST_F(ChannelListTest, SmileysAreDrawnInlineFromTheirFiles)
{
    view.WriteLine("smile :) and wink ;)", TextClass::Text, false);
    const QPoint smile = centreOf(QStringLiteral("smile"));
    // The smiley takes its 15 pixels between the blanks.
    const QRect and_ = view.VisibleTextRect(QStringLiteral(" and"));
    const QRect before = view.VisibleTextRect(QStringLiteral("smile "));
    EXPECT_GE(and_.left() - before.right(), 14);
    QImage shot = view.viewport()->grab().toImage();
    // Somewhere between "smile " and " and" the yellow of the face shows.
    bool yellow = false;
    for (int x = before.right(); x < and_.left() && !yellow; ++x) {
        for (int y = before.top(); y < before.bottom() && !yellow; ++y) {
            const QColor pixel = shot.pixelColor(x, y);
            yellow = pixel.red() > 200 && pixel.green() > 150 && pixel.blue() < 100;
        }
    }
    EXPECT_TRUE(yellow) << "no smiley drawn near " << smile.x();
    view.SelectAll();
    EXPECT_TRUE(view.SelectedText().startsWith(QStringLiteral("smile :) and wink ;)")));
}

TEST(Smileys, ThirteenImagesOfFifteenPixels)
{
    for (int number = 1; number <= 13; ++number) {
        const QString path = SmileyFolder() + QStringLiteral("/%1.gif").arg(number);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_TRUE(file.read(6) == "GIF89a" || file.read(6) == "GIF87a") << path.toStdString();
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), QSize(15, 15));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "corners are transparent";
    }
}

} // namespace
