#include "DialogDriving.h"
#include "support/FakeShell.h"
#include "support/TestConfigDir.h"

#include "config/AddressBook.h"
#include "config/Config.h"
#include "text/Strings.h"
#include "dialogs/AddressBookDialog.h"
#include "dialogs/ContactDialog.h"
#include "dialogs/ReportList.h"
#include "session/ContactList.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace {

class AddressBookDialogTest : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        ASSERT_TRUE(WriteConfigFile("[Address Book]\nbob=1\t*!*@bob.sk\tkolega\t\n"));
        m_contacts.Set({});
    }

    ContactDialog *Add(AddressBookDialog &book)
    {
        QTest::mouseClick(book.AddButton(), Qt::LeftButton);
        return OpenChild<ContactDialog>(&book);
    }

    // The contact dialog of the first row.
    ContactDialog *EditFirst(AddressBookDialog &book)
    {
        book.List()->setCurrentItem(book.List()->topLevelItem(0));
        QTest::mouseClick(book.EditButton(), Qt::LeftButton);
        return OpenChild<ContactDialog>(&book);
    }

    FakeShell m_shell;
    ContactList m_contacts;
};

TEST_F(AddressBookDialogTest, AMixedCaseNickIsStoredAndListedLowerCased)
{
    AddressBookDialog book(m_shell, m_contacts);
    book.show();
    ASSERT_EQ(book.List()->topLevelItemCount(), 1);
    const QTreeWidgetItem *bob = book.List()->topLevelItem(0);
    EXPECT_EQ(bob->text(0), "bob");
    EXPECT_EQ(bob->text(1), "Stále ticho");
    EXPECT_EQ(bob->text(2), "*!*@bob.sk");
    EXPECT_EQ(bob->text(3), "kolega");
    EXPECT_EQ(book.List()->headerItem()->text(1), "Upozorniť");

    ContactDialog *edit = Add(book);
    ASSERT_TRUE(edit);
    ASSERT_EQ(edit->NotifyBox()->count(), 5);
    EXPECT_EQ(edit->NotifyBox()->itemText(4), "Len pri súkromnom a hlučne");
    edit->NickEdit()->setText("ZuZana");
    edit->AddressEdit()->setText("*!*@zuzka.sk");
    edit->DescriptionEdit()->setText("sestra");
    edit->NotifyBox()->setCurrentIndex(3);
    PressButton(edit, QDialogButtonBox::Ok);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_NE(ReadConfigFile().find("zuzana=3\t*!*@zuzka.sk\tsestra\t\n"), std::string::npos);
    ASSERT_EQ(book.List()->topLevelItemCount(), 2);
    EXPECT_EQ(book.List()->topLevelItem(1)->text(0), "zuzana");
    EXPECT_EQ(book.List()->topLevelItem(1)->text(1), "Len pri súkromnom a ticho");
}

TEST_F(AddressBookDialogTest, RenamingAContactReplacesItsEntry)
{
    AddressBookDialog book(m_shell, m_contacts);
    book.show();
    ContactDialog *edit = EditFirst(book);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->NickEdit()->text(), "bob");
    EXPECT_EQ(edit->NotifyBox()->currentIndex(), 1);
    EXPECT_EQ(edit->AddressEdit()->text(), "*!*@bob.sk");
    edit->NickEdit()->setText("Robert");
    QTest::keyClick(edit->DescriptionEdit(), Qt::Key_Return);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(AddressBook::Find("bob").nick, "");
    EXPECT_EQ(ReadString(AddressBook::kSection, "robert"), "1\t*!*@bob.sk\tkolega");
    ASSERT_EQ(book.List()->topLevelItemCount(), 1);
    EXPECT_EQ(book.List()->topLevelItem(0)->text(0), "robert");
}

