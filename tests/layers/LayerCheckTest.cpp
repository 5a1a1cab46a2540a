// The include rules of the core as the build checks them
// (cmake/CheckCoreIncludes.cmake): run on the real core and on small trees
// made for the test.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CheckResult
{
    bool passed = false;
    std::string output;
};

CheckResult RunCheck(const QString &coreDir)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(BRIMO_CMAKE_COMMAND),
                  {QStringLiteral("-DSOURCE_DIR=") + coreDir, QStringLiteral("-P"),
                   QStringLiteral(BRIMO_TEST_SOURCE_DIR "/cmake/CheckCoreIncludes.cmake")});
    CheckResult result;
    if (!process.waitForFinished(60000)) {
        result.output = "cmake did not finish: " + process.errorString().toStdString();
        return result;
    }
    result.output = process.readAll().toStdString();
    result.passed = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return result;
}

// A core of its own: files (path below the core, text) written into a scratch folder.
class LayerCheck : public ::testing::Test
{
protected:
    void Write(const QString &path, const QByteArray &text)
    {
        const QString full = m_core.filePath(path);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(full).path()));
        QFile file(full);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    CheckResult Check() { return RunCheck(m_core.path()); }

    QTemporaryDir m_core;
};

TEST(CoreLayers, TheCoreFollowsTheStack)
{
    const CheckResult result = RunCheck(QStringLiteral(BRIMO_TEST_SOURCE_DIR "/src/core"));
    EXPECT_TRUE(result.passed) << result.output;
}

TEST_F(LayerCheck, IncludesOfTheOwnFolderAndOfLowerFoldersPass)
{
    Write("text/Words.h", "#pragma once\n");
    Write("config/Config.cpp", "#include \"config/Config.h\"\n#include \"text/Words.h\"\n#include <string>\n");
    Write("commands/Run.cpp",
          "#include \"session/Session.h\"\n#include \"dcc/DirectConnect.h\"\n"
          "#include \"script/Script.h\"\n");
    const CheckResult result = Check();
    EXPECT_TRUE(result.passed) << result.output;
}

TEST_F(LayerCheck, AnUpwardIncludeFailsNamingTheFileTheIncludeAndTheRule)
{
    Write("text/Decoration.cpp", "#include \"text/Decoration.h\"\n#include \"config/Strings.h\"\n");
    Write("session/SessionWindows.cpp", "  #  include \"dcc/DirectConnect.h\"\n");
    const CheckResult result = Check();
    EXPECT_FALSE(result.passed);
    EXPECT_NE(result.output.find("text/Decoration.cpp includes \"config/Strings.h\""), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("text/ (rank 0) may include no other folder"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("session/SessionWindows.cpp includes \"dcc/DirectConnect.h\""), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("session/ (rank 4) may include only text, platform, config, search, conversation"),
              std::string::npos)
        << result.output;
}

TEST_F(LayerCheck, FoldersOfOneRankDoNotIncludeEachOther)
{
    Write("dcc/DirectConnect.cpp", "#include \"script/Script.h\"\n");
    Write("config/Config.cpp", "#include \"search/ChannelListEntry.h\"\n");
    const CheckResult result = Check();
    EXPECT_FALSE(result.passed);
    EXPECT_NE(result.output.find("dcc/DirectConnect.cpp includes \"script/Script.h\""), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("config/Config.cpp includes \"search/ChannelListEntry.h\""), std::string::npos)
        << result.output;
}

TEST_F(LayerCheck, AFolderOutsideTheStackAndAWidgetHeaderFail)
{
    Write("gadgets/Gadget.cpp", "#include \"text/Words.h\"\n");
    Write("session/Session.cpp", "#include <QWidget>\n");
    const CheckResult result = Check();
    EXPECT_FALSE(result.passed);
    EXPECT_NE(result.output.find("the folder gadgets/ has no place in the stack"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("must not include widget or GUI headers"), std::string::npos) << result.output;
}

} // namespace
