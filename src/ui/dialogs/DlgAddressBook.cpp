#include "dialogs/DlgAddressBook.h"

#include "config/AddressBook.h"
#include "dialogs/DlgAddressEdit.h"
#include "dialogs/ListDialogLayout.h"
#include "dialogs/ReportList.h"
#include "session/ContactList.h"
#include "widgets/Utf8Text.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace {

constexpr int kNotifyRole = Qt::UserRole + 2;

} // namespace

CDlgAddressBook::CDlgAddressBook(Shell &shell, ContactList &contacts, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_contacts(contacts)
{
    setWindowTitle(FromStr(Str::AddressBookTitle));
    m_list = new CReportList({{Str::ContactNickColumn, 100},
                              {Str::ContactNotifyColumn, 150},
                              {Str::ContactAddressColumn, 100},
                              {Str::ContactDescriptionColumn, 35}},
                             this);
    m_add = new QPushButton(FromStr(Str::AddButton), this);
    m_edit = new QPushButton(FromStr(Str::EditButton), this);
    m_delete = new QPushButton(FromStr(Str::DeleteButton), this);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    LayOutListDialog(*this, nullptr, m_list, {m_add, m_edit, m_delete}, close);

    connect(m_add, &QPushButton::clicked, this, &CDlgAddressBook::AddContact);
    connect(m_edit, &QPushButton::clicked, this, &CDlgAddressBook::EditContact);
    connect(m_delete, &QPushButton::clicked, this, &CDlgAddressBook::DeleteContact);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CDlgAddressBook::EditContact);
    connect(close, &QDialogButtonBox::rejected, this, &CDlgAddressBook::reject);
    FillContacts();
    m_list->setFocus();
    resize(600, 320);
}

void CDlgAddressBook::FillContacts()
{
    m_list->clear();
    for (const Contact &contact : AddressBook::Contacts()) {
        QTreeWidgetItem *row = m_list->AddRow({FromUtf8(contact.nick), FromStr(AddressBook::NotifyText(contact.notify)),
                                               FromUtf8(contact.address), FromUtf8(contact.description)},
                                              contact.nick);
        row->setData(0, kNotifyRole, contact.notify);
    }
    m_list->WidenColumnsToContents();
    m_list->SelectFirst();
}

void CDlgAddressBook::OpenContactDialog(const Contact &contact)
{
    auto *dialog = new CDlgAddressEdit(m_shell, contact, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, &CDlgAddressBook::FillContacts);
    dialog->open();
}

void CDlgAddressBook::AddContact()
{
    OpenContactDialog(Contact());
}

void CDlgAddressBook::EditContact()
{
    const QTreeWidgetItem *row = m_list->SelectedRow();
    if (!row)
        return;
    Contact contact;
    contact.nick = CReportList::Record(row);
    contact.notify = row->data(0, kNotifyRole).toInt();
    contact.address = row->text(2).toStdString();
    contact.description = row->text(3).toStdString();
    OpenContactDialog(contact);
}

void CDlgAddressBook::DeleteContact()
{
    const std::string nick = m_list->SelectedRecord();
    if (nick.empty())
        return;
    AddressBook::Remove(nick);
    FillContacts();
}

void CDlgAddressBook::done(int result)
{
    m_contacts.Reload();
    QDialog::done(result);
}
