#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <vector>

#include "config/Config.h"
#include "conversation/NickList.h"
#include "nicklist/ChannelUsers.h"
#include "nicklist/ChannelUsersTip.h"
#include "nicklist/NickListModel.h"
#include "nicklist/UserMenu.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

namespace {

constexpr Conversation::WindowType kStatus = Conversation::TypeStatus;
constexpr Conversation::WindowType kChannel = Conversation::TypeChannel;
constexpr Conversation::WindowType kPrivate = Conversation::TypePrivate;

// Pops the menu up and clicks the item with the mouse, as the user would.
void ClickItem(CUserMenu &menu, CUserMenu::Item item)
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
    CUserMenu::Item item;
    const char *line;
};

class UserMenuLines : public testing::TestWithParam<LineCase>
{};

} // namespace

TEST_P(UserMenuLines, ChannelItemIssuesItsCommandLine)
{
    CUserMenu menu;
    menu.SetContext({kChannel, "#kanal", "bob"});
    QSignalSpy commands(&menu, &CUserMenu::commandRequested);
    ClickItem(menu, GetParam().item);
    EXPECT_EQ(Lines(commands), QStringList{QString::fromUtf8(GetParam().line)});
}

INSTANTIATE_TEST_SUITE_P(Items, UserMenuLines,
                         testing::Values(LineCase{CUserMenu::OpenQuery, "/query bob"},
                                         LineCase{CUserMenu::DccChat, "/dcc chat connect bob"},
                                         LineCase{CUserMenu::GiveOp, "/servermsg MODE #kanal +o bob"},
                                         LineCase{CUserMenu::TakeOp, "/servermsg MODE #kanal -o bob"},
                                         LineCase{CUserMenu::GiveVoice, "/servermsg MODE #kanal +v bob"},
                                         LineCase{CUserMenu::TakeVoice, "/servermsg MODE #kanal -v bob"},
                                         LineCase{CUserMenu::Kick, "/servermsg KICK #kanal bob"},
                                         LineCase{CUserMenu::Ban, "/who bob -ban #kanal"},
                                         LineCase{CUserMenu::BanKick, "/who bob -bankick #kanal"},
                                         LineCase{CUserMenu::Ignore, "/ignore add bob"}));

TEST(UserMenu, ItemsWithAReasonAskForItFirst)
{
    CUserMenu menu;
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
    QSignalSpy commands(&menu, &CUserMenu::commandRequested);

    ClickItem(menu, CUserMenu::KickWithReason);
    EXPECT_EQ(askedTitle, QString::fromUtf8("Vykopnutie užívateľa ..."));
    EXPECT_EQ(askedPrompt, QString::fromUtf8("Napíš dôvod prečo ho vykopneš"));
    ClickItem(menu, CUserMenu::BanKickWithReason);
    // A pasted line break in the reason stays on the one line.
    answer = "no\r\nflood";
    ClickItem(menu, CUserMenu::KickWithReason);
    accept = false;
    ClickItem(menu, CUserMenu::KickWithReason);

    EXPECT_EQ(Lines(commands),
              (QStringList{"/servermsg KICK #kanal bob :spam", "/who bob -bankick #kanal spam",
                           "/servermsg KICK #kanal bob :no  flood"}));
}

TEST(UserMenu, SendFileAsksForTheFile)
{
    CUserMenu menu;
    menu.SetContext({kPrivate, "bob", "bob"});
    QString chosen = "/tmp/my file.txt";
    menu.SetFileChooser([&] { return chosen; });
    QSignalSpy commands(&menu, &CUserMenu::commandRequested);

    ClickItem(menu, CUserMenu::SendFile);
    chosen.clear(); // cancelled
    ClickItem(menu, CUserMenu::SendFile);
    chosen = "/tmp/a\nb"; // no such file name can be sent safely
    ClickItem(menu, CUserMenu::SendFile);
    EXPECT_EQ(Lines(commands), QStringList{"/dcc send send bob /tmp/my file.txt"});
}

TEST(UserMenu, WhoIsAndPropertiesAskForTheUsersProperties)
{
    CUserMenu menu;
    menu.SetContext({kChannel, "#kanal", "bob"});
    QSignalSpy properties(&menu, &CUserMenu::propertiesRequested);
    QSignalSpy commands(&menu, &CUserMenu::commandRequested);
    ClickItem(menu, CUserMenu::WhoIs);
    ClickItem(menu, CUserMenu::Properties);
    EXPECT_EQ(Lines(properties), (QStringList{"bob", "bob"}));
    EXPECT_EQ(commands.count(), 0);
}

