#include "dialogs/ContactDialog.h"

#include "conversation/Shell.h"
#include "widgets/Utf8Text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

ContactDialog::ContactDialog(Shell &shell, const Contact &contact, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_oldNick(contact.nick)
{
    setWindowTitle(FromStr(Str::ContactTitle));
    m_nick = new QLineEdit(FromUtf8(contact.nick), this);
    m_address = new QLineEdit(FromUtf8(contact.address), this);
    m_description = new QLineEdit(FromUtf8(contact.description), this);
    m_notify = new QComboBox(this);
    for (int mode = 0; mode < AddressBook::kNotifyModes; ++mode)
        m_notify->addItem(FromStr(AddressBook::NotifyText(mode)), mode);
    m_notify->setCurrentIndex(contact.notify >= 0 && contact.notify < AddressBook::kNotifyModes ? contact.notify : 0);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ContactDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ContactDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(FromStr(Str::ContactNickLabel), m_nick);
    form->addRow(FromStr(Str::ContactAddressLabel), m_address);
    form->addRow(FromStr(Str::ContactDescriptionLabel), m_description);
    form->addRow(FromStr(Str::ContactNotifyLabel), m_notify);
    form->addRow(buttons);
    m_nick->setFocus();
    setMinimumWidth(380);
}

Contact ContactDialog::Typed() const
{
    Contact contact;
    contact.nick = m_nick->text().trimmed().toStdString();
    contact.address = m_address->text().trimmed().toStdString();
    contact.description = m_description->text().trimmed().toStdString();
    contact.notify = m_notify->currentData().toInt();
    return contact;
}

QLineEdit *ContactDialog::FirstUnstorableField(const Contact &contact) const
{
    // Each field checked alone, the others filled with a harmless value.
    const Contact fine{"x", contact.notify, "x", "x"};
    Contact probe = fine;
    probe.nick = contact.nick;
    if (!AddressBook::CanStore(probe))
        return m_nick;
    probe = fine;
    probe.address = contact.address;
    if (!AddressBook::CanStore(probe))
        return m_address;
    return m_description;
}

void ContactDialog::accept()
{
    const Contact contact = Typed();
    if (!AddressBook::CanStore(contact) || !AddressBook::Write(contact, m_oldNick)) {
        m_shell.Beep(0);
        QLineEdit *field = FirstUnstorableField(contact);
        field->setFocus();
        field->selectAll();
        return;
    }
    QDialog::accept();
}
