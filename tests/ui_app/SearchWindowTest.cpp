#include "AppFixture.h"

#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/MainFrame.h"
#include "search/SearchFrame.h"
#include "session/Session.h"
#include "session/SessionTable.h"

#include <QMdiSubWindow>
#include <QTreeWidget>

namespace {

using SearchWindowTest = AppFixture;

TEST_F(SearchWindowTest, SearchOpensOneWindowThatListsTheNetworksChannels)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->Command(session->Key(), 0, "/search"), 1);
    CSearchFrame *search = m_app->SearchWindow(session->Key());
    ASSERT_TRUE(search);
    EXPECT_EQ(search->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 0 z 0 ..."));

    // A second /search brings the same window forward.
    EXPECT_EQ(session->Command(session->Key(), 0, "/search"), 1);
    EXPECT_EQ(m_app->SearchWindow(session->Key()), search);

    m_server.SendLine(":irc.test 321 tester Channel :Users  Name");
    m_server.SendLine(":irc.test 322 tester #slovensko 42 :\x02"
                      "Ahoj\x02 vsetci");
    m_server.SendLine(":irc.test 322 tester #ab 7 :maly");
    m_server.SendLine(":irc.test 323 tester :End of LIST");
    ASSERT_TRUE(WaitFor([&] { return search->TotalCount() == 2; }));
    auto *list = search->findChild<QTreeWidget *>();
    ASSERT_TRUE(list);
    list->sortByColumn(1, Qt::DescendingOrder); // users, as numbers
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("#slovensko"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("42"));
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Ahoj vsetci"));
    EXPECT_EQ(search->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 2 z 2 ..."));

    EXPECT_EQ(session->Command(session->Key(), 0, "/search close"), 1);
    EXPECT_FALSE(m_app->SearchWindow(session->Key()));
    EXPECT_EQ(session->Command(session->Key(), 0, "/search close"), 0); // nothing left to close
}

} // namespace
