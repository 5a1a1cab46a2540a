#include "ConfigFixture.h"
#include "support/FileSizeLimit.h"

#include "config/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <filesystem>

namespace {

std::filesystem::path FsPath(const QString &path)
{
    return std::filesystem::path(path.toStdString());
}

} // namespace

TEST_F(ConfigTest, ConfigFilePathFollowsOverrideThenEnvironmentThenExecutable)
{
    EXPECT_EQ(ConfigFilePath(), m_dir.filePath("brimo.conf").toStdString());

    const QByteArray saved = qgetenv("BRIMO_CONFIG_DIR");
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    SetConfigDirectory(std::string());
    qputenv("BRIMO_CONFIG_DIR", other.path().toUtf8() + "/");
    EXPECT_EQ(ConfigFilePath(), other.filePath("brimo.conf").toStdString());
    SetConfigDirectory(m_dir.path().toStdString());
    EXPECT_EQ(ConfigFilePath(), m_dir.filePath("brimo.conf").toStdString()) << "the override comes first";
    SetConfigDirectory(std::string());

    qunsetenv("BRIMO_CONFIG_DIR");
    ASSERT_FALSE(ExeDirectory().empty());
    EXPECT_NE(ExeDirectory().back(), '/');
    // Without its resources beside it the program counts as installed: the
    // per-user folder, never the executable's.
    const QByteArray savedHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", other.path().toUtf8());
    const QDir exeDir(QString::fromStdString(ExeDirectory()));
    ASSERT_FALSE(exeDir.exists(QStringLiteral("Help")));
    EXPECT_EQ(ConfigFilePath(), other.filePath("brimo/brimo.conf").toStdString());
    EXPECT_EQ(ResourceDirectory(), ExeDirectory());
    if (savedHome.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedHome);
    if (!saved.isEmpty())
        qputenv("BRIMO_CONFIG_DIR", saved);
}

