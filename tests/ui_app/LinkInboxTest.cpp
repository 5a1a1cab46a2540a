// Later starts of the program handing their links to the running one.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <vector>

#include "app/LinkInbox.h"
#include "support/WaitFor.h"

namespace {

TEST(LinkInbox, OnlyTheFirstStartRunsAndLaterOnesHandOverTheirLinksOrNone)
{
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("links"));
    LinkInbox running(name);
    ASSERT_TRUE(running.Claim());
    std::vector<QStringList> starts;
    ASSERT_TRUE(running.Listen([&starts](const QStringList &links) { starts.push_back(links); }));

    LinkInbox later(name);
    EXPECT_FALSE(later.Claim());
    EXPECT_FALSE(later.Listen([](const QStringList &) {}));
    EXPECT_TRUE(later.Forward({}));
    EXPECT_TRUE(later.Forward({QStringLiteral("irc://127.0.0.1/prvy"), QStringLiteral("irc://127.0.0.1:6668/druhy")}));
    ASSERT_TRUE(WaitFor([&] { return starts.size() == 2; }));
    EXPECT_EQ(starts[0], QStringList());
    EXPECT_EQ(starts[1],
              (QStringList{QStringLiteral("irc://127.0.0.1/prvy"), QStringLiteral("irc://127.0.0.1:6668/druhy")}));

    // The running program's socket is still there, and still its own.
    EXPECT_TRUE(QFileInfo::exists(name));
    EXPECT_TRUE(LinkInbox(name).Forward({QStringLiteral("irc://127.0.0.1/treti")}));
    ASSERT_TRUE(WaitFor([&] { return starts.size() == 3; }));
}

TEST(LinkInbox, ASocketLeftByAProgramThatDiedIsTakenOverAndNoProgramMeansNoAnswer)
{
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("links"));
    EXPECT_FALSE(LinkInbox(name).Forward({QStringLiteral("irc://127.0.0.1/nikto")}, 300));

    QFile leftover(name);
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    LinkInbox next(name);
    ASSERT_TRUE(next.Claim());
    QStringList opened;
    ASSERT_TRUE(next.Listen([&opened](const QStringList &links) { opened = links; }));
    EXPECT_TRUE(LinkInbox(name).Forward({QStringLiteral("irc://127.0.0.1/znova")}));
    ASSERT_TRUE(WaitFor([&] { return !opened.isEmpty(); }));
}

TEST(LinkInbox, EverySettingsFolderHasASocketOfItsOwn)
{
    QTemporaryDir one, two;
    EXPECT_EQ(LinkInbox::NameFor(one.path()), LinkInbox::NameFor(one.path() + QStringLiteral("/.")));
    EXPECT_NE(LinkInbox::NameFor(one.path()), LinkInbox::NameFor(two.path()));
}

TEST(LinkInbox, OnlyArgumentsThatAreLinksCount)
{
    EXPECT_EQ(LinkInbox::LinksAmong({QStringLiteral("brimo"), QStringLiteral("debug"),
                                     QStringLiteral("irc://host/kanal"), QStringLiteral("ircs://host/x")}),
              (QStringList{QStringLiteral("irc://host/kanal"), QStringLiteral("ircs://host/x")}));
    EXPECT_TRUE(LinkInbox::LinksAmong({QStringLiteral("irc://program-name-only")}).isEmpty());
}

} // namespace
