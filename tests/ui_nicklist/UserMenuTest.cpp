#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <vector>

#include "config/Config.h"
#include "conversation/NickList.h"
#include "nicklist/NickListView.h"
#include "nicklist/NickListToolTip.h"
#include "nicklist/NickListModel.h"
#include "nicklist/UserMenu.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

namespace {

constexpr Conversation::WindowType kStatus = Conversation::TypeStatus;
constexpr Conversation::WindowType kChannel = Conversation::TypeChannel;
constexpr Conversation::WindowType kPrivate = Conversation::TypePrivate;

// Pops the menu up and clicks the item with the mouse, as the user would.
void ClickItem(UserMenu &menu, UserMenu::Item item)
{
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(WaitFor([&] { return menu.isVisible(); }, 5000));
    QAction *action = menu.Action(item);
    const QRect geometry = menu.actionGeometry(action);
    ASSERT_TRUE(geometry.isValid());
    QTest::mouseClick(&menu, Qt::LeftButton, {}, geometry.center());
    QApplication::processEvents();
    if (menu.isVisible())
        menu.hide();
}

QStringList Lines(const QSignalSpy &spy)
{
    QStringList lines;
    for (const QList<QVariant> &arguments : spy)
        lines << arguments.at(0).toString();
    return lines;
}

struct LineCase
{
    UserMenu::Item item;
    const char *line;
};

class UserMenuLines : public testing::TestWithParam<LineCase>
{};

} // namespace

TEST_P(UserMenuLines, ChannelItemIssuesItsCommandLine)
{
    UserMenu menu;
    menu.SetContext({kChannel, "#kanal", "bob"});
    QSignalSpy commands(&menu, &UserMenu::commandRequested);
    ClickItem(menu, GetParam().item);
    EXPECT_EQ(Lines(commands), QStringList{QString::fromUtf8(GetParam().line)});
}

INSTANTIATE_TEST_SUITE_P(Items, UserMenuLines,
                         testing::Values(LineCase{UserMenu::OpenQuery, "/query bob"},
                                         LineCase{UserMenu::DccChat, "/dcc chat connect bob"},
                                         LineCase{UserMenu::GiveOp, "/servermsg MODE #kanal +o bob"},
                                         LineCase{UserMenu::TakeOp, "/servermsg MODE #kanal -o bob"},
                                         LineCase{UserMenu::GiveVoice, "/servermsg MODE #kanal +v bob"},
                                         LineCase{UserMenu::TakeVoice, "/servermsg MODE #kanal -v bob"},
                                         LineCase{UserMenu::Kick, "/servermsg KICK #kanal bob"},
                                         LineCase{UserMenu::Ban, "/who bob -ban #kanal"},
                                         LineCase{UserMenu::BanKick, "/who bob -bankick #kanal"},
                                         LineCase{UserMenu::Ignore, "/ignore add bob"}));

TEST(UserMenu, ItemsWithAReasonAskForItFirst)
{
    UserMenu menu;
    menu.SetContext({kChannel, "#kanal", "bob"});
    QString askedTitle;
    QString askedPrompt;
    QString answer = "spam";
    bool accept = true;
    menu.SetReasonPrompt([&](const QString &title, const QString &prompt, QString &reason) {
        askedTitle = title;
        askedPrompt = prompt;
        reason = answer;
        return accept;
    });
    QSignalSpy commands(&menu, &UserMenu::commandRequested);

    ClickItem(menu, UserMenu::KickWithReason);
    EXPECT_EQ(askedTitle, QString::fromUtf8("Vykopnutie užívateľa ..."));
    EXPECT_EQ(askedPrompt, QString::fromUtf8("Napíš dôvod prečo ho vykopneš"));
    ClickItem(menu, UserMenu::BanKickWithReason);
    // A pasted line break in the reason stays on the one line.
    answer = "no\r\nflood";
    ClickItem(menu, UserMenu::KickWithReason);
    accept = false;
    ClickItem(menu, UserMenu::KickWithReason);

    EXPECT_EQ(Lines(commands),
              (QStringList{"/servermsg KICK #kanal bob :spam", "/who bob -bankick #kanal spam",
                           "/servermsg KICK #kanal bob :no  flood"}));
}

TEST(UserMenu, SendFileAsksForTheFile)
{
    UserMenu menu;
    menu.SetContext({kPrivate, "bob", "bob"});
    QString chosen = "/tmp/my file.txt";
    menu.SetFileChooser([&] { return chosen; });
    QSignalSpy commands(&menu, &UserMenu::commandRequested);

    ClickItem(menu, UserMenu::SendFile);
    chosen.clear(); // cancelled
    ClickItem(menu, UserMenu::SendFile);
    chosen = "/tmp/a\nb"; // no such file name can be sent safely
    ClickItem(menu, UserMenu::SendFile);
    EXPECT_EQ(Lines(commands), QStringList{"/dcc send send bob /tmp/my file.txt"});
}