TEST_F(ConfigTest, TheFirstStartCreatesTheSettingsAndTheirFolderOwnerOnly)
{
    QTemporaryDir prefix;
    SetConfigDirectory(prefix.filePath(QStringLiteral("fresh/brimo")).toStdString());
    ASSERT_TRUE(CreateConfigFile());
    const QFileInfo file(prefix.filePath(QStringLiteral("fresh/brimo/brimo.conf")));
    ASSERT_TRUE(file.exists());
    EXPECT_EQ(file.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(QFileInfo(file.path()).permissions() & (QFile::ReadOther | QFile::ExeOther), QFile::Permissions());
    WriteString(kBaseSection, "Nick", "janko");
    ASSERT_TRUE(CreateConfigFile());
    EXPECT_EQ(ReadString("Nick"), "janko") << "a second start keeps the file";
}

TEST_F(ConfigTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    EXPECT_EQ(ReadString("Nick"), "");
    EXPECT_FALSE(ReadBool("Enable Tray"));
    EXPECT_EQ(ReadInt("Font Size"), 0);
    std::vector<std::string> keys{"stale"};
    EXPECT_EQ(ReadSectionKeys("Servers", keys), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(QFile::exists(path())) << "reading must not create the file";

    EXPECT_TRUE(WriteString("Servers", "old")); // deleting from nothing creates nothing
    EXPECT_FALSE(QFile::exists(path()));

    ASSERT_TRUE(WriteString(kBaseSection, "Nick", std::string("janko")));
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_EQ(ReadString("Nick"), "janko");
    EXPECT_EQ(readRaw(), QByteArray("[Base]\nNick=janko\n"));
}

TEST_F(ConfigTest, NewFileAndItsFolderAreCreatedOwnerOnly)
{
    const QString nested = m_dir.filePath("a/b");
    SetConfigDirectory(nested.toStdString());
    ASSERT_TRUE(WriteString("Passwords", "Freenode", std::string("tajne")));
    const QFileInfo info(nested + "/brimo.conf");
    ASSERT_TRUE(info.exists());
#ifdef Q_OS_UNIX
    EXPECT_EQ(
        info.permissions()
            & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
        QFileDevice::Permissions());
    EXPECT_TRUE(info.permissions() & QFileDevice::ReadOwner);
#endif
    EXPECT_EQ(ReadPassword("freenode"), "tajne");
}

TEST_F(ConfigTest, WritesReplaceDeleteAndAppendInPlace)
{
    writeRaw("[Base]\r\nNick=a\r\nFont=Arial\r\n\r\n[Servers]\r\nx=h 1 0\r\n");
    ASSERT_TRUE(WriteString("base", "NICK", std::string("b")));
    ASSERT_TRUE(WriteString(kBaseSection, "Zoomed", std::string("True")));
    ASSERT_TRUE(WriteString("Servers", "y", std::string("g 2 1")));
    ASSERT_TRUE(WriteString(kBaseSection, "Font"));
    ASSERT_TRUE(WriteString("Window Data", "Wnd_#a", std::string("False 1 2 3 4 110 True False True True")));
    EXPECT_EQ(readRaw(),
              QByteArray("[Base]\r\nNICK=b\r\nZoomed=True\r\n\r\n[Servers]\r\nx=h 1 0\r\ny=g 2 1\r\n\r\n"
                         "[Window Data]\r\nWnd_#a=False 1 2 3 4 110 True False True True\r\n"));
    EXPECT_EQ(ReadString("Font"), "");
    EXPECT_EQ(ReadString("Nick"), "b");
}

TEST_F(ConfigTest, EveryWriteIsSeenByTheNextRead)
{
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(WriteString(kBaseSection, "Font Size", std::to_string(i)));
        ASSERT_EQ(ReadInt("Font Size"), i);
    }
    ASSERT_TRUE(WriteBool(kBaseSection, "Zoomed", true));
    EXPECT_EQ(ReadString("Zoomed"), "True");
    ASSERT_TRUE(WriteBool(kBaseSection, "Zoomed", false));
    EXPECT_EQ(ReadString("Zoomed"), "False");
}

TEST_F(ConfigTest, ChangesMadeBehindOurBackAreSeen)
{
    writeRaw("[Base]\nNick=aaaa\n");
    // An old file is trusted from the cache until its size or time changes.
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(FsPath(path()), old);
    EXPECT_EQ(ReadString("Nick"), "aaaa");
    EXPECT_EQ(ReadString("Nick"), "aaaa");

    writeRaw("[Base]\nNick=bbbb\n"); // same size, new time
    EXPECT_EQ(ReadString("Nick"), "bbbb");
    writeRaw("[Base]\nNick=cccc\n"); // same size, within the same clock tick
    EXPECT_EQ(ReadString("Nick"), "cccc");
    std::filesystem::last_write_time(FsPath(path()), old);
    writeRaw("[Base]\nNick=dd\n");
    std::filesystem::last_write_time(FsPath(path()), old); // only the size tells
    EXPECT_EQ(ReadString("Nick"), "dd");
}

TEST_F(ConfigTest, SectionsAndKeysIgnoreCaseAndSpacing)
{
    writeRaw("  [ base ]  \n  nick  =  Ferko Mrkva  \n[SERVERS]\nMôj Server=h 6667 1\n");
    EXPECT_EQ(ReadString("Nick"), "Ferko Mrkva");
    EXPECT_EQ(ReadString("BASE", "NICK"), "Ferko Mrkva");
    EXPECT_EQ(ReadString("Servers", "MÔJ SERVER"), "h 6667 1");
}

TEST_F(ConfigTest, LineEndsOfEveryKindAndByteOrderMark)
{
    writeRaw("\xEF\xBB\xBF[Base]\r\nNick=a\rFont=Arial\nZoomed=1\r\n");
    EXPECT_EQ(ReadString("Nick"), "a");
    EXPECT_EQ(ReadString("Font"), "Arial");
    EXPECT_TRUE(ReadBool("Zoomed"));
    ASSERT_TRUE(WriteString(kBaseSection, "Nick", std::string("b")));
    EXPECT_TRUE(readRaw().startsWith("\xEF\xBB\xBF[Base]\r\nNick=b\r\n"));
}

TEST_F(ConfigTest, RepeatedKeysAndSectionsFirstOneCounts)
{
    writeRaw("[Servers]\na=1 1 1\nb=2 2 2\nA=3 3 3\n[Base]\nNick=x\n[servers]\nc=4 4 4\nb=5 5 5\n");
    EXPECT_EQ(ReadString("Servers", "a"), "1 1 1");
    EXPECT_EQ(ReadString("Servers", "b"), "2 2 2");
    EXPECT_EQ(ReadString("Servers", "c"), "4 4 4");
    std::vector<std::string> keys;
    EXPECT_EQ(ReadSectionKeys("Servers", keys), 3);
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "b", "c"}));

    // A write keeps the first line and drops the repeats, a delete removes all.
    ASSERT_TRUE(WriteString("Servers", "B", std::string("9 9 9")));
    EXPECT_EQ(ReadString("Servers", "b"), "9 9 9");
    ASSERT_TRUE(WriteString("Servers", "a"));
    EXPECT_EQ(ReadString("Servers", "a"), "");
    EXPECT_EQ(readRaw(), QByteArray("[Servers]\nB=9 9 9\n[Base]\nNick=x\n[servers]\nc=4 4 4\n"));
}

