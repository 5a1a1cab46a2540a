#include <QProcess>

#include "script/ScriptFixture.h"

namespace {

using Lines = std::vector<std::string>;

class DefaultScript : public ScriptFixture
{
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        ASSERT_EQ(Run("/load -q #c " + std::string(BRIMO_DEFAULT_SCRIPT), "#c"), 1);
        ASSERT_EQ(m_channel->Scripts().count("brimo.tcl"), 1u);
    }
};

} // namespace

TEST_F(DefaultScript, MeSendsAnAction)
{
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/me waves at $all [you]", "#c"), 1); }),
              (Lines{"PRIVMSG #c :\x01"
                     "ACTION waves at $all [you]\x01"}));
    EXPECT_FALSE(ChannelView().HasLine(Strings::Format(Str::UnknownCommand, "/me")));
    EXPECT_TRUE(Sent([&] { Run("/me", "#c"); }).empty());
}

TEST_F(DefaultScript, PartLeavesThisOrTheNamedChannelWithAReason)
{
    EXPECT_EQ(Sent([&] { Run("/part", "#c"); }), (Lines{"PART #c"}));
    EXPECT_EQ(Sent([&] { Run("/part bye  now", "#c"); }), (Lines{"PART #c :bye  now"}));
    EXPECT_EQ(Sent([&] { Run("/part #d see you", "#c"); }), (Lines{"PART #d :see you"}));
    EXPECT_EQ(Sent([&] { Run("/part &local", "#c"); }), (Lines{"PART &local"}));
}

TEST_F(DefaultScript, FavAddsThisOrTheNamedChannel)
{
    Run("/fav", "#c");
    Run("/fav #other", "#c");
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::ChannelAddedToFavourites, "#c")));
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::ChannelAddedToFavourites, "#other")));
}

TEST(DefaultScriptCopy, TheBuildNeverOverwritesTheUsersScript)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString destination = folder.filePath(QStringLiteral("brimo.tcl"));
    auto copy = [&] {
        return QProcess::execute(QStringLiteral(BRIMO_CMAKE_COMMAND),
                                 {QStringLiteral("-DSOURCE=" BRIMO_DEFAULT_SCRIPT), "-DDESTINATION=" + destination,
                                  QStringLiteral("-P"), QStringLiteral(BRIMO_COPY_IF_MISSING)});
    };
    ASSERT_EQ(copy(), 0);
    QFile fresh(destination);
    ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
    EXPECT_TRUE(fresh.readAll().contains("proc /me"));
    fresh.close();

    QFile mine(destination);
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("# mine\n");
    mine.close();
    ASSERT_EQ(copy(), 0);
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("# mine\n"));
}
