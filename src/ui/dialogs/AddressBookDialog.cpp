#include "dialogs/AddressBookDialog.h"

#include "config/AddressBook.h"
#include "dialogs/ContactDialog.h"
#include "dialogs/ListDialogLayout.h"
#include "dialogs/ReportList.h"
#include "session/ContactList.h"
#include "widgets/Utf8Text.h"

#include <QDialogButtonBox>
#include <QPushButton>

AddressBookDialog::AddressBookDialog(Shell &shell, ContactList &contacts, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_contacts(contacts)
{
    setWindowTitle(FromStr(Str::AddressBookTitle));
    m_list = new ReportList({{Str::ContactNickColumn, 100},
                             {Str::ContactNotifyColumn, 150},
                             {Str::ContactAddressColumn, 100},
                             {Str::ContactDescriptionColumn, 35}},
                            this);
    m_add = new QPushButton(FromStr(Str::AddButton), this);
    m_edit = new QPushButton(FromStr(Str::EditButton), this);
    m_delete = new QPushButton(FromStr(Str::DeleteButton), this);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    LayOutListDialog(*this, nullptr, m_list, {m_add, m_edit, m_delete}, close);

    connect(m_add, &QPushButton::clicked, this, &AddressBookDialog::AddContact);
    connect(m_edit, &QPushButton::clicked, this, &AddressBookDialog::EditContact);
    connect(m_delete, &QPushButton::clicked, this, &AddressBookDialog::DeleteContact);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &AddressBookDialog::EditContact);
    connect(close, &QDialogButtonBox::rejected, this, &AddressBookDialog::reject);
    FillContacts();
    m_list->setFocus();
    resize(600, 320);
}

void AddressBookDialog::FillContacts()
{
    m_list->clear();
    for (const Contact &contact : AddressBook::Contacts()) {
        m_list->AddRow({FromUtf8(contact.nick), FromStr(AddressBook::NotifyText(contact.notify)),
                        FromUtf8(contact.address), FromUtf8(contact.description)},
                       contact.nick);
    }
    m_list->WidenColumnsToContents();
    m_list->SelectFirst();
}

void AddressBookDialog::OpenContactDialog(const Contact &contact)
{
    auto *dialog = new ContactDialog(m_shell, contact, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, &AddressBookDialog::FillContacts);
    dialog->open();
}

void AddressBookDialog::AddContact()
{
    OpenContactDialog(Contact());
}

void AddressBookDialog::EditContact()
{
    // The contact as the file has it: a row shows it, and is no record of it.
    const Contact contact = AddressBook::Find(m_list->SelectedKey());
    if (!contact.nick.empty())
        OpenContactDialog(contact);
}

void AddressBookDialog::DeleteContact()
{
    const std::string nick = m_list->SelectedKey();
    if (nick.empty())
        return;
    AddressBook::Remove(nick);
    FillContacts();
}

void AddressBookDialog::done(int result)
{
    m_contacts.Reload();
    QDialog::done(result);
}