TEST_F(AddressBookDialogTest, RenamingOntoAnotherContactAsksFirst)
{
    ASSERT_TRUE(WriteConfigFile("[Address Book]\nbob=1\t*!*@bob.sk\tkolega\t\nann=2\t*!*@ann.sk\tsused\t\n"));
    const std::string before = ReadConfigFile();
    AddressBookDialog book(m_shell, m_contacts);
    book.show();
    ContactDialog *edit = EditFirst(book);
    ASSERT_TRUE(edit);
    edit->NickEdit()->setText("ANN");
    m_shell.m_messageBoxAnswer = Shell::AnswerNo;
    PressButton(edit, QDialogButtonBox::Ok);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes.front(), Strings::Format(Str::ReplaceContact, "ANN"));
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(ReadConfigFile(), before);

    m_shell.m_messageBoxAnswer = Shell::AnswerYes;
    PressButton(edit, QDialogButtonBox::Ok);
    EXPECT_EQ(m_shell.m_messageBoxes.size(), 2u);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(AddressBook::Find("bob").nick, "");
    EXPECT_EQ(ReadString(AddressBook::kSection, "ann"), "1\t*!*@bob.sk\tkolega");

    // The contact's own name, in any case, asks nothing.
    edit = EditFirst(book);
    ASSERT_TRUE(edit);
    edit->NickEdit()->setText("Ann");
    PressButton(edit, QDialogButtonBox::Ok);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(m_shell.m_messageBoxes.size(), 2u);
}

TEST_F(AddressBookDialogTest, ValuesTheFileCannotHoldBeepAndWriteNothing)
{
    AddressBookDialog book(m_shell, m_contacts);
    book.show();
    ContactDialog *edit = Add(book);
    ASSERT_TRUE(edit);
    const std::string before = ReadConfigFile();
    struct Typed
    {
        const char *nick, *address, *description;
    };
    const Typed refused[] = {
        {"ann", "*!*@a.sk", ""},    {"an n", "*!*@a.sk", "x"},         {"a=nn", "*!*@a.sk", "x"},
        {"ann", "*!*@a\t.sk", "x"}, {"ann", "*!*@a.sk", "do\tvnutra"},
    };
    size_t beeps = 0;
    for (const Typed &typed : refused) {
        edit->NickEdit()->setText(QString::fromUtf8(typed.nick));
        edit->AddressEdit()->setText(QString::fromUtf8(typed.address));
        edit->DescriptionEdit()->setText(QString::fromUtf8(typed.description));
        PressButton(edit, QDialogButtonBox::Ok);
        EXPECT_TRUE(edit->isVisible()) << typed.nick << "|" << typed.address << "|" << typed.description;
        EXPECT_EQ(m_shell.m_beeps.size(), ++beeps);
    }
    EXPECT_EQ(ReadConfigFile(), before);
    // The beep puts the caret into the field at fault.
    EXPECT_EQ(edit->focusWidget(), edit->DescriptionEdit());
    PressButton(edit, QDialogButtonBox::Cancel);
    EXPECT_EQ(ReadConfigFile(), before);
    EXPECT_EQ(book.List()->topLevelItemCount(), 1);
}

TEST_F(AddressBookDialogTest, DeleteAndClosingReloadTheContactList)
{
    AddressBookDialog book(m_shell, m_contacts);
    book.show();
    ContactDialog *edit = Add(book);
    ASSERT_TRUE(edit);
    edit->NickEdit()->setText("Nova");
    edit->AddressEdit()->setText("*");
    edit->DescriptionEdit()->setText("*");
    PressButton(edit, QDialogButtonBox::Ok);
    book.List()->setCurrentItem(book.List()->topLevelItem(0));
    QTest::mouseClick(book.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(AddressBook::Find("bob").nick, "");
    EXPECT_FALSE(m_contacts.IsContact("nova")); // not before the book closes

    QTest::keyClick(book.List(), Qt::Key_Escape);
    EXPECT_FALSE(book.isVisible());
    EXPECT_TRUE(m_contacts.IsContact("NOVA"));
    EXPECT_FALSE(m_contacts.IsContact("bob"));
}

} // namespace
