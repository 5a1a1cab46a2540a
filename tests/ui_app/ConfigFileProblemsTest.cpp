// A brimo.conf the program cannot read or write: said once, never taken for
// a first start, never overwritten.
#include "AppFixture.h"
#include "support/FileSizeLimit.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "config/Config.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace {

class ConfigFileProblemsTest : public AppFixture
{
protected:
    // The texts of the message boxes the main window shows now.
    QStringList ShownMessages() const
    {
        QApplication::processEvents();
        QStringList texts;
        for (const QMessageBox *box : Frame()->findChildren<QMessageBox *>())
            if (box->isVisible())
                texts << box->text();
        return texts;
    }
};

TEST_F(ConfigFileProblemsTest, AFileTooLargeToReadIsSaidOnceAndNeverOverwritten)
{
    ASSERT_TRUE(WriteConfigFile("[Servers]\nSiet=127.0.0.1 1 0\n"));
    const qint64 size = 40 * 1024 * 1024;
    {
        QFile file(QString::fromStdString(ConfigFile()));
        ASSERT_TRUE(file.resize(size)); // sparse, costs no disk
    }
    ASSERT_TRUE(StartApp());
    // Not a first start: no welcome over a file that holds servers.
    EXPECT_EQ(m_app->ShownWelcome(), nullptr);
    const QStringList shown = ShownMessages();
    ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.front().contains(QString::fromStdString(ConfigFile()))) << shown.front().toStdString();

    Frame()->SavePlacement();
    EXPECT_FALSE(WriteString(kBaseSection, "Nick", std::string("iny")));
    EXPECT_EQ(ShownMessages().size(), 1);
    StopApp();
    EXPECT_EQ(QFileInfo(QString::fromStdString(ConfigFile())).size(), size);
}

TEST_F(ConfigFileProblemsTest, AFileThatCannotBeWrittenIsSaidOnceAtTheFirstFailedWrite)
{
    ASSERT_TRUE(StartApp("[Base]\nNick=tester\n[Servers]\nSiet=127.0.0.1 1 0\n"));
    EXPECT_TRUE(ShownMessages().isEmpty());
    const std::string before = ReadConfigFile();
    {
        FileSizeLimit limit(before.size());
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(WriteString(kBaseSection, "Msgs Quit", std::string("dovidenia")));
        EXPECT_FALSE(WriteString(kBaseSection, "Msgs Part", std::string("zbohom")));
        // A write that fits does not make the next failure news again.
        EXPECT_TRUE(WriteString(kBaseSection, "Nick", std::string("tester")));
        EXPECT_FALSE(WriteString(kBaseSection, "Msgs Join", std::string("ahoj")));
    }
    const QStringList shown = ShownMessages();
    ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.front().contains(QString::fromStdString(ConfigFile()))) << shown.front().toStdString();
    EXPECT_EQ(ReadConfigFile(), before);
}

} // namespace
