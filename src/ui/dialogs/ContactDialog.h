#pragma once

#include "config/AddressBook.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class Shell;

// One contact of the address book: nick, address, description and when its
// messages sound. OK writes it under the nick in lower case (a renamed
// contact's old line goes); an empty field, or a value the configuration
// cannot hold, beeps, says why and keeps the dialog open, and so does a
// failed write. A nick of another contact is taken only when the user says
// so.
class ContactDialog : public QDialog
{
    Q_OBJECT

public:
    // contact: the contact edited; an empty nick adds one.
    ContactDialog(Shell &shell, const Contact &contact = {}, QWidget *parent = nullptr);

    QLineEdit *NickEdit() const { return m_nick; }
    QLineEdit *AddressEdit() const { return m_address; }
    QLineEdit *DescriptionEdit() const { return m_description; }
    QComboBox *NotifyBox() const { return m_notify; }

    void accept() override;

private:
    Contact Typed() const;
    // The first field the address book cannot hold, and why; null when none.
    QLineEdit *FieldAtFault(const Contact &contact, Refusal &reason) const;
    // Asks before the contact takes the nick of another one; true to go on.
    bool MayTakeNick(const std::string &nick);

    Shell &m_shell;
    std::string m_oldNick;
    QLineEdit *m_nick;
    QLineEdit *m_address;
    QLineEdit *m_description;
    QComboBox *m_notify;
};
