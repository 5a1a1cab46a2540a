// The properties sheets of channels and users: opening, focusing, the WHOIS
// and CTCP replies that fill them, and the requests their buttons send.
#include "PropertiesFixture.h"

#include "conversation/NickList.h"
#include "dialogs/ChannelPropertiesPage.h"
#include "dialogs/UserPropertiesPage.h"
#include "dialogs/UserAdvancedPropertiesPage.h"
#include "nicklist/UserMenu.h"
#include "view/TextView.h"
#include "windows/ConversationMenu.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <ctime>

namespace {

void DoubleClick(ConversationWindow *frame)
{
    QWidget *viewport = frame->View()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, viewport->rect().center());
}

int Occurrences(const std::vector<std::string> &nicks, const std::string &nick)
{
    return static_cast<int>(std::count(nicks.begin(), nicks.end(), nick));
}

} // namespace

TEST_F(PropertiesTest, DoubleClickInChannelOpensItsSheetWithTopicAndCount)
{
    ConversationWindow *frame = OpenFrame("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ASSERT_NE(frame, nullptr);
    Conversation *channel = m_session->FindWindow("#chan");
    channel->SetTopic("Vitajte na kanali");
    channel->Nicks().AddNick("@alice");
    channel->Nicks().AddNick("bob");
    channel->Nicks().AddNick("+carol");

    DoubleClick(frame);

    PropertySheet *sheet = PropertySheet::Find(m_session->Key(), "#CHAN");
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(sheet->isModal());
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("#chan - Vlastnosti"));
    EXPECT_EQ(sheet->parentWidget(), m_area.get());
    ASSERT_NE(sheet->ChannelPage(), nullptr);
    EXPECT_EQ(sheet->UserPage(), nullptr);
    EXPECT_EQ(sheet->Tabs()->count(), 1);
    EXPECT_EQ(sheet->ChannelPage()->Channel(), "#chan");
    EXPECT_EQ(sheet->ChannelPage()->TopicText(), QStringLiteral("Vitajte na kanali"));
    EXPECT_EQ(sheet->ChannelPage()->CountText(), QStringLiteral("3"));
    // A channel sheet takes no replies and asks the server nothing.
    EXPECT_TRUE(m_session->PropertySheetNicks().empty());
    EXPECT_FALSE(m_server.WaitForLineStartingWith("WHOIS", 300));
}

TEST_F(PropertiesTest, SecondOpenFocusesTheSheetAlreadyOpen)
{
    Register();
    ConversationWindow *frame = OpenFrame("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ASSERT_NE(frame, nullptr);
    DoubleClick(frame);
    PropertySheet *first = PropertySheet::Find(m_session->Key(), "#chan");
    ASSERT_NE(first, nullptr);
    emit frame->Menu()->propertiesRequested();
    PropertySheet::OpenProperties(*m_session, "#Chan", m_area.get());
    EXPECT_EQ(PropertySheet::Find(m_session->Key(), "#chan"), first);

    emit frame->NickMenu()->propertiesRequested(QStringLiteral("Alice"));
    emit frame->NickMenu()->propertiesRequested(QStringLiteral("alice"));
    EXPECT_EQ(SheetCount(), 2);
    EXPECT_EQ(Occurrences(m_session->PropertySheetNicks(), "Alice"), 1);
    ASSERT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "WHOIS Alice"; }));
    EXPECT_FALSE(m_server.WaitForLineStartingWith("WHOIS", 300));

    // Another session's sheet of the same name is a sheet of its own.
    EXPECT_EQ(PropertySheet::Find("other-key", "alice"), nullptr);
    EXPECT_EQ(PropertySheet::OpenProperties(*m_session, "", m_area.get()), nullptr);
    EXPECT_EQ(SheetCount(), 2);
}

TEST_F(PropertiesTest, UserSheetAsksWhoisAndTheRepliesFillIt)
{
    Register();
    ConversationWindow *frame = OpenFrame("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ASSERT_NE(frame, nullptr);
    emit frame->NickMenu()->propertiesRequested(QStringLiteral("alice"));
    PropertySheet *sheet = PropertySheet::Find(m_session->Key(), "alice");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("alice - Vlastnosti"));
    ASSERT_NE(sheet->UserPage(), nullptr);
    ASSERT_NE(sheet->AdvancedPage(), nullptr);
    EXPECT_EQ(sheet->Tabs()->count(), 2);
    EXPECT_EQ(m_session->PropertySheetNicks(), std::vector<std::string>{"alice"});
    ASSERT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "WHOIS alice"; }));

    const std::string me = m_session->Nick();
    m_server.SendLine(":irc.test 311 " + me + " alice ~al host.example * :Alica Mala");
    m_server.SendLine(":irc.test 312 " + me + " alice irc.test :Testovaci server");
    m_server.SendLine(":irc.test 319 " + me + " alice :@#chan #iny");
    m_server.SendLine(":irc.test 301 " + me + " alice :som na obede");
    m_server.SendLine(":alice!~al@host.example NOTICE " + me + " :\x01VERSION Klient\x02 2.0\x01");
    UserPropertiesPage *user = sheet->UserPage();
    UserAdvancedPropertiesPage *advanced = sheet->AdvancedPage();
    ASSERT_TRUE(WaitFor([&] { return !advanced->VersionText().isEmpty(); }));
    EXPECT_EQ(user->AddressText(), QStringLiteral("host.example"));
    EXPECT_EQ(user->FullNameText(), QStringLiteral("Alica Mala"));
    EXPECT_EQ(user->ServerText(), QStringLiteral("irc.test :Testovaci server"));
    EXPECT_EQ(user->ChannelsText(), QStringLiteral("@#chan #iny"));
    EXPECT_EQ(user->AwayText(), QStringLiteral("som na obede"));
    EXPECT_EQ(advanced->VersionText(), QStringLiteral("Klient 2.0"));

    m_server.SendLine(":alice!~al@host.example NOTICE " + me + " :\x01TIME Po jan 1 12:00:00 2024\x01");
    ASSERT_TRUE(WaitFor([&] { return !advanced->TimeText().isEmpty(); }));
    EXPECT_EQ(advanced->TimeText(), QStringLiteral("Po jan 1 12:00:00 2024"));
    m_server.SendLine(":alice!~al@host.example NOTICE " + me + " :\x01PING "
                      + std::to_string(static_cast<long long>(std::time(nullptr))) + "\x01");
    ASSERT_TRUE(WaitFor([&] { return !advanced->SpeedText().isEmpty(); }));
    EXPECT_TRUE(advanced->SpeedText().startsWith(QStringLiteral("Rýchlosť spojenia z alice je ")));
}