TEST_F(ConfigTest, SectionKeysSkipLinesWithoutEqualsAndKeepFileOrder)
{
    writeRaw("[Servers]\nzeta=1\njust text\n; note\n=orphan\nalpha=2\n\nmid=\n[Other]\nx=1\n");
    std::vector<std::string> keys;
    EXPECT_EQ(ReadSectionKeys("servers", keys), 3);
    EXPECT_EQ(keys, (std::vector<std::string>{"zeta", "alpha", "mid"}));
    EXPECT_EQ(ReadString("Servers", "mid"), "");
    EXPECT_EQ(ReadString("Servers", "just text"), "");
}

TEST_F(ConfigTest, LongValuesAndSectionsAreReadInPart)
{
    const std::string longValue(20000, 'x');
    ASSERT_TRUE(WriteString(kBaseSection, "Msgs Quit", longValue));
    EXPECT_EQ(ReadString("Msgs Quit"), std::string(kReadLimit - 1, 'x'));
    EXPECT_EQ(readRaw().size(), 7 + 10 + 20000 + 1) << "the file keeps the whole value";

    // Two-byte characters are cut between characters, not inside one.
    std::string slovak;
    for (int i = 0; i < 10001; ++i)
        slovak += "ľ";
    ASSERT_TRUE(WriteString(kBaseSection, "Msgs Part", slovak));
    EXPECT_EQ(ReadString("Msgs Part"), slovak.substr(0, size_t(kReadLimit - 1) * 2));

    // A section is read up to 10000 characters, each line counting as
    // "key=value" and a terminator. 99 lines of 100 characters leave 99: a last
    // line whose "=" falls inside them still gives its key, one whose "=" falls
    // outside does not.
    QByteArray sections;
    for (const char *name : {"[Fits]\n", "[Cut]\n"}) {
        sections += name;
        for (int i = 0; i < 99; ++i)
            sections += "k" + QByteArray::number(i).rightJustified(2, '0') + "=" + QByteArray(95, 'v') + "\n";
        sections += name[1] == 'F' ? "last=" + QByteArray(500, 'v') + "\n" : QByteArray(98, 'k') + "=v\n";
        sections += "after=1\n";
    }
    writeRaw(sections);
    std::vector<std::string> keys;
    EXPECT_EQ(ReadSectionKeys("Fits", keys), 100);
    EXPECT_EQ(keys.back(), "last");
    EXPECT_EQ(ReadSectionKeys("Cut", keys), 99);
    EXPECT_EQ(keys.back(), "k98");
    EXPECT_EQ(ReadString("Cut", "after"), "1") << "single values are not limited by the section budget";
}

TEST_F(ConfigTest, BytesThatAreNotUtf8AreReadAsWindows1250)
{
    writeRaw("[Base]\nMsgs Quit=Dovidenia, \xBE\xE1\x9A\x9D\xE4\n[Servers]\nok=Kôň\n");
    EXPECT_EQ(ReadString("Msgs Quit"), "Dovidenia, ľášťä");
    EXPECT_EQ(ReadString("Servers", "ok"), "Kôň");
    ASSERT_TRUE(WriteString(kBaseSection, "Nick", std::string("n")));
    EXPECT_EQ(ReadString("Msgs Quit"), "Dovidenia, ľášťä") << "a rewrite keeps the text, now as UTF-8";
    EXPECT_TRUE(readRaw().contains("Dovidenia, \xC4\xBE\xC3\xA1\xC5\xA1\xC5\xA5\xC3\xA4"));
}

TEST_F(ConfigTest, UnstorableNamesAndLineBreaksNeverCorruptTheFile)
{
    ASSERT_TRUE(WriteString(kBaseSection, "Nick", std::string("a")));
    const QByteArray before = readRaw();
    EXPECT_FALSE(WriteString(kBaseSection, "a=b", std::string("x")));
    EXPECT_FALSE(WriteString(kBaseSection, "  ", std::string("x")));
    EXPECT_FALSE(WriteString(kBaseSection, "a\nb", std::string("x")));
    EXPECT_FALSE(WriteString("Channels Group a]b", "#c", std::string("#c 1")));
    EXPECT_FALSE(WriteString("x\r\n[Base]", "Nick", std::string("evil")));
    EXPECT_FALSE(WriteString("", "Nick", std::string("x")));
    EXPECT_EQ(readRaw(), before);

    ASSERT_TRUE(WriteString(kBaseSection, "Msgs Quit", std::string("bye\r\n[Base]\r\nNick=evil")));
    EXPECT_EQ(ReadString("Msgs Quit"), "bye  [Base]  Nick=evil");
    EXPECT_EQ(ReadString("Nick"), "a");

    // Nicks in brackets are ordinary keys of the address book.
    ASSERT_TRUE(WriteString("Address Book", "[afk]", std::string("3\t*\t*\t")));
    ASSERT_TRUE(WriteString("Address Book", "next", std::string("0\t*\tx]\t")));
    EXPECT_EQ(ReadString("Address Book", "[AFK]"), "3\t*\t*");
    std::vector<std::string> keys;
    EXPECT_EQ(ReadSectionKeys("Address Book", keys), 2);
}

