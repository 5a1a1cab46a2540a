// The program as a desktop runs it: a second start on the same settings and
// the end by a signal, with the real executable against a real server.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

namespace {

class RunningProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(NgircdServer::IsAvailable());
        ASSERT_TRUE(m_ircd.Start()) << m_ircd.Output();
        for (const char *folder : {"config", "home", "run"})
            ASSERT_TRUE(QDir().mkpath(m_scratch.filePath(QString::fromLatin1(folder))));
        QFile::setPermissions(Folder("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void TearDown() override
    {
        for (QProcess *process : {&m_first, &m_later}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->kill();
            process->waitForFinished(10000);
        }
    }

    QString Folder(const char *name) const { return m_scratch.filePath(QString::fromLatin1(name)); }

    void Start(QProcess &process, const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("BRIMO_CONFIG_DIR"), Folder("config"));
        environment.insert(QStringLiteral("HOME"), Folder("home"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Folder("home"));
        // The link socket in a folder of the test's own: a Brimo running
        // elsewhere on this machine is not disturbed.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Folder("run"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(qEnvironmentVariable("BRIMO_BINARY_DIR") + QStringLiteral("/brimo"), arguments);
        ASSERT_TRUE(process.waitForStarted(30000)) << process.errorString().toStdString();
    }

    // The link sockets of the running programs.
    QStringList Sockets() const
    {
        QStringList sockets = QDir(Folder("run")).entryList({QStringLiteral("brimo-*")}, QDir::System | QDir::Files);
        sockets.removeIf([](const QString &name) { return name.endsWith(QLatin1String(".lock")); });
        return sockets;
    }

    NgircdServer m_ircd;
    QTemporaryDir m_scratch;
    QProcess m_first;
    QProcess m_later;
};

TEST_F(RunningProgram, ALaterStartHandsOverItsLinksAndEndsAndATermSignalEndsTheFirstAsExitDoes)
{
    QFile config(Folder("config") + QStringLiteral("/brimo.conf"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[Base]\nNick=prvy\nMsgs Quit=koniec signalom\n[Servers]\nTest=127.0.0.1 %1 1\n")
                     .arg(m_ircd.Port())
                     .toUtf8());
    config.close();
    RawIrcClient observer;
    ASSERT_TRUE(observer.ConnectAndRegister(m_ircd.Port(), "pozorovatel"));
    ASSERT_TRUE(observer.SendLine("JOIN #spolu"));
    ASSERT_TRUE(observer.WaitForCommand("JOIN"));

    Start(m_first, {});
    ASSERT_TRUE(WaitFor([&] { return Sockets().size() == 1; }, 60000));
    const QStringList sockets = Sockets();

    // A start without links: the running program comes forward, this one ends.
    Start(m_later, {});
    ASSERT_TRUE(m_later.waitForFinished(60000));
    EXPECT_EQ(m_later.exitCode(), 0);
    EXPECT_EQ(m_first.state(), QProcess::Running);
    EXPECT_EQ(Sockets(), sockets);

    // A start with a link: the running program joins the channel.
    Start(m_later, {QStringLiteral("irc://127.0.0.1:%1/spolu").arg(m_ircd.Port())});
    ASSERT_TRUE(m_later.waitForFinished(60000));
    EXPECT_EQ(m_later.exitCode(), 0);
    ASSERT_TRUE(observer.WaitForLine(
        [](const std::string &line) { return line.rfind(":prvy!", 0) == 0 && RawIrcClient::CommandOf(line) == "JOIN"; },
        60000))
        << m_ircd.Output();

    m_first.terminate(); // SIGTERM
    std::string quit;
    ASSERT_TRUE(observer.WaitForLine(
        [](const std::string &line) { return line.rfind(":prvy!", 0) == 0 && RawIrcClient::CommandOf(line) == "QUIT"; },
        30000, &quit));
    EXPECT_NE(quit.find("koniec signalom"), std::string::npos) << quit;
    ASSERT_TRUE(WaitFor([&] { return m_first.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(m_first.exitStatus(), QProcess::NormalExit); // not killed by the signal
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_TRUE(config.readAll().contains("[Wnd_Main]"));
    EXPECT_TRUE(Sockets().isEmpty());
}

} // namespace
