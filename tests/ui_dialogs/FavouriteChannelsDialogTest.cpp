#include "DialogDriving.h"
#include "support/FakeShell.h"
#include "support/TestConfigDir.h"

#include "config/Config.h"
#include "dialogs/FavouriteChannelDialog.h"
#include "dialogs/FavouriteChannelsDialog.h"
#include "dialogs/ReportList.h"
#include "text/Strings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

class FavouriteChannelsDialogTest : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        ASSERT_TRUE(WriteConfigFile("[Base]\nDefault Server=Beta\n"
                                    "[Servers]\nAlfa=irc.alfa.sk 6667 1\nBeta=irc.beta.sk 6667 0\n"
                                    "[Channels Group Alfa]\n#a=#a 1\n#b=#b 0\n"
                                    "[Channels Group Beta]\n#x=#x 1\n"
                                    "[Passwords]\nAlfa - #b=stary\n"));
    }

    static QStringList Rows(const ReportList *list)
    {
        QStringList rows;
        for (int k = 0; k < list->topLevelItemCount(); ++k)
            rows << list->topLevelItem(k)->text(0);
        return rows;
    }

    FakeShell m_shell;
};

TEST_F(FavouriteChannelsDialogTest, ShowsTheDefaultServersChannelsAndFollowsTheServerChoice)
{
    FavouriteChannelsDialog dialog(m_shell);
    dialog.show();
    EXPECT_EQ(dialog.ServerBox()->currentText(), "Beta");
    EXPECT_EQ(Rows(dialog.List()), QStringList{"#x"});
    EXPECT_EQ(dialog.List()->headerItem()->text(0), "Názov ( Meno )");
    dialog.ServerBox()->setCurrentText("Alfa");
    EXPECT_EQ(Rows(dialog.List()), (QStringList{"#a", "#b"}));
    EXPECT_EQ(dialog.List()->SelectedKey(), "#a");

    FavouriteChannelsDialog preselected(m_shell, "Alfa");
    EXPECT_EQ(preselected.ServerBox()->currentText(), "Alfa");
}

TEST_F(FavouriteChannelsDialogTest, ARenamedChannelReplacesItsOldLineAndTheKeyGoesUnderTheNewName)
{
    FavouriteChannelsDialog dialog(m_shell, "Alfa");
    dialog.show();
    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(1));
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    auto *edit = OpenChild<FavouriteChannelDialog>(&dialog);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->NameEdit()->text(), "#b");
    EXPECT_FALSE(edit->AutoJoinBox()->isChecked());
    EXPECT_EQ(edit->KeyEdit()->text(), "stary");
    EXPECT_EQ(edit->focusWidget(), edit->NameEdit());

    edit->NameEdit()->setText("#novy");
    edit->AutoJoinBox()->setChecked(true);
    edit->KeyEdit()->setText("heslo");
    QTest::keyClick(edit->NameEdit(), Qt::Key_Return); // Enter is OK
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(ReadString("Channels Group Alfa", "#b"), "");
    EXPECT_EQ(ReadString("Channels Group Alfa", "#novy"), "#novy 1");
    EXPECT_EQ(ReadPassword("Alfa - #novy"), "heslo");
    EXPECT_EQ(ReadPassword("Alfa - #b"), "stary");
    EXPECT_EQ(Rows(dialog.List()), (QStringList{"#a", "#novy"}));
}

TEST_F(FavouriteChannelsDialogTest, NamesTheFileCannotHoldBeepAndKeepTheDialogOpen)
{
    FavouriteChannelsDialog dialog(m_shell, "Beta");
    dialog.show();
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    auto *add = OpenChild<FavouriteChannelDialog>(&dialog);
    ASSERT_TRUE(add);
    EXPECT_EQ(add->ServerBox()->currentText(), "Beta");
    const std::string before = ReadConfigFile();
    int beeps = 0;
    for (const char *name : {"", "#a=b", "#dva slova"}) {
        add->NameEdit()->setText(QString::fromUtf8(name));
        add->KeyEdit()->setFocus();
        PressButton(add, QDialogButtonBox::Ok);
        EXPECT_TRUE(add->isVisible()) << name;
        EXPECT_EQ(m_shell.m_beeps.size(), size_t(++beeps)) << name;
        EXPECT_EQ(add->focusWidget(), add->NameEdit());
    }
    EXPECT_EQ(ReadConfigFile(), before);

    // Esc leaves without writing; a good name is then added.
    QTest::keyClick(add->NameEdit(), Qt::Key_Escape);
    EXPECT_FALSE(add->isVisible());
    EXPECT_EQ(ReadConfigFile(), before);
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    add = OpenChild<FavouriteChannelDialog>(&dialog);
    ASSERT_TRUE(add);
    add->NameEdit()->setText("#pridany");
    PressButton(add, QDialogButtonBox::Ok);
    EXPECT_EQ(ReadString("Channels Group Beta", "#pridany"), "#pridany 0");
    EXPECT_EQ(Rows(dialog.List()), (QStringList{"#x", "#pridany"}));
}

TEST_F(FavouriteChannelsDialogTest, DeleteRemovesTheLineAtOnceAndBeepsWithoutASelection)
{
    FavouriteChannelsDialog dialog(m_shell, "Alfa");
    dialog.show();
    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(1));
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(ReadString("Channels Group Alfa", "#b"), "");
    EXPECT_EQ(ReadPassword("Alfa - #b"), "stary");
    EXPECT_EQ(Rows(dialog.List()), QStringList{"#a"});

    dialog.List()->clearSelection();
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    EXPECT_EQ(m_shell.m_beeps.size(), 2u);
    EXPECT_FALSE(OpenChild<FavouriteChannelDialog>(&dialog));
    EXPECT_EQ(Rows(dialog.List()), QStringList{"#a"});
}

} // namespace

TEST_F(FavouriteChannelsDialogTest, RenamingOntoAnotherFavouriteAsksFirst)
{
    const std::string before = ReadConfigFile();
    FavouriteChannelsDialog dialog(m_shell, "Alfa");
    dialog.show();
    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(1));
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    auto *edit = OpenChild<FavouriteChannelDialog>(&dialog);
    ASSERT_TRUE(edit);
    edit->NameEdit()->setText("#A");
    m_shell.m_messageBoxAnswer = Shell::AnswerNo;
    PressButton(edit, QDialogButtonBox::Ok);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes.front(), Strings::Format(Str::ReplaceFavouriteChannel, "#A"));
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(ReadConfigFile(), before);

    m_shell.m_messageBoxAnswer = Shell::AnswerYes;
    PressButton(edit, QDialogButtonBox::Ok);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(Rows(dialog.List()), QStringList{"#A"});
    EXPECT_EQ(ReadString("Channels Group Alfa", "#a"), "#A 0");
    EXPECT_EQ(ReadPassword("Alfa - #A"), "stary");

    // A new channel of a name already there asks too.
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    edit = OpenChild<FavouriteChannelDialog>(&dialog);
    ASSERT_TRUE(edit);
    edit->NameEdit()->setText("#a");
    m_shell.m_messageBoxAnswer = Shell::AnswerNo;
    PressButton(edit, QDialogButtonBox::Ok);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 3u);
    EXPECT_EQ(m_shell.m_messageBoxes.back(), Strings::Format(Str::ReplaceFavouriteChannel, "#a"));
    EXPECT_TRUE(edit->isVisible());
}
