#include "SessionDialogFixture.h"
#include "support/RecordPrinters.h"

#include "conversation/Conversation.h"
#include "dialogs/BanExpiryDialog.h"
#include "dialogs/BanListDialog.h"
#include "dialogs/ReportList.h"

#include <QSpinBox>
#include <QTimer>

namespace {

class ChannelBanDialogTest : public SessionDialogTest
{
protected:
    void SetUp() override
    {
        SessionDialogTest::SetUp();
        m_room = m_session->OpenWindow("#room", Conversation::KindChannel, Conversation::TypeChannel);
        ASSERT_TRUE(m_room);
    }

    Conversation *m_room = nullptr;
};

TEST_F(ChannelBanDialogTest, RowsShowTheBanWithItsTimeAndDuration)
{
    m_session->DispatchServerLine(":srv 367 me #room *!*@zly.sk op 1700000000");
    // A time far past any calendar still shows as a date.
    m_session->DispatchServerLine(":srv 367 me #room *!*@far.sk op 99999999999999999999999999");
    BanListDialog dialog(*m_table, m_session->Key(), "#room");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Zakázaní užívatelia na kanáli #room");
    EXPECT_EQ(dialog.RefreshTimer()->interval(), 1000);
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    const QTreeWidgetItem *ban = dialog.List()->topLevelItem(0);
    EXPECT_EQ(ban->text(0), "*!*@zly.sk");
    EXPECT_EQ(ban->text(1), "op");
    EXPECT_TRUE(ban->text(2).endsWith(".2023)")) << ban->text(2).toStdString();
    EXPECT_EQ(ban->text(3), "Vždy");
    EXPECT_FALSE(dialog.List()->topLevelItem(1)->text(2).isEmpty());
    EXPECT_EQ(dialog.List()->headerItem()->text(3), "Ako dlho");

    // A ban set while the dialog is open joins the list.
    m_server.SendLine(":op!u@h MODE #room +b *!*@novy.sk");
    ASSERT_TRUE(WaitFor([&] { return dialog.List()->topLevelItemCount() == 3; }));
    EXPECT_EQ(dialog.List()->topLevelItem(2)->text(0), "*!*@novy.sk");
}

TEST_F(ChannelBanDialogTest, ChangeGivesTheBanADurationThatTheTickLifts)
{
    m_session->DispatchServerLine(":srv 367 me #room *!*@zly.sk op 1700000000");
    BanListDialog dialog(*m_table, m_session->Key(), "#room");
    dialog.show();
    QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
    auto *change = OpenChild<BanExpiryDialog>(&dialog);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->MinutesBox()->value(), 0);
    change->MinutesBox()->setValue(15);
    PressButton(change, QDialogButtonBox::Ok);
    EXPECT_EQ(m_room->Channel().BanList(), (std::vector<BanEntry>{{"*!*@zly.sk", "op", 1700000000, 15}}));
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(3), "15 (minút)");

    // Set in 2023 for 15 minutes: the next tick lifts it.
    m_session->Command(m_session->Key(), 0, "/timer 0");
    EXPECT_TRUE(ServerReceives("MODE #room -b *!*@zly.sk"));
    EXPECT_TRUE(m_room->Channel().BanList().empty());
    ASSERT_TRUE(WaitFor([&] { return dialog.List()->topLevelItemCount() == 0; }));
}

TEST_F(ChannelBanDialogTest, RemoveAsksTheServerToLiftTheBan)
{
    m_session->DispatchServerLine(":srv 367 me #room *!*@a.sk op 1700000000");
    m_session->DispatchServerLine(":srv 367 me #room *!*@b.sk op 1700000000");
    BanListDialog dialog(*m_table, m_session->Key(), "#room");
    dialog.show();
    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(1));
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    EXPECT_TRUE(ServerReceives("MODE #room -b *!*@b.sk"));

    // Once the session is gone the buttons do nothing.
    const std::string key = m_session->Key();
    m_table->CloseSession(key);
    dialog.Refresh();
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 0);
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
    EXPECT_FALSE(OpenChild<BanExpiryDialog>(&dialog));
}

TEST_F(ChannelBanDialogTest, AMaskOfSlovakLettersAndABanWithoutSetterAreActedOnWhole)
{
    m_session->DispatchServerLine(":srv 367 me #room *!~ján@*.košice.sk");
    m_session->DispatchServerLine(":srv 367 me #room nick!*@* op 1700000000");
    BanListDialog dialog(*m_table, m_session->Key(), "#room");
    dialog.show();
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    const QTreeWidgetItem *first = dialog.List()->topLevelItem(0);
    EXPECT_EQ(first->text(0), "*!~ján@*.košice.sk");
    EXPECT_EQ(first->text(1), "");

    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(0));
    QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
    auto *change = OpenChild<BanExpiryDialog>(&dialog);
    ASSERT_TRUE(change);
    change->MinutesBox()->setValue(20);
    PressButton(change, QDialogButtonBox::Ok);
    EXPECT_EQ(m_room->Channel().BanList(),
              (std::vector<BanEntry>{{"*!~ján@*.košice.sk", "", 0, 20}, {"nick!*@*", "op", 1700000000, 0}}));
    // The changed ban stays selected; removing it names its whole mask.
    EXPECT_EQ(dialog.List()->SelectedKey(), "*!~ján@*.košice.sk");
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(3), "20 (minút)");
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    EXPECT_TRUE(ServerReceives("MODE #room -b *!~ján@*.košice.sk"));
}

} // namespace