TEST_F(ConfigTest, AnUnreadableFileIsNeverReplaced)
{
#ifdef Q_OS_UNIX
    writeRaw("[Base]\nNick=keep\n");
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::WriteOwner));
    QFile probe(path());
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that ignore file permissions";
    EXPECT_EQ(ReadString("Nick"), "");
    EXPECT_FALSE(WriteString(kBaseSection, "Nick", std::string("lost")));
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(ReadString("Nick"), "keep");
#endif
}

TEST_F(ConfigTest, AnOversizedFileIsNeitherReadNorReplaced)
{
    writeRaw("[Base]\nNick=keep\n");
    QFile file(path());
    ASSERT_TRUE(file.resize(40 * 1024 * 1024)); // sparse, costs no disk
    EXPECT_EQ(ReadString("Nick"), "");
    EXPECT_FALSE(WriteString(kBaseSection, "Nick", std::string("lost")));
    EXPECT_EQ(QFileInfo(path()).size(), 40 * 1024 * 1024);
    ASSERT_TRUE(file.resize(17));
    EXPECT_EQ(ReadString("Nick"), "keep");
}

// A disk that takes only part of the new file (full, or over a quota): the
// old file stays whole.
TEST_F(ConfigTest, AWriteTheDiskCutsShortLeavesTheFileAsItWas)
{
    writeRaw("[Base]\nNick=keep\n");
    const QByteArray before = readRaw();
    {
        FileSizeLimit limit(std::uintmax_t(before.size()));
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(WriteString(kBaseSection, "Msgs Quit", std::string(200, 'x')));
    }
    EXPECT_EQ(readRaw(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"brimo.conf"});
}

TEST_F(ConfigTest, AFolderInPlaceOfTheFileIsNotAFile)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("brimo.conf"));
    EXPECT_EQ(ReadString("Nick"), "");
    EXPECT_FALSE(WriteString(kBaseSection, "Nick", std::string("x")));
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

// The file holds passwords: whoever made it and however open, a write leaves
// it to its owner alone.
TEST_F(ConfigTest, WritesLeaveNoTemporaryFilesAndTheFileOwnerOnly)
{
    writeRaw("[Base]\nNick=a\n");
    ASSERT_TRUE(QFile::setPermissions(
        path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteString(kBaseSection, "Nick", std::to_string(i)));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"brimo.conf"});
    EXPECT_EQ(ReadString("Nick"), "4");
#ifdef Q_OS_UNIX
    const QFileDevice::Permissions permissions = QFileInfo(path()).permissions();
    EXPECT_EQ(
        permissions
            & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
        QFileDevice::Permissions());
    EXPECT_TRUE(permissions & QFileDevice::ReadOwner);
    EXPECT_TRUE(permissions & QFileDevice::WriteOwner);
#endif
}

TEST_F(ConfigTest, OtherIniReadersUnderstandTheFile)
{
    ASSERT_TRUE(WriteString(kBaseSection, "Nick", std::string("janko")));
    ASSERT_TRUE(WriteBool(kBaseSection, "Zoomed", true));
    ASSERT_TRUE(WriteInt("Wnd_Main", "Left", -8));
    QSettings other(path(), QSettings::IniFormat);
    EXPECT_EQ(other.value("Base/Nick").toString(), "janko");
    EXPECT_EQ(other.value("Base/Zoomed").toString(), "True");
    EXPECT_EQ(other.value("Wnd_Main/Left").toInt(), -8);
}

TEST_F(ConfigTest, LogsLiveBesideTheSettingsOfAFolderOrInThePerUserDataFolder)
{
    EXPECT_EQ(DefaultLogDirectory(), m_dir.filePath("logs").toStdString());
    AppSettings settings;
    EXPECT_EQ(LogDirectory(settings), m_dir.filePath("logs").toStdString());
    settings.m_logFolder = "/somewhere/else";
    EXPECT_EQ(LogDirectory(settings), "/somewhere/else");

    // Installed (no resources beside the executable, no folder given): the
    // settings in the per-user configuration folder, the logs in the data one.
    const QByteArray saved = qgetenv("BRIMO_CONFIG_DIR");
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    SetConfigDirectory(std::string());
    qunsetenv("BRIMO_CONFIG_DIR");
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    EXPECT_EQ(DefaultLogDirectory(), home.filePath("data/brimo/logs").toStdString());
    for (const auto &[name, value] :
         {std::pair{"XDG_CONFIG_HOME", savedConfigHome}, {"XDG_DATA_HOME", savedDataHome}, {"BRIMO_CONFIG_DIR", saved}})
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    SetConfigDirectory(m_dir.path().toStdString());
}