TEST(UserMenu, WhoIsAndPropertiesAskForTheUsersProperties)
{
    UserMenu menu;
    menu.SetContext({kChannel, "#kanal", "bob"});
    QSignalSpy properties(&menu, &UserMenu::propertiesRequested);
    QSignalSpy commands(&menu, &UserMenu::commandRequested);
    ClickItem(menu, UserMenu::WhoIs);
    ClickItem(menu, UserMenu::Properties);
    EXPECT_EQ(Lines(properties), (QStringList{"bob", "bob"}));
    EXPECT_EQ(commands.count(), 0);
}

TEST(UserMenu, EnablingFollowsTheWindowType)
{
    UserMenu menu;
    const auto enabled = [&] {
        std::vector<UserMenu::Item> items;
        for (int i = 0; i < UserMenu::ItemCount; ++i)
            if (menu.Action(static_cast<UserMenu::Item>(i))->isEnabled())
                items.push_back(static_cast<UserMenu::Item>(i));
        return items;
    };

    menu.SetContext({kChannel, "#kanal", "bob"});
    EXPECT_EQ(enabled().size(), static_cast<size_t>(UserMenu::ItemCount));
    menu.SetContext({kChannel, "#kanal", ""});
    EXPECT_TRUE(enabled().empty());
    menu.SetContext({kPrivate, "bob", "bob"});
    EXPECT_EQ(enabled(),
              (std::vector<UserMenu::Item>{UserMenu::WhoIs, UserMenu::Properties, UserMenu::DccChat,
                                            UserMenu::SendFile, UserMenu::Ignore}));
    menu.SetContext({kStatus, "KRNL:1:host:6667", ""});
    EXPECT_TRUE(enabled().empty());
    menu.SetContext({kStatus, "KRNL:1:host:6667", "bob"});
    EXPECT_EQ(enabled(), std::vector<UserMenu::Item>{UserMenu::Properties});
}

TEST(UserMenu, DisabledItemsIssueNothingAndTheProviderIsAskedOnShow)
{
    UserMenu menu;
    UserMenuContext current{kPrivate, "bob", "bob"};
    menu.SetContextProvider([&] { return current; });
    QSignalSpy commands(&menu, &UserMenu::commandRequested);

    ClickItem(menu, UserMenu::Kick); // disabled in a private window
    EXPECT_EQ(commands.count(), 0);

    current = {kChannel, "#iny", "amy"};
    ClickItem(menu, UserMenu::Kick);
    EXPECT_EQ(Lines(commands), QStringList{"/servermsg KICK #iny amy"});
}

TEST(UserMenu, NamesThatWouldBreakTheLineIssueNothing)
{
    EXPECT_TRUE(UserMenu::CommandLine(UserMenu::OpenQuery, "#k", "bob\r\nQUIT").isEmpty());
    EXPECT_TRUE(UserMenu::CommandLine(UserMenu::Ignore, "#k", "two words").isEmpty());
    EXPECT_TRUE(UserMenu::CommandLine(UserMenu::Kick, "#k\n", "bob").isEmpty());
    EXPECT_TRUE(UserMenu::CommandLine(UserMenu::Kick, "#k", "").isEmpty());
    EXPECT_TRUE(UserMenu::CommandLine(UserMenu::KickWithReason, "#k", "bob", QString("a") + QChar(0)).isEmpty());
    // Placeholders in a nick are text, not further arguments.
    EXPECT_EQ(UserMenu::CommandLine(UserMenu::KickWithReason, "#k", "%1%2", "%3"), "/servermsg KICK #k %1%2 :%3");
}

class UserMenuAddressBook : public TestConfigDir
{};

TEST_F(UserMenuAddressBook, AddContactWritesTheEntryAndTheListShowsIt)
{
    UserMenu menu;
    menu.SetContext({kChannel, "#kanal", "BoB"});
    QSignalSpy contacts(&menu, &UserMenu::contactsChanged);
    ClickItem(menu, UserMenu::AddContact);

    EXPECT_NE(ReadConfigFile().find("bob=3\t*\t*\t"), std::string::npos);
    EXPECT_EQ(RecordField(ReadString("Address Book", "bob"), 1, '\t'), "3");
    EXPECT_EQ(contacts.count(), 1);

    // The nick list's own address-book test sees the new contact.
    NickList list;
    list.AddNick("@BoB");
    NickListView view;
    view.resize(160, 100);
    view.SetNickList(&list);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::mouseMove(view.viewport(), view.visualRect(view.Model()->index(0)).center());
    QApplication::processEvents();
    EXPECT_EQ(view.Tip()->Text(), QString::fromUtf8("Operátor\nPrítomný,\nKontakt"));
}

TEST_F(UserMenuAddressBook, AddContactLeavesAnExistingContactAsItIs)
{
    ASSERT_TRUE(WriteConfigFile("[Address Book]\nbob=2\t*!*@bob.sk\tkolega\t\n"));
    const std::string before = ReadConfigFile();
    UserMenu menu;
    menu.SetContext({kChannel, "#kanal", "BoB"});
    QSignalSpy contacts(&menu, &UserMenu::contactsChanged);
    QSignalSpy edits(&menu, &UserMenu::contactEditRequested);
    ClickItem(menu, UserMenu::AddContact);
    EXPECT_EQ(ReadConfigFile(), before);
    EXPECT_EQ(contacts.count(), 0);
    // The existing entry is opened for editing instead.
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits.front().front().toString(), "BoB");
}
