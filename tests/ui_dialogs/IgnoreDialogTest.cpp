#include "SessionDialogFixture.h"
#include "support/RecordPrinters.h"

#include "dialogs/IgnoreEntryDialog.h"
#include "dialogs/IgnoreListDialog.h"
#include "dialogs/ReportList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>

namespace {

using IgnoreDialogTest = SessionDialogTest;

int RowOf(const ReportList *list, const QString &mask)
{
    for (int k = 0; k < list->topLevelItemCount(); ++k)
        if (list->topLevelItem(k)->text(0) == mask)
            return k;
    return -1;
}

TEST_F(IgnoreDialogTest, RowsNameTheIgnoredKindsAndFollowTheSessionsList)
{
    m_session->Ignores() = {{"Bad.Host", 6, 0, 1700000000}, {"all.sk", 0, 15, 1700000000}};
    IgnoreListDialog dialog(*m_table, m_session->Key());
    dialog.show();
    EXPECT_EQ(dialog.SessionBox()->currentText(), QString::fromStdString(m_session->HumanName()));
    EXPECT_EQ(dialog.RefreshTimer()->interval(), 1000);
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    const QTreeWidgetItem *first = dialog.List()->topLevelItem(0);
    EXPECT_EQ(first->text(0), "Bad.Host");
    EXPECT_EQ(first->text(1), "Súkromný text, Priame spojenia");
    EXPECT_EQ(first->text(2), "0");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}:\\d{1,2} \\(\\d{1,2}\\.\\d{1,2}\\.2023\\)$"))
                    .match(first->text(3))
                    .hasMatch())
        << first->text(3).toStdString();
    EXPECT_EQ(dialog.List()->topLevelItem(1)->text(1), "Všetko");
    EXPECT_EQ(dialog.List()->headerItem()->text(0), "Hosť ( Adresa )");

    // An entry made by "/ignore" elsewhere appears, one deleted there goes.
    m_session->Ignores().push_back({"new.sk", 1, 0, 1700000000});
    m_session->Ignores().erase(m_session->Ignores().begin());
    ASSERT_TRUE(WaitFor([&] { return RowOf(dialog.List(), "new.sk") >= 0 && RowOf(dialog.List(), "Bad.Host") < 0; }));
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 2);
}

TEST_F(IgnoreDialogTest, DeleteGivesTheSessionTheIgnoreCommand)
{
    m_session->Ignores() = {{"a.sk", 6, 0, 1700000000}, {"b.sk", 6, 0, 1700000000}};
    IgnoreListDialog dialog(*m_table, m_session->Key());
    dialog.show();
    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(1));
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(m_session->LastCommand(), "/ignore delete b.sk");
    EXPECT_EQ(m_session->Ignores(), (std::vector<IgnoreEntry>{{"a.sk", 6, 0, 1700000000}}));
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 1);
}

TEST_F(IgnoreDialogTest, ChangeRewritesTheEntryKeepingItsStartTime)
{
    m_session->Ignores() = {{"a.sk", 6, 0, 1700000000}, {"b.sk", 0, 0, 1700000000}};
    IgnoreListDialog dialog(*m_table, m_session->Key());
    dialog.show();
    QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
    auto *change = OpenChild<IgnoreEntryDialog>(&dialog);
    ASSERT_TRUE(change);
    EXPECT_FALSE(change->ChannelTextBox()->isChecked());
    EXPECT_TRUE(change->PrivateTextBox()->isChecked());
    EXPECT_TRUE(change->DirectBox()->isChecked());
    change->ChannelTextBox()->setChecked(true);
    change->DirectBox()->setChecked(false);
    change->MinutesBox()->setValue(30);
    PressButton(change, QDialogButtonBox::Ok);
    EXPECT_EQ(m_session->Ignores()[0], (IgnoreEntry{"a.sk", 3, 30, 1700000000}));
    // The changed entry keeps its place and its selection.
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(0), "a.sk");
    EXPECT_EQ(dialog.List()->SelectedKey(), "a.sk");
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(1), "Text, Súkromný text");
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(2), "30");

    // Cancel changes nothing.
    QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
    change = OpenChild<IgnoreEntryDialog>(&dialog);
    ASSERT_TRUE(change);
    change->MinutesBox()->setValue(5);
    QTest::keyClick(change->MinutesBox(), Qt::Key_Escape);
    EXPECT_EQ(m_session->Ignores()[0], (IgnoreEntry{"a.sk", 3, 30, 1700000000}));
}

} // namespace
