// The program installed as a desktop program: its files where the installed
// executable finds them, the desktop entry and metadata accepted by their
// validators, and the Debian package unpacked into a scratch root and started
// against a real server.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSize>
#include <QTemporaryDir>

#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

namespace {

QString SourceDir()
{
    return qEnvironmentVariable("BRIMO_SOURCE_DIR");
}

QString BinaryDir()
{
    return qEnvironmentVariable("BRIMO_BINARY_DIR");
}

struct ProgramRun
{
    int exitCode = -1;
    QString output;
};

// Runs a program to its end (packaging can take a while on a busy machine).
ProgramRun RunProgram(const QString &program, const QStringList &arguments, const QString &workingDir = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForStarted(30000) || !process.waitForFinished(300000)) {
        run.output = program + QStringLiteral(" did not run: ") + process.errorString();
        return run;
    }
    run.output = QString::fromUtf8(process.readAll());
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

// Width and height from a PNG file's header; 0 x 0 when it is no PNG.
QSize PngSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QSize();
    const QByteArray header = file.read(24);
    if (header.size() < 24 || !header.startsWith("\x89PNG\r\n\x1a\n") || header.mid(12, 4) != "IHDR")
        return QSize();
    auto bigEndian = [&header](int at) {
        return int((uchar(header[at]) << 24) | (uchar(header[at + 1]) << 16) | (uchar(header[at + 2]) << 8)
                   | uchar(header[at + 3]));
    };
    return QSize(bigEndian(16), bigEndian(20));
}

QString DesktopFolder()
{
    return SourceDir() + QStringLiteral("/resources/desktop");
}

TEST(Install, TheDesktopEntryAndTheMetadataPassTheirValidators)
{
    const ProgramRun entry = RunProgram(QStringLiteral("desktop-file-validate"),
                                        {DesktopFolder() + QStringLiteral("/sk.brimo.Brimo.desktop")});
    EXPECT_EQ(entry.exitCode, 0) << entry.output.toStdString();
    EXPECT_TRUE(entry.output.trimmed().isEmpty()) << entry.output.toStdString();

    const ProgramRun metadata = RunProgram(QStringLiteral("appstreamcli"),
                                           {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                            DesktopFolder() + QStringLiteral("/sk.brimo.Brimo.metainfo.xml")});
    EXPECT_EQ(metadata.exitCode, 0) << metadata.output.toStdString();
}

TEST(Install, PutsTheProgramItsFilesTheDesktopEntryAndEveryIconSizeUnderThePrefix)
{
    QTemporaryDir prefix;
    const ProgramRun install = RunProgram(
        QStringLiteral("cmake"), {QStringLiteral("--install"), BinaryDir(), QStringLiteral("--prefix"), prefix.path()});
    ASSERT_EQ(install.exitCode, 0) << install.output.toStdString();

    const QDir root(prefix.path());
    EXPECT_TRUE(QFileInfo(root.filePath(QStringLiteral("bin/brimo"))).isExecutable());
    for (const char *file : {"share/brimo/Help/Index.Htm", "share/brimo/brimo.tcl", "share/brimo/smiles",
                             "share/applications/sk.brimo.Brimo.desktop", "share/metainfo/sk.brimo.Brimo.metainfo.xml",
                             "share/icons/hicolor/scalable/apps/brimo.svg"}) {
        EXPECT_TRUE(QFileInfo::exists(root.filePath(QString::fromLatin1(file)))) << file;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString icon = root.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/brimo.png").arg(size));
        EXPECT_EQ(PngSize(icon), QSize(size, size)) << icon.toStdString();
    }
}

// The program started from an unpacked package, with a home folder of its own.
class InstalledPackage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(NgircdServer::IsAvailable());
        ASSERT_TRUE(m_ircd.Start()) << m_ircd.Output();
    }

    void TearDown() override
    {
        if (m_brimo.state() != QProcess::NotRunning) {
            m_brimo.terminate();
            if (!m_brimo.waitForFinished(10000))
                m_brimo.kill();
            m_brimo.waitForFinished(10000);
        }
    }

    QString BuildPackage()
    {
        const QString output = m_scratch.filePath(QStringLiteral("package"));
        const ProgramRun cpack =
            RunProgram(QStringLiteral("cpack"),
                       {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), output}, BinaryDir());
        EXPECT_EQ(cpack.exitCode, 0) << cpack.output.toStdString();
        const QStringList debs = QDir(output).entryList({QStringLiteral("*.deb")}, QDir::Files);
        return debs.size() == 1 ? QDir(output).filePath(debs.first()) : QString();
    }

    void StartInstalled(const QString &root, const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("BRIMO_CONFIG_DIR"));
        environment.insert(QStringLiteral("HOME"), m_scratch.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigHome());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // A folder of its own for the link socket: a Brimo running elsewhere
        // on this machine must not take the test's link.
        const QString runtime = m_scratch.filePath(QStringLiteral("run"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        m_brimo.setProcessEnvironment(environment);
        m_brimo.setProcessChannelMode(QProcess::ForwardedChannels);
        m_brimo.start(root + QStringLiteral("/usr/bin/brimo"), arguments);
        ASSERT_TRUE(m_brimo.waitForStarted(30000)) << m_brimo.errorString().toStdString();
    }

    QString ConfigHome() const { return m_scratch.filePath(QStringLiteral("home/.config")); }

    NgircdServer m_ircd;
    QTemporaryDir m_scratch;
    QProcess m_brimo;
};

TEST_F(InstalledPackage, DependsOnItsLibrariesStartsFromALinkAndKeepsItsSettingsInTheHomeFolder)
{
    const QString deb = BuildPackage();
    ASSERT_FALSE(deb.isEmpty());
    const ProgramRun fields =
        RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb, QStringLiteral("Depends")});
    EXPECT_TRUE(fields.output.contains(QStringLiteral("libqt6widgets6"))) << fields.output.toStdString();
    EXPECT_TRUE(fields.output.contains(QStringLiteral("libc6"))) << fields.output.toStdString();

    const QString root = m_scratch.filePath(QStringLiteral("root"));
    const ProgramRun unpack = RunProgram(QStringLiteral("dpkg"), {QStringLiteral("-x"), deb, root});
    ASSERT_EQ(unpack.exitCode, 0) << unpack.output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/usr/share/applications/sk.brimo.Brimo.desktop")));

    RawIrcClient watcher;
    ASSERT_TRUE(watcher.ConnectAndRegister(m_ircd.Port(), "watcher"));
    watcher.SendLine("JOIN #installed");
    ASSERT_TRUE(watcher.WaitForCommand("JOIN"));

    const QString link = QStringLiteral("irc://127.0.0.1:%1/installed").arg(m_ircd.Port());
    StartInstalled(root, {link});
    std::string join;
    ASSERT_TRUE(watcher.WaitForLine(
        [](const std::string &line) {
            return RawIrcClient::CommandOf(line) == "JOIN" && line.find("#installed") != std::string::npos;
        },
        60000, &join))
        << m_ircd.Output();

    const QString folder = ConfigHome() + QStringLiteral("/brimo");
    const QFileInfo conf(folder + QStringLiteral("/brimo.conf"));
    ASSERT_TRUE(conf.exists());
    EXPECT_EQ(conf.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup),
              QFile::Permissions());
    EXPECT_EQ(QDir(root + QStringLiteral("/usr/bin")).entryList(QDir::Files | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("brimo")});
}

} // namespace
