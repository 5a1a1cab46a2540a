// Links handed from a later start to the running program.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/LinkInbox.h"
#include "support/WaitFor.h"

namespace {

TEST(LinkInbox, ALaterStartHandsItsLinksToTheRunningProgramOrFindsNone)
{
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("links"));
    LinkInbox later(name);
    EXPECT_FALSE(later.Forward({QStringLiteral("irc://127.0.0.1/nobody")}));

    LinkInbox running(name);
    QStringList opened;
    ASSERT_TRUE(running.Listen([&opened](const QString &link) { opened.append(link); }));
    EXPECT_TRUE(later.Forward({QStringLiteral("irc://127.0.0.1/prvy"), QStringLiteral("irc://127.0.0.1:6668/druhy")}));
    ASSERT_TRUE(WaitFor([&] { return opened.size() == 2; }));
    EXPECT_EQ(opened,
              (QStringList{QStringLiteral("irc://127.0.0.1/prvy"), QStringLiteral("irc://127.0.0.1:6668/druhy")}));
}

TEST(LinkInbox, OnlyArgumentsThatAreLinksCount)
{
    EXPECT_EQ(LinkInbox::LinksAmong({QStringLiteral("brimo"), QStringLiteral("debug"),
                                      QStringLiteral("irc://host/kanal"), QStringLiteral("ircs://host/x")}),
              (QStringList{QStringLiteral("irc://host/kanal"), QStringLiteral("ircs://host/x")}));
    EXPECT_TRUE(LinkInbox::LinksAmong({QStringLiteral("irc://program-name-only")}).isEmpty());
}

} // namespace