// The server writes a nick as its user chose it: a sheet opened for
// "alice" is filled by replies about "Alice"; replies about others leave it
// alone.
TEST_F(PropertiesTest, RepliesAboutItsNickInAnyCaseFillItAndOthersLeaveItAlone)
{
    Register();
    PropertySheet *sheet = PropertySheet::OpenProperties(*m_session, "alice", m_area.get());
    ASSERT_NE(sheet, nullptr);
    const std::string me = m_session->Nick();
    m_server.SendLine(":irc.test 311 " + me + " Alice ~x other.example * :Ina Alica");
    m_server.SendLine(":bob!~b@b.example NOTICE " + me + " :\x01VERSION Iny\x01");
    m_server.SendLine(":irc.test 312 " + me + " ALICE irc.test :koniec");
    ASSERT_TRUE(WaitFor([&] { return !sheet->UserPage()->ServerText().isEmpty(); }));
    EXPECT_EQ(sheet->UserPage()->AddressText(), QStringLiteral("other.example"));
    EXPECT_TRUE(sheet->AdvancedPage()->VersionText().isEmpty());
}

TEST_F(PropertiesTest, ButtonsSendTheirRequestsToTheUser)
{
    Register();
    PropertySheet *sheet = PropertySheet::OpenProperties(*m_session, "alice", m_area.get());
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(m_server.WaitForLineStartingWith("WHOIS alice"));
    UserAdvancedPropertiesPage *advanced = sheet->AdvancedPage();
    sheet->Tabs()->setCurrentWidget(advanced);

    QTest::mouseClick(advanced->VersionButton(), Qt::LeftButton);
    ASSERT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "PRIVMSG alice :\x01VERSION\x01"; }));
    QTest::mouseClick(advanced->TimeButton(), Qt::LeftButton);
    ASSERT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "PRIVMSG alice :\x01TIME\x01"; }));
    const long long before = static_cast<long long>(std::time(nullptr));
    QTest::mouseClick(advanced->PingButton(), Qt::LeftButton);
    std::string ping;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG alice :\x01PING ", 10000, &ping));
    const long long after = static_cast<long long>(std::time(nullptr));
    ASSERT_EQ(ping.back(), '\x01');
    const std::string seconds = ping.substr(std::string("PRIVMSG alice :\x01PING ").size());
    const long long sent = std::atoll(seconds.c_str());
    EXPECT_GE(sent, before);
    EXPECT_LE(sent, after);
    EXPECT_EQ(seconds, std::to_string(sent) + "\x01");
}

TEST_F(PropertiesTest, ClosingAUserSheetStopsItsReplies)
{
    Register();
    PropertySheet *sheet = PropertySheet::OpenProperties(*m_session, "alice", m_area.get());
    ASSERT_NE(sheet, nullptr);
    QPointer<PropertySheet> closed(sheet);
    sheet->close();
    EXPECT_TRUE(m_session->PropertySheetNicks().empty());
    EXPECT_EQ(PropertySheet::Find(m_session->Key(), "alice"), nullptr);
    EXPECT_FALSE(PropertySheet::RouteUserLine(m_session->Key(), "alice", ":irc.test 312 me alice srv :x"));
    ASSERT_TRUE(WaitFor([&] { return closed.isNull(); }));

    // Opening again makes a new sheet and asks again.
    ASSERT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "WHOIS alice"; }));
    ASSERT_NE(PropertySheet::OpenProperties(*m_session, "alice", m_area.get()), nullptr);
    EXPECT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "WHOIS alice"; }));
    EXPECT_EQ(m_session->PropertySheetNicks(), std::vector<std::string>{"alice"});
}

TEST_F(PropertiesTest, PrivateWindowOpensTheSheetOfItsUser)
{
    Register();
    ConversationWindow *query = OpenFrame("bob", Conversation::KindText, Conversation::TypePrivate);
    ASSERT_NE(query, nullptr);
    DoubleClick(query);
    PropertySheet *sheet = PropertySheet::Find(m_session->Key(), "bob");
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->IsUserSheet());
    EXPECT_EQ(sheet->ChannelPage(), nullptr);
    EXPECT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "WHOIS bob"; }));
}

TEST_F(PropertiesTest, ButtonsOfASheetWhoseSessionIsGoneSendNothing)
{
    Register();
    PropertySheet *sheet = PropertySheet::OpenProperties(*m_session, "alice", m_area.get());
    ASSERT_NE(sheet, nullptr);
    const std::string key = m_session->Key();
    ASSERT_TRUE(m_table->CloseSession(key));
    m_session = nullptr;
    QTest::mouseClick(sheet->AdvancedPage()->VersionButton(), Qt::LeftButton);
    EXPECT_FALSE(m_server.WaitForLineStartingWith("PRIVMSG", 300));
}
