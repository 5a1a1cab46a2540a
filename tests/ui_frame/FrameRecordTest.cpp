// The saved record of "Window Data": read on creation, written on closing.
#include "FrameFixture.h"

#include <QTcpServer>

#include <algorithm>

#include "config/Config.h"
#include "dcc/DirectConnections.h"
#include "nicklist/NickListView.h"
#include "windows/ConversationToolBar.h"

TEST(WindowRecord, ParsesTheFullRecordWithItsToggleWords)
{
    const ChildWindow::Record record = ChildWindow::Record::Parse("True 10 20 600 400 150 False TRUE 0 1");
    EXPECT_FALSE(record.m_maximize); // "True" alone does not maximize
    EXPECT_TRUE(record.m_hasPosition);
    EXPECT_EQ(record.m_normal, QRect(10, 20, 600, 400));
    EXPECT_EQ(record.m_nickListWidth, 150);
    EXPECT_FALSE(record.m_timeStamps);
    EXPECT_TRUE(record.m_fullAddress);
    EXPECT_FALSE(record.m_smileys);
    EXPECT_TRUE(record.m_showAway);
    EXPECT_EQ(record.Format(false), "False 10 20 600 400 150 False True False True");
}

TEST(WindowRecord, ShortRecordsGiveTheDefaults)
{
    for (const char *value : {"", "1", "False 5 6 300 200", "False 5 6 300 200 150 False True False"}) {
        const ChildWindow::Record record = ChildWindow::Record::Parse(value);
        EXPECT_EQ(record.m_nickListWidth, ChildWindow::kAutoNickListWidth) << value;
        EXPECT_TRUE(record.m_timeStamps) << value;
        EXPECT_FALSE(record.m_fullAddress) << value;
        EXPECT_TRUE(record.m_smileys) << value;
        EXPECT_TRUE(record.m_showAway) << value;
    }
    EXPECT_TRUE(ChildWindow::Record::Parse("1").m_maximize);
    EXPECT_FALSE(ChildWindow::Record::Parse("1").m_hasPosition);
    EXPECT_EQ(ChildWindow::Record::Parse("False 5 6 300 200").m_normal, QRect(5, 6, 300, 200));
}

TEST_F(FrameTest, SavedRecordRestoresPlacementWidthAndToggles)
{
    ASSERT_TRUE(WriteString("Window Data", "Wnd_#chan", "True 10 20 600 400 150 False True False True"));
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);

    EXPECT_FALSE(frame->SubWindow()->isMaximized());
    EXPECT_EQ(frame->SubWindow()->geometry(), QRect(10, 20, 600, 400));
    EXPECT_EQ(frame->NickListWidth(), 150);
    EXPECT_EQ(frame->Users()->width(), 150);
    const Conversation::Toggles &toggles = channel->GetToggles();
    EXPECT_FALSE(toggles.timeStamps);
    EXPECT_TRUE(toggles.fullAddress);
    EXPECT_FALSE(toggles.smileys);
    EXPECT_TRUE(toggles.showAway);
    EXPECT_TRUE(toggles.autoScroll);
}

