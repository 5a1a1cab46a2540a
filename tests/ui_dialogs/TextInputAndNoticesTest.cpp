#include "DialogDriving.h"
#include "support/WaitFor.h"

#include "dialogs/TextInputDialog.h"
#include "dialogs/NoticesWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

namespace {

TEST(InPutDialog, ShowsCaptionPromptAndTextOrTheLastChoice)
{
    TextInputDialog plain(Str::KeyTitle, Str::KeyPrompt, QStringLiteral("stary"));
    EXPECT_EQ(plain.windowTitle(), "Uzamknúť kanál na klúč ...");
    EXPECT_EQ(plain.PromptLabel()->text(), "Napíšte klúč, ktorým bude kanál uzamknutý.\nPoužívajte znaky a-z, 0-9.");
    EXPECT_EQ(plain.Text(), "stary");

    TextInputDialog choices(QStringLiteral("t"), QStringLiteral("p"), QString(), {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(choices.TextBox()->count(), 2);
    EXPECT_EQ(choices.Text(), "b");
}

TEST(InPutDialog, OkReturnsTheTypedTextAndCancelLeavesItAlone)
{
    QString text = QStringLiteral("povodny");
    QTimer::singleShot(0, [] {
        ASSERT_TRUE(WaitFor([] { return qobject_cast<TextInputDialog *>(QApplication::activeModalWidget()); }));
        auto *dialog = qobject_cast<TextInputDialog *>(QApplication::activeModalWidget());
        dialog->TextBox()->setEditText(QStringLiteral("nový"));
        QTest::keyClick(dialog->TextBox(), Qt::Key_Escape);
    });
    EXPECT_FALSE(TextInputDialog::Ask(nullptr, QStringLiteral("t"), QStringLiteral("p"), text));
    EXPECT_EQ(text, "povodny");

    QTimer::singleShot(0, [] {
        ASSERT_TRUE(WaitFor([] { return qobject_cast<TextInputDialog *>(QApplication::activeModalWidget()); }));
        auto *dialog = qobject_cast<TextInputDialog *>(QApplication::activeModalWidget());
        dialog->TextBox()->setEditText(QStringLiteral("nový"));
        QTest::keyClick(dialog->TextBox(), Qt::Key_Return);
    });
    EXPECT_TRUE(TextInputDialog::Ask(nullptr, QStringLiteral("t"), QStringLiteral("p"), text));
    EXPECT_EQ(text, "nový");
}

TEST(NoticesWindow, LinesCollectUntilTheWindowIsClosed)
{
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    NoticesWindow popup(&owner);
    EXPECT_FALSE(popup.isVisible());
    popup.AppendLine("<b>prvy</b> oznam", QStringLiteral("Courier New"));
    popup.AppendLine("druhy &lt;oznam&gt;", QStringLiteral("Courier New"));
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.windowTitle(), "Oznamy");
    EXPECT_EQ(popup.View()->toPlainText(), "prvy oznam\ndruhy <oznam>");

    popup.close();
    EXPECT_FALSE(popup.isVisible());
    EXPECT_TRUE(popup.View()->toPlainText().isEmpty());
    popup.AppendLine("treti", QStringLiteral("Courier New"));
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.View()->toPlainText(), "treti");
}

} // namespace