TEST(UserMenu, EnablingFollowsTheWindowType)
{
    CUserMenu menu;
    const auto enabled = [&] {
        std::vector<CUserMenu::Item> items;
        for (int i = 0; i < CUserMenu::ItemCount; ++i)
            if (menu.Action(static_cast<CUserMenu::Item>(i))->isEnabled())
                items.push_back(static_cast<CUserMenu::Item>(i));
        return items;
    };

    menu.SetContext({kChannel, "#kanal", "bob"});
    EXPECT_EQ(enabled().size(), static_cast<size_t>(CUserMenu::ItemCount));
    menu.SetContext({kChannel, "#kanal", ""});
    EXPECT_TRUE(enabled().empty());
    menu.SetContext({kPrivate, "bob", "bob"});
    EXPECT_EQ(enabled(),
              (std::vector<CUserMenu::Item>{CUserMenu::WhoIs, CUserMenu::Properties, CUserMenu::DccChat,
                                            CUserMenu::SendFile, CUserMenu::Ignore}));
    menu.SetContext({kStatus, "KRNL:1:host:6667", ""});
    EXPECT_TRUE(enabled().empty());
    menu.SetContext({kStatus, "KRNL:1:host:6667", "bob"});
    EXPECT_EQ(enabled(), std::vector<CUserMenu::Item>{CUserMenu::Properties});
}

TEST(UserMenu, DisabledItemsIssueNothingAndTheProviderIsAskedOnShow)
{
    CUserMenu menu;
    UserMenuContext current{kPrivate, "bob", "bob"};
    menu.SetContextProvider([&] { return current; });
    QSignalSpy commands(&menu, &CUserMenu::commandRequested);

    ClickItem(menu, CUserMenu::Kick); // disabled in a private window
    EXPECT_EQ(commands.count(), 0);

    current = {kChannel, "#iny", "amy"};
    ClickItem(menu, CUserMenu::Kick);
    EXPECT_EQ(Lines(commands), QStringList{"/servermsg KICK #iny amy"});
}

TEST(UserMenu, NamesThatWouldBreakTheLineIssueNothing)
{
    EXPECT_TRUE(CUserMenu::CommandLine(CUserMenu::OpenQuery, "#k", "bob\r\nQUIT").isEmpty());
    EXPECT_TRUE(CUserMenu::CommandLine(CUserMenu::Ignore, "#k", "two words").isEmpty());
    EXPECT_TRUE(CUserMenu::CommandLine(CUserMenu::Kick, "#k\n", "bob").isEmpty());
    EXPECT_TRUE(CUserMenu::CommandLine(CUserMenu::Kick, "#k", "").isEmpty());
    EXPECT_TRUE(CUserMenu::CommandLine(CUserMenu::KickWithReason, "#k", "bob", QString("a") + QChar(0)).isEmpty());
    // Placeholders in a nick are text, not further arguments.
    EXPECT_EQ(CUserMenu::CommandLine(CUserMenu::KickWithReason, "#k", "%1%2", "%3"), "/servermsg KICK #k %1%2 :%3");
}

class UserMenuAddressBook : public TestConfigDir
{};

TEST_F(UserMenuAddressBook, AddContactWritesTheEntryAndTheListShowsIt)
{
    CUserMenu menu;
    menu.SetContext({kChannel, "#kanal", "BoB"});
    QSignalSpy contacts(&menu, &CUserMenu::contactsChanged);
    ClickItem(menu, CUserMenu::AddContact);

    EXPECT_NE(ReadConfigFile().find("bob=3\t*\t*\t"), std::string::npos);
    EXPECT_EQ(RecordField(ReadString("Address Book", "bob"), 1, '\t'), "3");
    EXPECT_EQ(contacts.count(), 1);

    // The nick list's own address-book test sees the new contact.
    NickList list;
    list.AddNick("@BoB");
    CChannelUsers view;
    view.resize(160, 100);
    view.SetNickList(&list);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::mouseMove(view.viewport(), view.visualRect(view.Model()->index(0)).center());
    QApplication::processEvents();
    EXPECT_EQ(view.Tip()->Text(), QString::fromUtf8("Operátor\nPrítomný,\nKontakt"));
}
