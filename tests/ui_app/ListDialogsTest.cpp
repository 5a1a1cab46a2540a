#include "AppFixture.h"

#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "dialogs/AddressBookDialog.h"
#include "dialogs/BanListDialog.h"
#include "dialogs/FavouriteChannelsDialog.h"
#include "dialogs/IgnoreListDialog.h"
#include "dialogs/NoticesWindow.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "windows/ConversationMenu.h"
#include "windows/ConversationWindow.h"

#include <QAction>
#include <QComboBox>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

using ListDialogsTest = AppFixture;

template <typename T>
T *OpenDialog(QWidget *owner)
{
    T *found = nullptr;
    for (T *dialog : owner->findChildren<T *>())
        if (dialog->isVisible())
            found = dialog;
    return found;
}

TEST_F(ListDialogsTest, FavouritesAndAddressBookOpenFromTheMenusAndTheIgnoreListNeedsASession)
{
    ASSERT_TRUE(StartApp("[Servers]\nAlfa=127.0.0.1 1 0\n"));
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(Frame()->Action(CommandId::Favourites)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::AddressBook)->isEnabled());
    EXPECT_FALSE(Frame()->Action(CommandId::IgnoreList)->isEnabled());

    Frame()->Action(CommandId::Favourites)->trigger();
    auto *favourites = OpenDialog<FavouriteChannelsDialog>(Frame());
    ASSERT_TRUE(favourites);
    EXPECT_EQ(favourites->ServerBox()->currentText(), "Alfa");
    favourites->reject();

    // The address book's close reads the contacts again.
    Frame()->Action(CommandId::AddressBook)->trigger();
    auto *book = OpenDialog<AddressBookDialog>(Frame());
    ASSERT_TRUE(book);
    ASSERT_TRUE(WriteString("Address Book", "zuzka", std::string("0\t*\t*\t")));
    EXPECT_FALSE(m_app->Sessions().Contacts().IsContact("zuzka"));
    book->reject();
    EXPECT_TRUE(m_app->Sessions().Contacts().IsContact("zuzka"));
}

TEST_F(ListDialogsTest, IgnoreListOpensOnTheSessionOfTheActiveWindow)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    ASSERT_TRUE(WaitFor([&] { return Frame()->ActiveChild() != nullptr; }));
    Frame()->UpdateCommandStates();
    ASSERT_TRUE(Frame()->Action(CommandId::IgnoreList)->isEnabled());
    session->Ignores().push_back({"zly.sk", 6, 0, 1700000000});
    Frame()->Action(CommandId::IgnoreList)->trigger();
    auto *ignore = OpenDialog<IgnoreListDialog>(Frame());
    ASSERT_TRUE(ignore);
    EXPECT_EQ(ignore->SessionBox()->currentText(), QString::fromStdString(session->HumanName()));
    EXPECT_EQ(ignore->findChild<QTreeWidget *>()->topLevelItemCount(), 1);
}

TEST_F(ListDialogsTest, TheChannelsBannedUsersCommandOpensItsBanList)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    ConversationWindow *frame = JoinedChannel(session, "#brimo");
    ASSERT_TRUE(frame);
    bool enabled = false, checked = false;
    ASSERT_TRUE(frame->Menu()->UpdateCommand(CommandId::ChannelBans, enabled, checked));
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(frame->Menu()->Run(CommandId::ChannelBans));
    auto *bans = OpenDialog<BanListDialog>(Frame());
    ASSERT_TRUE(bans);
    EXPECT_EQ(bans->Channel(), "#brimo");
    EXPECT_EQ(bans->SessionKey(), session->Key());
}

TEST_F(ListDialogsTest, RepliesAskedForInThePopUpGoToTheNoticesWindow)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    session->RouteWhoisReplies(true, false);
    m_server.SendLine(":irc.test 311 tester bob b host.sk * :Bob Bobovic");
    ASSERT_TRUE(WaitFor([&] { return m_app->Popup() && m_app->Popup()->isVisible(); }));
    EXPECT_TRUE(m_app->Popup()->View()->toPlainText().contains("Bob Bobovic"));
    EXPECT_EQ(m_app->Popup()->parentWidget(), Frame());
}

} // namespace