TEST_F(FrameTest, WindowIsMaximizedByARecordOfOneOrAMaximizedActiveChild)
{
    ASSERT_TRUE(WriteString("Window Data", "Wnd_#one", "1 10 20 600 400"));
    ConversationWindow *one = FrameOf(OpenWindow("#one", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(one->SubWindow()->isMaximized());

    ConversationWindow *two = FrameOf(
        OpenWindow("#two", Conversation::KindChannel, Conversation::TypeChannel)); // the active child is maximized
    ASSERT_NE(two, nullptr);
    EXPECT_TRUE(two->SubWindow()->isMaximized());
}

// A place saved in a larger main window, or on a larger screen.
TEST_F(FrameTest, ASavedPlaceBeyondTheAreaIsBroughtInside)
{
    const QRect area = m_area->viewport()->rect();
    ASSERT_TRUE(WriteString("Window Data", "Wnd_#far", "False 1500 900 600 400"));
    ASSERT_TRUE(WriteString("Window Data", "Wnd_#huge", "False -50 -40 2400 1600"));
    ConversationWindow *far = FrameOf(OpenWindow("#far", Conversation::KindChannel, Conversation::TypeChannel));
    ConversationWindow *huge = FrameOf(OpenWindow("#huge", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_TRUE(far && huge);
    EXPECT_EQ(far->SubWindow()->geometry(), QRect(area.width() - 600, area.height() - 400, 600, 400));
    EXPECT_EQ(huge->SubWindow()->geometry(), area);
    EXPECT_EQ(far->NormalGeometry(), far->SubWindow()->geometry());
}

TEST_F(FrameTest, ClosingWritesTheRecordAndZoomed)
{
    ASSERT_TRUE(WriteString("Window Data", "Wnd_#chan", "False 10 20 600 400 150 False True False True"));
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    QPointer<ConversationWindow> frame = FrameOf(channel);
    ASSERT_FALSE(frame.isNull());
    frame->SubWindow()->setGeometry(30, 40, 500, 300);
    frame->SetNickListWidth(120);
    frame->SetSmileys(true);
    WriteBool(kBaseSection, "Zoomed", true);

    frame->SubWindow()->close();
    ASSERT_TRUE(WaitFor([&] { return frame.isNull(); }));

    EXPECT_EQ(ReadString("Window Data", "Wnd_#chan"), "False 30 40 500 300 120 False True True True");
    EXPECT_EQ(ReadString(kBaseSection, "Zoomed"), "False");
}

TEST_F(FrameTest, MaximizedWindowKeepsItsNormalPlacementInTheRecord)
{
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    QPointer<ConversationWindow> frame = FrameOf(channel);
    ASSERT_FALSE(frame.isNull());
    frame->SubWindow()->setGeometry(30, 40, 500, 300);
    frame->SubWindow()->showMaximized();

    EXPECT_EQ(frame->SavedRecord(), "True 30 40 500 300 0 True False True True");
    frame->SubWindow()->close();
    ASSERT_TRUE(WaitFor([&] { return frame.isNull(); }));
    EXPECT_EQ(ReadString(kBaseSection, "Zoomed"), "True");
}

TEST_F(FrameTest, StatusWindowIsFiledUnderTheSessionsDisplayName)
{
    StartSession();
    ConversationWindow *status = FrameOf(m_session->ServerWindow());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->RecordKey(), "Wnd_" + m_session->HumanName());
    EXPECT_EQ(status->ButtonToolTip().toStdString(), m_session->HumanName());
    EXPECT_FALSE(status->Bar()->isVisible());
}

// A DCC chat window lasts one chat: its placement would only pile up in
// brimo.conf, one record per peer and port.
TEST_F(FrameTest, AClosedChatWindowLeavesNoRecordWhereAQueryKeepsItsOwn)
{
    StartSession();
    DirectConnections dcc(*m_table);
    m_shell.m_dcc = &dcc;
    QTcpServer peer;
    ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
    const std::string name = "*127.0.0.1:" + std::to_string(peer.serverPort());
    ASSERT_TRUE(WriteString("Window Data", "Wnd_" + name, "False 10 20 600 400")); // left by an earlier version
    ASSERT_EQ(m_session->Command("", 0, "/dcc chat connect 127.0.0.1 " + std::to_string(peer.serverPort())), 1);
    QPointer<ConversationWindow> chat = FrameOf(m_session->FindWindow(name));
    ASSERT_FALSE(chat.isNull());
    ASSERT_TRUE(WaitFor([&] { return peer.hasPendingConnections(); }));
    QPointer<ConversationWindow> query = FrameOf(OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate));
    ASSERT_FALSE(query.isNull());

    chat->SubWindow()->setGeometry(30, 40, 500, 300);
    chat->SubWindow()->close();
    query->SubWindow()->close();
    ASSERT_TRUE(WaitFor([&] { return chat.isNull() && query.isNull(); }));

    std::vector<std::string> keys;
    ReadSectionKeys("Window Data", keys);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "Wnd_" + name), 0);
    EXPECT_EQ(ReadString("Window Data", "Wnd_" + name), "");
    EXPECT_NE(ReadString("Window Data", "Wnd_bob"), "");
    m_shell.m_dcc = nullptr;
}
