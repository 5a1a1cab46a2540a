#include "dialogs/ContactDialog.h"

#include "config/Config.h"
#include "conversation/Shell.h"
#include "text/CaseFold.h"
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

QLineEdit *ContactDialog::FieldAtFault(const Contact &contact, Refusal &reason) const
{
    if ((reason = AddressBook::CheckNick(contact.nick)))
        return m_nick;
    if ((reason = AddressBook::CheckField(contact.address)))
        return m_address;
    if ((reason = AddressBook::CheckField(contact.description)))
        return m_description;
    return nullptr;
}

bool ContactDialog::MayTakeNick(const std::string &nick)
{
    if (EqualIgnoringCase(nick, m_oldNick) || !AddressBook::Contains(nick))
        return true;
    return m_shell.MessageBox(Strings::Format(Str::ReplaceContact, nick.c_str()), std::string(), Shell::ButtonsYesNo)
        == Shell::AnswerYes;
}

void ContactDialog::accept()
{
    const Contact contact = Typed();
    Refusal reason;
    if (QLineEdit *field = FieldAtFault(contact, reason)) {
        m_shell.Beep(0);
        m_shell.MessageBox(Strings::Get(*reason), std::string(), Shell::ButtonsOk);
        field->setFocus();
        field->selectAll();
        return;
    }
    if (!MayTakeNick(contact.nick)) {
        m_nick->setFocus();
        return;
    }
    const ConfigFailureToldByCaller toldHere;
    if (!AddressBook::Write(contact, m_oldNick)) {
        m_shell.MessageBox(Strings::Format(Str::ContactNotWritten, ConfigFilePath().c_str()), std::string(),
                           Shell::ButtonsOk);
        return;
    }
    QDialog::accept();
}
